#pragma once

#include <string>
#include <vector>

#include "FormsTest.h"
#include "WorkbookOutput.h"
#include "logger/Logger.h"
#include "platform/System.h"
#include "ui/DataForm.h"
#include "ui/MDIMainForm.h"

// A GUI test with a program folder of its own (settings, templates, results files and the
// log lie there), no command-line arguments, and workbooks that go into a folder of the
// test's and are handed to an opener that does nothing.
class UiTest : public FormsTest {
 protected:
  // The program folder's name begins with the prefix (UTF-8).
  explicit UiTest(const std::string& folderPrefix = "kelvarn-test-") : dir(folderPrefix) {
    // The workbook folder is a temporary folder too, and the last one made names the program.
    SetModuleFileNameForTesting(dir.Path("kelvarn"));
    Logger::ResetForTesting();
    SetCommandLineForTesting({dir.Path("kelvarn")});
  }
  ~UiTest() override {
    Logger::ResetForTesting();
    SetCommandLineForTesting({});
  }
  void TearDown() override;

  // settings.txt (UTF-8) with six grid columns and the usual field map, dictionary.txt and
  // name.txt (1251).
  void WriteConfig() const;
  // settings.txt with the given fourth line and the usual others.
  void WriteSettings(const std::string& gridColumnsUtf8) const;
  // A template file: its header "code,title" and its command lines, all UTF-8, written in 1251.
  void WriteTemplate(const std::string& fileName, const std::string& title, const std::string& commands) const;
  // Results lines (UTF-8, as the settings decode them) under a header line; returns the path.
  std::string WriteResults(const std::string& name, const std::vector<std::string>& lines) const;
  // Three samples keyed by time: 21 at 05:00, 112 at 06:00 and 120 at 07:00.
  std::string WriteThreeSamples(const std::string& name = "day.csv") const;

  // The main window as start-up makes it, shown.
  TfrmMDIMainForm* StartMainWindow();
  // File > Open with the open dialog answering the path (UTF-8, as the system names it); the
  // data window now active.
  TfrmDataForm* Open(const std::string& path);
  TfrmDataForm* Active() const;

  // What the user does.
  static void ClickTab(TTabControl* tabs, int index);
  static void ClickRow(TStringGrid* grid, int row, Qt::KeyboardModifiers modifiers = {});
  static void Click(QWidget* button);
  static void Choose(TComboBox* combo, int index);

  // The grid's cells in column col from row 1 to the last row.
  static std::vector<AnsiString> Column(const TStringGrid* grid, int col);
  std::vector<std::string> LogLines() const;
  AnsiString Status(int panel) const { return main->ctrStatus->Panels->Items(panel)->Text(); }

  TempProgramDir dir;
  WorkbookOutput output;
  TfrmMDIMainForm* main = nullptr;
};
