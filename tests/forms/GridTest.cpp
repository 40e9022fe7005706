#include <QAbstractButton>
#include <QHeaderView>
#include <QLineEdit>

#include "FormsTest.h"

namespace {

class GridTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    form = ShownForm(500, 400);
    grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetAlign(alClient);
    grid->SetDefaultColWidth(60);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(3);
    for (int c = 0; c < 3; ++c) grid->Cells[c][0] = "title " + std::to_string(c);
  }

  // The data window's way of filling: the row count follows each written row.
  void Fill(int rows) {
    grid->SetRowCount(2);
    for (int c = 0; c < grid->ColCount(); ++c) grid->Cells[c][1] = "";
    for (int r = 1; r <= rows; ++r) {
      for (int c = 0; c < grid->ColCount(); ++c) grid->Cells[c][r] = std::to_string(c) + ":" + std::to_string(r);
      grid->SetRowCount(r + 1);
    }
  }

  QString Shown(int col, int row) const { return grid->model()->index(row - 1, col - 1).data().toString(); }

  void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
    QRect cell = grid->visualRect(grid->model()->index(row - 1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
  }

  static std::pair<int, int> Rows(const TGridRect& r) { return {r.Top, r.Bottom}; }

  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
};

}  // namespace

TEST_F(GridTest, FillingLeavesRowOneCurrentAndTheSelectionIsTheCurrentRow) {
  Fill(5);
  EXPECT_EQ(grid->RowCount(), 6);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(1, 1));
  EXPECT_EQ(grid->Selection().Left, 1);
  EXPECT_EQ(grid->Selection().Right, 2);
  // Cells written past the row count show once the count reaches them.
  EXPECT_EQ(Shown(2, 5), "2:5");
  EXPECT_EQ(grid->model()->rowCount(), 5);

  ClickRow(3);
  EXPECT_EQ(grid->Row(), 3);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(3, 3));
  ClickRow(5, Qt::ShiftModifier);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(3, 5));
  ClickRow(2, Qt::ShiftModifier);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(2, 3));

  grid->clearSelection();  // no rows chosen: the current row stands for the selection
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(grid->Row(), grid->Row()));

  Fill(0);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(1, 1));
  EXPECT_EQ(AnsiString(grid->Cells[1][1]), "");
  EXPECT_EQ(AnsiString(grid->Cells[1][3]), "");  // rows dropped by the smaller count are gone
}

TEST_F(GridTest, CellsOutsideTheGridReadEmptyAndNeverFail) {
  EXPECT_EQ(AnsiString(grid->Cells[9][9]), "");
  grid->Cells[-1][0] = "x";
  grid->Cells[0][-1] = "x";
  EXPECT_EQ(AnsiString(grid->Cells[-1][0]), "");
  grid->Cells[7][1] = "later";
  EXPECT_TRUE(grid->Cells[7][1] == "later");
  grid->SetColCount(8);
  EXPECT_EQ(Shown(7, 1), "later");
  grid->SetColCount(0);
  EXPECT_EQ(grid->ColCount(), 1);
  grid->SetRowCount(0);
  EXPECT_EQ(grid->RowCount(), 2);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(1, 1));
  EXPECT_THROW(grid->ColWidths[1] = 10, Exception);
}

TEST_F(GridTest, FixedRowAndColumnShowTitlesAndNoCellCanBeEdited) {
  Fill(2);
  grid->Cells[1][0] = Cp("Поставщик\n");
  grid->Cells[0][2] = "id\r\n";
  EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QString::fromUtf8("Поставщик"));
  EXPECT_EQ(grid->model()->headerData(1, Qt::Vertical).toString(), "id");
  EXPECT_EQ(AnsiString(grid->Cells[0][2]), "id\r\n");
  grid->Cells[2][1] = "value\n";
  EXPECT_EQ(Shown(2, 1), "value");

  QRect cell = grid->visualRect(grid->model()->index(0, 0));
  QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::keyClick(grid, Qt::Key_F2);
  EXPECT_EQ(grid->findChild<QLineEdit*>(), nullptr);
}

TEST_F(GridTest, AWidthOfZeroOrLessHidesAColumn) {
  Fill(3);
  grid->ColWidths[1] = 0;
  grid->ColWidths[2] = -5;
  EXPECT_TRUE(grid->isColumnHidden(0));
  EXPECT_TRUE(grid->isColumnHidden(1));
  EXPECT_EQ(grid->ColWidths[2], -5);
  // With every column hidden the current row still stands for the selection.
  Fill(3);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(1, 1));

  grid->ColWidths[2] = 40;
  EXPECT_FALSE(grid->isColumnHidden(1));
  EXPECT_EQ(grid->columnWidth(1), 40);
  grid->ColWidths[0] = 0;
  EXPECT_FALSE(grid->verticalHeader()->isVisible());
  grid->ColWidths[0] = 70;
  EXPECT_TRUE(grid->verticalHeader()->isVisible());
  EXPECT_EQ(grid->verticalHeader()->width(), 70);
}

