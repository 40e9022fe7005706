#include <gtest/gtest.h>

#include "RecordingAutomation.h"
#include "ReadBack.h"
#include "WorkbookOutput.h"
#include "data/ReportData.h"
#include "platform/Exception.h"
#include "platform/MessageBox.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "report/FullReport.h"
#include "report/IProgressHandler.h"
#include "report/ReportHelper.h"
#include "settings/ReportTexts.h"
#include "platform/CodePages.h"
#include "support/ProgramFixture.h"
#include "support/RecordingSheet.h"

namespace {

struct ProgressLog : IProgressHandler {
  void SetPosition(float fraction) override { calls.push_back("SetPosition(" + std::to_string(fraction) + ")"); }
  void Step() override { calls.push_back("Step"); }
  void Begin(int max) override { calls.push_back("Begin(" + std::to_string(max) + ")"); }
  void End() override { calls.push_back("End"); }
  std::vector<std::string> calls;
};

const char* const kSettings =
    "cp=65001\nПозитив\nНегатив,Negative\n{num},N,60\n"
    "{id},0,{provider},1,{time},2,{notes},3,{lot},4,{ename},5,{eresult},6,{evalue},7\n";

}  // namespace

class FullReportTest : public ProgramFixture {
 protected:
  FullReportTest() {
    dir.Write("settings.txt", kSettings);
    dir.Write("name.txt", Cp("Лаборатория\n"));
    dir.Write("dictionary.txt", Cp("P1,Ферма\n"));
    settings.Load();
  }

  ReportData Data(const std::string& lines) {
    dir.Write("r.csv", "header\n" + lines);
    ReportData data(settings);
    EXPECT_TRUE(data.Load(dir.Path("r.csv")));
    return data;
  }

  Settings settings;
};

TEST_F(FullReportTest, WritesTheFixedFormIntoAWorkbookOfItsOwn) {
  WorkbookOutput output;
  ReportData data = Data(
      "0012,P1,2026.12.09 10:15:00,повтор,b,TCS,Негатив,0.1\n"
      "0012,P1,2026.12.09 10:15:00,повтор,b,B,Позитив,0.9\n"
      "0012,P1,2026.12.09 10:15:00,повтор,b,QNS,Негатив,0.1\n"
      "0007,P9,2026.12.09 08:00:00,,b,CAP,Negative,0.1\n"
      "0100,P1,2026.12.09 09:30:00,,b,STREP,?,0.1\n");
  ProgressLog progress;
  ReportHelper unused;
  FullReport(data).Build(&unused, &progress);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"Begin(100)", "SetPosition(0.000000)", "SetPosition(0.333333)",
                                                      "SetPosition(0.666667)", "SetPosition(1.000000)", "End"}));
  ReadBack read = ReadXlsx(LastWrittenWorkbookSystemPath());
  ASSERT_TRUE(read.ok) << read.output;
  EXPECT_EQ(read.Cell("C2").value, "'Лаборатория\\n'");
  EXPECT_TRUE(read.Cell("C2").bold);
  EXPECT_FALSE(read.Cell("C2").wrap) << "wrapping set off after the line feed turned it on";
  EXPECT_EQ(read.Cell("B4").value,
            "'Отчет по входному контролю молока на наличие АНТИБИОТИКОВ при помощи тест наборов KD-VORANEX'");
  EXPECT_EQ(read.Cell("B4").size, "9.0");
  EXPECT_EQ(read.Cell("B5").value, "'\"-\" - негатив, \"ПОЗ\" - позитив, \"-----\" - нет данных'");
  EXPECT_EQ(read.Cell("B6").value, "'Номер\\nп/п'");
  EXPECT_EQ(read.Cell("E6").value, "'Тет-\\nраци-\\nклин'");
  EXPECT_EQ(read.Cell("J6").value, "'Примечания'");
  EXPECT_TRUE(read.Cell("J6").bold);
  EXPECT_EQ(read.Cell("J6").left + read.Cell("J6").bottom, "thinthin");
  // Samples in the byte order of their time texts, from Excel row 7; ids stay text.
  EXPECT_EQ(read.Cell("B7").value, "'0007'");
  EXPECT_EQ(read.Cell("B7").numberFormat, "@");
  EXPECT_EQ(read.Cell("C7").value, "'P9'") << "a code the dictionary lacks is written as it stands";
  EXPECT_EQ(read.Cell("F7").value, "'Negative'") << "the result text as read, not a mark";
  EXPECT_EQ(read.Cell("B8").value, "'0100'");
  EXPECT_EQ(read.Cell("G8").value, "'?'");
  EXPECT_EQ(read.Cell("B9").value, "'0012'");
  EXPECT_EQ(read.Cell("C9").value, "'Ферма'");
  EXPECT_EQ(read.Cell("E9").value, "'Негатив'");
  EXPECT_EQ(read.Cell("H9").value, "'Позитив'");
  EXPECT_EQ(read.Cell("I9").value, "'2026.12.09 10:15:00'");
  EXPECT_EQ(read.Cell("J9").value, "'повтор'");
  EXPECT_EQ(read.Cell("D9").type, "NoneType") << "the TTN column is empty";
  EXPECT_EQ(read.Cell("D9").top, "thin") << "but bordered";
  EXPECT_EQ(read.Cell("F9").type, "NoneType");
  EXPECT_EQ(read.Cell("B10").type, "missing");
  EXPECT_EQ(read.rows.at(2).size, "32.0");
  EXPECT_EQ(read.rows.at(4).size, "32.0");
  EXPECT_EQ(read.rows.at(6).size, "48.0");
  EXPECT_EQ(read.rows.at(7).size, "16.0");
  EXPECT_EQ(read.rows.at(9).size, "16.0");
  EXPECT_EQ(read.columns.at("I").size, "18.7109375");
  EXPECT_EQ(read.columns.at("E").size, "6.7109375");
  EXPECT_EQ(read.columns.count("A"), 0u) << "column A keeps its default width";
}

