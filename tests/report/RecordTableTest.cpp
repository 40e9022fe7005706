#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "ReportTestData.h"
#include "support/TempProgramDir.h"

namespace {

using Calls = std::vector<std::string>;

const char* const kBorders = "SetBorders(1,1,1,1,1)";

TEST(RecordTable, WorkedExample) {
  // Three samples; the middle one has no "{tcs}" result.
  ReportData data = MakeData({"1,P01,2026.12.09 06:00:00,,,TCS,Негатив,0.1",
                              "2,P02,2026.12.09 07:00:00,,,B,Негатив,0.1",
                              "3,P02,2026.12.09 08:00:00,,,TCS,Позитив,0.9"});
  CommandRun run =
      RunCommand("wt|x:1|y:4|hh:30|rh:18|conditions:{tcs}|value:№:{num}:6|value:Поставщик:{provider}:20", data, {}, 2);
  const Calls expected = {
      "SetRowHeight(4,30)",
      "GetRange(1,4,1,3)", "SetTextFormat",
      "GetRange(1,4,1,0)", "SetBold(1)",
      "GetCell(4,1)", "SetValue(№)", kBorders, "SetFontSize(10)", "SetColumnWidth(1,6)",
      "GetCell(4,2)", "SetValue(Поставщик)", kBorders, "SetFontSize(10)", "SetColumnWidth(2,20)",
      "GetCell(5,1)", "SetValue(1)", "SetFontSize(10)", kBorders,
      "GetCell(5,2)", "SetValue(Ферма «Луговая»)", "SetFontSize(10)", kBorders,
      "SetRowHeight(5,18)", "Step",
      "GetCell(6,1)", "SetValue(2)", "SetFontSize(10)", kBorders,
      "GetCell(6,2)", "SetValue(Хозяйство)", "SetFontSize(10)", kBorders,
      "SetRowHeight(6,18)", "Step",
  };
  EXPECT_EQ(run.calls, expected);
  EXPECT_EQ(run.result, 7);
}

TEST(RecordTable, DataRowOfASelectionGetsTextFormatFirst) {
  ReportData data = MakeData(SampleLines(3));
  CommandRun run = RunCommand("wt|records:sel|value:h:{id}:5:9:12", data, {SampleKey(3)});
  const Calls expected = {
      "GetRange(0,0,0,1)", "SetTextFormat",
      "GetRange(0,0,0,0)", "SetBold(1)",
      "GetCell(0,0)", "SetValue(h)", kBorders, "SetFontSize(9)", "SetColumnWidth(0,5)",
      "GetCell(1,0)", "SetTextFormat", "SetValue(103)", "SetFontSize(12)", kBorders,
      "SetRowHeight(1,15)", "Step",
  };
  EXPECT_EQ(run.calls, expected);
  EXPECT_EQ(run.result, 2);
}

TEST(RecordTable, HeadRowFromYOrCurrentRowPlusDimy) {
  ReportData data = MakeData(SampleLines(3));
  struct Case {
    const char* line;
    const char* firstRange;
    int result;
  };
  for (Case c : {Case{"wt|value:h:{id}", "GetRange(0,0,0,3)", 4},
                 Case{"wt|dimy:0|value:h:{id}", "GetRange(0,5,0,3)", 9},
                 Case{"wt|dimy:-1|y:2|value:h:{id}", "GetRange(0,2,0,3)", 6},
                 Case{"wt|y:2|dimy:2|value:h:{id}", "GetRange(0,7,0,3)", 11}}) {
    CommandRun run = RunCommand(c.line, data, {}, 5);
    EXPECT_EQ(run.calls.front(), c.firstRange) << c.line;
    EXPECT_EQ(run.result, c.result) << c.line;
  }
}

TEST(RecordTable, HeadHeightOnlyWhenGivenDataRowsAlways) {
  ReportData data = MakeData(SampleLines(1));
  CommandRun plain = RunCommand("wt|y:3|value:h:{id}", data);
  EXPECT_EQ(plain.calls.front(), "GetRange(0,3,0,1)");
  EXPECT_EQ(plain.calls[plain.calls.size() - 2], "SetRowHeight(4,15)");
  CommandRun badValues = RunCommand("wt|y:3|hh:abc|rh:1.5|value:h:{id}", data);
  EXPECT_EQ(badValues.calls.front(), "SetRowHeight(3,15)");
  EXPECT_EQ(badValues.calls[badValues.calls.size() - 2], "SetRowHeight(4,15)");
}

struct ModeCase {
  const char* mode;
  std::vector<int> ids;  // sample numbers; 0 an empty id, -1 a sample's own id "101" instead of its key
  Calls written;
  const char* textRange;
};

const ModeCase kModeCases[] = {
    {"all", {}, {"101", "102", "103"}, "GetRange(0,0,0,3)"},
    {"all", {3}, {"101", "102", "103"}, "GetRange(0,0,0,3)"},
    {"first", {3, 2}, {"101"}, "GetRange(0,0,0,1)"},
    {"first", {}, {"101"}, "GetRange(0,0,0,1)"},
    {"one", {3, 2}, {"103"}, "GetRange(0,0,0,1)"},
    {"one", {-1, 2}, {"102"}, "GetRange(0,0,0,1)"},
    {"one", {-1}, {}, "GetRange(0,0,0,1)"},
    {"one", {}, {"101"}, "GetRange(0,0,0,1)"},
    {"sel", {3, 1}, {"103", "101"}, "GetRange(0,0,0,2)"},
    {"sel", {2, 2}, {"102", "102"}, "GetRange(0,0,0,2)"},
    {"sel", {}, {"101"}, "GetRange(0,0,0,0)"},
    {"sel", {0}, {}, "GetRange(0,0,0,1)"},        // the blank grid row designates no sample
    {"sel", {-1}, {}, "GetRange(0,0,0,1)"},       // a sample is found by its key, not its id
    {"sel", {0, 3, -1, 1}, {"103", "101"}, "GetRange(0,0,0,4)"},
    {"selected", {3, 1}, {"103", "101"}, "GetRange(0,0,0,1)"},
    {"Sel", {}, {"101"}, "GetRange(0,0,0,1)"},
    {"ALL", {3}, {"103"}, "GetRange(0,0,0,1)"},
};

void PrintTo(const ModeCase& c, std::ostream* os) {
  *os << c.mode << " with ids";
  for (int id : c.ids) *os << " " << id;
}

class RecordModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(RecordModes, ChooseTheSamples) {
  const ModeCase& c = GetParam();
  std::vector<AnsiString> ids;
  for (int id : c.ids) ids.push_back(id == 0 ? "" : id < 0 ? "101" : SampleKey(id));
  SCOPED_TRACE(std::string(c.mode) + " with " + std::to_string(ids.size()) + " ids");
  ReportData data = MakeData(SampleLines(3));
  CommandRun run = RunCommand(std::string("wt|records:") + c.mode + "|value:h:{id}", data, ids);
  EXPECT_EQ(DataValues(run), c.written);
  EXPECT_EQ(run.calls.front(), c.textRange);
  EXPECT_EQ(run.result, 1 + static_cast<int>(c.written.size()));
}

INSTANTIATE_TEST_SUITE_P(Table, RecordModes, ::testing::ValuesIn(kModeCases));

TEST(RecordTable, AnEmptyIdDesignatesNoSampleEvenOneWithoutTimeOrId) {
  ReportData data = MakeData({",P01,,,,TCS,Негатив,1", "8,P01,t,,,TCS,Негатив,1"});
  ASSERT_EQ(data.records.begin()->first, RecordKey("", ""));
  EXPECT_EQ(DataValues(RunCommand("wt|records:first|value:h:{provider}", data, {""})), Calls{"Ферма «Луговая»"});
  EXPECT_EQ(DataValues(RunCommand("wt|records:all|value:h:{id}", data, {""})), (Calls{"", "8"}));
  EXPECT_EQ(DataValues(RunCommand("wt|records:sel|value:h:{id}", data, {""})), Calls{});
  EXPECT_EQ(DataValues(RunCommand("wt|records:sel|value:h:{id}", data, {"t"})), Calls{}) << "a time alone is no key";
  EXPECT_EQ(DataValues(RunCommand("wt|records:sel|value:h:{id}", data, {RecordKey("t", "8")})), Calls{"8"});
}

TEST(RecordTable, TwoSamplesTestedInTheSameSecondAreTwoRows) {
  ReportData data = MakeData({"0012,P1,2026.12.09 10:15:00,,b,TCS,Positive,0.9",
                              "0013,P2,2026.12.09 10:15:00,,b,TCS,Negative,0.1"});
  EXPECT_EQ(DataValues(RunCommand("wt|value:h:{id} {tcs}", data)), (Calls{"0012 ПОЗ", "0013 -"}));
  EXPECT_EQ(DataValues(RunCommand("wt|records:sel|value:h:{id} {tcs}", data,
                                  {RecordKey("2026.12.09 10:15:00", "0012")})),
            Calls{"0012 ПОЗ"});
}

TEST(RecordTable, Numbering) {
  ReportData data = MakeData(SampleLines(3));
  const std::vector<AnsiString> ids = {SampleKey(3), SampleKey(1)};
  struct Case {
    const char* line;
    bool numbered;
    Calls written;
  };
  const Case cases[] = {
      {"wt|value:h:{id}", true, {"1", "2", "3"}},
      {"wt|value:h:{id}", false, {"101", "102", "103"}},
      {"wt|value:h:{num}-{id}", true, {"1-1", "2-2", "3-3"}},
      {"wt|records:sel|value:h:{id}", true, {"103", "101"}},
      {"wt|records:sel|value:h:{num}", false, {"1", "2"}},
      {"wt|records:first|value:h:{num}.{id}", true, {"1.101"}},
  };
  for (const Case& c : cases) EXPECT_EQ(DataValues(RunCommand(c.line, data, ids, 0, c.numbered)), c.written) << c.line;
}

TEST(RecordTable, ConditionIsTheLastArgumentExactSetFromAny) {
  ReportData data = MakeData({"1,P01,t1,,,TCS,Негатив,1", "2,P01,t2,,,B,Негатив,1", "3,P01,t3,,,TCS,Негатив,1",
                              "3,P01,t3,,,B,Позитив,1"});
  struct Case {
    const char* conditions;
    Calls written;
  };
  const Case cases[] = {
      {"", {"1", "2", "3"}},
      {"|conditions:{b}|conditions:{tcs}", {"1", "3"}},
      {"|conditions:{-all-}|conditions:{tcs}", {"1"}},
      {"|conditions:{tcs}:{-all-}|conditions:{tcs}:{b}", {"3"}},
      {"|conditions:{-all-}", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DataValues(RunCommand(std::string("wt|value:h:{id}") + c.conditions, data)), c.written) << c.conditions;
}

struct MatchCase {
  const char* condition;
  std::vector<std::string> results;  // "element,result" of the sample's lines
  bool exactSet;
  bool passes;
};

const MatchCase kMatchCases[] = {
    {"conditions:{tcs}", {"TCS,", "B,Негатив"}, false, false},
    {"conditions:{tcs}", {"TCS,Негатив", "B,Негатив", "CAP,Позитив"}, false, true},
    {"conditions:{tcs}:{b}", {"B,Негатив"}, false, true},
    {"conditions:{xyz}", {"TCS,Негатив"}, false, false},
    {"conditions:{-all-}", {"TCS,Негатив"}, false, true},
    {"conditions:{tcs}:{-all-}", {"TCS,Негатив", "B,Негатив"}, true, false},
    {"conditions:{tcs}:{-all-}", {"TCS,Негатив"}, true, true},
    {"conditions:{tcs}:{-all-}", {"TCS,Негатив", "TCS,Позитив"}, true, false},
    {"conditions:{tcs}:{-all-}", {"TCS,"}, true, false},
    {"conditions:{tcs}:{b}:{-all-}", {"TCS,Негатив", "B,Позитив"}, true, true},
    {"conditions:{tcs}:{b}:{-all-}", {"TCS,Негатив", "B,"}, true, false},
    {"conditions:{tcs}:{b}:{-all-}", {"TCS,Негатив", "B,Позитив", "CAP,"}, true, false},  // empty results count
    {"conditions:{tcs}:{tcs}:{-all-}", {"TCS,Негатив", "TCS,Позитив"}, true, true},
    {"conditions:{-all-}", {"TCS,Негатив"}, true, false},
};

void PrintTo(const MatchCase& c, std::ostream* os) {
  *os << c.condition << (c.exactSet ? " exact" : "") << " over";
  for (const std::string& result : c.results)
    *os << " " << result.substr(0, result.find(',')) << (result.back() == ',' ? " (empty)" : "");
}

class MatchConditions : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchConditions, PassesAsTheModeSays) {
  const MatchCase& c = GetParam();
  SCOPED_TRACE(c.condition);
  std::vector<std::string> lines;
  for (const std::string& result : c.results) lines.push_back("1,P01,t,,," + result + ",1");
  ReportData data = MakeData(lines);
  ASSERT_EQ(data.records.size(), 1u);
  Argument condition;
  ASSERT_TRUE(condition.Parse(c.condition));
  EXPECT_EQ(Command::MatchConditions(&condition, data.records.begin()->second, c.exactSet), c.passes);
}

INSTANTIATE_TEST_SUITE_P(Table, MatchConditions, ::testing::ValuesIn(kMatchCases));

TEST(MatchConditionsWithout, ConditionEverySamplePassesAndAllNeedsNoResults) {
  ItemData empty;
  EXPECT_TRUE(Command::MatchConditions(nullptr, empty, false));
  EXPECT_TRUE(Command::MatchConditions(nullptr, empty, true));
  Argument all;
  ASSERT_TRUE(all.Parse("conditions:{-all-}"));
  EXPECT_TRUE(Command::MatchConditions(&all, empty, true));
}

TEST(RecordTable, WithoutColumnsRowsStillCount) {
  ReportData data = MakeData(SampleLines(3));
  CommandRun run = RunCommand("wt|y:1|rh:20", data);
  EXPECT_EQ(run.calls, (Calls{"GetRange(0,1,-1,3)", "SetTextFormat", "GetRange(0,1,-1,0)", "SetBold(1)",
                              "SetRowHeight(2,20)", "Step", "SetRowHeight(3,20)", "Step", "SetRowHeight(4,20)",
                              "Step"}));
  EXPECT_EQ(run.result, 5);
}

TEST(RecordTable, HeadTextsWithoutASample) {
  ReportData data = MakeData(SampleLines(1));
  CommandRun run = RunCommand("wt|value:{id} {name}:{id}|value::{id}", data);
  EXPECT_EQ(WrittenValues(run.calls), (Calls{"{id} Лаборатория\n", "{id}", "101", ""}));
}

TEST(RecordTable, NoSamplesWritesNothing) {
  ReportData data = MakeData({"1,P01,t,,,SULF,Негатив,1"});
  ASSERT_TRUE(data.records.empty());
  CommandRun run = RunCommand("wt|y:3|hh:20|value:h:{id}", data, {}, 6);
  EXPECT_TRUE(run.calls.empty());
  EXPECT_EQ(run.result, 6);
}

}  // namespace
