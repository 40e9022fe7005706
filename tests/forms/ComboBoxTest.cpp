#include <QAbstractItemView>
#include <QLineEdit>

#include "FormsTest.h"

namespace {

class ComboBoxTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = ShownForm();
    combo = new TComboBox(form);
    combo->SetParent(form);
    combo->SetBounds(8, 8, 161, 21);
    combo->SetText("ctrTemplates");
    combo->OnSelect = [this](TObject*) { chosen.push_back(combo->ItemIndex()); };
    combo->Items->Add("A");
    combo->Items->Add(Cp("Отчёт\n"));
  }

  // Opens the list as the "v" button does and picks an entry in it.
  void Choose(int index) {
    combo->SetDroppedDown(true);
    ASSERT_TRUE(combo->DroppedDown());
    QAbstractItemView* list = combo->view();
    list->setCurrentIndex(list->model()->index(index, 0));
    QTest::keyClick(list, Qt::Key_Return);
  }

  TForm* form = nullptr;
  TComboBox* combo = nullptr;
  std::vector<int> chosen;
};

}  // namespace

TEST_F(ComboBoxTest, NothingIsSelectedAfterFilling) {
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Text(), "ctrTemplates");
  EXPECT_EQ(combo->Items->Count(), 2);
  EXPECT_EQ(combo->Items->Strings(1), Cp("Отчёт\n"));
  EXPECT_EQ(combo->itemText(1), QString::fromUtf8("Отчёт"));
  EXPECT_TRUE(chosen.empty());
}

TEST_F(ComboBoxTest, ChoosingAnEntryFiresOnSelectAlsoWhenItIsTheCurrentOne) {
  Choose(1);
  EXPECT_EQ(chosen, (std::vector<int>{1}));
  EXPECT_FALSE(combo->DroppedDown());
  Choose(1);
  EXPECT_EQ(chosen, (std::vector<int>{1, 1}));
  Choose(0);
  EXPECT_EQ(chosen, (std::vector<int>{1, 1, 0}));
}

TEST_F(ComboBoxTest, TypedTextAddsNoItem) {
  combo->lineEdit()->setFocus();
  combo->lineEdit()->selectAll();
  QTest::keyClicks(combo->lineEdit(), "new");
  QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->Items->Count(), 2);
  EXPECT_EQ(combo->Text(), "new");
}

TEST_F(ComboBoxTest, TheListOpensAsWideAsItsLongestEntryWithinTheScreen) {
  const QRect room = form->screen()->availableGeometry();
  combo->Items->Add(Cp("Протокол испытаний выбранных проб на антибиотики"));
  // The box at the right edge of the screen, as the print controls lie in a maximised window.
  form->SetBounds(room.right() - 180, room.top() + 100, 180, 120);
  FinishEvents();
  combo->SetDroppedDown(true);
  ASSERT_TRUE(combo->DroppedDown());
  QAbstractItemView* list = combo->view();
  QWidget* popup = list->window();
  EXPECT_GT(popup->width(), combo->width());
  // Every entry fits whole: the list is as wide as its widest entry asks.
  EXPECT_GE(list->viewport()->width(), list->sizeHintForColumn(0));
  for (int i = 0; i < combo->count(); ++i)
    EXPECT_GE(list->visualRect(list->model()->index(i, 0)).width(),
              list->fontMetrics().horizontalAdvance(combo->itemText(i)))
        << i;
  EXPECT_TRUE(room.contains(popup->geometry())) << popup->geometry().x() << " " << popup->width();
  combo->SetDroppedDown(false);

  // Short entries: the list keeps the box's width.
  combo->Items->Clear();
  combo->Items->Add("A");
  combo->SetDroppedDown(true);
  EXPECT_EQ(combo->view()->window()->width(), combo->width());
}
