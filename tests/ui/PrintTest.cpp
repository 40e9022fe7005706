#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <filesystem>

#include "UiTest.h"
#include "excel/RecordingAutomation.h"
#include "platform/automation/ProgIds.h"

namespace {

// Prints go to a recording "Excel.Application".
class PrintTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    WriteConfig();
  }

  TfrmDataForm* OpenThree() {
    StartMainWindow();
    return Open(WriteThreeSamples());
  }

  // The texts written into cells since the last call, in order.
  std::vector<std::string> Written() {
    std::vector<std::string> values;
    const std::string mark = ".Value = \"";
    visible = false;
    for (const std::string& call : excel.Take()) {
      if (call == "set app.Visible = true") visible = true;
      auto at = call.find(mark);
      if (at != std::string::npos) values.push_back(call.substr(at + mark.size(), call.size() - at - mark.size() - 1));
    }
    return values;
  }
  // Whether the calls that Written took made the workbook visible.
  bool MadeVisible() const { return visible; }

  RecordingExcel excel;
  bool visible = false;
};

}  // namespace

TEST_F(PrintTest, PrintControlsFollowTheNumberOfTemplates) {
  struct Case {
    int templates;
    const char* printCaption;
    bool printEnabled, chooserEnabled;
  };
  const Case cases[] = {{0, "Print choosen", false, false}, {1, "Первый", true, false}, {2, "Первый", true, true}};
  const char* titles[] = {"Первый", "Второй"};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.templates);
    std::filesystem::remove_all(dir.Path("templates"));
    for (int i = 0; i < c.templates; ++i)
      WriteTemplate(std::to_string(i) + ".txt", titles[i], "wc|x:0|y:0|value:from " + std::string(titles[i]) + "\n");
    TfrmDataForm* w = OpenThree();
    EXPECT_EQ(w->ctrPrint->Caption(), Cp(c.printCaption));
    EXPECT_EQ(w->ctrPrint->Enabled(), c.printEnabled);
    EXPECT_EQ(w->ctrDown->Enabled(), c.chooserEnabled);
    EXPECT_EQ(w->ctrTemplates->Enabled(), c.chooserEnabled);
    ASSERT_EQ(w->ctrTemplates->Items->Count(), c.templates);
    for (int i = 0; i < c.templates; ++i) EXPECT_EQ(w->ctrTemplates->Items->Strings(i), Cp(titles[i]));
    EXPECT_EQ(w->ctrTemplates->ItemIndex(), -1);

    // The print button and File > Print print with the first template; without one, nothing.
    for (auto print : {std::function<void()>([&] { Click(w->ctrPrint); }), std::function<void()>([&] {
                         main->mnPrintAll->trigger();
                       })}) {
      print();
      EXPECT_EQ(Written(), c.templates == 0 ? std::vector<std::string>{} : std::vector<std::string>{"from Первый"});
    }
    EXPECT_EQ(excel.Log().created, c.templates == 0 ? 0 : 2);
    excel.Log().created = 0;

    if (c.templates == 2) {
      // "v" opens the list; choosing an entry prints with it at once, also the first one.
      Click(w->ctrDown);
      EXPECT_TRUE(w->ctrTemplates->DroppedDown());
      Choose(w->ctrTemplates, 1);
      EXPECT_EQ(Written(), (std::vector<std::string>{"from Второй"}));
      EXPECT_EQ(w->ctrPrint->Caption(), Cp("Первый"));
      Click(w->ctrDown);
      Choose(w->ctrTemplates, 1);
      EXPECT_EQ(Written(), (std::vector<std::string>{"from Второй"}));
      Click(w->ctrDown);
      Choose(w->ctrTemplates, 0);
      EXPECT_EQ(Written(), (std::vector<std::string>{"from Первый"}));
    }
    Application->DestroyComponents();
    FinishEvents();
  }
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
}