TEST_F(GridTest, AColumnWiderThanAnyScreenIsHeldAtTheWidest) {
  Fill(3);
  grid->ColWidths[1] = 2147483647;
  EXPECT_EQ(grid->ColWidths[1], kWidestColumn);
  EXPECT_EQ(grid->columnWidth(0), kWidestColumn);
  grid->SetDefaultColWidth(kWidestColumn + 1);
  EXPECT_EQ(grid->ColWidths[2], kWidestColumn);
}

TEST_F(GridTest, TabAndShiftTabMoveTheFocusOutOfTheGridAndLeaveItsCurrentCell) {
  auto* before = new TEdit(form);
  auto* after = new TEdit(form);
  for (TEdit* edit : {before, after}) edit->SetParent(form);
  before->SetTabOrder(0);  // before, grid, after
  Fill(3);
  Activate(form);
  ClickRow(2);
  ASSERT_EQ(Focus(), grid);
  const QModelIndex current = grid->currentIndex();

  Press(Qt::Key_Tab);
  EXPECT_EQ(Focus(), after);
  Press(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(Focus(), grid);
  Press(Qt::Key_Backtab);
  EXPECT_EQ(Focus(), before);
  EXPECT_EQ(grid->currentIndex(), current);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(2, 2));
}

TEST_F(GridTest, TypedCharactersChangeNeitherTheCurrentRowNorTheSelection) {
  Fill(5);  // every cell of column 1 starts with "1"
  grid->Cells[1][4] = Cp("Ферма");
  grid->Cells[1][5] = "x";
  Activate(form);
  ClickRow(2);
  ClickRow(3, Qt::ShiftModifier);
  for (const char* typed : {"1", "x", "Ф", "ф", "1:5", " "}) {
    SCOPED_TRACE(typed);
    Type(typed);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(Rows(grid->Selection()), std::make_pair(2, 3));
  }
  // The arrow keys still move the current row.
  Press(Qt::Key_Down);
  EXPECT_EQ(grid->Row(), 4);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(4, 4));
}

TEST_F(GridTest, AGridOfOneColumnHasNoFixedColumnAndItsRowsAreSelectable) {
  EXPECT_EQ(grid->FixedCols(), 1);
  grid->SetColCount(1);
  EXPECT_EQ(grid->FixedCols(), 0);
  Fill(4);
  ASSERT_EQ(grid->model()->columnCount(), 1);
  EXPECT_TRUE(grid->verticalHeader()->isHidden());
  EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), "title 0");
  EXPECT_EQ(grid->model()->index(1, 0).data().toString(), "0:2");
  grid->ColWidths[0] = 90;
  EXPECT_EQ(grid->columnWidth(0), 90);

  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(1, 1));
  ClickRow(3);
  EXPECT_EQ(grid->Row(), 3);
  ClickRow(4, Qt::ShiftModifier);
  EXPECT_EQ(Rows(grid->Selection()), std::make_pair(3, 4));
  EXPECT_EQ(grid->Selection().Left, 0);
  EXPECT_EQ(grid->Selection().Right, 0);

  // As in the class library, the fixed column does not come back with more columns.
  grid->SetColCount(3);
  EXPECT_EQ(grid->FixedCols(), 0);
  EXPECT_EQ(grid->model()->columnCount(), 3);
}

TEST_F(GridTest, TheTopLeftTitleIsDrawnLikeTheOtherTitles) {
  Fill(2);
  grid->Cells[0][0] = Cp("Номер");
  grid->Cells[1][0] = Cp("Номер");
  auto* corner = grid->findChild<QAbstractButton*>();
  ASSERT_NE(corner, nullptr);
  ASSERT_TRUE(corner->isVisible());
  QHeaderView* titles = grid->horizontalHeader();
  const QImage cornerImage = corner->grab().toImage();
  const QImage titleImage =
      titles->grab(QRect(titles->sectionViewportPosition(0), 0, titles->sectionSize(0), titles->height())).toImage();
  // The darkest pixel of each is its text: the same colour, not the disabled grey.
  auto darkest = [](const QImage& image) {
    int dark = 255;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) dark = std::min(dark, qGray(image.pixel(x, y)));
    return dark;
  };
  EXPECT_NEAR(darkest(cornerImage), darkest(titleImage), 8);
}
