#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "ReadBack.h"
#include "UiTest.h"
#include "platform/CodePages.h"
#include "platform/automation/AutomationObject.h"
#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "support/ChildProcess.h"

namespace fs = std::filesystem;

namespace {

// The shipped program folder: config/ as the build lays it out, and the shipped samples.
class EndToEndTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    const fs::path source = KELVARN_SOURCE_DIR;
    dir.LayOutShippedConfig();
    fs::copy(source / "samples", dir.Path("samples"), fs::copy_options::recursive);
  }

  static std::string Quoted(const AnsiString& text) { return "'" + AnsiToUtf8(text) + "'"; }

  // The program as a launcher starts it with a signal's disposition of its choice: start-up
  // runs with it, then the shipped sample opens.
  TfrmDataForm* StartLaunchedWith(int signalNumber, sighandler_t disposition) {
    signal(signalNumber, disposition);
    Application->Initialize();
    StartMainWindow();
    return Open(dir.Path("samples/incoming-2026-12-09.csv"));
  }
};

}  // namespace

TEST_F(EndToEndTest, TheSelectedSamplesOfAShippedFilePrintWithTheSelectionTemplate) {
  StartMainWindow();
  ASSERT_EQ(main->Templates().size(), 3u);
  TfrmDataForm* w = Open(dir.Path("samples/incoming-2026-12-09.csv"));
  ASSERT_NE(w, nullptr);
  TStringGrid* grid = w->ctrGrid;
  ASSERT_EQ(grid->RowCount(), 41);
  EXPECT_EQ(w->ctrPrint->Caption(), Cp("Журнал входного контроля"));
  ASSERT_EQ(w->ctrTemplates->Items->Strings(1), Cp("Протокол испытаний выбранных проб"));

  ClickRow(grid, 3);
  ClickRow(grid, 5, Qt::ShiftModifier);
  const std::vector<AnsiString> ids = Column(grid, 0), times = Column(grid, 9);
  Click(w->ctrDown);
  Choose(w->ctrTemplates, 1);
  EXPECT_TRUE(AnsweredMessageBoxes().empty()) << AnsweredTexts().front();
  EXPECT_FALSE(w->ctrProgress->isVisible());

  const std::string written = LastWrittenWorkbookSystemPath();
  EXPECT_EQ(fs::path(written).parent_path().string() + "/", output.Folder());
  EXPECT_EQ(fs::path(written).extension(), ".xlsx");
  ReadBack book = ReadXlsx(written);
  ASSERT_TRUE(book.ok) << book.output;
  EXPECT_EQ(book.Cell("A1").value, "'Лаборатория входного контроля молока\\n'");
  EXPECT_EQ(book.Cell("B5").value, "'Номер\\nпробы'");
  // Rows 6 to 8: grid rows 3 to 5, in their order, and nothing after them.
  for (int i = 0; i < 3; ++i) {
    const std::string row = std::to_string(6 + i);
    EXPECT_EQ(book.Cell("B" + row).value, Quoted(ids[static_cast<size_t>(2 + i)])) << row;
    EXPECT_EQ(book.Cell("D" + row).value, Quoted(times[static_cast<size_t>(2 + i)])) << row;
  }
  EXPECT_NE(book.Cell("B9").type, "str");
  EXPECT_NE(book.Cell("D9").type, "str");
}

