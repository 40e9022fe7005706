#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/CodePages.h"
#include "strings/Strings.h"

using namespace std::string_literals;
using Pieces = std::vector<std::string>;

TEST(Split, PiecesAtACharacter) {
  struct Case {
    std::string text;
    char separator;
    Pieces expected;
  } cases[] = {
      {"", ',', {}},
      {"abc\n", ',', {"abc\n"}},  // no separator: nothing is removed
      {"a,,b", ',', {"a", "", "b"}},
      {",a", ',', {"", "a"}},
      {",", ',', {""}},
      {"a,", ',', {"a"}},
      {"a,b\n", ',', {"a", "b"}},
      {"a,b\r\n", ',', {"a", "b"}},
      {"a,b,\n", ',', {"a", "b", ""}},
      {"a\n,b", ',', {"a\n", "b"}},
      {"a,b\r\n\n", ',', {"a", "b"}},
      {"wc|x:1|y:0", '|', {"wc", "x:1", "y:0"}},
      {"2019.08.30  10:15:00", ' ', {"2019.08.30", "", "10:15:00"}},
      {"a\0b,c"s, ',', {"a\0b"s, "c"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.text, c.separator), c.expected) << c.text;
}

TEST(SplitByString, PiecesAtAText) {
  struct Case {
    std::string text;
    std::string separator;
    Pieces expected;
  } cases[] = {
      {"", "\\n", {}},
      {"abc", "\\n", {"abc"}},
      {"abc\n", "\\n", {"abc\n"}},
      {"A//B//C", "//", {"A", "B", "C"}},
      {"A//B//", "//", {"A", "B"}},
      {"//A", "//", {"", "A"}},
      {"A////B", "//", {"A", "", "B"}},
      {"A\\nB\\n\n", "\\n", {"A", "B"}},
      {"A\\nB\n", "\\n", {"A", "B"}},
      {"A\\nB\r\n", "\\n", {"A", "B"}},
      {"abc", "", {"abc"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitByString(c.text, c.separator), c.expected) << c.text;
}

TEST(ReplaceAll, ReplacesEveryOccurrenceAndAlwaysEnds) {
  struct Case {
    std::string text, searched, replacement, expected;
  } cases[] = {
      {"{n}{n}", "{n}", "7", "77"},
      {"abc", "", "x", "abc"},
      {"", "a", "x", ""},
      {"aabb", "ab", "", ""},           // a shorter replacement searches again from the start
      {"aaabbb", "ab", "", ""},
      {"xabababy", "ab", "", "xy"},
      {"aab", "ab", "bb", "abb"},       // otherwise one pass over the text as it was
      {"{{n}", "{n}", "n}n}{{", "{n}n}{{"},
      {"{notes}", "{notes}", "my {notes}", "my {notes}"},
      {"{tcs}_val {tcs}", "{tcs}_val", "5", "5 {tcs}"},
      {"abcabc", "abc", "xyz", "xyzxyz"},
      {"no match", "{id}", "1", "no match"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceAll(c.text, c.searched, c.replacement), c.expected)
        << c.text << " / " << c.searched << " / " << c.replacement;
}

TEST(ToWide, ConvertsThroughTheFixedBuffer) {
  EXPECT_EQ(Utf8ToWide("\xD0\x9C\xD0\xBE\xD0\xBB\xD0\xBE\xD0\xBA\xD0\xBE"), u"Молоко");
  EXPECT_EQ(Utf8ToWide("ab\0cd"s), u"ab");
  EXPECT_EQ(ToWide("\xCC\xEE", 1251), u"Мо");
  EXPECT_EQ(Utf8ToWide(""), u"");
  EXPECT_EQ(Utf8ToWide(std::string(2048, 'x')).size(), 2048u);

  SetLastError(0);
  EXPECT_EQ(Utf8ToWide(std::string(2049, 'x')), u"");
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(ToWide("abc", 4242), u"");
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(ToWide("abc", -1), u"");
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  SetLastError(77);
  EXPECT_EQ(ToWide("", 4242), u"");
  EXPECT_EQ(GetLastError(), 77u) << "an empty text makes no call";
}
