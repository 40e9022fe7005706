#include <gtest/gtest.h>

#include <filesystem>

#include "ReadBack.h"
#include "WorkbookOutput.h"
#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "platform/spreadsheet/XlsxWriter.h"

namespace {

// A workbook made visible through the server, as read back by openpyxl.
class XlsxReadBack : public ::testing::Test {
 protected:
  void SetUp() override {
    app.GetProperty("WorkBooks").CallMethod("add");
    sheet = app.GetProperty("WorkSheets", 1);
  }
  Variant Cell(int row, int column) const { return sheet.GetProperty("Cells").GetProperty("Item", row, column); }
  Variant Range(const char16_t* address) const { return sheet.GetProperty("Range", address); }
  ReadBack Show() {
    app.SetProperty("Visible", true);
    ReadBack read = ReadXlsx(LastWrittenWorkbookSystemPath());
    EXPECT_TRUE(read.ok) << read.output;
    return read;
  }

  WorkbookOutput output;
  Variant app = CreateObject("Excel.Application");
  Variant sheet;
};

}  // namespace

TEST_F(XlsxReadBack, ValuesKeepTheirTypes) {
  Cell(1, 1).SetProperty("Value", u"0012");
  Cell(2, 1).SetProperty("NumberFormat", u"@");
  Cell(2, 1).SetProperty("Value", u"0012");
  Cell(3, 1).SetProperty("Value", u"1,5");
  Cell(4, 1).SetProperty("Value", u"=A1+1");
  Cell(5, 1).SetProperty("Value", 42);
  Cell(6, 1).SetProperty("Value", true);
  Cell(7, 1).SetProperty("Value", u"Отчет по входному контролю");
  Cell(8, 1).SetProperty("Value", u"1234567890123456");
  Cell(9, 1).SetProperty("Value", WideString(40000, u'я'));
  Cell(10, 1).SetProperty("Value", u"-0,25");
  ReadBack read = Show();
  EXPECT_EQ(read.Cell("A1").type, "int");
  EXPECT_EQ(read.Cell("A1").value, "12");
  EXPECT_EQ(read.Cell("A2").value, "'0012'");
  EXPECT_EQ(read.Cell("A2").numberFormat, "@");
  EXPECT_EQ(read.Cell("A3").value, "1.5");
  EXPECT_EQ(read.Cell("A4").type, "str");  // never a formula
  EXPECT_EQ(read.Cell("A4").value, "'=A1+1'");
  EXPECT_EQ(read.Cell("A5").value, "42");
  EXPECT_EQ(read.Cell("A6").value, "True");
  EXPECT_EQ(read.Cell("A7").value, "'Отчет по входному контролю'");
  EXPECT_EQ(read.Cell("A8").value, "'1234567890123456'");
  EXPECT_EQ(read.Cell("A9").length, 32767);
  EXPECT_EQ(read.Cell("A10").value, "-0.25");
}

TEST_F(XlsxReadBack, FormatsAsSetAlsoOnCellsWithoutValues) {
  Range(u"A1:B3").SetProperty("NumberFormat", u"@");
  Cell(1, 1).SetProperty("Value", u"Номер\nп/п");
  Cell(2, 1).SetProperty("Value", u"a\nb");
  Cell(2, 1).SetProperty("WrapText", false);
  Cell(3, 3).GetProperty("Font").SetProperty("Bold", true);
  Cell(3, 3).GetProperty("Font").SetProperty("Size", 9);
  Cell(3, 3).SetProperty("Value", u"head");
  Cell(4, 4).GetProperty("Font").SetProperty("Size", 14);
  Cell(1, 1).SetProperty("ColumnWidth", 10);
  Cell(1, 2).SetProperty("ColumnWidth", 0);
  Cell(2, 1).SetProperty("RowHeight", 30);
  Cell(3, 1).SetProperty("RowHeight", 0);
  Cell(4, 1).SetProperty("RowHeight", 15);  // libxlsxwriter's default, fixed all the same
  ReadBack read = Show();
  EXPECT_TRUE(read.Cell("A1").wrap);
  EXPECT_EQ(read.Cell("A1").value, "'Номер\\nп/п'");
  EXPECT_FALSE(read.Cell("A2").wrap);
  EXPECT_EQ(read.Cell("B3").type, "NoneType");  // a blank cell that keeps its format
  EXPECT_EQ(read.Cell("B3").numberFormat, "@");
  EXPECT_TRUE(read.Cell("C3").bold);
  EXPECT_EQ(read.Cell("C3").size, "9.0");
  EXPECT_EQ(read.Cell("D4").size, "14.0");
  EXPECT_FALSE(read.Cell("D4").bold);
  EXPECT_EQ(read.Cell("D4").type, "NoneType");
  EXPECT_EQ(read.Cell("E5").type, "missing");
  EXPECT_EQ(read.columns["A"].size, "10.7109375");
  EXPECT_TRUE(read.columns["B"].hidden);
  EXPECT_EQ(read.rows[2].size, "30.0");
  EXPECT_TRUE(read.rows[3].hidden);
  EXPECT_EQ(read.rows[4].size, "15.0");
  EXPECT_EQ(read.rows.count(5), 0u);
}