TEST_F(EndToEndTest, AWorkbookThatCannotBeWrittenReachesTheExceptionBoxAndTheGaugeGoes) {
  StartMainWindow();
  TfrmDataForm* w = Open(dir.Path("samples/incoming-2026-12-09.csv"));
  ASSERT_NE(w, nullptr);
  dir.Write("plain-file", "x");
  SetWorkbookFolderForTesting(dir.Path("plain-file/books"));
  Click(w->ctrPrint);
  SetWorkbookFolderForTesting(output.Folder());
  ASSERT_EQ(AnsweredMessageBoxes().size(), 1u);
  EXPECT_NE(AnsweredTexts()[0].find(dir.Path("plain-file/books/Book")), AnsiString::npos) << AnsweredTexts()[0];
  EXPECT_EQ(AnsweredMessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_FALSE(w->ctrProgress->Visible());
  EXPECT_FALSE(w->ctrProgress->isVisible());

  // The program goes on: the next print is written.
  ClearDialogSeams();
  Click(w->ctrPrint);
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
  EXPECT_TRUE(fs::exists(LastWrittenWorkbookSystemPath()));
}

// A report that no program opens is told to the user with its full path, the opener and its
// status, once the opener's end is known and while the program goes on; an opener that ends
// with 0, or is still running, is success and shows nothing.
TEST_F(EndToEndTest, TheUserIsToldWhenNoProgramOpensTheWorkbook) {
  StartMainWindow();
  TfrmDataForm* w = Open(dir.Path("samples/incoming-2026-12-09.csv"));
  ASSERT_NE(w, nullptr);
  auto script = [&](const std::string& name, const std::string& body) {
    dir.Write(name, "#!/bin/sh\n" + body);
    fs::permissions(dir.Path(name), fs::perms::owner_all);
    return dir.Path(name);
  };
  struct Case {
    std::string opener;
    const char* status;  // in the message; null when none comes
    unsigned type;
    bool running;  // still running when the print is done
  };
  const Case cases[] = {
      {script("exits-3.sh", "exit 3\n"), "завершилась с кодом 3", MB_OK | MB_ICONWARNING, false},
      {"kelvarn-no-such-opener", "не запускается (нет такого файла или папки)", MB_OK | MB_ICONERROR, false},
      {script("exits-0.sh", "exit 0\n"), nullptr, 0, false},
      {script("sleeps.sh", "sleep 1\nexit 0\n"), nullptr, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.opener);
    ClearDialogSeams();
    setenv("KELVARN_OPENER", c.opener.c_str(), 1);
    Click(w->ctrPrint);
    const std::string written = LastWrittenWorkbookSystemPath();
    EXPECT_FALSE(w->ctrProgress->isVisible());
    if (c.running) {
      EXPECT_EQ(RunningOpeners(), 1);
      FinishEvents();
      EXPECT_TRUE(AnsweredMessageBoxes().empty());
    }
    for (QElapsedTimer waited; RunningOpeners() > 0 && waited.elapsed() < 5000;) QTest::qWait(20);
    FinishEvents();
    if (c.status == nullptr) {
      EXPECT_TRUE(AnsweredMessageBoxes().empty()) << AnsiToUtf8(AnsweredTexts().front());
      continue;
    }
    ASSERT_EQ(AnsweredMessageBoxes().size(), 1u);
    const MessageBoxCall& box = AnsweredMessageBoxes()[0];
    for (const std::string& part : {std::string("Отчёт записан в файл"), written, c.opener, std::string(c.status)})
      EXPECT_NE(box.text.find(Utf8ToAnsi(part)), AnsiString::npos) << part << "\n" << AnsiToUtf8(box.text);
    EXPECT_EQ(box.caption, "kelvarn");
    EXPECT_EQ(box.type, c.type);
    EXPECT_TRUE(fs::is_regular_file(written));
  }
  setenv("KELVARN_OPENER", "/bin/true", 1);
}

// A launcher may start the program with SIGCHLD ignored, and the status of every program it
// starts would then be lost: start-up takes the default back, so a failing opener is told.
TEST_F(EndToEndTest, AnOpenerThatFailsIsToldAlsoWhenTheProgramWasStartedWithSIGCHLDIgnored) {
  TfrmDataForm* w = StartLaunchedWith(SIGCHLD, SIG_IGN);
  ASSERT_NE(w, nullptr);
  dir.Write("exits-3.sh", "#!/bin/sh\nexit 3\n");
  fs::permissions(dir.Path("exits-3.sh"), fs::perms::owner_all);
  setenv("KELVARN_OPENER", dir.Path("exits-3.sh").c_str(), 1);
  Click(w->ctrPrint);
  for (QElapsedTimer waited; RunningOpeners() > 0 && waited.elapsed() < 5000;) QTest::qWait(20);
  FinishEvents();
  setenv("KELVARN_OPENER", "/bin/true", 1);
  ASSERT_EQ(AnsweredMessageBoxes().size(), 1u);
  const std::string text = AnsiToUtf8(AnsweredTexts()[0]);
  EXPECT_NE(text.find("завершилась с кодом 3"), std::string::npos) << text;
  EXPECT_NE(text.find(LastWrittenWorkbookSystemPath()), std::string::npos) << text;
}

// Under a file-size limit, with SIGXFSZ as a launcher leaves it (it ends a process at its first
// write past the limit): the print fails with the box that names the file and the cause, and
// the program goes on with its windows.
TEST_F(EndToEndTest, UnderAFileSizeLimitThePrintFailsAndTheProgramGoesOn) {
  TfrmDataForm* w = StartLaunchedWith(SIGXFSZ, SIG_DFL);
  ASSERT_NE(w, nullptr);
  {
    const FileSizeLimit limit(4096);
    Click(w->ctrPrint);
  }
  ASSERT_EQ(AnsweredMessageBoxes().size(), 1u);
  const std::string text = AnsiToUtf8(AnsweredTexts()[0]);
  for (const char* part : {"Не удалось записать отчёт в файл", "файл больше допустимого размера"})
    EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
  EXPECT_NE(text.find(output.Folder() + "Book"), std::string::npos) << text;
  EXPECT_EQ(AnsweredMessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_FALSE(w->ctrProgress->isVisible());

  ClearDialogSeams();
  Click(w->ctrPrint);
  EXPECT_TRUE(AnsweredMessageBoxes().empty()) << AnsiToUtf8(AnsweredTexts().front());
  EXPECT_TRUE(ReadXlsx(LastWrittenWorkbookSystemPath()).ok);
}

// The window that the tab bar, status panel 1 and File > Print name is the one on screen: a
// minimised data window comes back maximised, as it was, when its tab is chosen or its file is
// opened again, and Ctrl+P prints its file.
TEST_F(EndToEndTest, AMinimisedWindowComesBackWhenItsTabIsChosenOrItsFileIsOpenedAgain) {
  StartMainWindow();
  const std::string first = WriteResults("first.csv", {"0101,P01,2026.12.09 06:00:00,,20261208-01,TCS,Негатив,0.1"});
  const std::string second = WriteResults("second.csv", {"0202,P01,2026.12.09 06:00:00,,20261208-01,TCS,Негатив,0.1"});
  TfrmDataForm* a = Open(first);
  TfrmDataForm* b = Open(second);
  ASSERT_EQ(main->DataForms().size(), 2u);
  auto frame = [](TfrmDataForm* w) { return static_cast<QMdiSubWindow*>(w->parentWidget()); };
  struct Case {
    const char* what;
    std::function<void()> choose;
  };
  const Case cases[] = {
      {"its tab", [&] { ClickTab(main->ctrTabs, 0); }},
      {"its file opened again", [&] { Open(first); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClickTab(main->ctrTabs, 0);
    frame(a)->showMinimized();  // its minimise button
    ClickTab(main->ctrTabs, 1);
    ASSERT_EQ(Active(), b);
    c.choose();
    EXPECT_TRUE(frame(a)->isVisible());
    EXPECT_FALSE(frame(a)->isMinimized());
    EXPECT_TRUE(frame(a)->isMaximized());
    EXPECT_EQ(Active(), a);
    EXPECT_EQ(main->ctrTabs->TabIndex(), 0);
    EXPECT_EQ(Status(1), FromSystemPath(first));
    QTest::keyClick(main, Qt::Key_P, Qt::ControlModifier);
    ReadBack book = ReadXlsx(LastWrittenWorkbookSystemPath());
    ASSERT_TRUE(book.ok) << book.output;
    EXPECT_EQ(book.Cell("A6").value, "'0101'");
    EXPECT_NE(book.Cell("A7").type, "str");
  }
  EXPECT_EQ(main->DataForms().size(), 2u);
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
}

namespace {

// The spreadsheet server, its application watched: while its Visible is being set, the
// workbook is written.
class WatchedSpreadsheet {
 public:
  WatchedSpreadsheet()
      : server_(RegisterProgId(kSpreadsheetProgId,
                               [this] { return std::make_shared<Application>(server_(), writing_); })) {}
  ~WatchedSpreadsheet() { RegisterProgId(kSpreadsheetProgId, server_); }
  WatchedSpreadsheet(const WatchedSpreadsheet&) = delete;
  WatchedSpreadsheet& operator=(const WatchedSpreadsheet&) = delete;

  bool Writing() const { return writing_; }

 private:
  class Application : public AutomationObject {
   public:
    Application(std::shared_ptr<AutomationObject> app, bool& writing) : app_(std::move(app)), writing_(writing) {}
    Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override {
      return app_->GetProperty(name, arguments);
    }
    void SetProperty(std::string_view name, const Variant& value) override {
      writing_ = name == "Visible";
      struct Done {
        bool& writing;
        ~Done() { writing = false; }
      } done{writing_};
      app_->SetProperty(name, value);
    }
    void CallMethod(std::string_view name) override { app_->CallMethod(name); }

   private:
    std::shared_ptr<AutomationObject> app_;
    bool& writing_;
  };

  AutomationFactory server_;
  bool writing_ = false;
};

// The percentages that a gauge shows, as it paints them: those before the workbook is
// written, while it is, and after.
class PaintedPercents : public QObject {
 public:
  PaintedPercents(TCGauge* gauge, const WatchedSpreadsheet& spreadsheet) : gauge_(gauge), spreadsheet_(spreadsheet) {
    gauge->installEventFilter(this);
  }
  std::vector<int> all, before, writing, after;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    const int percent = gauge_->PercentDone();
    all.push_back(percent);
    if (spreadsheet_.Writing())
      writing.push_back(percent);
    else
      (writing.empty() ? before : after).push_back(percent);
    return false;
  }

 private:
  TCGauge* gauge_;
  const WatchedSpreadsheet& spreadsheet_;
};

// The lines of a results file in the layout of the shipped sample: samples of seven elements,
// a second apart from 06:00 on.
std::vector<std::string> ManySamples(int samples) {
  static const char* const kElements[] = {"TCS", "CAP", "STREP", "B", "LIN", "TYL", "QNS"};
  std::vector<std::string> lines;
  char line[128];
  for (int i = 0; i < samples; ++i) {
    const int seconds = 6 * 3600 + i;
    for (const char* element : kElements) {
      std::snprintf(line, sizeof line, "%05d,P%02d,2026.12.09 %02d:%02d:%02d,,20261208-%02d,%s,Негатив,0.%02d", i,
                    1 + i % 5, seconds / 3600, seconds / 60 % 60, seconds % 60, 1 + i % 28, element, i % 100);
      lines.push_back(line);
    }
  }
  return lines;
}

}  // namespace

// During a print the gauge shows the whole of it: the report over its first part and the
// writing of the workbook over the rest. It never goes back, and it is full only once the
// workbook is. The file is large enough for its workbook to take a few tenths of a second, over
// which the writing is told several times.
TEST_F(EndToEndTest, TheGaugeKeepsItsLastStretchForTheWritingOfTheWorkbook) {
  StartMainWindow();
  TfrmDataForm* w = Open(WriteResults("large.csv", ManySamples(40000)));
  ASSERT_NE(w, nullptr);
  // A first print, whose pace of writing the next one learns: the pace of the far smaller
  // sheets that earlier prints of the run wrote would keep the estimate low.
  Click(w->ctrPrint);
  WatchedSpreadsheet spreadsheet;
  PaintedPercents painted(w->ctrProgress, spreadsheet);
  Click(w->ctrPrint);
  EXPECT_TRUE(std::is_sorted(painted.all.begin(), painted.all.end()));
  // The report's part, from empty.
  ASSERT_FALSE(painted.before.empty());
  EXPECT_EQ(painted.before.front(), 0);
  EXPECT_LE(painted.before.back(), 60);
  // The writing's, over the rest as it goes on, and full once the workbook is whole.
  const std::vector<int>& writing = painted.writing;
  ASSERT_GE(writing.size(), 2u);
  EXPECT_TRUE(std::any_of(writing.begin(), writing.end(), [](int percent) { return percent > 60 && percent < 100; }));
  EXPECT_LT(writing[writing.size() - 2], 100);
  EXPECT_EQ(writing.back(), 100);
  for (int percent : painted.after) EXPECT_EQ(percent, 100);
  EXPECT_FALSE(w->ctrProgress->isVisible());
  EXPECT_TRUE(fs::is_regular_file(LastWrittenWorkbookSystemPath()));
}
