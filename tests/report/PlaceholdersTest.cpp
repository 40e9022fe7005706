#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "ReportTestData.h"
#include "report/CommandSupport.h"
#include "strings/Strings.h"
#include "support/TempProgramDir.h"

namespace {

const std::string kLine1 = "0012,P01,2026.12.09 07:45:10,,20261208-07,TCS,Негатив,0.08";
const std::string kLine2 = "0012,P01,2026.12.09 07:45:10,,20261208-07,B,Позитив,1.20";

// One sample made of the line; the text filled with it.
struct SampleCase {
  const char* text;
  const char* expected;
  std::string line;  // empty: the sample of kLine1 and kLine2
};

const SampleCase kSampleCases[] = {
    {"{id}", "0012", ""},
    {"{provider}", "Ферма «Луговая»", ""},
    {"[{ttn}]", "[]", ""},
    {"{tcs} {tcs}_val", "- 0.08", ""},
    {"{b} {b}_val", "ПОЗ 1.20", ""},
    {"{cap}[{cap}_val]", "---[]", ""},
    {"{tcs_val}", "{tcs_val}", ""},
    {"{TCS} {xyz}", "{TCS} {xyz}", ""},
    {"{datetime}|{date}|{time}", "2026.12.09 07:45:10|2026.12.09|07:45:10", ""},
    {"[{notes}] {lotdate}", "[] 2027.12.08", ""},
    {"{lot} {ename} {eresult} {evalue}", "20261208-07 B Позитив 1.20", ""},  // the sample's last line
    {"{name}", "Лаборатория\n", ""},
    {"a{eof}b", "a\nb", ""},
    {"{num}", "{num}", ""},
    // The template's own text is searched step by step; where an empty value joins its two
    // sides, a placeholder they form is filled.
    {"{t{ttn}cs}", "-", ""},
    {"{{id}}", "{0012}", ""},
    {"{tcs}_val_val", "0.08_val", ""},
    // Values are printed as they stand: no later step searches them.
    {"{id}", "{provider}", "{provider},P01,t,,,TCS,Негатив,1"},
    {"{id}", "{tcs}", "{tcs},P01,t,,,TCS,Негатив,1"},
    {"{provider}", "Ферма {ttn}«Ключи»", "1,P03,t,,,TCS,Негатив,1"},
    {"{provider}", "P99", "1,P99,t,,,TCS,Негатив,1"},
    {"{notes}", "{id}", "1,P01,t,{id},,TCS,Негатив,1"},
    {"{notes}", "{lot}", "1,P01,t,{lot},B-1,TCS,Негатив,1"},
    {"{notes}", "{name}", "1,P01,t,{name},,TCS,Негатив,1"},
    {"{notes}", "{eof}", "1,P01,t,{eof},,TCS,Негатив,1"},
    {"{date}/{time}", "2026.12.09/", "1,P01,2026.12.09,,,TCS,Негатив,1"},
    {"{notes}", "{notes}", "1,P01,t,{notes},,TCS,Негатив,1"},
    {"{id}", "{id}{id}", "{id}{id},P01,t,,,TCS,Негатив,1"},
    {"{notes}!", "x{notes}x!", "1,P01,t,x{notes}x,,TCS,Негатив,1"},
    {"{id}tcs}", "{tcs}", "{,P01,t,,,TCS,Негатив,1"},  // a value and the text beside it form nothing
};

void PrintTo(const SampleCase& c, std::ostream* os) {
  *os << c.text << " from " << (c.line.empty() ? std::string("the two-line sample") : c.line);
}

class SamplePlaceholders : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SamplePlaceholders, FillInTheirOrder) {
  const SampleCase& c = GetParam();
  SCOPED_TRACE(c.text);
  ReportData data = c.line.empty() ? MakeData({kLine1, kLine2}) : MakeData({c.line});
  ASSERT_EQ(data.records.size(), 1u);
  EXPECT_EQ(Command::ReplacePlaceholders(Cp(c.text), data, &data.records.begin()->second), Cp(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, SamplePlaceholders, ::testing::ValuesIn(kSampleCases));

TEST(Placeholders, WithoutASampleOnlyNameAndLineFeed) {
  ReportData data = MakeData({kLine1});
  EXPECT_EQ(Command::ReplacePlaceholders("{id} {name}{eof}", data, nullptr), Cp("{id} Лаборатория\n\n"));
  EXPECT_EQ(Command::ReplacePlaceholders("{tcs}{datetime}{ttn}", data, nullptr), "{tcs}{datetime}{ttn}");
  EXPECT_EQ(Command::ReplaceRecordFields("{id}{name}", data, nullptr), "{id}{name}");
}

TEST(Placeholders, StepsAloneFillOnlyTheirOwn) {
  ReportData data = MakeData({kLine1, kLine2});
  const ItemData& sample = data.records.begin()->second;
  EXPECT_EQ(Command::ReplaceRecordFields("{id}{tcs}{name}{eof}", data, &sample), "0012-{name}{eof}");
  EXPECT_EQ(Command::ReplaceElementFields("{id}{tcs}_val{b}", data, sample), Cp("{id}0.08ПОЗ"));
}

TEST(Placeholders, FieldKeysAsTheMapSpellsThem) {
  Settings settings = TestSettings();
  settings.fieldIndexes["{ttn}"] = 4;  // the empty text wins
  settings.fieldIndexes["Z"] = 4;      // a plain word is replaced anywhere in the template's text
  settings.fieldIndexes[""] = 0;       // an empty key replaces nothing
  ReportData data = MakeData({"xZ,P01,t,,B7,TCS,Негатив,1"}, settings);
  const ItemData& sample = data.records.begin()->second;
  EXPECT_EQ(Command::ReplacePlaceholders("[{ttn}] Z {id}", data, &sample), "[] B7 xZ");
}

const std::vector<std::string> kRawLines = {
    kLine1,
    kLine2,
    "0013,P99,2026.12.09 08:00:00,заметка,2026,SULF,,0.5",
    "0014,P02,2026.12.09 08:10:00,,20261209-01,LIN,Сомнительно,0.3",
};

struct RowCase {
  std::size_t line;  // index into kRawLines
  const char* text;
  const char* expected;
};

const RowCase kRowCases[] = {
    {0, "{elem}: {elem_res}", "Тетрациклины: -"},
    {0, "{elem_val} {id} {provider}", "0.08 0012 Ферма «Луговая»"},
    {0, "[{ttn}]{datetime}|{date}|{time}", "[]2026.12.09 07:45:10|2026.12.09|07:45:10"},
    {0, "{lotdate} {lot} {ename}", "2027.12.08 20261208-07 TCS"},
    {0, "{tcs}{tcs}_val{name}{eof}{num}", "{tcs}{tcs}_val{name}{eof}{num}"},
    {1, "{elem}: {elem_res}", "Бета-лактамы: ПОЗ"},
    {2, "[{elem}] {elem_res} {provider} {notes} {lotdate}", "[] --- P99 заметка 2027.."},
    {3, "{elem}: {elem_res}", "{lin}: неизвестно"},
};

void PrintTo(const RowCase& c, std::ostream* os) { *os << "line " << c.line << " " << c.text; }

class RowPlaceholders : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowPlaceholders, FillFromTheRawRow) {
  const RowCase& c = GetParam();
  SCOPED_TRACE(c.text);
  ReportData data = MakeData(kRawLines);
  ASSERT_EQ(data.raw.rows.size(), kRawLines.size());
  const RawItemData& row = data.raw.rows[kRawLines.size() - 1 - c.line];  // stored last line first
  EXPECT_EQ(Command::ReplaceElementRowFields(Cp(c.text), data, row), Cp(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Table, RowPlaceholders, ::testing::ValuesIn(kRowCases));

}  // namespace

namespace {

// A table fills each column's template row after row from a plan made once; whatever the
// template and the values, that gives what the step-by-step fill gives.
TEST(Placeholders, ATableColumnFillsAsTheStepByStepFill) {
  // Placeholders, parts of them, and what an empty value between two parts joins into one.
  const char* const pieces[] = {"{id}", "{provider}", "{ttn}", "{tcs}", "{tcs}_val", "{b}", "{datetime}", "{date}",
                                "{time}", "{notes}", "{lotdate}", "{lot}", "{name}", "{eof}", "{", "}", "x", " ",
                                "{t", "cs}", "_val", "{d", "ate}", "id}", "{num}", "{elem}", "{elem_res}", "{ttn}{ttn}"};
  const std::vector<std::string> lines = {
      "0012,P01,2026.12.09 07:45:10,,20261208-07,TCS,Негатив,0.08",   // empty notes
      "{id},P03,2026.12.09,{tcs},,B,,",                               // empty result, value, lot
      ",P99,,{name},x,TCS,Позитив,1",                                 // empty id and time
  };
  std::mt19937 random(5);
  for (const std::string& line : lines) {
    ReportData data = MakeData({line});
    const ItemData& sample = data.records.begin()->second;
    const RawItemData row = data.raw.rows[0];
    for (bool numbered : {false, true}) {
      const auto sampleSteps = command_support::NumberedSteps(data, command_support::Record::kSample, numbered);
      const auto rowSteps = command_support::NumberedSteps(data, command_support::Record::kRawRow, numbered);
      for (int run = 0; run < 2000; ++run) {
        std::string text;
        for (int i = 0, n = 1 + static_cast<int>(random() % 6); i < n; ++i) text += pieces[random() % std::size(pieces)];
        const AnsiString ansi = Cp(text.c_str());
        // Step by step: the number first, then the record's steps.
        AnsiString numberedText = ReplaceAll(ansi, "{num}", "7");
        if (numbered) numberedText = ReplaceAll(numberedText, "{id}", "7");
        command_support::CellTemplate forSample(ansi, sampleSteps);
        command_support::CellTemplate forRow(ansi, rowSteps);
        if (numberedText == ansi) {  // where no number stood in, the record's fill alone says it
          EXPECT_EQ(forSample.Fill(sampleSteps, data, &sample, nullptr, 7),
                    Command::ReplacePlaceholders(ansi, data, &sample))
              << text << " from " << line;
          EXPECT_EQ(forRow.Fill(rowSteps, data, nullptr, &row, 7), Command::ReplaceElementRowFields(ansi, data, row))
              << text << " from " << line;
        }
      }
    }
  }
}

}  // namespace
