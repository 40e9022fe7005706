#include <gtest/gtest.h>

#include <filesystem>

#include "ReadBack.h"
#include "WorkbookOutput.h"
#include "excel/ExcelHelper.h"
#include "platform/Exception.h"
#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/Application.h"
#include "platform/spreadsheet/SpreadsheetServer.h"

namespace fs = std::filesystem;

namespace {

std::shared_ptr<spreadsheet::Application> ApplicationOf(const ExcelHelper& helper) {
  return std::dynamic_pointer_cast<spreadsheet::Application>(helper.App().AsObject());
}

}  // namespace

TEST(ExcelPrint, TwoPrintsGiveTwoInstancesAndTwoWorkbooks) {
  WorkbookOutput output;
  ExcelHelper first;
  ASSERT_TRUE(first.Open());
  first.GetCell(0, 0)->SetValue(u"first");
  ExcelHelper second;
  ASSERT_TRUE(second.Open());
  second.GetCell(0, 0)->SetValue(u"second");
  ASSERT_NE(ApplicationOf(first), ApplicationOf(second));
  EXPECT_EQ(ApplicationOf(first)->Workbooks().size(), 1u);
  EXPECT_EQ(ApplicationOf(second)->Workbooks().size(), 1u);
  EXPECT_EQ(GetActiveObject("Excel.Application").AsObject(), second.App().AsObject());

  first.Show();
  std::string firstFile = LastWrittenWorkbookSystemPath();
  second.Show();
  std::string secondFile = LastWrittenWorkbookSystemPath();
  EXPECT_NE(firstFile, secondFile);
  EXPECT_EQ(ReadXlsx(firstFile).Cell("A1").value, "'first'");
  EXPECT_EQ(ReadXlsx(secondFile).Cell("A1").value, "'second'");
}

TEST(ExcelPrint, AReportReadsBackWithTheValuesAndFormatsAskedFor) {
  WorkbookOutput output;
  ExcelHelper helper;
  ASSERT_TRUE(helper.Open());
  helper.GetRange(0, 1, 2, 3)->SetTextFormat();  // A2:C5, as a table sets it before its values
  helper.GetRange(0, 1, 2, 0)->SetBold(true);
  helper.GetCell(0, 0)->SetValue(u"Журнал")->SetBold(true)->SetFontSize(14)->SetWrap(false);
  helper.GetCell(1, 0)->SetValue(u"Номер\nп/п")->SetBorders(true, true, true, true, 1);
  helper.GetCell(2, 0)->SetValue(u"0012")->SetBorders(true, true, true, true, 1);
  helper.GetCell(2, 1)->SetValue(u"=1+1");
  helper.GetCell(6, 0)->SetValue(u"0012");
  helper.GetRange(26, 0, 1, 0)->SetBold(true)->SetValue(u"AA");  // beyond Z
  helper.GetRange(16383, 0, 1, 0)->SetValue(u"past XFD");        // refused: an inert range
  helper.GetCell(-1, 0)->SetValue(u"row 0");                      // refused likewise
  helper.SetColumnWidth(0, 10);
  helper.SetColumnWidth(3, 0);
  helper.SetColumnWidth(1, 300);  // past Excel's limit: refused, swallowed
  helper.SetRowHeight(1, 30);
  helper.Show();
  ReadBack read = ReadXlsx(LastWrittenWorkbookSystemPath());
  ASSERT_TRUE(read.ok) << read.output;
  EXPECT_EQ(read.Cell("A1").value, "'Журнал'");
  EXPECT_TRUE(read.Cell("A1").bold);
  EXPECT_EQ(read.Cell("A1").size, "14.0");
  EXPECT_FALSE(read.Cell("A1").wrap);
  EXPECT_EQ(read.Cell("A2").value, "'Номер\\nп/п'");
  EXPECT_TRUE(read.Cell("A2").wrap);
  EXPECT_TRUE(read.Cell("A2").bold);
  EXPECT_EQ(read.Cell("A2").left + read.Cell("A2").top + read.Cell("A2").bottom + read.Cell("A2").right,
            "thinthinthinthin");
  EXPECT_EQ(read.Cell("A3").value, "'0012'");  // still text
  EXPECT_EQ(read.Cell("A3").numberFormat, "@");
  EXPECT_EQ(read.Cell("B3").value, "'=1+1'");
  EXPECT_EQ(read.Cell("C5").type, "NoneType");
  EXPECT_EQ(read.Cell("C5").numberFormat, "@");
  EXPECT_EQ(read.Cell("A7").value, "12");  // outside the text range: a number
  EXPECT_EQ(read.Cell("AA1").value, "'AA'");
  EXPECT_TRUE(read.Cell("AB1").bold);
  EXPECT_EQ(read.Cell("XFD1").type, "missing");
  EXPECT_EQ(read.columns["A"].size, "10.7109375");
  EXPECT_TRUE(read.columns["D"].hidden);
  EXPECT_EQ(read.columns.count("B"), 0u);
  EXPECT_EQ(read.rows[2].size, "30.0");
}

TEST(ExcelPrint, AFailingShowReachesTheCallerNamingTheFile) {
  WorkbookOutput output("/nonexistent/opener");
  ExcelHelper helper;
  ASSERT_TRUE(helper.Open());
  try {
    helper.Show();
    ADD_FAILURE() << "shown";
  } catch (const Exception& e) {
    EXPECT_NE(e.Message().find(LastWrittenWorkbookSystemPath()), AnsiString::npos) << e.Message();
  }
  output.Dir().Write("plain-file", "x");
  SetWorkbookFolderForTesting(output.Folder() + "plain-file");
  EXPECT_THROW(helper.Show(), Exception);
}

TEST(ExcelPrint, WithoutExcelOpenFailsAndAReportRunsThroughUntouched) {
  AutomationFactory server = RegisterProgId("Excel.Application", {});
  ExcelHelper helper;
  EXPECT_FALSE(helper.Open());
  helper.GetCell(0, 0)->SetTextFormat()->SetValue(u"x")->SetBold(true)->SetBorders(true, true, true, true, 1);
  helper.GetRange(0, 0, 5, 5)->SetFontSize(9)->SetWrap(true);
  helper.SetColumnWidth(0, 10);
  helper.SetRowHeight(0, 10);
  RegisterProgId("Excel.Application", server);
}
