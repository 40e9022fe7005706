#include <gtest/gtest.h>

#include "ReadBack.h"
#include "WorkbookOutput.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "report/Template.h"
#include "report/TemplateReport.h"
#include "support/ProgramFixture.h"

// The shipped journal over the shipped sample, printed through the spreadsheet server.
class JournalPrintTest : public ProgramFixture {};

TEST_F(JournalPrintTest, TheWorkbookHoldsWhatTheTemplateAskedFor) {
  dir.LayOutShippedConfig();
  Settings settings;
  settings.Load();
  ReportData data(settings);
  ASSERT_TRUE(data.Load(std::string(KELVARN_SOURCE_DIR) + "/samples/incoming-2026-12-09.csv"));
  Template journal;
  ASSERT_TRUE(journal.Load(dir.Path("templates/1-journal.txt")));

  WorkbookOutput output;
  ExcelHelper excel;
  ASSERT_TRUE(excel.Open());
  TemplateReport(&journal, &data, {}, false).Build(&excel, nullptr);
  excel.Show();
  ReadBack read = ReadXlsx(LastWrittenWorkbookSystemPath());
  ASSERT_TRUE(read.ok) << read.output;

  EXPECT_EQ(read.Cell("A1").value, "'Лаборатория входного контроля молока\\n'");
  EXPECT_TRUE(read.Cell("A1").bold);
  EXPECT_EQ(read.Cell("A1").size, "14.0");
  EXPECT_FALSE(read.Cell("A1").wrap) << "the title runs on over the empty cells beside it";
  // The head row (Excel row 5) and the first sample below it.
  EXPECT_EQ(read.Cell("A5").value, "'№'");
  EXPECT_EQ(read.Cell("B5").value, "'Поставщик'");
  EXPECT_TRUE(read.Cell("C5").bold);
  EXPECT_TRUE(read.Cell("C5").wrap);
  EXPECT_EQ(read.Cell("C5").left, "thin");
  EXPECT_EQ(read.rows.at(5).size, "66.0");
  EXPECT_EQ(read.Cell("A6").value, "'0012'") << "ids keep their leading zeros";
  EXPECT_EQ(read.Cell("A6").type, "str");
  EXPECT_EQ(read.Cell("A6").numberFormat, "@");
  EXPECT_EQ(read.Cell("B6").value, "'Ферма «Луговая»'");
  EXPECT_EQ(read.Cell("C6").value, "'2026.12.09'");
  EXPECT_EQ(read.Cell("D6").value, "'06:30:05'");
  EXPECT_EQ(read.Cell("E6").value, "'-'");
  EXPECT_EQ(read.Cell("E6").size, "10.0");
  EXPECT_EQ(read.Cell("E6").bottom, "thin");
  EXPECT_EQ(read.rows.at(6).size, "15.0") << "data rows are fixed at 15 points, as set";
  EXPECT_EQ(read.Cell("A45").value, "'0071'") << "the last of the 40 samples";
  EXPECT_EQ(read.Cell("A47").type, "str") << "the legend one row below the table";
  EXPECT_EQ(read.columns.at("A").size, "9.7109375");
  EXPECT_EQ(read.columns.at("B").size, "26.7109375");
  int positives = 0;
  for (const auto& [place, cell] : read.cells) positives += cell.value == "'ПОЗ'";
  EXPECT_EQ(positives, 5);
}

TEST_F(JournalPrintTest, ACellWithTheTextFormatKeepsItsDigits) {
  Template tmpl;
  for (const char* line : {"wc|x:0|y:0|format:txt|value:0012", "wc|x:1|y:0|value:0012", "wc|x:2|y:0|value:0012|format:txt"}) {
    Command command;
    ASSERT_TRUE(command.Parse(line));
    tmpl.commands.push_back(command);
  }
  ReportData data;
  WorkbookOutput output;
  ExcelHelper excel;
  ASSERT_TRUE(excel.Open());
  TemplateReport(&tmpl, &data, {}, false).Build(&excel, nullptr);
  excel.Show();
  ReadBack read = ReadXlsx(LastWrittenWorkbookSystemPath());
  ASSERT_TRUE(read.ok) << read.output;
  EXPECT_EQ(read.Cell("A1").value, "'0012'");
  EXPECT_EQ(read.Cell("B1").value, "12") << "without the text format the digits are a number";
  EXPECT_EQ(read.Cell("C1").value, "'0012'") << "wherever the format stands on the line";
}
