#include <gtest/gtest.h>

#include "platform/spreadsheet/XlsxText.h"

using spreadsheet::XlsxCellText;

TEST(XlsxText, EscapesWhatXmlCannotHoldAndWhatExcelWouldUnescape) {
  struct Case {
    WideString text;
    std::string written;
  } cases[] = {
      {u"abc", "abc"},
      {u"Привет", "Привет"},
      {u"_x0041_", "_x005F_x0041_"},
      {u"_X00ff_", "_x005F_X00ff_"},
      {u"a_x0041_b_x0042_", "a_x005F_x0041_b_x005F_x0042_"},
      {u"_x0041", "_x005F_x0041"},  // read as an escape once a control character follows
      {u"_x0041\x01", "_x005F_x0041_x0001_"},
      {u"_x004", "_x004"},
      {u"_x004G_", "_x004G_"},
      {u"__x", "__x"},
      {u"a\x01" u"b\x1F", "a_x0001_b_x001F_"},
      {u"\t\n", "\t\n"},
      {u"a\rb", "a_x000D_b"},
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

TEST(XlsxText, AtMostTheCharactersLibxlsxwriterTakesAndNeverHalfAnEscape) {
  EXPECT_EQ(XlsxCellText(WideString(32767, u'a')).size(), 32767u);
  WideString controlAtEnd = WideString(32766, u'a') + u"\x01";
  EXPECT_EQ(XlsxCellText(controlAtEnd), std::string(32766, 'a'));
  WideString emoji;
  for (int i = 0; i < 16384; ++i) emoji += u"😀";  // 32,768 UTF-16 units, 16,384 characters
  EXPECT_EQ(XlsxCellText(emoji).size(), 16384u * 4);
}
