#include <gtest/gtest.h>

#include <stdexcept>
#include <ostream>
#include <string>
#include <vector>

#include "ReportTestData.h"
#include "report/TemplateReport.h"
#include "support/RecordingSheet.h"
#include "support/TempProgramDir.h"

namespace {

using Calls = std::vector<std::string>;

// A cell, width or height command over three samples.
CommandRun RunSimple(const std::string& line, int currentRow) {
  return RunCommand(line, MakeData(SampleLines(3)), {}, currentRow);
}

TEST(WriteCell, SetsInItsOwnOrderWhateverTheLineOrder) {
  CommandRun run = RunSimple("wc|border:1:0:1:0:4|fsize:12|format:txt|wrap:0|bold:1|value:{name}|y:3|x:2", 9);
  EXPECT_EQ(run.calls, (Calls{"GetCell(3,2)", "SetTextFormat", "SetValue(Лаборатория\n)", "SetBold(1)", "SetWrap(0)",
                              "SetFontSize(12)", "SetBorders(1,0,1,0,4)", "Step"}));
  EXPECT_EQ(run.result, 4);
}

struct PlaceCase {
  const char* line;
  int currentRow;
  const char* cell;
  int result;
};

const PlaceCase kPlaceCases[] = {
    {"wc|value:a", 7, "GetCell(0,0)", 1},
    {"wc|dimy:0", 7, "GetCell(7,0)", 8},
    {"wc|dimy:2|x:3", 7, "GetCell(9,3)", 10},
    {"wc|dimy:-1|y:4", 7, "GetCell(4,0)", 5},
    {"wc|y:4|dimy:1", 7, "GetCell(8,0)", 9},
    {"wc|x:abc|y:1x", 7, "GetCell(0,0)", 1},
    {"wc|dimy:abc|y:4", 7, "GetCell(4,0)", 5},
    {"wc|dimy:-3", 1, "GetCell(-2,0)", -1},
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.line << " from row " << c.currentRow; }

class WriteCellPlace : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(WriteCellPlace, RowFromYOrCurrentRowPlusDimy) {
  const PlaceCase& c = GetParam();
  SCOPED_TRACE(c.line);
  CommandRun run = RunSimple(c.line, c.currentRow);
  ASSERT_FALSE(run.calls.empty());
  EXPECT_EQ(run.calls.front(), c.cell);
  EXPECT_EQ(run.result, c.result);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteCellPlace, ::testing::ValuesIn(kPlaceCases));

struct FormatCase {
  const char* line;
  Calls afterGetCell;
};

const FormatCase kFormatCases[] = {
    {"wc|fsize:big", {"SetFontSize(0)"}},
    {"wc|bold:0", {"SetBold(0)"}},
    {"wc|wrap:yes", {"SetWrap(1)"}},
    {"wc|border:1:1:1:1", {"SetBorders(1,1,1,1,0)"}},
    {"wc|border:1", {"SetBorders(1,0,0,0,0)"}},
    {"wc|border:1:0:0:1:x", {"SetBorders(1,0,0,1,0)"}},
    {"wc|format:TXT", {}},
    {"wc|format:txt|value:0012", {"SetTextFormat", "SetValue(0012)"}},  // so the digits stay text
    {"wc|value:{id}{eof}{tcs}", {"SetValue({id}\n{tcs})"}},
    {"wc|x:1", {}},
};

void PrintTo(const FormatCase& c, std::ostream* os) { *os << c.line; }

class WriteCellFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(WriteCellFormat, SetsOnlyWhatTheLineNames) {
  const FormatCase& c = GetParam();
  SCOPED_TRACE(c.line);
  CommandRun run = RunSimple(c.line, 0);
  ASSERT_GE(run.calls.size(), 2u);
  EXPECT_EQ(run.calls.back(), "Step");
  EXPECT_EQ(Calls(run.calls.begin() + 1, run.calls.end() - 1), c.afterGetCell);
}

INSTANTIATE_TEST_SUITE_P(Table, WriteCellFormat, ::testing::ValuesIn(kFormatCases));

TEST(SimpleCommands, WidthAndHeightResetTheCurrentRow) {
  struct Case {
    const char* line;
    const char* call;
  };
  for (Case c : {Case{"sw|coord:3|value:20", "SetColumnWidth(3,20)"}, Case{"sh|coord:2|value:30", "SetRowHeight(2,30)"},
                 Case{"sw|x:1", "SetColumnWidth(0,0)"}, Case{"sh|coord:x|value:1.5", "SetRowHeight(0,0)"}}) {
    CommandRun run = RunSimple(c.line, 9);
    EXPECT_EQ(run.calls, (Calls{c.call, "Step"})) << c.line;
    EXPECT_EQ(run.result, 0) << c.line;
  }
}

TEST(TemplateRun, EachCommandPlacesItselfBelowThePrevious) {
  ReportData data = MakeData(SampleLines(3));
  Template tmpl = MakeTemplate({"wt|y:2|value:h:{id}", "wc|dimy:1|value:a", "wc|dimy:1|value:b", "wc|y:20|value:c",
                                "sw|coord:1|value:5", "wc|dimy:1|value:d"});
  TemplateReport report(&tmpl, &data, {}, false);
  RecordingSheet sheet;
  report.Build(&sheet, nullptr);
  EXPECT_EQ(sheet.ValueAt(5, 0), "103");  // the table returns 6
  EXPECT_EQ(sheet.ValueAt(7, 0), "a");
  EXPECT_EQ(sheet.ValueAt(9, 0), "b");
  EXPECT_EQ(sheet.ValueAt(20, 0), "c");
  EXPECT_EQ(sheet.ValueAt(1, 0), "d");  // after "sw" the current row is 0
  EXPECT_EQ(report.currentRow, 2);
}

TEST(TemplateRun, ProgressCountsTwoPerSimpleCommandAndStepsPerRowWritten) {
  ReportData data = MakeData(SampleLines(5));
  Template tmpl =
      MakeTemplate({"wc|value:a", "wt|dimy:1|value:h:{id}", "wc|dimy:1|value:b", "wc|dimy:1|value:c"});
  TemplateReport report(&tmpl, &data, {}, false);
  CallLog log;
  RecordingSheet sheet(log);
  RecordingProgress progress(log);
  report.Build(&sheet, &progress);
  EXPECT_EQ(progress.maximum, 3 * 2 + 6);
  EXPECT_EQ(progress.steps, 3 + 5);
  EXPECT_EQ(progress.begins, 1);
  EXPECT_EQ(progress.ends, 1);
  EXPECT_EQ(log.front(), "Begin(12)");
  EXPECT_EQ(log.back(), "End");
  // The first "wc" steps once, right after its cell.
  EXPECT_EQ(Calls(log.begin(), log.begin() + 4), (Calls{"Begin(12)", "GetCell(0,0)", "SetValue(a)", "Step"}));
}

TEST(TemplateRun, RowCountsOfTheProgressMaximum) {
  ReportData data = MakeData(kSamplesWith231Results);
  const std::vector<AnsiString> threeIds = {"t1", "t2", "x"};
  struct Case {
    const char* line;
    std::vector<AnsiString> ids;
    int rows;
  };
  const Case cases[] = {
      {"wc|x:1", {}, 2},           {"sh|x:1", {}, 2},          {"sw|x:1", {}, 2},
      {"wt|x:1", {}, 4},           {"wt|records:all", threeIds, 4},
      {"wt|records:first", threeIds, 2}, {"wt|records:one", threeIds, 2},
      {"wt|records:sel", {}, 1},   {"wt|records:sel", threeIds, 4},
      {"wt|records:Sel", threeIds, 2},   {"wt|records:x", {}, 2},
      {"wft|x:1", {}, 6},          {"wft|records:first", threeIds, 2},
      {"wft|records:sel", threeIds, 4},  {"wft|records:ALL", threeIds, 2},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeCommand(c.line).GetRowCount(data, c.ids), c.rows) << c.line;
  EXPECT_EQ(MakeTemplate({"wc|x:1", "wt|x:1", "wft|x:1"}).GetRowCount(data, {}), 2 + 4 + 6);
}

TEST(TemplateRun, EmptyTemplateBeginsWithZeroAndEnds) {
  ReportData data = MakeData(SampleLines(2));
  Template tmpl;
  TemplateReport report(&tmpl, &data, {}, false);
  RecordingSheet sheet;
  RecordingProgress progress;
  report.Build(&sheet, &progress);
  EXPECT_EQ(progress.Calls(), (Calls{"Begin(0)", "End"}));
  EXPECT_TRUE(sheet.Calls().empty());
}

TEST(TemplateRun, WithoutSheetNothingHappensWithoutProgressTheSameIsWritten) {
  ReportData data = MakeData(SampleLines(2));
  Template tmpl = MakeTemplate({"wc|value:{name}", "wt|dimy:1|value:h:{id}", "wft|dimy:1|value:h:{elem}"});
  RecordingProgress progress;
  TemplateReport(&tmpl, &data, {}, false).Build(nullptr, &progress);
  EXPECT_TRUE(progress.Calls().empty());

  RecordingSheet withProgress;
  TemplateReport(&tmpl, &data, {}, false).Build(&withProgress, &progress);
  RecordingSheet withoutProgress;
  TemplateReport(&tmpl, &data, {}, false).Build(&withoutProgress, nullptr);
  EXPECT_FALSE(withProgress.Calls().empty());
  EXPECT_EQ(withProgress.Calls(), withoutProgress.Calls());
}

// A sheet that fails beyond its own handling, as an out-of-memory error would.
class FailingSheet : public RecordingSheet {
 public:
  std::unique_ptr<ReportCells> GetCell(int, int) override { throw std::runtime_error("sheet gone"); }
};

TEST(TemplateRun, TheProgressEndsAlsoWhenTheSheetFails) {
  ReportData data = MakeData(SampleLines(2));
  Template tmpl = MakeTemplate({"sw|coord:1|value:5", "wc|value:a", "wc|value:b"});
  FailingSheet sheet;
  RecordingProgress progress;
  EXPECT_THROW(TemplateReport(&tmpl, &data, {}, false).Build(&sheet, &progress), std::runtime_error);
  EXPECT_EQ(progress.Calls(), (Calls{"Begin(6)", "Step", "End"}));
}

TEST(TemplateRun, WithoutTemplateOrDataNothingHappens) {
  ReportData data = MakeData(SampleLines(2));
  Template tmpl = MakeTemplate({"wc|value:a"});
  RecordingSheet sheet;
  RecordingProgress progress;
  TemplateReport(nullptr, &data, {}, false).Build(&sheet, &progress);
  TemplateReport(&tmpl, nullptr, {}, false).Build(&sheet, &progress);
  EXPECT_TRUE(sheet.Calls().empty());
  EXPECT_TRUE(progress.Calls().empty());
}

}  // namespace
