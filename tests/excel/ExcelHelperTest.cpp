#include <gtest/gtest.h>

#include <climits>

#include "RecordingAutomation.h"
#include "excel/ExcelHelper.h"
#include "platform/Exception.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kSheet = "app.WorkSheets(1)";
const Calls kOpen = {"get app.WorkBooks", "call app.WorkBooks.add", "get app.WorkSheets(1)"};

class ExcelHelperCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(helper.Open());
    ASSERT_EQ(excel.Take(), kOpen);
  }

  RecordingExcel excel;
  ExcelHelper helper;
};

bool HoldsZero(const Variant& value) {
  return value.GetType() == Variant::Type::Integer && value.AsInteger() == 0;
}

}  // namespace

TEST(ExcelHelper, StartsWithTheIntegerZeroInBothFields) {
  ExcelHelper helper;
  EXPECT_TRUE(HoldsZero(helper.App()));
  EXPECT_TRUE(HoldsZero(helper.Sheet()));
}

TEST(ExcelHelper, OpenAsksForANewInstanceAndAddsAWorkbook) {
  RecordingExcel excel;
  ExcelHelper helper;
  ASSERT_TRUE(helper.Open());
  EXPECT_EQ(excel.Take(), kOpen);
  EXPECT_EQ(excel.Log().created, 1);
  EXPECT_TRUE(helper.App().IsObject());
  EXPECT_TRUE(helper.Sheet().IsObject());
  // WorkBooks is let go once add is done.
  EXPECT_EQ(excel.Log().releases, Calls{"app.WorkBooks"});
}

TEST(ExcelHelper, OpenFailsAtEachStepKeepingWhatWasAssigned) {
  {
    RecordingExcel excel;
    RegisterProgId("Excel.Application", {});  // no Excel at all
    ExcelHelper helper;
    EXPECT_FALSE(helper.Open());
    EXPECT_TRUE(HoldsZero(helper.App()));
    EXPECT_TRUE(HoldsZero(helper.Sheet()));
  }
  struct Case {
    std::string refuse;
    Calls calls;
  } cases[] = {
      {"get app.WorkBooks", {"get app.WorkBooks"}},
      {"call app.WorkBooks.add", {"get app.WorkBooks", "call app.WorkBooks.add"}},
      {"get app.WorkSheets(1)", kOpen},
  };
  for (const auto& c : cases) {
    RecordingExcel excel;
    excel.Log().refuse = c.refuse;
    ExcelHelper helper;
    EXPECT_FALSE(helper.Open()) << c.refuse;
    EXPECT_EQ(excel.Take(), c.calls) << c.refuse;  // nothing shown or closed after the failure
    EXPECT_TRUE(helper.App().IsObject()) << c.refuse;
    EXPECT_TRUE(HoldsZero(helper.Sheet())) << c.refuse;
  }
}

TEST(ExcelHelper, TwoPrintsAskForTwoInstances) {
  RecordingExcel excel;
  {
    ExcelHelper first;
    ASSERT_TRUE(first.Open());
  }
  ExcelHelper second;
  ASSERT_TRUE(second.Open());
  EXPECT_EQ(excel.Log().created, 2);
  Calls twice = kOpen;
  twice.insert(twice.end(), kOpen.begin(), kOpen.end());
  EXPECT_EQ(excel.Take(), twice);
}

TEST(ExcelHelper, TheDestructorLetsGoOfTheSheetAndThenTheApplicationAndSendsNothing) {
  RecordingExcel excel;
  {
    ExcelHelper helper;
    ASSERT_TRUE(helper.Open());
    excel.Take();
    excel.Log().releases.clear();
  }
  EXPECT_EQ(excel.Take(), Calls{});
  EXPECT_EQ(excel.Log().releases, (Calls{kSheet, "app"}));
  EXPECT_EQ(excel.Log().alive, 0);
}

TEST_F(ExcelHelperCalls, ShowSetsVisibleAndLetsItsFailureThrough) {
  helper.Show();
  EXPECT_EQ(excel.Take(), Calls{"set app.Visible = true"});
  excel.Log().refuse = "set app.Visible = true";
  EXPECT_THROW(helper.Show(), Exception);
}

TEST_F(ExcelHelperCalls, GetCellAsksCellsForItemRowPlusOneAndColPlusOne) {
  helper.GetCell(0, 0);
  helper.GetCell(4, 2);
  EXPECT_EQ(excel.Take(), (Calls{"get " + kSheet + ".Cells", "get " + kSheet + ".Cells.Item(1, 1)",
                                 "get " + kSheet + ".Cells", "get " + kSheet + ".Cells.Item(5, 3)"}));
}

