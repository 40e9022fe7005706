#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "ReportTestData.h"
#include "report/TemplateReport.h"
#include "support/RecordingSheet.h"
#include "support/TempProgramDir.h"

namespace {

using Calls = std::vector<std::string>;

const std::string kMax = std::to_string(INT_MAX);
const std::string kMin = std::to_string(INT_MIN);

int RunOne(const std::string& line, const ReportData& data, int currentRow, RecordingSheet& sheet) {
  return MakeCommand(line).Execute(&sheet, &data, {}, nullptr, currentRow, false);
}

// Rows and columns from huge template values are held at the int limits: the sheet is handed
// a cell it refuses, never a row that wrapped around into it.
TEST(HugeValues, CellRowsAndColumnsSaturate) {
  ReportData data = MakeData(SampleLines(2));
  struct Case {
    std::string line;
    int currentRow;
    std::string cell;
    int result;
  };
  const Case cases[] = {
      {"wc|y:" + kMax, 0, "GetCell(" + kMax + ",0)", INT_MAX},
      {"wc|dimy:" + kMax, 5, "GetCell(" + kMax + ",0)", INT_MAX},
      {"wc|dimy:1", INT_MAX, "GetCell(" + kMax + ",0)", INT_MAX},
      {"wc|dimy:" + kMin, -10, "GetCell(" + kMin + ",0)", INT_MIN},  // the row below is still out of range
      {"wc|x:" + kMax + "|y:" + kMin, 0, "GetCell(" + kMin + "," + kMax + ")", INT_MIN + 1},
      {"wc|y:99999999999", 7, "GetCell(0,0)", 1},            // no integer: the default
      {"wc|dimy:99999999999|y:3", 7, "GetCell(3,0)", 4},     // no integer: as if absent
      {"wc|dimy:-99999999999|y:3", 7, "GetCell(3,0)", 4},
  };
  for (const Case& c : cases) {
    RecordingSheet sheet;
    EXPECT_EQ(RunOne(c.line, data, c.currentRow, sheet), c.result) << c.line;
    EXPECT_EQ(sheet.Calls().front(), c.cell) << c.line;
  }
}

TEST(HugeValues, TableRowsAndColumnsSaturate) {
  ReportData data = MakeData(SampleLines(2));
  RecordingSheet sheet;
  int row = RunOne("wt|x:" + kMax + "|y:" + std::to_string(INT_MAX - 1) + "|value:a:{id}|value:b:{id}", data, 0, sheet);
  EXPECT_EQ(row, INT_MAX);
  const std::string corner = kMax + "," + kMax;
  const Calls& calls = sheet.Calls();
  EXPECT_EQ(calls[0], "GetRange(" + kMax + "," + std::to_string(INT_MAX - 1) + ",1,2)");
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetColumnWidth(" + kMax + ",10)"), 2);
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "GetCell(" + corner + ")"), 4);  // rows INT_MAX, INT_MAX + 1
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "SetRowHeight(" + kMax + ",15)"), 2);

  RecordingSheet low;
  row = RunOne("wft|x:" + kMin + "|dimy:" + kMin + "|value:a:{id}", data, -5, low);
  EXPECT_EQ(low.Calls()[0], "GetRange(" + kMin + "," + kMin + ",0,2)");
  EXPECT_EQ(row, INT_MIN);
}

TEST(HugeValues, TheCurrentRowStaysAtTheLimitAcrossCommands) {
  ReportData data = MakeData(SampleLines(2));
  Template tmpl = MakeTemplate({"wt|y:" + kMax + "|value:h:{id}", "wc|dimy:1|value:a", "wft|dimy:" + kMax + "|value:h",
                                "wc|dimy:" + kMax + "|value:b"});
  TemplateReport report(&tmpl, &data, {}, false);
  RecordingSheet sheet;
  RecordingProgress progress;
  report.Build(&sheet, &progress);
  EXPECT_EQ(report.currentRow, INT_MAX);
  EXPECT_EQ(sheet.ValueAt(INT_MAX, 0), "b");
  EXPECT_EQ(progress.steps, 2 + 1 + 2 + 1);
}

TEST(HugeValues, HeightsThatAreNoIntegerTakeTheDefault) {
  ReportData data = MakeData(SampleLines(1));
  RecordingSheet sheet;
  RunOne("wt|hh:99999999999|rh:2147483648|value:h:{id}", data, 0, sheet);
  EXPECT_EQ(sheet.RowHeight(0), 15);
  EXPECT_EQ(sheet.RowHeight(1), 15);
}

TEST(SelfReferringValues, StayAsTheyStandAndTheTextStaysBounded) {
  // Each value holds the next placeholder many times over: they print as they stand, and the
  // text of a thousand of them is cut where the sheet's text ends long before.
  std::string id;
  std::string notes;
  for (int i = 0; i < 60; ++i) id += "{notes}", notes += "{lot}";
  ReportData data = MakeData({id + ",P01,t," + notes + "," + std::string(1000, 'y') + ",TCS,Негатив,1"});
  std::string cell;
  for (int i = 0; i < 1000; ++i) cell += "{id}";
  RecordingSheet sheet;
  RunOne("wt|value:h:" + cell, data, 0, sheet);
  const std::string value = sheet.ValueAt(1, 0);
  EXPECT_EQ(value.size(), 65536u);
  EXPECT_EQ(value.rfind(id, 0), 0u);
  EXPECT_EQ(value.find('y'), std::string::npos);
}

TEST(SelfReferringValues, NameAndDictionaryThatHoldTheirPlaceholder) {
  Settings settings = TestSettings();
  settings.name = "{name}{name}";
  settings.dictionary["P01"] = "<{provider}>";
  ReportData data = MakeData({"1,P01,t,,,TCS,Негатив,1"}, settings);
  RecordingSheet sheet;
  RunOne("wc|value:{name}{eof}", data, 0, sheet);
  RunOne("wt|y:2|value:{name}:{provider}", data, 0, sheet);
  EXPECT_EQ(sheet.ValueAt(0, 0), "{name}{name}\n");
  EXPECT_EQ(sheet.ValueAt(2, 0), "{name}{name}");
  EXPECT_EQ(sheet.ValueAt(3, 0), "<{provider}>");
}

}  // namespace