TEST_F(FullReportTest, WithoutSamplesOnlyTheHeaderIsWritten) {
  WorkbookOutput output;
  ReportData data = Data("");
  ProgressLog progress;
  FullReport(data).Build(nullptr, &progress);
  EXPECT_EQ(progress.calls, (std::vector<std::string>{"Begin(100)", "SetPosition(0.000000)", "End"}));
  ReadBack read = ReadXlsx(LastWrittenWorkbookSystemPath());
  ASSERT_TRUE(read.ok) << read.output;
  EXPECT_EQ(read.Cell("B6").value, "'Номер\\nп/п'");
  EXPECT_EQ(read.Cell("B7").type, "missing");
}

TEST_F(FullReportTest, WithoutAProgressHandlerTheReportIsWrittenAllTheSame) {
  WorkbookOutput output;
  FullReport(Data("0012,P1,t,,b,TCS,Negative,0.1\n")).Build(nullptr, nullptr);
  ReadBack read = ReadXlsx(LastWrittenWorkbookSystemPath());
  ASSERT_TRUE(read.ok) << read.output;
  EXPECT_EQ(read.Cell("B7").value, "'0012'");
}

TEST_F(FullReportTest, ExcelMissingShowsOneMessageBoxAndNothingElse) {
  RecordingExcel excel;
  RegisterProgId("Excel.Application", {});
  ClearRecordedMessageBoxes();
  ProgressLog progress;
  FullReport(Data("0012,P1,t,,b,TCS,Negative,0.1\n")).Build(nullptr, &progress);
  EXPECT_TRUE(progress.calls.empty());
  ASSERT_EQ(RecordedMessageBoxes().size(), 1u);
  EXPECT_EQ(RecordedMessageBoxes()[0].text, "Can't create excel document!");
  EXPECT_EQ(RecordedMessageBoxes()[0].caption, "Error!");
  EXPECT_EQ(RecordedMessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  ClearRecordedMessageBoxes();
}

TEST_F(FullReportTest, AFailingShowStillEndsTheProgressAndReachesTheCaller) {
  RecordingExcel excel;
  excel.Log().refuse = "set app.Visible = true";
  ProgressLog progress;
  EXPECT_ANY_THROW(FullReport(Data("0012,P1,t,,b,TCS,Negative,0.1\n")).Build(nullptr, &progress));
  ASSERT_FALSE(progress.calls.empty());
  EXPECT_EQ(progress.calls.back(), "End");
  EXPECT_EQ(excel.Log().alive, 0) << "every automation object is let go";
}

TEST_F(FullReportTest, TheCallsOfTheHeaderAndOfASampleRowInTheirOrder) {
  FullReport report(Data("0012,P1,2026.12.09 10:15:00,,b,TCS,Negative,0.1\n"));
  RecordingSheet sheet;
  EXPECT_EQ(report.WriteHeader(&sheet), 5);
  const CallLog& calls = sheet.Calls();
  ASSERT_GE(calls.size(), 14u);
  EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 14),
            (std::vector<std::string>{"SetRowHeight(1,32)", "GetCell(1,2)", "SetValue(Лаборатория\n)", "SetBold(1)",
                                      "SetWrap(0)", "SetTextFormat", "SetRowHeight(3,32)", "GetCell(3,1)",
                                      "SetValue(" + AnsiToUtf8(ReportText(txtReportTitle)) + ")", "SetBold(1)",
                                      "SetFontSize(9)", "SetWrap(0)", "SetTextFormat", "GetCell(4,1)"}));
  // Each head cell: text format, value, bold, borders, then its column's width.
  auto head = std::find(calls.begin(), calls.end(), "GetCell(5,1)");
  ASSERT_NE(head, calls.end());
  EXPECT_EQ(std::vector<std::string>(head, head + 6),
            (std::vector<std::string>{"GetCell(5,1)", "SetTextFormat", "SetValue(Номер\nп/п)", "SetBold(1)",
                                      "SetBorders(1,1,1,1,1)", "SetColumnWidth(1,7)"}));
  EXPECT_EQ(calls.back(), "SetColumnWidth(9,11)");

  sheet.Clear();
  RecordingProgress progress;
  report.WriteRows(&sheet, &progress);
  auto row = std::find(calls.begin(), calls.end(), "SetRowHeight(6,16)");
  ASSERT_NE(row, calls.end());
  EXPECT_EQ(std::vector<std::string>(row, row + 5),
            (std::vector<std::string>{"SetRowHeight(6,16)", "GetCell(6,1)", "SetTextFormat", "SetValue(0012)",
                                      "SetBorders(1,1,1,1,1)"}));
  EXPECT_EQ(sheet.ValueAt(6, 4), "Negative") << "found through the alias of TCS";
  EXPECT_EQ(sheet.ValueAt(6, 3), "");
  EXPECT_EQ(sheet.MaxLiveCells(), 1) << "each cell object is freed at the end of its statement";
}
