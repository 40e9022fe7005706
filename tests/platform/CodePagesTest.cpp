#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <optional>
#include <random>

#include <string>
#include <vector>

#include "platform/CodePages.h"
#include "strings/Strings.h"
#include "support/TempProgramDir.h"

namespace {

WideString Convert(unsigned cp, const std::string& bytes, int bufferUnits = 2048) {
  std::vector<char16_t> buffer(static_cast<size_t>(bufferUnits));
  int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), buffer.data(), bufferUnits);
  return WideString(buffer.data(), static_cast<size_t>(n));
}

}  // namespace

TEST(CodePages, DecodesTheTableEntries) {
  struct Case {
    unsigned cp;
    std::string bytes;
    WideString expected;
  } cases[] = {
      {65001, "\xD0\x9C\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE", u"Молоко"},
      {1251, "\xCC\xEE\xEB\xEE\xEA\xEE", u"Молоко"},
      {0, "\xCC\xEE\xEB\xEE\xEA\xEE", u"Молоко"},
      {3, "\xCC", u"М"},
      {866, "\x8C\xAE\xAB", u"Мол"},
      {1, "\x8C", u"М"},
      {20866, "\xED\xCF\xCC", u"Мол"},
      {28595, "\xBC", u"М"},
      {20127, "abc", u"abc"},
      {28591, "\xE9", u"é"},
      {1252, "\x80", u"€"},
  };
  for (const auto& c : cases) EXPECT_EQ(Convert(c.cp, c.bytes), c.expected) << "cp " << c.cp;
}

TEST(CodePages, InvalidBytesBecomeReplacementCharactersWithoutFailing) {
  SetLastError(0);
  EXPECT_EQ(Convert(65001, "a\xFF" "b"), u"a\uFFFD" u"b");
  EXPECT_EQ(Convert(65001, "a\xD0"), u"a\uFFFD");  // cut in the middle of a character
  EXPECT_EQ(Convert(20127, "\x80"), u"\uFFFD");
  EXPECT_EQ(GetLastError(), 0u) << "a successful conversion leaves the last error alone";
}

TEST(CodePages, FailuresSetTheWindowsErrorNumbers) {
  char16_t buffer[4];
  struct Case {
    unsigned cp;
    unsigned flags;
    std::string bytes;
    unsigned error;
  } cases[] = {
      {4242, 0, "abc", ERROR_INVALID_PARAMETER},
      {65000, 0, "abc", ERROR_INVALID_PARAMETER},
      {1004, 0, "abc", ERROR_INVALID_PARAMETER},
      {65001, 0, "abcde", ERROR_INSUFFICIENT_BUFFER},
      {65001, 4, "abc", ERROR_INVALID_FLAGS},
      {65001, MB_ERR_INVALID_CHARS, "a\xFF", ERROR_NO_UNICODE_TRANSLATION},
      {65001, MB_ERR_INVALID_CHARS, "a\xD0", ERROR_NO_UNICODE_TRANSLATION},
      {1251, MB_ERR_INVALID_CHARS, "\x98", ERROR_NO_UNICODE_TRANSLATION},
      {4242, MB_ERR_INVALID_CHARS, "abc", ERROR_INVALID_PARAMETER},
  };
  for (const auto& c : cases) {
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(c.cp, c.flags, c.bytes.data(), static_cast<int>(c.bytes.size()), buffer, 4), 0);
    EXPECT_EQ(GetLastError(), c.error) << "cp " << c.cp;
  }
  EXPECT_FALSE(IsCodePageKnown(4242));
  EXPECT_TRUE(IsCodePageKnown(10007));
}

TEST(CodePages, AStrictConversionTakesWhatIsValid) {
  char16_t buffer[8];
  const std::string cp1251 = "\xCC\xEE";
  EXPECT_EQ(MultiByteToWideChar(1251, MB_ERR_INVALID_CHARS, cp1251.data(), 2, buffer, 8), 2);
  EXPECT_EQ(WideString(buffer, 2), u"Мо");
  const std::string utf8 = "\xD0\x9C";
  EXPECT_EQ(MultiByteToWideChar(65001, MB_ERR_INVALID_CHARS, utf8.data(), 2, buffer, 8), 1);
  EXPECT_EQ(buffer[0], u'М');
}