TEST_F(PrintTest, TheSelectedRowsAndTheNumberingReachTheReportWithTheGaugeAdvanced) {
  WriteTemplate("1.txt", "Выбранные", "wt|x:0|y:0|records:sel|value:Номер:{id}:9:9:10|value:Время:{datetime}:9:9:10\n");
  WriteTemplate("2.txt", "Все", "wt|x:0|y:0|records:all|value:Номер:{id}:9:9:10\n");
  TfrmDataForm* w = OpenThree();
  ClickRow(w->ctrGrid, 2);
  ClickRow(w->ctrGrid, 3, Qt::ShiftModifier);
  Click(w->ctrPrint);
  EXPECT_EQ(Written(), (std::vector<std::string>{"Номер", "Время", "112", "2026.12.09 06:00:00", "120",
                                                 "2026.12.09 07:00:00"}));
  EXPECT_TRUE(MadeVisible());
  // Begun with the template's row count, a step per written row, full once the workbook is
  // complete, and hidden at the end.
  EXPECT_EQ(w->ctrProgress->MaxValue(), 3);
  EXPECT_EQ(w->ctrProgress->Progress(), 3);
  EXPECT_FALSE(w->ctrProgress->isVisible());

  Click(w->ctrDown);
  Choose(w->ctrTemplates, 1);
  EXPECT_EQ(Written(), (std::vector<std::string>{"Номер", "21", "112", "120"}));
  Click(w->ctrNCheck);
  ASSERT_TRUE(w->ctrNCheck->Checked());
  Click(w->ctrDown);
  Choose(w->ctrTemplates, 1);
  EXPECT_EQ(Written(), (std::vector<std::string>{"Номер", "1", "2", "3"}));
}

// The selection of a report is the samples of the selected rows, found by their keys: also
// when ids repeat and column 0 shows another field.
TEST_F(PrintTest, ASelectionPrintsExactlyTheSamplesOfTheSelectedRows) {
  WriteSettings("{provider},Поставщик,100;{num},Номер,60;{datetime},Время,120");
  WriteTemplate("1.txt", "Выбранные", "wt|x:0|y:0|records:sel|value:Номер:{id}:9:9:10|value:Время:{datetime}:9:9:10\n");
  StartMainWindow();
  TfrmDataForm* w = Open(WriteResults("repeat.csv", {
                                                        "7,P01,2026.12.09 08:00:00,,1,TCS,Негатив,0.1",
                                                        "8,P01,2026.12.09 09:00:00,,1,TCS,Негатив,0.1",
                                                        "7,P02,2026.12.09 10:00:00,,1,TCS,Негатив,0.1",
                                                    }));
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Column(w->ctrGrid, 1), (std::vector<AnsiString>{"7", "8", "7"}));
  ClickRow(w->ctrGrid, 2);
  ClickRow(w->ctrGrid, 3, Qt::ShiftModifier);
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 09:00:00", "8"), RecordKey("2026.12.09 10:00:00", "7")}));
  Click(w->ctrPrint);
  EXPECT_EQ(Written(),
            (std::vector<std::string>{"Номер", "Время", "8", "2026.12.09 09:00:00", "7", "2026.12.09 10:00:00"}));

  // The blank row designates no sample: a report of it has no data rows.
  w->ctrFilterText->SetText("none");
  Click(w->ctrFilter);
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{""}));
  Click(w->ctrPrint);
  EXPECT_EQ(Written(), (std::vector<std::string>{"Номер", "Время"}));
}

