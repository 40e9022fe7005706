// Starts the program as it starts itself, opens the two shipped samples through File > Open,
// and saves pictures of the main window and of the about box into the folder it is given.
#include <QDir>
#include <QPixmap>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "platform/System.h"
#include "platform/forms/Vcl.h"
#include "settings/Settings.h"
#include "ui/AboutForm.h"
#include "ui/DataForm.h"
#include "ui/MDIMainForm.h"
#include "ui/WinMain.h"

namespace {

bool Save(QWidget* window, const QString& path) {
  QTest::qWait(300);
  if (!window->grab().save(path)) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("%s\n", qPrintable(path));
  return true;
}

void OpenThroughTheMenu(const AnsiString& path) {
  SetNextOpenDialogFileName(path);
  frmMDIMainForm->mnOpen->trigger();
}

}  // namespace

int main(int argc, char** argv) {
  ApplicationHost host(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: kelvarn_screenshots FOLDER\n");
    return 2;
  }
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  // The program itself has no arguments here: the folder is not a code page.
  SetCommandLine(1, argv);
  bool saved = false;
  try {
    StartApplication();
    frmMDIMainForm->Show();
    if (!QTest::qWaitForWindowExposed(frmMDIMainForm)) throw Exception("the main window was never shown");

    const AnsiString samples = GetProgramDir() + "samples/";
    OpenThroughTheMenu(samples + "incoming-2026-12-09-cp1251.csv");
    OpenThroughTheMenu(samples + "incoming-2026-12-09.csv");
    if (frmMDIMainForm->DataForms().size() != 2) throw Exception("the samples did not open");
    TfrmDataForm* shown = frmMDIMainForm->DataForms().back();
    // Rows 3 to 5 selected as a user selects a block: a click, then a click with Shift.
    TStringGrid* grid = shown->ctrGrid;
    auto clickRow = [grid](int row, Qt::KeyboardModifiers modifiers) {
      const QRect cell = grid->visualRect(grid->model()->index(row - 1, 0));
      QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
    };
    clickRow(3, Qt::NoModifier);
    clickRow(5, Qt::ShiftModifier);
    saved = Save(frmMDIMainForm, folder + "/main-window.png");

    // The about box is modal: it is pictured and closed from within its own loop.
    std::function<void()> whenShown = [&] {
      if (!frmAboutForm->isVisible()) {
        QTimer::singleShot(20, whenShown);
        return;
      }
      saved = Save(frmAboutForm, folder + "/about-box.png") && saved;
      frmAboutForm->ctrClose->click();
    };
    QTimer::singleShot(0, whenShown);
    frmMDIMainForm->mnAbout->trigger();
    frmMDIMainForm->mnExit->trigger();
  } catch (...) {
    Application->HandleException(nullptr);
    return 1;
  }
  return saved ? 0 : 1;
}