TEST_F(XlsxReadBack, BordersOfTheOuterEdgesInExcelsLineStyles) {
  Variant box = Range(u"B2:D4");
  for (int edge = 7; edge <= 10; ++edge) box.GetProperty("Borders", edge).SetProperty("LineStyle", 1);
  const struct {
    int lineStyle;
    const char* style;
  } styles[] = {{1, "thin"},          {-4115, "dashed"},     {-4118, "dotted"},       {-4119, "double"},
                {4, "dashDot"},       {5, "dashDotDot"},     {13, "slantDashDot"},    {-4142, "None"}};
  int row = 6;
  for (const auto& s : styles) {
    Cell(row, 1).GetProperty("Borders", 8).SetProperty("LineStyle", 1);
    Cell(row, 1).GetProperty("Borders", 7).SetProperty("LineStyle", s.lineStyle);
    ++row;
  }
  ReadBack read = Show();
  const ReadCell& b2 = read.Cell("B2");
  EXPECT_EQ(b2.left + b2.top + b2.bottom + b2.right, "thinthinNoneNone");
  const ReadCell& d4 = read.Cell("D4");
  EXPECT_EQ(d4.left + d4.top + d4.bottom + d4.right, "NoneNonethinthin");
  EXPECT_EQ(read.Cell("C2").top, "thin");
  EXPECT_EQ(read.Cell("C2").left, "None");
  EXPECT_EQ(read.Cell("B3").left, "thin");
  EXPECT_EQ(read.Cell("C3").type, "missing");
  row = 6;
  for (const auto& s : styles) {
    EXPECT_EQ(read.Cell("A" + std::to_string(row)).left, s.style) << s.lineStyle;
    EXPECT_EQ(read.Cell("A" + std::to_string(row)).top, "thin") << s.lineStyle;
    ++row;
  }
}

// UTF-8 as Python encodes a text with "surrogatepass": an unpaired surrogate as three bytes.
std::string PythonUtf8(const WideString& text) {
  std::string utf8;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    AppendUtf8(utf8, c);
  }
  return utf8;
}

TEST_F(XlsxReadBack, AnyTextShowsAsWritten) {
  const WideString texts[] = {
      u"_x0041_",
      u"_x0041\x01",
      u"a\x01" u"b\x0B" u"c\x1F",
      u"tab\there\r\nand crlf",
      WideString(1, u'\0') + u"after NUL",
      u"\uFFFE\uFFFF",
      u"lone " + WideString(1, char16_t(0xD800)) + u" surrogate",
      u" leading and trailing blanks ",
      u"<tag attr=\"&amp;\">",
      u"😀 and ?",
  };
  int row = 1;
  for (const WideString& text : texts) Cell(row++, 1).SetProperty("Value", text);
  // Escapes that take it past what libxlsxwriter takes: cut before them.
  WideString lookalikes;
  while (lookalikes.size() < 32767) lookalikes += u"_x0041_";
  Cell(row, 1).SetProperty("Value", lookalikes);
  ReadBack read = Show();
  auto& strings = read.sharedStrings;
  for (const WideString& text : texts)
    EXPECT_NE(std::find(strings.begin(), strings.end(), PythonUtf8(text)), strings.end()) << PythonUtf8(text);
  const std::string all = PythonUtf8(lookalikes);
  EXPECT_TRUE(std::any_of(strings.begin(), strings.end(), [&](const std::string& shown) {
    return shown.size() > 16000 && all.compare(0, shown.size(), shown) == 0;
  }));
}

