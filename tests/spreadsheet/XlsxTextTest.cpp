#include <gtest/gtest.h>

#include "platform/spreadsheet/XlsxText.h"

using spreadsheet::XlsxCellText;

TEST(XlsxText, EscapesWhatNeitherXmlNorTheLibraryCanCarryAndWhatExcelWouldUnescape) {
  struct Case {
    WideString text;
    std::string written;
  } cases[] = {
      {u"abc", "abc"},
      {u"Привет", "Привет"},
      {u"_x0041_", "_x005F_x0041_"},
      {u"_X00ff_", "_x005F_X00ff_"},
      {u"a_x0041_b_x0042_", "a_x005F_x0041_b_x005F_x0042_"},
      {u"_x0041", "_x0041"},
      {u"_x0041a", "_x0041a"},
      {u"_x0041\x01", "_x005F_x0041\x01"},  // the library's escape of \x01 would close it
      {u"_x0041\uFFFE", "_x005F_x0041_xFFFE_"},
      {u"_x0041_x0042_", "_x005F_x0041_x005F_x0042_"},
      {u"_x004", "_x004"},
      {u"_x004G_", "_x004G_"},
      {u"__x", "__x"},
      {u"a\x01" u"b\x1F", "a\x01" "b\x1F"},  // libxlsxwriter escapes control characters
      {u"\t\n", "\t\n"},
      {u"a\rb", "a\rb"},
      {WideString(1, u'\0') + u"z", "_x0000_z"},
      {u"\uFFFE\uFFFF", "_xFFFE__xFFFF_"},
      {WideString(1, char16_t(0xD800)) + u"x", "_xD800_x"},
      {u"x" + WideString(1, char16_t(0xDC00)), "x_xDC00_"},
      {u"😀", "\xF0\x9F\x98\x80"},
      {u"=A1+1", "=A1+1"},
      {u"<&>\"'", "<&>\"'"},  // XML's own escapes are libxlsxwriter's
  };
  for (const auto& c : cases) EXPECT_EQ(XlsxCellText(c.text), c.written);
}

TEST(XlsxText, TheLongestStartThatLibxlsxwriterTakesAndNeverHalfAnEscape) {
  struct Case {
    const char* what;
    WideString text;
    std::string written;
  };
  const WideString a32766(32766, u'a');
  WideString emoji;
  for (int i = 0; i < 16384; ++i) emoji += u"😀";  // 32,768 UTF-16 units, 16,384 characters
  std::string emojiWritten;
  for (int i = 0; i < 16384; ++i) emojiWritten += "\xF0\x9F\x98\x80";
  const Case cases[] = {
      {"plain, whole", WideString(32767, u'a'), std::string(32767, 'a')},
      {"a control character costs one", a32766 + u"\x01", std::string(32766, 'a') + "\x01"},
      {"NUL costs its escape", a32766 + WideString(1, u'\0'), std::string(32766, 'a')},
      {"a surrogate pair is one character", emoji, emojiWritten},
      {"a lookalike's closing underscore brings its escape",
       WideString(32760, u'a') + u"_x0041_", std::string(32760, 'a') + "_x0041"},
      {"an unclosed lookalike costs nothing more", WideString(32761, u'a') + u"_x0041",
       std::string(32761, 'a') + "_x0041"},
      {"the escape fits when the rest is short enough", WideString(32754, u'a') + u"_x0041_",
       std::string(32754, 'a') + "_x005F_x0041_"},
  };
  for (const Case& c : cases) EXPECT_EQ(XlsxCellText(c.text), c.written) << c.what;
}
