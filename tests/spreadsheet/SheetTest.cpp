#include <gtest/gtest.h>

#include <xlsxwriter.h>

#include "platform/Exception.h"
#include "platform/spreadsheet/Sheet.h"

using namespace spreadsheet;

namespace {

CellRect At(int row, int column) { return {row, column, row, column}; }

const Cell& CellAt(const Sheet& sheet, int row, int column) {
  static const Cell none;
  const Cell* cell = sheet.Find(row, column);
  return cell != nullptr ? *cell : none;
}

const CellFormat& FormatAt(const Sheet& sheet, int row, int column) {
  return sheet.Format(CellAt(sheet, row, column).format);
}

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
  EXPECT_EQ(sheet.Find(4, 2), nullptr);
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
  EXPECT_EQ(sheet.Find(3, 3), nullptr);  // the inside is left alone
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

TEST(Sheet, ACallBeyondWhatTheSheetCanHoldIsRefusedAndChangesNothing) {
  Sheet sheet;
  sheet.SetValue(At(1, 1), WideString(u"kept"));
  const CellRect whole{1, 1, kMaxRows, kMaxColumns};
  EXPECT_THROW(sheet.SetBold(whole, true), Exception);
  EXPECT_THROW(sheet.SetValue(whole, WideString(u"x")), Exception);
  EXPECT_THROW(sheet.SetBold({1, 1, 2049, 2048}, true), Exception);
  EXPECT_EQ(sheet.Cells().size(), 1u);
  EXPECT_FALSE(FormatAt(sheet, 1, 1).bold);
  // The left edge of the whole sheet is one column: that fits.
  sheet.SetBorder(whole, Edge::Left, LXW_BORDER_THIN);
  ASSERT_EQ(sheet.Cells().size(), static_cast<std::size_t>(kMaxRows));
  // Now a range that would fit an empty sheet does not.
  EXPECT_THROW(sheet.SetBold({1, 1, 2048, 2048}, true), Exception);
  EXPECT_EQ(sheet.Cells().size(), static_cast<std::size_t>(kMaxRows));
  sheet.SetBold({1, 1, 1000, 1000}, true);
  EXPECT_TRUE(FormatAt(sheet, 1000, 1000).bold);
}

TEST(Sheet, WidthsAndHeightsReachEveryColumnAndRowSpanned) {
  Sheet sheet;
  sheet.SetColumnWidth(2, 4, 10);
  sheet.SetRowHeight(5, 5, 0);
  EXPECT_EQ(sheet.ColumnWidths(), (std::map<int, int>{{2, 10}, {3, 10}, {4, 10}}));
  EXPECT_EQ(sheet.RowHeights(), (std::map<int, int>{{5, 0}}));
}