TEST(CodePages, SizeQueryAndExactFit) {
  std::string text(2048, 'x');
  EXPECT_EQ(MultiByteToWideChar(65001, 0, text.data(), 2048, nullptr, 0), 2048);
  EXPECT_EQ(Convert(65001, text).size(), 2048u);
  EXPECT_TRUE(Convert(65001, text + "y").empty());
}

TEST(CodePages, ToAnsiReplacesWhat1251CannotShow) {
  EXPECT_EQ(WideToAnsi(u"Тест"), "\xD2\xE5\xF1\xF2");
  EXPECT_EQ(WideToAnsi(u"a\u4E2D" u"b"), "a?b");
  EXPECT_EQ(WideToAnsi(u"a\U0001F600" u"b"), "a?b");
  EXPECT_EQ(WideToAnsi(u"\uFFFD"), "?");
  EXPECT_EQ(WideToAnsi(u""), "");
  EXPECT_EQ(AnsiToWide("\xB8"), u"ё");
}

TEST(CodePages, Utf8AndAnsi) {
  EXPECT_EQ(Utf8ToAnsi("Позитив"), "\xCF\xEE\xE7\xE8\xF2\xE8\xE2");
  EXPECT_EQ(AnsiToUtf8("\xCF\xEE\xE7\xE8\xF2\xE8\xE2"), "Позитив");
  EXPECT_EQ(Utf8ToAnsi("/tmp/\xE4\xB8\xAD.csv"), "/tmp/?.csv") << "a character outside 1251";
}

TEST(CodePages, OneAnsiByteAndBack) {
  EXPECT_EQ(AnsiByteToWide(0xCC), u'М');
  EXPECT_EQ(AnsiByteToWide('a'), u'a');
  EXPECT_EQ(AnsiByteToWide(0x98), u'\uFFFD');
  char byte = 0;
  EXPECT_TRUE(WideToAnsiByte(U'ё', byte));
  EXPECT_EQ(byte, '\xB8');
  EXPECT_FALSE(WideToAnsiByte(U'é', byte));
  EXPECT_FALSE(WideToAnsiByte(U'\U0001F600', byte));
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    ASSERT_TRUE(WideToAnsiByte(AnsiByteToWide(static_cast<unsigned char>(b)), byte)) << b;
    EXPECT_EQ(static_cast<unsigned char>(byte), b);
  }
}

namespace {

// What iconv itself makes of bytes: each byte sequence it cannot read becomes U+FFFD and one
// byte is skipped, an incomplete one at the end becomes one U+FFFD; a strict reading fails.
std::optional<WideString> IconvReading(const char* name, const std::string& bytes, bool strict) {
  iconv_t cd = iconv_open("UTF-16LE", name);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << name;
  WideString wide;
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char16_t buffer[4096];
    char* out = reinterpret_cast<char*>(buffer);
    size_t outLeft = sizeof buffer;
    size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
    int error = errno;
    wide.append(buffer, (sizeof buffer - outLeft) / 2);
    if (rc != static_cast<size_t>(-1)) break;
    if (error == E2BIG) continue;
    if (strict) {
      iconv_close(cd);
      return std::nullopt;
    }
    wide += u'\uFFFD';
    size_t step = error == EINVAL ? inLeft : 1;
    in += step;
    inLeft -= step;
  }
  char16_t rest[8];  // what a composing code page still holds
  char* out = reinterpret_cast<char*>(rest);
  size_t outLeft = sizeof rest;
  iconv(cd, nullptr, nullptr, &out, &outLeft);
  wide.append(rest, (sizeof rest - outLeft) / 2);
  iconv_close(cd);
  return wide;
}

}  // namespace

