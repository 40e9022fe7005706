#include <QApplication>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QTimer>

#include "UiTest.h"
#include "platform/CodePages.h"
#include "ui/AboutForm.h"
#include "ui/MainForm.h"
#include "ui/WinMain.h"

namespace {

// A main window whose creation handler fails before it does anything.
class FailingMainForm : public TfrmMDIMainForm {
 public:
  explicit FailingMainForm(TComponent* Owner) : TfrmMDIMainForm(Owner) {
    OnCreate = [](TObject*) { throw Exception(Cp("Нет доступа к папке шаблонов")); };
  }
};

}  // namespace

TEST_F(UiTest, StartUpMakesTheThreeFormsInOrderAndRunsUntilFileExit) {
  WriteConfig();
  WriteTemplate("a.txt", "Журнал", "wc|x:0|y:0|value:x\n");
  struct Seen {
    bool mainShown = false, hiddenShown = true, aboutShown = true, isMainForm = false;
    AnsiString name;
    size_t templates = 0;
  } seen;
  QTimer::singleShot(0, [&] {
    seen.mainShown = frmMDIMainForm->isVisible();
    seen.isMainForm = Application->MainForm() == frmMDIMainForm;
    seen.hiddenShown = MainForm->isVisible() || MainForm->Visible();
    seen.aboutShown = frmAboutForm->isVisible() || frmAboutForm->Visible();
    seen.name = frmMDIMainForm->ctrStatus->Panels->Items(0)->Text();
    seen.templates = frmMDIMainForm->Templates().size();
    frmMDIMainForm->mnExit->trigger();
  });
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 1), 0);
  EXPECT_TRUE(seen.mainShown);
  EXPECT_TRUE(seen.isMainForm);
  EXPECT_FALSE(seen.hiddenShown);
  EXPECT_FALSE(seen.aboutShown);
  EXPECT_EQ(seen.name, Cp("Лаборатория входного контроля\n"));
  EXPECT_EQ(seen.templates, 1u);
  EXPECT_TRUE(AnsweredMessageBoxes().empty());

  std::vector<std::string> log = LogLines();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "[TRACE] start application");

  // The application frees its forms the last made first: the order of creation backwards.
  std::vector<std::string> freed;
  QObject::connect(frmMDIMainForm, &QObject::destroyed, [&] { freed.push_back("main window"); });
  QObject::connect(MainForm, &QObject::destroyed, [&] { freed.push_back("hidden form"); });
  QObject::connect(frmAboutForm, &QObject::destroyed, [&] { freed.push_back("about box"); });
  Application->DestroyComponents();
  EXPECT_EQ(freed, (std::vector<std::string>{"about box", "hidden form", "main window"}));
}