TEST_F(XlsxReadBack, TextsOfExcelsLengthReadBackAsTheyWereGiven) {
  // Control characters cost one character each however the file stores them; a literal
  // "_x0041_" costs its escaped underscore, so such a text keeps its longest start that fits.
  // Control characters, and "_x" texts that read as no escape.
  WideString controls;
  for (int i = 0; controls.size() < 32767; ++i)
    controls += i % 3 == 0 ? WideString(1, char16_t(1 + i % 31)) : i % 3 == 1 ? u"a\r" : u"_x";
  controls.resize(32767);
  WideString lookalikes;
  while (lookalikes.size() < 32767) lookalikes += u"_x0041_";
  // 2,520 whole ones cost 13 each; the next fits but for its closing underscore.
  const WideString fitting = lookalikes.substr(0, 2520 * 7 + 6);
  const struct {
    const char* cell;
    WideString given, shown;
  } cases[] = {
      {"A1", controls, controls},
      {"A2", controls + u"\x01", controls},  // cut to Excel's length as a plain text is
      {"A3", WideString(32768, u'z'), WideString(32767, u'z')},
      {"A4", lookalikes, fitting},
      {"A5", u"_x0041\x02_x0042", u"_x0041\x02_x0042"},
      {"A6", u"_x00AB_", u"_x00AB_"},        // capital hex digits
      {"A7", u"_x0041\r", u"_x0041\r"},      // the library's escape of a carriage return would close it
  };
  int row = 1;
  for (const auto& c : cases) Cell(row++, 1).SetProperty("Value", c.given);
  ReadBack read = Show();
  for (const auto& c : cases) {
    ASSERT_EQ(read.texts.count(c.cell), 1u) << c.cell;
    const std::string& shown = read.texts.at(c.cell);
    EXPECT_EQ(shown.size(), PythonUtf8(c.shown).size()) << c.cell;
    EXPECT_TRUE(shown == PythonUtf8(c.shown)) << c.cell;
  }
}

TEST_F(XlsxReadBack, ACellsOwnLookWinsOverItsRowsAndColumns) {
  Range(u"B1:XFD1048576").GetProperty("Font").SetProperty("Bold", true);  // whole columns
  Cell(1, 2).SetProperty("Value", u"x");
  Cell(1, 2).GetProperty("Font").SetProperty("Bold", false);
  Range(u"A3:XFD3").GetProperty("Font").SetProperty("Bold", true);  // a whole row
  Cell(3, 3).SetProperty("Value", u"y");
  Cell(3, 3).GetProperty("Font").SetProperty("Bold", false);
  Cell(1, 4).GetProperty("Font").SetProperty("Bold", false);  // no value
  Range(u"A6:XFD6").GetProperty("Font").SetProperty("Size", 14);  // a whole row over the bold columns
  Range(u"A8:XFD8").GetProperty("Font").SetProperty("Size", 14);
  Cell(8, 1).GetProperty("Font").SetProperty("Size", 11);  // the default look, no value, in a row with a format
  Range(u"C10:D11").GetProperty("Font").SetProperty("Bold", false);  // the default look, a small range
  ReadBack read = Show();
  EXPECT_EQ(read.Cell("B1").value, "'x'");
  EXPECT_EQ(read.Cell("C3").value, "'y'");
  for (const char* plain : {"B1", "C3", "D1", "A1", "A2", "A6", "A8", "C10", "D11"})
    EXPECT_FALSE(read.ShowsBold(plain)) << plain;
  for (const char* bold : {"B2", "E5", "XFD1048576", "A3", "B3", "XFD3", "C1", "B6", "XFD6", "B8", "B10", "E11"})
    EXPECT_TRUE(read.ShowsBold(bold)) << bold;
  // The row's format is bold as the columns are; the one cell that is not, outside them, is written.
  EXPECT_EQ(read.Cell("A6").size, "14.0");
}

