// The shipped journal at a size far past what the other tests print. It takes seconds in an
// optimised build, so it has its own program, which the sanitizer run leaves out.
#include <gtest/gtest.h>

#include <cstdio>

#include "WorkbookOutput.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "platform/CodePages.h"
#include "platform/spreadsheet/Application.h"
#include "report/Template.h"
#include "report/TemplateReport.h"
#include "support/ProgramFixture.h"

class BigJournalTest : public ProgramFixture {};

// Past the four million cells that the sheet once held at most: the shipped journal over half
// a million samples keeps every row, the legend below them and the text format of every id.
TEST_F(BigJournalTest, HalfAMillionSamplesPrintWhole) {
  dir.LayOutShippedConfig();
  constexpr int kSamples = 500000;
  std::string file = "header\n";
  file.reserve(static_cast<std::size_t>(kSamples) * 48);
  char line[96];
  for (int i = 1; i <= kSamples; ++i) {
    std::snprintf(line, sizeof line, "%06d,P01,2026.%02d.%02d %02d:%02d:%02d,,20261208-01,TCS,Negative,0.1\n", i,
                  1 + i / 86400 % 12, 1 + i / 3600 / 24 % 28, i / 3600 % 24, i / 60 % 60, i % 60);
    file += line;
  }
  dir.Write("big.csv", file);
  Settings settings;
  settings.Load();
  ReportData data(settings);
  ASSERT_TRUE(data.Load(dir.Path("big.csv")));
  ASSERT_EQ(data.records.size(), static_cast<std::size_t>(kSamples));
  Template journal;
  ASSERT_TRUE(journal.Load(dir.Path("templates/1-journal.txt")));

  WorkbookOutput output;
  ExcelHelper excel;
  ASSERT_TRUE(excel.Open());
  TemplateReport(&journal, &data, {}, false).Build(&excel, nullptr);
  const spreadsheet::Sheet& sheet =
      std::dynamic_pointer_cast<spreadsheet::Application>(excel.App().AsObject())->ActiveWorkbook()->sheet;
  // The head on row 5, the samples on rows 6 to 500,005, in the order of their keys.
  int row = 6;
  for (const auto& [key, sample] : data.records) {
    std::optional<spreadsheet::Cell> id = sheet.Find(row, 1);
    ASSERT_TRUE(id) << row;
    ASSERT_EQ(std::get<WideString>(id->value), AnsiToWide(sample.id)) << row;
    ASSERT_TRUE(sheet.Format(id->format).IsText()) << row;
    ++row;
  }
  EXPECT_EQ(row, kSamples + 6);
  ASSERT_TRUE(sheet.Find(kSamples + 7, 1)) << "the legend one row below the table";
  EXPECT_EQ(std::get<WideString>(sheet.Find(kSamples + 7, 1)->value).substr(0, 3), u"\"-\"");
  ASSERT_TRUE(sheet.Find(kSamples + 9, 1)) << "the signature line";
}