TEST_F(PrintTest, FilePrintUsesTheWindowOfTheSelectedTab) {
  WriteTemplate("1.txt", "Выбранные", "wt|x:0|y:0|records:all|value:Номер:{id}:9:9:10\n");
  StartMainWindow();
  // With no window File > Print is disabled; run anyway, it does nothing.
  main->mnPrintAllClick(nullptr);
  EXPECT_EQ(excel.Log().created, 0);

  Open(WriteResults("a.csv", {"1,P01,2026.12.09 08:00:00,,1,TCS,Негатив,0.1"}));
  Open(WriteResults("b.csv", {"2,P01,2026.12.09 08:00:00,,1,TCS,Негатив,0.1"}));
  ClickTab(main->ctrTabs, 0);
  QTest::keyClick(main, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(Written(), (std::vector<std::string>{"Номер", "1"}));
  main->mnPrintAll->trigger();
  EXPECT_EQ(Written(), (std::vector<std::string>{"Номер", "1"}));
  ClickTab(main->ctrTabs, 1);
  main->mnPrintAll->trigger();
  EXPECT_EQ(Written(), (std::vector<std::string>{"Номер", "2"}));
}

TEST_F(PrintTest, ASpreadsheetThatCannotStartPrintsNothingAndShowsNothing) {
  WriteTemplate("1.txt", "Выбранные", "wc|x:0|y:0|value:x\n");
  TfrmDataForm* w = OpenThree();
  excel.Log().refuse = "call app.WorkBooks.add";
  Click(w->ctrPrint);
  EXPECT_EQ(Written(), std::vector<std::string>{});
  EXPECT_FALSE(MadeVisible());
  EXPECT_EQ(w->ctrProgress->MaxValue(), 100);  // never begun
  EXPECT_FALSE(w->ctrProgress->isVisible());

  // No spreadsheet program at all.
  RegisterProgId("Excel.Application", {});
  Click(w->ctrPrint);
  main->mnPrintAll->trigger();
  EXPECT_EQ(w->ctrProgress->MaxValue(), 100);
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
  // The full report, behind the hidden button, says so itself.
  w->ctrPrintAll->click();
  EXPECT_EQ(AnsweredTexts(), (std::vector<AnsiString>{"Can't create excel document!"}));
  EXPECT_EQ(AnsweredMessageBoxes()[0].caption, "Error!");
  EXPECT_FALSE(w->ctrProgress->isVisible());
}

TEST_F(PrintTest, TheHiddenPrintAllButtonBuildsTheFullReport) {
  TfrmDataForm* w = OpenThree();
  w->ctrPrintAll->click();
  std::vector<std::string> written = Written();
  EXPECT_TRUE(MadeVisible());
  EXPECT_NE(std::find(written.begin(), written.end(), "112"), written.end());
  EXPECT_FALSE(w->ctrProgress->isVisible());
}

// The template list lies under the split button and is seen only when "v" opens it: no key
// reaches it before, and a report starts from the print button or a choice in the open list.
TEST_F(PrintTest, TheHiddenTemplateListPrintsOnlyFromItsOpenedList) {
  WriteTemplate("1.txt", "Первый", "wc|x:0|y:0|value:from Первый\n");
  WriteTemplate("2.txt", "Второй", "wc|x:0|y:0|value:from Второй\n");
  TfrmDataForm* w = OpenThree();
  Activate(main);
  EXPECT_FALSE(w->ctrTemplates->TabStop());
  w->ctrPrint->setFocus();
  Press(Qt::Key_Tab);
  ASSERT_EQ(Focus(), w->ctrDown);
  for (Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_End, Qt::Key_Home, Qt::Key_Tab}) Press(key);
  Type("1");
  EXPECT_EQ(Written(), std::vector<std::string>{});
  EXPECT_EQ(excel.Log().created, 0);
  EXPECT_EQ(w->ctrTemplates->ItemIndex(), -1);

  // Enter on the print button prints with the first template.
  w->ctrPrint->setFocus();
  Press(Qt::Key_Return);
  EXPECT_EQ(Written(), (std::vector<std::string>{"from Первый"}));
  // Space on "v" opens the list; a choice there prints with the chosen template.
  Press(Qt::Key_Tab);
  Press(Qt::Key_Space);
  ASSERT_TRUE(w->ctrTemplates->DroppedDown());
  EXPECT_EQ(Written(), std::vector<std::string>{});
  Press(Qt::Key_Down);
  Press(Qt::Key_Down);
  Press(Qt::Key_Return);
  EXPECT_FALSE(w->ctrTemplates->DroppedDown());
  EXPECT_EQ(Written(), (std::vector<std::string>{"from Второй"}));
  // Escape closes the list without a report.
  Click(w->ctrDown);
  Press(Qt::Key_Escape);
  EXPECT_FALSE(w->ctrTemplates->DroppedDown());
  EXPECT_EQ(Written(), std::vector<std::string>{});
}

// Opening a file and printing show the busy cursor while they work, and the usual one after,
// also when they fail.
TEST_F(PrintTest, LoadingAndPrintingShowTheBusyCursor) {
  WriteTemplate("1.txt", "Выбранные", "wc|x:0|y:0|value:x\n");
  StartMainWindow();
  auto cursor = [] { return QApplication::overrideCursor() != nullptr ? QApplication::overrideCursor()->shape() : -1; };
  int whileOpening = -2, whilePrinting = -2;
  QObject::connect(main->MdiArea(), &QMdiArea::subWindowActivated, [&] { whileOpening = cursor(); });
  TfrmDataForm* w = Open(WriteThreeSamples());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(whileOpening, Qt::WaitCursor);
  EXPECT_EQ(cursor(), -1);
  excel.Log().seen = [&](const std::string& call) {
    if (call == "set app.Visible = true") whilePrinting = cursor();
  };
  Click(w->ctrPrint);
  EXPECT_EQ(whilePrinting, Qt::WaitCursor);
  EXPECT_EQ(cursor(), -1);

  // A file that does not load, and a print that fails in the sheet.
  Open(dir.Path("missing.csv"));
  EXPECT_EQ(cursor(), -1);
  excel.Log().refuse = "set app.Visible = true";
  Click(w->ctrPrint);
  EXPECT_EQ(AnsweredMessageBoxes().size(), 1u);
  EXPECT_EQ(cursor(), -1);
  EXPECT_FALSE(w->ctrProgress->isVisible());
}
