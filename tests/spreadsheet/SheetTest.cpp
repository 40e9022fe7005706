#include <gtest/gtest.h>

#include <xlsxwriter.h>

#include "platform/Exception.h"
#include "platform/spreadsheet/Sheet.h"

using namespace spreadsheet;

namespace {

CellRect At(int row, int column) { return {row, column, row, column}; }

Cell CellAt(const Sheet& sheet, int row, int column) { return sheet.Find(row, column).value_or(Cell()); }

const CellFormat& FormatAt(const Sheet& sheet, int row, int column) { return sheet.FormatOf(row, column); }

}  // namespace

TEST(Sheet, PlainNumbersBecomeNumbersOnlyOnCellsThatAreNotText) {
  Sheet sheet;
  sheet.SetNumberFormat({1, 1, 2, 2}, u"@");  // A1:B2, before any value
  sheet.SetValue(At(2, 2), WideString(u"0012"));
  sheet.SetValue(At(3, 1), WideString(u"0012"));
  EXPECT_EQ(std::get<WideString>(CellAt(sheet, 2, 2).value), u"0012");
  EXPECT_EQ(std::get<double>(CellAt(sheet, 3, 1).value), 12);

  sheet.SetNumberFormat(At(3, 1), u"@");  // a later text format keeps the number
  EXPECT_EQ(std::get<double>(CellAt(sheet, 3, 1).value), 12);
  EXPECT_TRUE(FormatAt(sheet, 3, 1).IsText());

  sheet.SetNumberFormat(At(2, 2), u"GENERAL");
  EXPECT_EQ(FormatAt(sheet, 2, 2).numberFormat, u"");
  sheet.SetValue(At(2, 2), WideString(u"1,5"));
  EXPECT_EQ(std::get<double>(CellAt(sheet, 2, 2).value), 1.5);
}

TEST(Sheet, AValueNeverBecomesAFormula) {
  Sheet sheet;
  sheet.SetValue(At(1, 1), WideString(u"=1+2"));
  sheet.SetValue(At(1, 2), WideString(u"=SUM(A1:A9)"));
  EXPECT_EQ(std::get<WideString>(CellAt(sheet, 1, 1).value), u"=1+2");
  EXPECT_EQ(std::get<WideString>(CellAt(sheet, 1, 2).value), u"=SUM(A1:A9)");
}

TEST(Sheet, ALineFeedTurnsWrappingOnUntilWrapTextSaysOtherwise) {
  Sheet sheet;
  sheet.SetWrap(At(1, 1), false);
  sheet.SetValue(At(1, 1), WideString(u"Номер\nп/п"));
  EXPECT_TRUE(FormatAt(sheet, 1, 1).wrap);
  sheet.SetWrap(At(1, 1), false);
  EXPECT_FALSE(FormatAt(sheet, 1, 1).wrap);
  sheet.SetValue(At(1, 1), WideString(u"one line"));
  EXPECT_FALSE(FormatAt(sheet, 1, 1).wrap);
  sheet.SetWrap(At(1, 2), true);
  sheet.SetValue(At(1, 2), WideString(u"one line"));
  EXPECT_TRUE(FormatAt(sheet, 1, 2).wrap);
}

TEST(Sheet, TextsAreCutAtExcelsLengthAndAnEmptyTextEmptiesTheCell) {
  Sheet sheet;
  sheet.SetValue(At(1, 1), WideString(40000, u'x'));
  EXPECT_EQ(std::get<WideString>(CellAt(sheet, 1, 1).value).size(), kMaxTextLength);
  WideString pairAcrossTheCut = WideString(kMaxTextLength - 1, u'x') + u"😀";
  sheet.SetValue(At(1, 2), pairAcrossTheCut);
  EXPECT_EQ(std::get<WideString>(CellAt(sheet, 1, 2).value), WideString(kMaxTextLength - 1, u'x'));

  sheet.SetBold(At(1, 1), true);
  sheet.SetValue(At(1, 1), WideString());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(CellAt(sheet, 1, 1).value));
  EXPECT_TRUE(FormatAt(sheet, 1, 1).bold);
}

TEST(Sheet, ValuesAndFormatsReachEveryCellOfARange) {
  Sheet sheet;
  sheet.SetFontSize({2, 2, 3, 4}, 9);
  sheet.SetValue({2, 2, 3, 4}, WideString(u"-"));
  sheet.SetValue(At(1, 1), 42.0);
  sheet.SetValue(At(1, 2), true);
  for (int row = 2; row <= 3; ++row)
    for (int column = 2; column <= 4; ++column) {
      EXPECT_EQ(std::get<WideString>(CellAt(sheet, row, column).value), u"-");
      EXPECT_EQ(FormatAt(sheet, row, column).fontSize, 9);
    }
  EXPECT_FALSE(sheet.Find(4, 2));
  EXPECT_EQ(std::get<double>(CellAt(sheet, 1, 1).value), 42);
  EXPECT_EQ(std::get<bool>(CellAt(sheet, 1, 2).value), true);
  auto cells = sheet.Cells();
  ASSERT_EQ(cells.size(), 8u);
  EXPECT_EQ(cells.front().row, 1);
  EXPECT_EQ(cells.front().column, 1);
  EXPECT_EQ(cells.back().row, 3);
  EXPECT_EQ(cells.back().column, 4);
}

