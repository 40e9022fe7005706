#include <QFile>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <stdexcept>

#include "FormsTest.h"

namespace {

// A window whose constructor finishes its members after binding its creation event.
class CreationForm : public TForm {
 public:
  explicit CreationForm(TComponent* owner) : TForm(owner) {
    OnCreate = Closure(this, &CreationForm::FormCreate);
    button = new TButton(this);
    button->SetParent(this);
    ready = true;
  }
  void FormCreate(TObject* Sender) {
    sawReady = ready && button != nullptr;
    sender = Sender;
    ++creations;
  }

  TButton* button = nullptr;
  bool ready = false;
  bool sawReady = false;
  TObject* sender = nullptr;
  int creations = 0;
};

class ThrowingCreationForm : public TForm {
 public:
  explicit ThrowingCreationForm(TComponent* owner) : TForm(owner) {
    OnCreate = [this](TObject*) {
      ++attempts;
      throw Exception(Cp("Нет настроек"));
    };
  }
  int attempts = 0;
};

class ThrowingConstructorForm : public TForm {
 public:
  explicit ThrowingConstructorForm(TComponent* owner) : TForm(owner) { throw std::runtime_error("no layout"); }
};

}  // namespace

TEST_F(FormsTest, CreationEventFiresOnceAfterTheWholeConstructor) {
  auto* form = NewForm<CreationForm>(Application);
  EXPECT_EQ(form->creations, 1);
  EXPECT_TRUE(form->sawReady);
  EXPECT_EQ(form->sender, static_cast<TObject*>(form));
  form->AfterConstruction();
  form->Show();
  EXPECT_EQ(form->creations, 1);

  // A window made with plain new gets its creation event at the latest when it is shown.
  auto* late = new CreationForm(Application);
  EXPECT_EQ(late->creations, 0);
  late->Show();
  EXPECT_EQ(late->creations, 1);
  EXPECT_TRUE(late->sawReady);
}

TEST_F(FormsTest, CreateFormSetsTheReferenceAndTheFirstFormIsTheMainForm) {
  CreationForm* first = nullptr;
  CreationForm* second = nullptr;
  Application->CreateForm(first);
  Application->CreateForm(second);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(first->creations, 1);
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_FALSE(first->Visible());
}

TEST_F(FormsTest, AnExceptionInAHandlerIsShownAndTheProgramGoesOn) {
  struct Case {
    std::function<void()> thrower;
    AnsiString shown;
  };
  const Case cases[] = {
      {[] { throw Exception(Cp("Не удалось")); }, Cp("Не удалось.")},
      {[] { throw std::runtime_error("bad state"); }, "bad state."},
      {[] { throw 42; }, ""},
      {[] { throw Exception("Done."); }, "Done."},
      {[] { throw Exception(Cp("Ошибка!")); }, Cp("Ошибка!")},
      {[] { throw Exception("(x)"); }, "(x)"},
  };
  TForm* form = ShownForm();
  auto* button = new TButton(form);
  button->SetParent(form);
  for (const auto& c : cases) {
    ClearDialogSeams();
    int runs = 0;
    button->OnClick = [&](TObject*) {
      ++runs;
      c.thrower();
    };
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(AnsweredMessageBoxes().size(), 2u);
    const MessageBoxCall& box = AnsweredMessageBoxes()[0];
    EXPECT_EQ(box.text, c.shown);
    EXPECT_EQ(box.caption, "forms_tests");
    EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
  }
  Application->SetTitle("Kelvarn");
  button->OnClick = [](TObject*) { throw Exception("x"); };
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(AnsweredMessageBoxes().back().caption, "Kelvarn");
  Application->SetTitle("");
}

TEST_F(FormsTest, AnExceptionInACreationHandlerIsShownAndTheWindowStillOpens) {
  auto* form = NewForm<ThrowingCreationForm>(Application);
  EXPECT_EQ(form->attempts, 1);
  EXPECT_EQ(AnsweredTexts(), (std::vector<AnsiString>{Cp("Нет настроек.")}));
  form->Show();
  EXPECT_TRUE(form->Visible());
  EXPECT_TRUE(form->isVisible());
}

TEST_F(FormsTest, AnExceptionInAStartUpStepIsShownAndEndsTheProgram) {
  bool ran = false;
  auto winMain = [&] {
    try {
      ThrowingConstructorForm* main = nullptr;
      Application->CreateForm(main);
      ran = true;
      Application->Run();
    } catch (...) {
      Application->HandleException(nullptr);
    }
    return 0;
  };
  EXPECT_EQ(winMain(), 0);
  EXPECT_FALSE(ran);
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(AnsweredTexts(), (std::vector<AnsiString>{"no layout."}));
}

TEST_F(FormsTest, AnExceptionThatEscapesQtEventHandlingIsShown) {
  QTimer::singleShot(0, [] { throw Exception("late"); });
  QCoreApplication::processEvents();
  EXPECT_EQ(AnsweredTexts(), (std::vector<AnsiString>{"late."}));
}

TEST_F(FormsTest, RunShowsTheMainFormAndEndsWhenItCloses) {
  CreationForm* main = nullptr;
  Application->CreateForm(main);
  main->SetBounds(0, 0, 300, 200);
  bool shownWhileRunning = false;
  QTimer::singleShot(0, [&] {
    shownWhileRunning = main->isVisible();
    main->Close();
  });
  Application->Run();
  EXPECT_TRUE(shownWhileRunning);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(main->Visible());
}

TEST_F(FormsTest, QtsOwnTextsAreRussianWithQtsTranslationAndEnglishWithoutIt) {
  const QString installed = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  ASSERT_TRUE(QFile::exists(installed + "/qtbase_ru.qm")) << "Debian's qt6-translations-l10n is not installed";
  // What the program's dialogs and MDI windows take from Qt.
  auto texts = [] {
    QMessageBox box;
    QString buttons = box.addButton(QMessageBox::Ok)->text() + "|" + box.addButton(QMessageBox::Cancel)->text() +
                      "|" + box.addButton(QMessageBox::Yes)->text() + "|" + box.addButton(QMessageBox::No)->text();
    QMdiArea area;
    QMdiSubWindow* window = area.addSubWindow(new QWidget);
    return buttons + "|" + window->systemMenu()->actions().constLast()->text();
  };
  // Application->Initialize installed it.
  EXPECT_EQ(texts(), QString::fromUtf8("OK|Отмена|&Да|&Нет|&Закрыть"));

  // A folder without the translation: no error, and Qt's English texts.
  QTemporaryDir empty;
  EXPECT_FALSE(InstallQtTranslation(empty.path()));
  EXPECT_EQ(texts(), "OK|Cancel|&Yes|&No|&Close");
  TForm* form = ShownForm();
  EXPECT_TRUE(form->isVisible());

  // The file is all it takes.
  QTemporaryDir copy;
  ASSERT_TRUE(QFile::copy(installed + "/qtbase_ru.qm", copy.filePath("qtbase_ru.qm")));
  EXPECT_TRUE(InstallQtTranslation(copy.path()));
  EXPECT_EQ(texts(), QString::fromUtf8("OK|Отмена|&Да|&Нет|&Закрыть"));
  Application->Initialize();
  EXPECT_EQ(texts(), QString::fromUtf8("OK|Отмена|&Да|&Нет|&Закрыть"));
}
