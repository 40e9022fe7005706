#include <QMenu>
#include <QMenuBar>

#include "FormsTest.h"

namespace {

// A window with a File menu of Open (Ctrl+O), a separator and About (Ctrl+A), and an
// edit box that has the focus.
class MenuForm : public TForm {
 public:
  explicit MenuForm(TComponent* owner) : TForm(owner) {
    SetBounds(0, 0, 400, 300);
    menu = new TMainMenu(this);
    file = new TMenuItem(this);
    file->SetCaption(Cp("&Файл"));
    open = new TMenuItem(this);
    open->SetCaption(Cp("&Открыть документ..."));
    open->SetShortCut("Ctrl+O");
    separator = new TMenuItem(this);
    separator->SetCaption("-");
    about = new TMenuItem(this);
    about->SetCaption(Cp("&О программе..."));
    about->SetShortCut("Ctrl+A");
    menu->Items->Add(file);
    file->Add(open);
    file->Add(separator);
    file->Add(about);
    SetMenu(menu);
    edit = new TEdit(this);
    edit->SetParent(this);
    edit->SetBounds(7, 5, 138, 21);
    open->OnClick = [this](TObject* Sender) { clicks.push_back(Sender); };
    about->OnClick = [this](TObject* Sender) { clicks.push_back(Sender); };
  }

  TMainMenu* menu;
  TMenuItem *file, *open, *separator, *about;
  TEdit* edit;
  std::vector<TObject*> clicks;
};

}  // namespace

TEST_F(FormsTest, MenuShortcutsWinOverTheFocusedControl) {
  auto* form = NewForm<MenuForm>(Application);
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  form->edit->SetText("12");
  form->edit->setFocus();
  QTest::keyClick(form->edit, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(form->edit, Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(form->clicks, (std::vector<TObject*>{form->about, form->open}));
  EXPECT_FALSE(form->edit->hasSelectedText());

  // A disabled item takes no shortcut: the key goes to the edit box again.
  form->about->SetEnabled(false);
  QTest::keyClick(form->edit, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(form->clicks.size(), 2u);
  EXPECT_TRUE(form->edit->hasSelectedText());
  EXPECT_EQ(form->edit->Text(), "12");
}

TEST_F(FormsTest, MenusAreBuiltFromTheirItems) {
  auto* form = NewForm<MenuForm>(Application);
  EXPECT_EQ(form->menuBar(), form->menu->Bar());
  ASSERT_EQ(form->menu->Bar()->actions().size(), 1);
  EXPECT_EQ(form->menu->Bar()->actions()[0], form->file);
  QMenu* file = form->file->menu();
  ASSERT_NE(file, nullptr);
  ASSERT_EQ(file->actions().size(), 3);
  // A separator is a line: no "-" beside it.
  EXPECT_TRUE(file->actions()[1]->isSeparator());
  EXPECT_EQ(file->actions()[1]->text(), "");
  EXPECT_EQ(form->separator->Caption(), "-");
  EXPECT_EQ(form->file->Count(), 3);
  EXPECT_EQ(form->file->Items(2), form->about);
  EXPECT_THROW(form->file->Items(3), Exception);
  EXPECT_EQ(form->open->shortcut(), QKeySequence("Ctrl+O"));
  form->open->trigger();
  EXPECT_EQ(form->clicks, (std::vector<TObject*>{form->open}));
}