TEST(Sheet, BordersAreTheOuterEdgesOfTheWholeRange) {
  Sheet sheet;
  const CellRect b2d4{2, 2, 4, 4};
  sheet.SetBorder(b2d4, Edge::Left, LXW_BORDER_THIN);
  sheet.SetBorder(b2d4, Edge::Top, LXW_BORDER_DOUBLE);
  sheet.SetBorder(b2d4, Edge::Bottom, LXW_BORDER_DOTTED);
  sheet.SetBorder(b2d4, Edge::Right, LXW_BORDER_DASHED);
  auto edges = [&](int row, int column) {
    auto b = FormatAt(sheet, row, column).borders;
    return std::vector<int>(b.begin(), b.end());
  };
  EXPECT_EQ(edges(2, 2), (std::vector<int>{LXW_BORDER_THIN, LXW_BORDER_DOUBLE, 0, 0}));
  EXPECT_EQ(edges(3, 2), (std::vector<int>{LXW_BORDER_THIN, 0, 0, 0}));
  EXPECT_EQ(edges(2, 3), (std::vector<int>{0, LXW_BORDER_DOUBLE, 0, 0}));
  EXPECT_EQ(edges(4, 4), (std::vector<int>{0, 0, LXW_BORDER_DOTTED, LXW_BORDER_DASHED}));
  EXPECT_EQ(edges(3, 4), (std::vector<int>{0, 0, 0, LXW_BORDER_DASHED}));
  EXPECT_EQ(FormatAt(sheet, 3, 3), CellFormat());  // the inside is left alone
  sheet.SetBorder(b2d4, Edge::Left, LXW_BORDER_NONE);
  EXPECT_EQ(edges(3, 2), (std::vector<int>{0, 0, 0, 0}));
}

TEST(Sheet, CellsThatLookAlikeShareOneFormat) {
  Sheet sheet;
  for (int row = 1; row <= 1000; ++row) {
    CellRect cell = At(row, 1);
    sheet.SetNumberFormat(cell, u"@");
    sheet.SetValue(cell, WideString(u"x"));
    sheet.SetBorder(cell, Edge::Left, LXW_BORDER_THIN);
  }
  sheet.SetBold({1, 1, 1000, 1}, true);
  // The default, then "@", "@" with a left edge, and that in bold.
  EXPECT_EQ(sheet.FormatCount(), 4u);
}

TEST(Sheet, HoldsWhatExcelHoldsWithRangeFormatsKeptByTheRange) {
  Sheet sheet;
  sheet.SetValue(At(1, 1), WideString(u"kept"));
  const CellRect whole{1, 1, kMaxRows, kMaxColumns};
  sheet.SetBold(whole, true);
  sheet.SetBorder(whole, Edge::Left, LXW_BORDER_THIN);
  sheet.SetNumberFormat({1, 2, kMaxRows, 2}, u"@");  // column B
  EXPECT_EQ(sheet.Cells().size(), 1u) << "no cell is stored for a format";
  EXPECT_TRUE(FormatAt(sheet, 1, 1).bold) << "a stored cell takes it at once";
  EXPECT_TRUE(FormatAt(sheet, kMaxRows, kMaxColumns).bold);
  EXPECT_EQ(FormatAt(sheet, kMaxRows, 1).borders[0], LXW_BORDER_THIN);
  EXPECT_EQ(FormatAt(sheet, kMaxRows, 2).borders[0], 0);
  // A value written later keeps the formats of the ranges, in the order they were set.
  sheet.SetValue(At(kMaxRows, 2), WideString(u"000001"));
  EXPECT_EQ(std::get<WideString>(CellAt(sheet, kMaxRows, 2).value), u"000001");
  sheet.SetBold({5, 1, 9, 3}, false);
  EXPECT_FALSE(FormatAt(sheet, 7, 2).bold);
  EXPECT_TRUE(FormatAt(sheet, 10, 2).bold);
  sheet.SetValue(At(7, 2), WideString(u"x"));
  EXPECT_FALSE(FormatAt(sheet, 7, 2).bold);
  EXPECT_TRUE(FormatAt(sheet, 7, 2).IsText());
  // Values are kept cell by cell: a value for the whole sheet is beyond any machine.
  EXPECT_THROW(sheet.SetValue(whole, WideString(u"x")), Exception);
  EXPECT_EQ(sheet.Cells().size(), 3u);
  sheet.SetValue(whole, WideString());  // emptying costs by the cells stored
  EXPECT_TRUE(std::holds_alternative<std::monostate>(CellAt(sheet, 1, 1).value));
}