TEST_F(UiTest, TheMainWindowStartsWithItsLayoutAndTheNameInTheStatusBar) {
  WriteConfig();
  StartMainWindow();
  EXPECT_EQ(main->FormStyle(), fsMDIForm);
  EXPECT_EQ(main->Width(), 965);
  EXPECT_EQ(main->Height(), 571);
  EXPECT_FALSE(main->ctrTabs->Visible());
  EXPECT_FALSE(main->ctrTabs->isVisible());
  EXPECT_EQ(main->ctrTabs->Height(), 24);
  EXPECT_EQ(main->ctrStatus->Height(), 19);
  EXPECT_EQ(main->ctrStatus->Panels->Count(), 2);
  EXPECT_EQ(main->ctrStatus->Panels->Items(0)->Width(), 200);
  EXPECT_EQ(Status(0), Cp("Лаборатория входного контроля\n"));
  EXPECT_EQ(Status(1), "");
  EXPECT_EQ(main->ctrOpenFile->Filter(), "CSV|*.csv");
  EXPECT_FALSE(main->mnPrintAll->Enabled());

  // The menu: File (Open, separator, Print, separator, Exit) and Help (About).
  ASSERT_EQ(main->ctrMainMenu->Items->Count(), 2);
  EXPECT_EQ(main->ctrMainMenu->Items->Items(0), main->mnFile);
  EXPECT_EQ(main->ctrMainMenu->Items->Items(1), main->mnHelp);
  const std::vector<TMenuItem*> file = {main->mnOpen, main->N2, main->mnPrintAll, main->N1, main->mnExit};
  ASSERT_EQ(main->mnFile->Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(main->mnFile->Items(i), file[static_cast<size_t>(i)]);
  ASSERT_EQ(main->mnHelp->Count(), 1);
  EXPECT_EQ(main->mnHelp->Items(0), main->mnAbout);
  struct Item {
    TMenuItem* item;
    const char* caption;
    const char* shortcut;
  };
  const Item items[] = {
      {main->mnFile, "&Файл", ""},
      {main->mnOpen, "&Открыть документ...", "Ctrl+O"},
      {main->N2, "-", ""},
      {main->mnPrintAll, "&Печать...", "Ctrl+P"},
      {main->N1, "-", ""},
      {main->mnExit, "&Выход", "Ctrl+Q"},
      {main->mnHelp, "&Помощь", ""},
      {main->mnAbout, "&О программе...", "Ctrl+A"},
  };
  for (const Item& i : items) {
    EXPECT_EQ(i.item->Caption(), Cp(i.caption)) << i.caption;
    EXPECT_EQ(i.item->shortcut().toString(QKeySequence::PortableText), QString::fromUtf8(i.shortcut)) << i.caption;
  }
  EXPECT_TRUE(main->N1->isSeparator());
}

TEST_F(UiTest, LocalisationReplacesTheCaptionsItDefines) {
  WriteConfig();
  dir.Write("localization.txt", Cp("popup.main.caption=Входной контроль\n"
                                   "menu.file=&Документ\n"
                                   "menu.file.print=&Отчёт...\n"
                                   "menu.help.about=&Сведения\n"));
  StartMainWindow();
  struct Case {
    AnsiString shown;
    const char* expected;
  };
  const Case cases[] = {
      {main->Caption(), "Входной контроль\n"},
      {main->mnFile->Caption(), "&Документ\n"},
      {main->mnPrintAll->Caption(), "&Отчёт...\n"},
      {main->mnAbout->Caption(), "&Сведения\n"},
      // Keys the file lacks leave the layout's captions.
      {main->mnHelp->Caption(), "&Помощь"},
      {main->mnOpen->Caption(), "&Открыть документ..."},
      {main->mnExit->Caption(), "&Выход"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.shown, Cp(c.expected)) << c.expected;
  // Single-line texts show without the line feed their file line ends in.
  EXPECT_EQ(main->windowTitle(), QString::fromUtf8("Входной контроль"));
  EXPECT_EQ(main->mnPrintAll->text(), QString::fromUtf8("&Отчёт..."));
}

TEST_F(UiTest, TemplatesLoadInListingOrderSkippingFoldersAndFilesThatFail) {
  WriteConfig();
  WriteTemplate("b.txt", "Второй", "wc|x:0|y:0|value:b\n");
  WriteTemplate("A.TXT", "Первый", "wc|x:0|y:0|value:a\n");
  dir.Write("templates/0-nul.txt", std::string("\0,x\n", 4));  // a header without a field: refused
  dir.MakeDir("templates/folder.txt");
  dir.Write("templates/notes.md", "x,Not a template\n");
  StartMainWindow();
  ASSERT_EQ(main->Templates().size(), 2u);
  EXPECT_EQ(main->Templates()[0].title, Cp("Первый"));
  EXPECT_EQ(main->Templates()[1].title, Cp("Второй"));
}

TEST_F(UiTest, WithoutAnyConfigurationTheProgramStillStartsAndOpensFiles) {
  StartMainWindow();
  EXPECT_TRUE(main->Templates().empty());
  EXPECT_EQ(Status(0), "");
  TfrmDataForm* window = Open(WriteThreeSamples());
  ASSERT_NE(window, nullptr);
  // No field map: no samples, one blank row under the built-in columns.
  EXPECT_EQ(window->ctrGrid->ColCount(), 11);
  EXPECT_EQ(window->ctrGrid->RowCount(), 2);
  EXPECT_EQ(window->GetSelectedIds(), (std::vector<AnsiString>{""}));
  EXPECT_FALSE(window->ctrPrint->Enabled());
  main->mnPrintAll->trigger();
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
}

TEST_F(UiTest, AnExceptionFromTheCreationHandlerIsShownAndTheProgramGoesOn) {
  WriteConfig();
  FailingMainForm* failing = nullptr;
  Application->CreateForm(failing);
  main = failing;
  EXPECT_EQ(AnsweredTexts(), (std::vector<AnsiString>{Cp("Нет доступа к папке шаблонов.")}));
  ASSERT_EQ(AnsweredMessageBoxes().size(), 1u);
  EXPECT_EQ(AnsweredMessageBoxes()[0].caption, "kelvarn");
  EXPECT_EQ(AnsweredMessageBoxes()[0].type, MB_OK | MB_ICONERROR);
  EXPECT_EQ(Application->MainForm(), failing);

  // The loop runs, the window shows and its commands work.
  bool opened = false;
  QTimer::singleShot(0, [&] {
    opened = Open(WriteThreeSamples()) != nullptr;
    main->mnExit->trigger();
  });
  Application->Run();
  EXPECT_TRUE(opened);
  EXPECT_EQ(AnsweredMessageBoxes().size(), 1u);
}

TEST_F(UiTest, TheWindowsShowTheProgramsOwnIcon) {
  WriteConfig();
  StartMainWindow();
  const QImage drawn(":/MAINICON/kelvarn-32.png");
  ASSERT_FALSE(drawn.isNull());
  const QIcon logo = main->style()->standardIcon(QStyle::SP_TitleBarMenuButton);
  auto shows = [&](const QIcon& icon) {
    return icon.pixmap(32).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
           drawn.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  };
  EXPECT_TRUE(shows(QApplication::windowIcon()));
  EXPECT_TRUE(shows(main->windowIcon()));
  EXPECT_GE(main->windowIcon().availableSizes().size(), 5);
  // The maximised data window's system button, left of the menu bar, shows it too.
  TfrmDataForm* window = Open(WriteThreeSamples());
  ASSERT_NE(window, nullptr);
  auto* frame = static_cast<QMdiSubWindow*>(window->parentWidget());
  ASSERT_TRUE(frame->isMaximized());
  EXPECT_TRUE(shows(frame->windowIcon()));
  EXPECT_FALSE(shows(logo));
  QWidget* systemButton = main->menuBar()->cornerWidget(Qt::TopLeftCorner);
  ASSERT_NE(systemButton, nullptr);
  EXPECT_TRUE(shows(systemButton->windowIcon()));
}

// However small the user makes the main window, a maximised data window shows every control of
// its bottom panel whole, none over another, also the gauge with its "100%" during a print.
// The template list lies under the split button by design, and neighbouring buttons of the
// layout share the pixel column of their edges.
TEST_F(UiTest, AtItsMinimumSizeTheMainWindowShowsTheDataWindowsPanelWhole) {
  WriteConfig();
  WriteTemplate("1.txt", "Журнал входного контроля", "wc|x:0|y:0|value:x\n");
  StartMainWindow();
  TfrmDataForm* w = Open(WriteThreeSamples());
  ASSERT_NE(w, nullptr);
  main->SetBounds(main->Left(), main->Top(), 420, 40);
  FinishEvents();
  EXPECT_GT(main->minimumWidth(), 420);
  EXPECT_GT(main->minimumHeight(), 40);
  ASSERT_TRUE(static_cast<QMdiSubWindow*>(w->parentWidget())->isMaximized());
  w->Begin(100);
  w->SetPosition(1.0f);  // as at the end of a print

  auto name = [](QWidget* c) { return c->metaObject()->className() + std::string(" at ") + std::to_string(c->x()); };
  std::function<void(QWidget*)> check = [&](QWidget* parent) {
    std::vector<QWidget*> shown;
    for (QObject* child : parent->children())
      if (auto* c = qobject_cast<QWidget*>(child); c != nullptr && c->isVisible() && c != w->ctrTemplates)
        shown.push_back(c);
    for (size_t i = 0; i < shown.size(); ++i) {
      EXPECT_TRUE(parent->contentsRect().contains(shown[i]->geometry())) << name(shown[i]);
      EXPECT_FALSE(shown[i]->geometry().isEmpty()) << name(shown[i]);
      for (size_t j = i + 1; j < shown.size(); ++j) {
        const QRect overlap = shown[i]->geometry() & shown[j]->geometry();
        EXPECT_TRUE(overlap.isEmpty() || overlap.width() == 1) << name(shown[i]) << ", " << name(shown[j]);
      }
      if (dynamic_cast<TPanel*>(shown[i]) != nullptr) check(shown[i]);
    }
  };
  EXPECT_TRUE(w->ClientWidget()->rect().contains(w->ctrPanel->geometry()));
  // And on screen: within the MDI area, which the maximised window fills.
  QWidget* area = main->MdiArea()->viewport();
  EXPECT_TRUE(area->rect().contains(QRect(w->ctrPanel->mapTo(area, QPoint(0, 0)), w->ctrPanel->size())));
  check(w->ctrPanel);
  EXPECT_GE(w->ctrProgress->width(), w->ctrProgress->fontMetrics().horizontalAdvance("100%") + 4);
  EXPECT_GE(w->ctrGrid->height(), 3 * 20);
  w->End();
}

// The shipped laboratory name shows whole in status panel 0; a name longer than the panel ends
// in "…" and shows whole as the panel's tooltip. The path in panel 1, which takes the rest of
// the bar, is cut so again when the window gets narrower, and shows whole again when it widens.
TEST_F(UiTest, StatusPanelsShowTheirTextWholeOrCutWithItsTooltip) {
  auto panels = [&] { return main->ctrStatus->findChildren<QLabel*>(Qt::FindDirectChildrenOnly); };
  // Within the panel: whole, or cut with "…" and whole as the tooltip.
  auto expectShown = [](const QLabel* panel, const QString& text, bool cut) {
    EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->text()), panel->contentsRect().width());
    if (!cut) {
      EXPECT_EQ(panel->text(), text);
      EXPECT_EQ(panel->toolTip(), "");
    } else {
      EXPECT_TRUE(panel->text().endsWith(QChar(0x2026))) << panel->text().toStdString();
      EXPECT_TRUE(text.startsWith(panel->text().chopped(1)));
      EXPECT_EQ(panel->toolTip(), text);
    }
  };
  dir.LayOutShippedConfig();
  const QString shipped = QString::fromUtf8("Лаборатория входного контроля молока");
  const QString longer = shipped + QString::fromUtf8(" и молочных продуктов №2");
  for (const QString& name : {shipped, longer}) {
    SCOPED_TRACE(name.toStdString());
    if (name != shipped) dir.Write("name.txt", Utf8ToAnsi(name.toStdString()) + "\n");
    StartMainWindow();
    QLabel* panel = panels().front();
    EXPECT_EQ(main->ctrStatus->Panels->Items(0)->Width(), 200);
    EXPECT_EQ(panel->indent(), 0);  // not Qt's half an "x" of a framed label
    expectShown(panel, name, name != shipped);
    EXPECT_EQ(Status(0), Utf8ToAnsi(name.toStdString()) + "\n");
    Application->DestroyComponents();
    FinishEvents();
  }

  // A path that fits the panel of the window as it starts, not of the narrowest window.
  StartMainWindow();
  QLabel* panel = panels().back();
  const int wide = main->width(), wideRoom = panel->contentsRect().width();
  const int narrow = 420;  // less than the minimum: the window gets that
  main->SetBounds(main->Left(), main->Top(), narrow, main->Height());
  FinishEvents();
  const int narrowRoom = panel->contentsRect().width();
  ASSERT_LT(narrowRoom, wideRoom);
  std::string name = "day.csv";
  while (panel->fontMetrics().horizontalAdvance(QString::fromStdString(dir.Path(name))) <= (narrowRoom + wideRoom) / 2)
    name.insert(0, "x");
  main->SetBounds(main->Left(), main->Top(), wide, main->Height());
  FinishEvents();
  const QString path = QString::fromStdString(WriteThreeSamples(name));
  ASSERT_NE(Open(path.toStdString()), nullptr);
  expectShown(panel, path, false);
  const struct {
    int width;
    bool cut;
  } resizes[] = {{narrow, true}, {wide, false}};
  for (const auto& resize : resizes) {
    SCOPED_TRACE(resize.width);
    main->SetBounds(main->Left(), main->Top(), resize.width, main->Height());
    FinishEvents();
    expectShown(panel, path, resize.cut);
  }
}
