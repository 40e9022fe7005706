#include "FormsTest.h"

namespace {

TTabControl* TabsOn(TForm* form) {
  auto* tabs = new TTabControl(form);
  tabs->SetParent(form);
  tabs->SetAlign(alTop);
  tabs->SetHeight(24);
  return tabs;
}

}  // namespace

TEST_F(FormsTest, TabChangeRunsOnlyWhenTheUserPicksATab) {
  TForm* form = ShownForm();
  TTabControl* tabs = TabsOn(form);
  std::vector<int> picked;
  tabs->OnChange = [&](TObject* Sender) {
    EXPECT_EQ(Sender, static_cast<TObject*>(tabs));
    picked.push_back(tabs->TabIndex());
  };
  // What the main window does when it rebuilds its tabs and selects one.
  for (int round = 0; round < 2; ++round) {
    tabs->Tabs->Clear();
    for (const char* title : {"a", "b", "c"}) tabs->Tabs->Add(title);
    tabs->SetTabIndex(2);
  }
  tabs->Tabs->Clear();
  for (const char* title : {"a", "b", "c"}) tabs->Tabs->Add(title);
  tabs->SetTabIndex(0);
  EXPECT_TRUE(picked.empty());

  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  EXPECT_EQ(picked, (std::vector<int>{2}));
  // The tab that is already selected changes nothing.
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
  EXPECT_EQ(picked, (std::vector<int>{2}));
  // The keyboard is the user too.
  tabs->setFocus();
  QTest::keyClick(tabs, Qt::Key_Left);
  EXPECT_EQ(picked, (std::vector<int>{2, 1}));
  EXPECT_EQ(tabs->Tabs->Count(), 3);
  EXPECT_EQ(tabs->Tabs->Strings(1), "b");
  EXPECT_THROW(tabs->Tabs->Strings(3), Exception);
}

TEST_F(FormsTest, VisibleAndEnabledAreWhatCodeSetBeforeTheWindowShows) {
  auto* form = NewForm<TForm>(Application);
  TTabControl* tabs = TabsOn(form);
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  auto* button = new TButton(form);
  button->SetParent(panel);

  EXPECT_TRUE(tabs->Visible());
  EXPECT_FALSE(tabs->isVisible());  // what Qt says of a control in a window not shown yet
  tabs->SetVisible(false);
  EXPECT_FALSE(tabs->Visible());
  panel->SetEnabled(false);
  EXPECT_TRUE(button->Enabled());
  EXPECT_FALSE(button->isEnabled());

  form->Show();
  EXPECT_FALSE(tabs->isVisible());
  tabs->SetVisible(true);
  EXPECT_TRUE(tabs->isVisible());
  EXPECT_TRUE(tabs->Visible());
}