TEST(Sheet, ManyCellsOnManyRows) {
  Sheet sheet;
  for (int row = kMaxRows; row >= kMaxRows - 2; --row)  // rows out of order
    for (int column = 3; column >= 1; --column) sheet.SetValue(At(row, column), WideString(1, u'a' + column));
  sheet.SetValue(At(1, kMaxColumns), 1.0);
  auto cells = sheet.Cells();
  ASSERT_EQ(cells.size(), 10u);
  EXPECT_EQ(cells[0].column, kMaxColumns);
  EXPECT_EQ(cells[1].row, kMaxRows - 2);
  EXPECT_EQ(cells[1].column, 1);
  EXPECT_EQ(std::get<WideString>(cells[9].cell.value), u"d");
  EXPECT_EQ(sheet.DistinctTextCount(), 3u) << "each text is kept once";
  EXPECT_EQ(sheet.StoredCellCount(), 10u);
}

TEST(Sheet, WidthsAndHeightsReachEveryColumnAndRowSpanned) {
  Sheet sheet;
  sheet.SetColumnWidth(2, 4, 10);
  sheet.SetRowHeight(5, 5, 0);
  EXPECT_EQ(sheet.ColumnWidths(), (std::map<int, int>{{2, 10}, {3, 10}, {4, 10}}));
  EXPECT_EQ(sheet.RowHeights(), (std::map<int, int>{{5, 0}}));
}

TEST(Sheet, RowsToWriteHoldStoredCellsAndBlankOnesWhereARangeFormatReaches) {
  Sheet sheet;
  sheet.SetBold({2, 2, 3, 4}, true);                    // B2:D3
  sheet.SetFontSize({3, 3, 4, 5}, 9);                   // C3:E4, overlapping
  sheet.SetValue(At(3, 3), WideString(u"x"));           // inside both
  sheet.SetValue(At(6, 1), 1.0);                        // outside any
  sheet.SetBold({8, 1, 8, kMaxColumns}, true);          // a whole row: a row format
  sheet.SetNumberFormat({1, 7, kMaxRows, 7}, u"@");     // a whole column: a column format
  sheet.SetRowHeight(10, 10, 20);
  std::vector<std::string> rows;
  sheet.VisitRows([&](int row, int height, std::uint32_t rowFormat, const std::vector<WrittenCell>& cells) {
    std::string text = std::to_string(row) + " h" + std::to_string(height) + (rowFormat != kNoRowFormat ? " fmt" : "") + ":";
    for (const WrittenCell& cell : cells) {
      const CellFormat& format = sheet.Format(cell.format);
      text += " " + std::to_string(cell.column) + (cell.kind == WrittenCell::Blank ? "" : "=") +
              (format.bold ? "b" : "") + (format.fontSize == 9 ? "9" : "");
    }
    rows.push_back(text);
  });
  // Where the whole row meets the whole column, a cell shows both, as the row's format alone would not.
  EXPECT_EQ(rows, (std::vector<std::string>{"2 h-1: 2b 3b 4b", "3 h-1: 2b 3=b9 4b9 59", "4 h-1: 39 49 59",
                                            "6 h-1: 1=", "8 h-1 fmt: 7b", "10 h20:"}));
  ASSERT_EQ(sheet.ColumnFormats().size(), 1u);
  EXPECT_EQ(sheet.ColumnFormats()[0].firstColumn, 7);
  EXPECT_EQ(sheet.ColumnFormats()[0].lastColumn, 7);
  EXPECT_TRUE(sheet.Format(sheet.ColumnFormats()[0].format).IsText());
}

TEST(Sheet, AHugeRangeIsHeldByColumnAndRowFormatsAndTheFewCellsAtItsBorder) {
  Sheet sheet;
  sheet.SetBold({2, 2, kMaxRows, kMaxColumns}, true);  // B2:XFD1048576
  sheet.SetValue(At(1, 3), WideString(u"x"));          // above it, in a bold column
  sheet.SetBold({1, 5, 1, 5}, true);                   // E1, bold of its own
  std::vector<std::string> rows;
  sheet.VisitRows([&](int row, int, std::uint32_t rowFormat, const std::vector<WrittenCell>& cells) {
    std::string text = std::to_string(row) + (rowFormat == 0 ? " plain row:" : rowFormat == kNoRowFormat ? ":" : " row:");
    for (const WrittenCell& cell : cells)
      text += " " + std::to_string(cell.column) + (sheet.Format(cell.format).bold ? "b" : "");
    rows.push_back(text);
  });
  EXPECT_EQ(rows, (std::vector<std::string>{"1 plain row: 3 5b"}));
  ASSERT_EQ(sheet.ColumnFormats().size(), 1u);
  EXPECT_EQ(sheet.ColumnFormats()[0].firstColumn, 2);
  EXPECT_EQ(sheet.ColumnFormats()[0].lastColumn, kMaxColumns);
  EXPECT_TRUE(sheet.Format(sheet.ColumnFormats()[0].format).bold);
  EXPECT_TRUE(FormatAt(sheet, kMaxRows, kMaxColumns).bold);
  EXPECT_FALSE(FormatAt(sheet, 1, 3).bold);
}
