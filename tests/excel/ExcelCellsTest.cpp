#include <gtest/gtest.h>

#include "RecordingAutomation.h"
#include "excel/ExcelHelper.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kCell = "app.WorkSheets(1).Cells.Item(1, 1)";

// A cell of an opened sheet, with the calls that got it already taken.
class ExcelCellsCalls : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(helper.Open());
    cell = helper.GetCell(0, 0);
    excel.Take();
  }

  RecordingExcel excel;
  ExcelHelper helper;
  std::unique_ptr<ReportCells> cell;
};

}  // namespace

TEST_F(ExcelCellsCalls, EachSetterMakesItsCalls) {
  struct Case {
    std::function<ReportCells*(ReportCells&)> set;
    Calls calls;
  } cases[] = {
      {[](ReportCells& c) { return c.SetValue(u"Поставщик"); }, {"set " + kCell + ".Value = \"Поставщик\""}},
      {[](ReportCells& c) { return c.SetWrap(true); }, {"set " + kCell + ".WrapText = true"}},
      {[](ReportCells& c) { return c.SetWrap(false); }, {"set " + kCell + ".WrapText = false"}},
      {[](ReportCells& c) { return c.SetTextFormat(); }, {"set " + kCell + ".NumberFormat = \"@\""}},
      {[](ReportCells& c) { return c.SetFontSize(9); }, {"get " + kCell + ".Font", "set " + kCell + ".Font.Size = 9"}},
      {[](ReportCells& c) { return c.SetBold(true); }, {"get " + kCell + ".Font", "set " + kCell + ".Font.Bold = true"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.set(*cell), cell.get());
    EXPECT_EQ(excel.Take(), c.calls) << c.calls.back();
  }
}

TEST_F(ExcelCellsCalls, BordersGoEdgeByEdgeWithExcelsIndexes) {
  auto edge = [](int index, int lineStyle) {
    std::string borders = kCell + ".Borders(" + std::to_string(index) + ")";
    return Calls{"get " + borders, "set " + borders + ".LineStyle = " + std::to_string(lineStyle)};
  };
  auto join = [](std::initializer_list<Calls> parts) {
    Calls all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
  };
  EXPECT_EQ(cell->SetBorders(true, true, true, true, 1), cell.get());
  EXPECT_EQ(excel.Take(), join({edge(7, 1), edge(8, 1), edge(9, 1), edge(10, 1)}));
  cell->SetBorders(false, true, false, true, -4119);
  EXPECT_EQ(excel.Take(), join({edge(8, -4119), edge(10, -4119)}));
  cell->SetBorders(true, false, true, false, 13);
  EXPECT_EQ(excel.Take(), join({edge(7, 13), edge(9, 13)}));
  EXPECT_EQ(cell->SetBorders(false, false, false, false, 1), cell.get());
  EXPECT_EQ(excel.Take(), Calls{});
}

TEST_F(ExcelCellsCalls, BordersStopAtTheFirstEdgeThatFails) {
  excel.Log().refuse = "get " + kCell + ".Borders(8)";
  EXPECT_EQ(cell->SetBorders(true, true, true, true, 1), cell.get());
  EXPECT_EQ(excel.Take(), (Calls{"get " + kCell + ".Borders(7)", "set " + kCell + ".Borders(7).LineStyle = 1",
                                 "get " + kCell + ".Borders(8)"}));
  excel.Log().refuse = "set " + kCell + ".Borders(7).LineStyle = 5";
  cell->SetBorders(true, true, true, true, 5);
  EXPECT_EQ(excel.Take(), (Calls{"get " + kCell + ".Borders(7)", "set " + kCell + ".Borders(7).LineStyle = 5"}));
}

TEST_F(ExcelCellsCalls, EverySetterSwallowsItsFailure) {
  for (const char* refused : {".Value = \"x\"", ".WrapText = true", ".NumberFormat = \"@\""}) {
    excel.Log().refuse = "set " + kCell + refused;
    EXPECT_NO_THROW(cell->SetValue(u"x")->SetWrap(true)->SetTextFormat());
  }
  excel.Log().refuse = "get " + kCell + ".Font";
  EXPECT_NO_THROW(cell->SetFontSize(9)->SetBold(true));
  EXPECT_EQ(excel.Take().size(), 3u * 3 + 2);  // each call made once, the font's stop at Font
}

TEST_F(ExcelCellsCalls, AChainTakesEffectInItsOrder) {
  cell->SetTextFormat()->SetValue(u"0012")->SetBold(true);
  EXPECT_EQ(excel.Take(), (Calls{"set " + kCell + ".NumberFormat = \"@\"", "set " + kCell + ".Value = \"0012\"",
                                 "get " + kCell + ".Font", "set " + kCell + ".Font.Bold = true"}));
}

TEST_F(ExcelCellsCalls, FreeingTheCellReleasesItsObjectAtOnce) {
  excel.Log().releases.clear();
  cell.reset();
  EXPECT_EQ(excel.Log().releases, Calls{kCell});
}