TEST_F(ExcelHelperCalls, GetRangeAddresses) {
  struct Case {
    int col, row, colSpan, rowSpan;
    const char* address;
  } cases[] = {
      {0, 0, 0, 0, "A1:A1"},
      {25, 0, 0, 9, "Z1:Z10"},
      {1, 4, 2, 0, "B5:D5"},
      {26, 0, 0, 0, "AA1:AA1"},
      {25, 2, 1, 0, "Z3:AA3"},
      {701, 0, 1, 0, "ZZ1:AAA1"},
      {16383, 1048575, 0, 0, "XFD1048576:XFD1048576"},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX, "FXSHRXX2147483648:MWLQKWU4294967295"},  // for Excel to refuse
  };
  for (const auto& c : cases) {
    helper.GetRange(c.col, c.row, c.colSpan, c.rowSpan);
    EXPECT_EQ(excel.Take(), Calls{"get " + kSheet + ".Range(\"" + c.address + "\")"}) << c.address;
  }
}

TEST_F(ExcelHelperCalls, ANegativeColumnRowOrSpanGivesAnInertCellWithoutACall) {
  for (auto [col, row, colSpan, rowSpan] : {std::tuple{-1, 0, 0, 0}, {0, -1, 0, 0}, {0, 0, -1, 0}, {0, 0, 0, -1},
                                            {INT_MIN, INT_MIN, INT_MIN, INT_MIN}}) {
    helper.GetRange(col, row, colSpan, rowSpan)->SetValue(u"x")->SetBold(true)->SetBorders(true, true, true, true, 1);
    EXPECT_EQ(excel.Take(), Calls{}) << col << " " << row << " " << colSpan << " " << rowSpan;
  }
}

TEST_F(ExcelHelperCalls, ColumnWidthGoesOnRowOneAndRowHeightOnColumnA) {
  helper.SetColumnWidth(3, 12);
  helper.SetRowHeight(5, 30);
  EXPECT_EQ(excel.Take(), (Calls{"get " + kSheet + ".Cells", "get " + kSheet + ".Cells.Item(1, 4)",
                                 "set " + kSheet + ".Cells.Item(1, 4).ColumnWidth = 12", "get " + kSheet + ".Cells",
                                 "get " + kSheet + ".Cells.Item(6, 1)",
                                 "set " + kSheet + ".Cells.Item(6, 1).RowHeight = 30"}));
}

TEST_F(ExcelHelperCalls, FailuresOfWidthsHeightsAndCellsAreSwallowed) {
  excel.Log().refuse = "get " + kSheet + ".Cells";
  helper.SetColumnWidth(0, 10);
  helper.SetRowHeight(0, 10);
  auto cell = helper.GetCell(0, 0);
  cell->SetValue(u"x");
  EXPECT_EQ(excel.Take(), (Calls{"get " + kSheet + ".Cells", "get " + kSheet + ".Cells", "get " + kSheet + ".Cells"}));
  excel.Log().refuse = "get " + kSheet + ".Range(\"A1:A1\")";
  helper.GetRange(0, 0, 0, 0)->SetValue(u"x");
  EXPECT_EQ(excel.Take(), Calls{excel.Log().refuse});
}

TEST_F(ExcelHelperCalls, IndexesPastTheIntRangeMakeNoCall) {
  helper.GetCell(INT_MAX, 0)->SetValue(u"x");
  helper.GetCell(0, INT_MAX)->SetValue(u"x");
  helper.SetColumnWidth(INT_MAX, 10);
  helper.SetRowHeight(INT_MAX, 10);
  EXPECT_EQ(excel.Take(), Calls{});
  helper.GetCell(-1, -5);  // Excel's to refuse
  EXPECT_EQ(excel.Take(), (Calls{"get " + kSheet + ".Cells", "get " + kSheet + ".Cells.Item(0, -4)"}));
}

TEST_F(ExcelHelperCalls, ACellObjectReleasesItsAutomationObjectWhenFreed) {
  int before = excel.Log().alive;  // the application and the sheet
  {
    auto cell = helper.GetCell(0, 0);
    EXPECT_EQ(excel.Log().alive, before + 1);  // Cells is let go already
    auto range = helper.GetRange(0, 0, 1, 1);
    EXPECT_EQ(excel.Log().alive, before + 2);
  }
  EXPECT_EQ(excel.Log().alive, before);
}

TEST(ExcelHelper, WithoutOpenEveryCellIsInertAndNothingReachesExcel) {
  RecordingExcel excel;
  for (bool opened : {false, true}) {
    ExcelHelper helper;
    if (opened) {
      excel.Log().refuse = "call app.WorkBooks.add";
      ASSERT_FALSE(helper.Open());
      excel.Take();
    }
    auto chained = helper.GetCell(2, 3);
    EXPECT_EQ(chained->SetTextFormat()->SetValue(u"0012")->SetBold(true)->SetFontSize(9)->SetWrap(false)->SetBorders(
                  true, true, true, true, 1),
              chained.get());
    helper.GetRange(0, 0, 3, 3)->SetValue(u"x");
    helper.SetColumnWidth(0, 10);
    helper.SetRowHeight(0, 10);
    EXPECT_EQ(excel.Take(), Calls{}) << opened;
  }
}
