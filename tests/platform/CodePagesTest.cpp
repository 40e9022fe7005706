#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePages.h"
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
