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
  // The head row (Excel row 5) and the first sample below it.
  EXPECT_EQ(read.Cell("B5").value, "'Номер\\nпробы'");
  EXPECT_TRUE(read.Cell("B5").bold);
  EXPECT_TRUE(read.Cell("B5").wrap);
  EXPECT_EQ(read.Cell("B5").left, "thin");
  EXPECT_EQ(read.rows.at(5).size, "66.0");
  EXPECT_EQ(read.Cell("A6").value, "'1'");
  EXPECT_EQ(read.Cell("B6").value, "'0012'") << "ids keep their leading zeros";
  EXPECT_EQ(read.Cell("B6").type, "str");
  EXPECT_EQ(read.Cell("B6").numberFormat, "@");
  EXPECT_EQ(read.Cell("C6").value, "'Ферма «Луговая»'");
  EXPECT_EQ(read.Cell("D6").value, "'2026.12.09'");
  EXPECT_EQ(read.Cell("E6").value, "'06:30:05'");
  EXPECT_EQ(read.Cell("F6").value, "'-'");
  EXPECT_EQ(read.Cell("F6").size, "10.0");
  EXPECT_EQ(read.Cell("F6").bottom, "thin");
  EXPECT_EQ(read.rows.count(6), 0u) << "data rows of 15 points: the default height";
  EXPECT_EQ(read.Cell("B45").value, "'0071'") << "the last of the 40 samples";
  EXPECT_EQ(read.Cell("A47").type, "str") << "the legend one row below the table";
  EXPECT_EQ(read.columns.at("C").size, "26.7109375");
  int positives = 0;
  for (const auto& [place, cell] : read.cells) positives += cell.value == "'ПОЗ'";
  EXPECT_EQ(positives, 5);
}
