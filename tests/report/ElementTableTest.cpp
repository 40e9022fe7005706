#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReportTestData.h"
#include "support/TempProgramDir.h"

namespace {

using Calls = std::vector<std::string>;

const char* const kBorders = "SetBorders(1,1,1,1,1)";

// Seven lines: three of one sample, one whose element has no group, then two samples.
const std::vector<std::string> kSevenLines = {
    "0012,P01,T1,,,TCS,Негатив,0.08", "0012,P01,T1,,,B,Позитив,1.20",  "0012,P01,T1,,,CAP,Негатив,0.01",
    "0013,P99,T2,,,SULF,,0.5",        "0014,P02,T3,,,LIN,Негатив,0.3", "0014,P02,T3,,,TYL+TIL,Негатив,0.4",
    "0015,P01,T4,,,QNS,Позитив,2.0",
};

TEST(ElementTable, DataRowCallSequence) {
  ReportData data = MakeData({kSevenLines[0]});
  CommandRun run = RunCommand("wft|x:2|y:1|hh:25|rh:17|value:h:{elem_val}:8:9:11", data, {}, 9);
  const Calls expected = {
      "SetRowHeight(1,25)",
      "GetRange(2,1,0,1)", "SetTextFormat",
      "GetRange(2,1,0,0)", "SetBold(1)",
      "GetCell(1,2)", "SetValue(h)", kBorders, "SetFontSize(9)", "SetColumnWidth(2,8)",
      "GetCell(2,2)", "SetTextFormat", "SetValue(0.08)", "SetFontSize(11)", kBorders,
      "SetRowHeight(2,17)", "Step",
  };
  EXPECT_EQ(run.calls, expected);
  EXPECT_EQ(run.result, 3);
}

TEST(ElementTable, OneRowPerRawRowLastLineFirst) {
  ReportData data = MakeData(kSevenLines);
  CommandRun run =
      RunCommand("wft|dimy:1|value:№:{num}|value:Проба:{id}|value:Элемент:{ename} {elem_res} {elem_val}", data, {}, 4);
  EXPECT_EQ(DataValues(run, 3), (Calls{"1", "0015", "QNS ПОЗ 2.0",  "2", "0014", "TYL+TIL - 0.4",
                                       "3", "0014", "LIN - 0.3",    "4", "0013", "SULF --- 0.5",
                                       "5", "0012", "CAP - 0.01",   "6", "0012", "B ПОЗ 1.20",
                                       "7", "0012", "TCS - 0.08"}));
  EXPECT_EQ(run.steps, 7);
  EXPECT_EQ(run.result, 5 + 1 + 7);
}

TEST(ElementTable, NumberingInEveryMode) {
  ReportData data = MakeData({kSevenLines[0], kSevenLines[3], kSevenLines[4]});
  const std::vector<AnsiString> ids = {"T3"};
  struct Case {
    const char* line;
    bool numbered;
    Calls written;
  };
  const Case cases[] = {
      {"wft|value:h:{id}", true, {"1", "2", "3"}},
      {"wft|records:sel|value:h:{id}", true, {"1", "2", "3"}},
      {"wft|value:h:{id}", false, {"0014", "0013", "0012"}},
      {"wft|records:one|value:h:{num}/{id}", false, {"1/0014", "2/0013", "3/0012"}},
  };
  for (const Case& c : cases) EXPECT_EQ(DataValues(RunCommand(c.line, data, ids, 0, c.numbered)), c.written) << c.line;
}

TEST(ElementTable, TextFormatRangeFollowsTheRowCount) {
  ReportData data = MakeData(kSamplesWith231Results);
  const std::vector<AnsiString> threeIds = {"t1", "t2", "x"};
  struct Case {
    const char* line;
    std::vector<AnsiString> ids;
    const char* range;
  };
  const Case cases[] = {
      {"wft|x:1|y:2|value:a|value:b", {}, "GetRange(1,2,1,6)"},
      {"wft|x:1|y:2|records:first|value:a|value:b", threeIds, "GetRange(1,2,1,2)"},
      {"wft|x:1|y:2|records:sel|value:a", threeIds, "GetRange(1,2,0,4)"},
      {"wft|x:1|y:2|records:sel|value:a", {}, "GetRange(1,2,0,1)"},
      {"wft|x:1|y:2|records:other|value:a", threeIds, "GetRange(1,2,0,2)"},
  };
  for (const Case& c : cases) {
    CommandRun run = RunCommand(c.line, data, c.ids);
    EXPECT_EQ(run.calls.front(), c.range) << c.line;
    EXPECT_EQ(run.steps, 6) << c.line;  // the rows written do not follow the count
  }
}

TEST(ElementTable, ConditionsAndSelectionChangeNoRow) {
  ReportData data = MakeData(kSevenLines);
  CommandRun run = RunCommand("wft|records:sel|conditions:{tcs}:{-all-}|value:h:{id}", data, {"T2"});
  EXPECT_EQ(DataValues(run).size(), 7u);
}

TEST(ElementTable, HeadRowPlacementAndTexts) {
  ReportData data = MakeData({kSevenLines[0]});
  struct Case {
    const char* line;
    const char* firstRange;
    int result;
  };
  for (Case c : {Case{"wft|value:h", "GetRange(0,0,0,1)", 2}, Case{"wft|dimy:0|value:h", "GetRange(0,5,0,1)", 7},
                 Case{"wft|dimy:-1|y:3|value:h", "GetRange(0,3,0,1)", 5}}) {
    CommandRun run = RunCommand(c.line, data, {}, 5);
    EXPECT_EQ(run.calls.front(), c.firstRange) << c.line;
    EXPECT_EQ(run.result, c.result) << c.line;
  }
  EXPECT_EQ(WrittenValues(RunCommand("wft|value:{elem} {id} {name}", data).calls).front(),
            "{elem} {id} Лаборатория\n");
}

TEST(ElementTable, HeightsOfHeadAndDataRows) {
  ReportData data = MakeData({kSevenLines[0]});
  CommandRun plain = RunCommand("wft|y:3|value:h", data);
  EXPECT_EQ(plain.calls.front(), "GetRange(0,3,0,1)");
  EXPECT_EQ(plain.calls[plain.calls.size() - 2], "SetRowHeight(4,15)");
  CommandRun badValues = RunCommand("wft|y:3|hh:x|rh:y|value:h", data);
  EXPECT_EQ(badValues.calls.front(), "SetRowHeight(3,15)");
  EXPECT_EQ(badValues.calls[badValues.calls.size() - 2], "SetRowHeight(4,15)");
}

TEST(ElementTable, WithoutColumnsRowsStillCount) {
  ReportData data = MakeData({kSevenLines[0], kSevenLines[3]});
  CommandRun run = RunCommand("wft|y:1", data);
  EXPECT_EQ(run.calls, (Calls{"GetRange(0,1,-1,1)", "SetTextFormat", "GetRange(0,1,-1,0)", "SetBold(1)",
                              "SetRowHeight(2,15)", "Step", "SetRowHeight(3,15)", "Step"}));
  EXPECT_EQ(run.result, 4);
}

TEST(ElementTable, RawRowsWithoutSamplesWriteNothing) {
  ReportData data = MakeData({kSevenLines[3], "0016,P01,T5,,,XYZ,Негатив,1"});
  ASSERT_TRUE(data.records.empty());
  ASSERT_EQ(data.raw.rows.size(), 2u);
  CommandRun run = RunCommand("wft|hh:20|value:h:{id}", data, {}, 8);
  EXPECT_TRUE(run.calls.empty());
  EXPECT_EQ(run.result, 8);
}

}  // namespace
