#include <QLineEdit>

#include "FormsTest.h"

namespace {

// A window with a row of controls in the focus order of their creation.
class KeyboardTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = ShownForm();
    Activate(form);
  }

  TButton* NewButton(const char* caption) {
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetCaption(caption);
    button->OnClick = [this](TObject* Sender) { clicks.push_back(Sender); };
    return button;
  }

  TForm* form = nullptr;
  std::vector<TObject*> clicks;
};

}  // namespace

TEST_F(KeyboardTest, EnterClicksTheFocusedButtonAsSpaceDoes) {
  TButton* first = NewButton("first");
  TButton* second = NewButton("second");
  first->setFocus();
  Press(Qt::Key_Return);
  Press(Qt::Key_Enter, Qt::KeypadModifier);
  Press(Qt::Key_Space);
  EXPECT_EQ(clicks, (std::vector<TObject*>{first, first, first}));
  // With Ctrl or Alt it is another key.
  Press(Qt::Key_Return, Qt::ControlModifier);
  Press(Qt::Key_Return, Qt::AltModifier);
  EXPECT_EQ(clicks.size(), 3u);

  // The focus decides which button Enter clicks.
  Press(Qt::Key_Tab);
  ASSERT_EQ(Focus(), second);
  Press(Qt::Key_Return);
  EXPECT_EQ(clicks.back(), second);
  // A disabled button takes no focus, so no key reaches it.
  second->SetEnabled(false);
  EXPECT_NE(Focus(), second);
  EXPECT_EQ(clicks.size(), 4u);
}

TEST_F(KeyboardTest, TabPassesAControlWithoutTabStopWhichStillTakesTheFocusWhenClicked) {
  TButton* first = NewButton("first");
  auto* list = new TComboBox(form);
  list->SetParent(form);
  list->SetBounds(0, 40, 145, 21);
  list->Items->Add("A");
  list->Items->Add("B");
  list->OnSelect = [this](TObject* Sender) { clicks.push_back(Sender); };
  TButton* last = NewButton("last");
  last->SetTop(80);
  EXPECT_TRUE(list->TabStop());
  list->SetTabStop(false);
  EXPECT_FALSE(list->TabStop());

  first->setFocus();
  Press(Qt::Key_Tab);
  EXPECT_EQ(Focus(), last);
  Press(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(Focus(), first);
  // Arrow keys on a button move the focus as Tab does: they pass it too.
  Press(Qt::Key_Down);
  EXPECT_EQ(Focus(), last);
  Press(Qt::Key_Up);
  EXPECT_EQ(Focus(), first);
  EXPECT_TRUE(clicks.empty());
  EXPECT_EQ(list->ItemIndex(), -1);

  QTest::mouseClick(list->lineEdit(), Qt::LeftButton);
  EXPECT_TRUE(list->hasFocus());

  list->SetTabStop(true);
  first->setFocus();
  Press(Qt::Key_Tab);
  EXPECT_TRUE(list->hasFocus());
}