TEST(CodePages, EveryCodePageReadsAsIconvDoes) {
  const std::pair<unsigned, const char*> pages[] = {
      {65001, "UTF-8"},   {1251, "CP1251"},     {866, "CP866"},          {20866, "KOI8-R"},   {10007, "MAC-CYRILLIC"},
      {1255, "CP1255"},   {1258, "CP1258"},     {20127, "ASCII"},        {28593, "ISO-8859-3"}, {437, "CP437"},
      {1252, "CP1252"},   {21866, "KOI8-U"},    {28605, "ISO-8859-15"},
  };
  std::mt19937 random(7);
  const std::string valid = "Молоко, проба №12 — ok";
  for (const auto& [cp, name] : pages) {
    for (int run = 0; run < 300; ++run) {
      std::string bytes;
      const int length = 1 + static_cast<int>(random() % 40);
      for (int i = 0; i < length; ++i) bytes += static_cast<char>(random() % 256);
      if (run % 3 == 0) bytes = valid.substr(0, random() % valid.size() + 1);  // UTF-8, maybe cut inside a character
      for (bool strict : {false, true}) {
        std::vector<char16_t> buffer(bytes.size() * 2 + 8);
        SetLastError(0);
        int n = MultiByteToWideChar(cp, strict ? MB_ERR_INVALID_CHARS : 0, bytes.data(), static_cast<int>(bytes.size()),
                                    buffer.data(), static_cast<int>(buffer.size()));
        std::optional<WideString> expected = IconvReading(name, bytes, strict);
        if (expected) {
          ASSERT_EQ(WideString(buffer.data(), static_cast<size_t>(n)), *expected) << cp << " strict " << strict;
        } else {
          ASSERT_EQ(n, 0) << cp;
          ASSERT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION) << cp;
        }
      }
    }
  }
}

TEST(CodePages, ToAnsiAndUtf8AsIconvHasThem) {
  std::mt19937 random(11);
  const char16_t pool[] = {u'a', u'Я', u'ё', u'€', u'é', u'中', 0xD83D, 0xDE00, 0xDC00, u'\uFFFD', 0, u'\n', u'№'};
  for (int run = 0; run < 2000; ++run) {
    WideString text;
    for (int i = 0, n = 1 + static_cast<int>(random() % 12); i < n; ++i) text += pool[random() % std::size(pool)];
    // 1251: "?" for what it lacks, one for a whole pair.
    std::string ansi;
    for (std::size_t i = 0; i < text.size(); ++i) {
      char byte;
      if (WideToAnsiByte(text[i], byte)) {
        ansi += byte;
        continue;
      }
      ansi += '?';
      if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) ++i;
    }
    EXPECT_EQ(WideToAnsi(text), ansi);
    // UTF-8 and back: whole pairs survive, a half is U+FFFD.
    WideString back = Utf8ToUtf16(WideToUtf8(text));
    WideString expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
      const bool high = text[i] >= 0xD800 && text[i] < 0xDC00;
      const bool low = text[i] >= 0xDC00 && text[i] < 0xE000;
      if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
        expected += text[i];
        expected += text[++i];
      } else {
        expected += high || low ? u'\uFFFD' : text[i];
      }
    }
    EXPECT_EQ(back, expected);
  }
}

TEST(CodePages, SingleByteToAnsiIsToWideThenToAnsi) {
  std::mt19937 random(13);
  for (unsigned cp : {1251u, 866u, 20127u, 28593u, 10007u, 1252u}) {
    for (int run = 0; run < 500; ++run) {
      std::string bytes;
      for (int i = 0, n = 1 + static_cast<int>(random() % 30); i < n; ++i)
        bytes += static_cast<char>(random() % 5 == 0 ? 0 : random() % 256);
      for (unsigned flags : {0u, MB_ERR_INVALID_CHARS}) {
        SetLastError(0);
        std::optional<AnsiString> direct = SingleByteToAnsi(cp, flags, bytes);
        const unsigned directError = GetLastError();
        SetLastError(0);
        const AnsiString expected = WideToAnsi(ToWide(bytes, static_cast<int>(cp), flags));
        ASSERT_TRUE(direct) << cp;
        EXPECT_EQ(*direct, expected) << cp << " flags " << flags;
        EXPECT_EQ(directError, GetLastError()) << cp << " flags " << flags;
      }
    }
  }
  EXPECT_FALSE(SingleByteToAnsi(65001, 0, "abc")) << "not a single-byte code page";
  EXPECT_FALSE(SingleByteToAnsi(1255, 0, "abc")) << "composes, so iconv reads it";
  EXPECT_FALSE(SingleByteToAnsi(4242, 0, "abc"));
  EXPECT_FALSE(SingleByteToAnsi(1251, 0, std::string(2049, 'x'))) << "past the 2048 characters";
}
