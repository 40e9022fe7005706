#include "UiTest.h"

namespace {

// The data window as a keyboard user reaches it: two templates, three samples.
class KeyboardTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    WriteConfig();
    WriteTemplate("1.txt", "Журнал", "wc|x:0|y:0|value:x\n");
    WriteTemplate("2.txt", "Протокол", "wc|x:0|y:0|value:y\n");
  }
  TfrmDataForm* OpenThree() {
    StartMainWindow();
    Activate(main);
    TfrmDataForm* window = Open(WriteThreeSamples());
    EXPECT_NE(window, nullptr);
    return window;
  }
  static std::pair<int, int> Rows(const TfrmDataForm* window) {
    TGridRect r = window->ctrGrid->Selection();
    return {r.Top, r.Bottom};
  }
};

}  // namespace

TEST_F(KeyboardTest, TabVisitsTheControlsOfTheDataWindowInOrderAndLeavesTheGrid) {
  TfrmDataForm* w = OpenThree();
  ClickRow(w->ctrGrid, 2);
  ASSERT_EQ(Focus(), w->ctrGrid);
  // The template list lies under the print button: Tab passes it.
  const std::vector<QWidget*> order = {w->ctrFilterText, w->ctrFilter, w->ctrResetFilter, w->ctrNCheck,
                                       w->ctrPrint,      w->ctrDown,   w->ctrGrid};
  std::vector<QWidget*> forward, backward;
  for (size_t i = 0; i < order.size(); ++i) {
    Press(Qt::Key_Tab);
    forward.push_back(Focus());
  }
  EXPECT_EQ(forward, order);
  for (size_t i = 0; i < order.size(); ++i) {
    Press(Qt::Key_Tab, Qt::ShiftModifier);
    backward.push_back(Focus());
  }
  std::vector<QWidget*> reversed(order.rbegin() + 1, order.rend());
  reversed.push_back(w->ctrGrid);
  EXPECT_EQ(backward, reversed);
  // The grid kept its row through it all.
  EXPECT_EQ(Rows(w), std::make_pair(2, 2));
  EXPECT_EQ(w->ctrTemplates->ItemIndex(), -1);
}

TEST_F(KeyboardTest, TypingInTheGridLeavesTheChosenRows) {
  TfrmDataForm* w = OpenThree();
  ClickRow(w->ctrGrid, 2);
  ClickRow(w->ctrGrid, 3, Qt::ShiftModifier);
  const std::vector<AnsiString> chosen = w->GetSelectedIds();
  ASSERT_EQ(chosen.size(), 2u);
  // Letters that start other rows' texts: the provider column holds "P09", "Ферма ...".
  for (const char* typed : {"P", "Ф", "Х", "1", "2", " "}) {
    SCOPED_TRACE(typed);
    Type(typed);
    EXPECT_EQ(w->GetSelectedIds(), chosen);
  }
}

TEST_F(KeyboardTest, EnterPressesTheFocusedButton) {
  TfrmDataForm* w = OpenThree();
  w->ctrFilterText->setFocus();
  Type("12");
  Press(Qt::Key_Tab);
  ASSERT_EQ(Focus(), w->ctrFilter);
  Press(Qt::Key_Return);
  EXPECT_EQ(Column(w->ctrGrid, 0), (std::vector<AnsiString>{"112", "120"}));
  Press(Qt::Key_Tab);
  ASSERT_EQ(Focus(), w->ctrResetFilter);
  Press(Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(Column(w->ctrGrid, 0), (std::vector<AnsiString>{"21", "112", "120"}));
  EXPECT_EQ(w->ctrFilterText->Text(), "");
}

TEST_F(KeyboardTest, AGridOfOneConfiguredColumnSelectsTheRowsTheUserChooses) {
  WriteSettings("{num},Номер,60");
  TfrmDataForm* w = OpenThree();
  ASSERT_EQ(w->ctrGrid->ColCount(), 1);
  EXPECT_EQ(w->ctrGrid->FixedCols(), 0);
  EXPECT_EQ(Column(w->ctrGrid, 0), (std::vector<AnsiString>{"21", "112", "120"}));
  ClickRow(w->ctrGrid, 2);
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 06:00:00", "112")}));
  ClickRow(w->ctrGrid, 3, Qt::ShiftModifier);
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 06:00:00", "112"), RecordKey("2026.12.09 07:00:00", "120")}));
  // The keys move the selection as well, to the top row here.
  Press(Qt::Key_Up);
  Press(Qt::Key_Up);
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 05:00:00", "21")}));
}