TEST_F(XlsxReadBack, AColumnWithAWidthOfItsOwnKeepsTheFormatOfItsColumns) {
  Range(u"B1:E1048576").GetProperty("Font").SetProperty("Bold", true);  // whole columns
  Cell(1, 3).SetProperty("ColumnWidth", 20);
  Cell(1, 4).SetProperty("ColumnWidth", 0);
  ReadBack read = Show();
  EXPECT_EQ(read.columns["C"].size, "20.7109375");
  EXPECT_TRUE(read.columns["D"].hidden);
  for (const char* bold : {"B5", "C5", "D5", "E5"}) EXPECT_TRUE(read.ShowsBold(bold)) << bold;
  for (const char* plain : {"A5", "F5"}) EXPECT_FALSE(read.ShowsBold(plain)) << plain;
}

TEST_F(XlsxReadBack, AFormatOverAHugeRangeCostsByWhatItHolds) {
  const struct {
    const char16_t* range;
    std::vector<std::string> bold, plain;
  } cases[] = {
      {u"B2:XFD1048576", {"B2", "XFD1048576", "C500000", "XFD2"}, {"A1", "A2", "B1", "XFD1", "A1048576"}},
      {u"B2:XFC1048575", {"B2", "XFC1048575", "C500000"}, {"A2", "B1", "XFD2", "B1048576", "XFD1048576"}},
      {u"A1:FAA1048000", {"A1", "FAA1048000", "C250000"}, {"FAB1", "A1048001", "XFD1048576"}},
  };
  for (const auto& c : cases) {
    SetUp();  // a workbook of its own
    Range(c.range).GetProperty("Font").SetProperty("Bold", true);
    Cell(2, 2).SetProperty("Value", u"kept");
    ReadBack read = Show();
    const std::string file = LastWrittenWorkbookSystemPath();
    EXPECT_LT(std::filesystem::file_size(file), 200u * 1024) << file;
    for (const std::string& cell : c.bold) EXPECT_TRUE(read.ShowsBold(cell)) << cell;
    for (const std::string& cell : c.plain) EXPECT_FALSE(read.ShowsBold(cell)) << cell;
    EXPECT_EQ(read.Cell("B2").value, "'kept'");
  }
}

TEST(XlsxWriter, OneCellFormatPerDistinctLook) {
  WorkbookOutput output;
  spreadsheet::Sheet sheet;
  for (int row = 1; row <= 500; ++row) {
    spreadsheet::CellRect cell{row, 1, row, 3};
    sheet.SetNumberFormat(cell, u"@");
    sheet.SetValue(cell, WideString(u"x"));
    sheet.SetBold({row, 1, row, 1}, true);
  }
  sheet.SetFontSize({1, 5, 1, 5}, 9);   // a look that only an interim cell had ...
  sheet.SetFontSize({1, 5, 1, 5}, 11);  // ... and is gone again
  std::string path = output.Folder() + "formats.xlsx";
  EXPECT_EQ(spreadsheet::WriteSheetXlsx(sheet, path), 2);  // "@", and "@" in bold
  ReadBack read = ReadXlsx(path);
  ASSERT_TRUE(read.ok) << read.output;
  EXPECT_EQ(read.cellFormats, 3);  // with the file's default
}

TEST(XlsxWriter, AFileThatCannotBeWrittenIsNamedAndNothingIsLeft) {
  WorkbookOutput output;
  spreadsheet::Sheet sheet;
  output.Dir().Write("plain-file", "x");
  std::string path = output.Folder() + "plain-file/Book1.xlsx";
  try {
    spreadsheet::WriteSheetXlsx(sheet, path);
    ADD_FAILURE() << "written";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(Utf8ToAnsi("«" + path + "»")), AnsiString::npos) << AnsiToUtf8(e.Message());
  }
  std::filesystem::create_directory(output.Folder() + "dir.xlsx");
  EXPECT_THROW(spreadsheet::WriteSheetXlsx(sheet, output.Folder() + "dir.xlsx"), Exception);  // a folder in its place
  EXPECT_FALSE(std::filesystem::exists(output.Folder() + "dir.xlsx.part"));
}
