#include <QAbstractItemView>
#include <QHeaderView>

#include "UiTest.h"

namespace {

class DataWindowTest : public UiTest {
 protected:
  TfrmDataForm* OpenThree() {
    StartMainWindow();
    TfrmDataForm* window = Open(WriteThreeSamples());
    EXPECT_NE(window, nullptr);
    return window;
  }
  static void TypeFilter(TfrmDataForm* window, const char* text) {
    window->ctrFilterText->selectAll();
    QTest::keyClick(window->ctrFilterText, Qt::Key_Delete);
    QTest::keyClicks(window->ctrFilterText, QString::fromUtf8(text));
  }
  static std::pair<int, int> Rows(const TfrmDataForm* window) {
    TGridRect r = window->ctrGrid->Selection();
    return {r.Top, r.Bottom};
  }
};

QRect Bounds(const TControl* c) { return QRect(c->Left(), c->Top(), c->Width(), c->Height()); }

}  // namespace

TEST_F(DataWindowTest, TheWindowIsLaidOutAsItsLayoutSays) {
  WriteConfig();
  TfrmDataForm* w = OpenThree();
  EXPECT_EQ(w->FormStyle(), fsMDIChild);
  EXPECT_EQ(w->Caption(), dir.Path("day.csv"));
  EXPECT_EQ(w->ctrPanel->Align(), alBottom);
  EXPECT_EQ(w->ctrPanel->Height(), 34);
  EXPECT_EQ(w->ctrGrid->Top() + w->ctrGrid->Height(), w->ctrPanel->Top());
  EXPECT_EQ(w->Panel2->Width(), 312);
  EXPECT_EQ(w->Panel1->Width(), 177);
  EXPECT_EQ(w->Panel1->Left() + 177, w->ctrPanel->ClientWidget()->contentsRect().right() + 1);
  EXPECT_EQ(w->Panel7->Width(), 53);
  EXPECT_EQ(w->Panel6->Height(), 22);
  EXPECT_EQ(Bounds(w->ctrFilterText), QRect(7, 5, 138, 21));
  EXPECT_EQ(Bounds(w->ctrFilter), QRect(147, 3, 94, 25));
  EXPECT_EQ(Bounds(w->ctrResetFilter), QRect(240, 3, 59, 25));
  EXPECT_EQ(Bounds(w->ctrNCheck), QRect(1, 2, 49, 17));
  EXPECT_EQ(Bounds(w->ctrPrintAll), QRect(120, 3, 51, 25));
  EXPECT_EQ(Bounds(w->ctrTemplates), QRect(8, 8, 161, 21));
  EXPECT_EQ(Bounds(w->ctrPrint), QRect(8, 3, 145, 25));
  EXPECT_EQ(Bounds(w->ctrDown), QRect(152, 3, 17, 25));
  EXPECT_EQ(w->ctrFilter->Caption(), Cp("Отфильтровать"));
  EXPECT_EQ(w->ctrResetFilter->Caption(), Cp("Сброс"));
  EXPECT_EQ(w->ctrNCheck->Caption(), Cp("N п/п:"));
  EXPECT_FALSE(w->ctrNCheck->Checked());
  EXPECT_EQ(w->ctrDown->Caption(), "v");
  EXPECT_EQ(w->ctrPrintAll->Caption(), "Print all");
  EXPECT_FALSE(w->ctrPrintAll->Visible());
  EXPECT_FALSE(w->ctrProgress->Visible());
  EXPECT_FALSE(w->ctrProgress->isVisible());
  // The split button: print and "v" lie over the combo box.
  QWidget* panel = w->Panel1->ClientWidget();
  EXPECT_EQ(panel->childAt(20, 15), w->ctrPrint);
  EXPECT_EQ(panel->childAt(160, 15), w->ctrDown);
  EXPECT_EQ(w->ctrPrintAll->TabOrder(), 0);
  EXPECT_EQ(w->ctrPrint->TabOrder(), 1);
  EXPECT_EQ(w->ctrTemplates->TabOrder(), 2);
  EXPECT_EQ(w->ctrDown->TabOrder(), 3);
}

TEST_F(DataWindowTest, TheGridShowsOneRowPerSampleInKeyOrder) {
  WriteConfig();
  TfrmDataForm* w = OpenThree();
  TStringGrid* grid = w->ctrGrid;
  ASSERT_EQ(grid->ColCount(), 7);
  const char* titles[] = {"Номер пробы", "Поставщик", "Тетрациклины", "Хлорамфеникол", "Время", "Примечания", "ТТН"};
  const int widths[] = {70, 160, 87, 86, 141, 100, 40};
  for (int col = 0; col < 7; ++col) {
    EXPECT_EQ(AnsiString(grid->Cells[col][0]), Cp(titles[col])) << col;
    EXPECT_EQ(grid->ColWidths[col], widths[col]) << col;
  }
  EXPECT_EQ(grid->horizontalHeader()->sectionSize(0), 160);
  EXPECT_EQ(grid->RowCount(), 4);
  EXPECT_EQ(Column(grid, 0), (std::vector<AnsiString>{"21", "112", "120"}));
  // The dictionary names providers; a code it lacks stays.
  EXPECT_EQ(Column(grid, 1), (std::vector<AnsiString>{"P09", Cp("Ферма «Луговая»"), Cp("Хозяйство «Заречное»")}));
  // Result marks; a word that is neither negative nor positive is unknown.
  EXPECT_EQ(Column(grid, 2), (std::vector<AnsiString>{Cp("неизвестно"), "-", Cp("ПОЗ")}));
  // A group the sample has no result for.
  EXPECT_EQ(Column(grid, 3), (std::vector<AnsiString>{"---", Cp("ПОЗ"), "---"}));
  EXPECT_EQ(Column(grid, 4),
            (std::vector<AnsiString>{"2026.12.09 05:00:00", "2026.12.09 06:00:00", "2026.12.09 07:00:00"}));
  EXPECT_EQ(Column(grid, 5), (std::vector<AnsiString>{"", Cp("первая"), ""}));
  EXPECT_EQ(Column(grid, 6), (std::vector<AnsiString>{"", "", ""}));
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(DataWindowTest, GridColumnsThatAreMissingEmptyOrOfNoWidthNeverFail) {
  struct Case {
    const char* columns;
    int colCount;
    int widest = -1;  // what every column's width is held at, where it is
  };
  const Case cases[] = {
      {";", 1},                                          // no columns at all
      {";;", 1},
      {"{num},Номер,0;{provider},Поставщик,-5", 2},      // widths of 0 and less hide
      {"{tcs},Тетра,60", 1},                             // column 0 shows a result
      {"{num},\xff\xfe,60;{provider},,60", 2},           // captions that are no UTF-8, and none
      // Far wider than any screen: held at 10000 pixels, which Qt still draws in good time.
      {"{num},Номер,2147483647;{provider},Поставщик,2147483647;{tcs},Т,10001", 3, 10000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.columns);
    WriteSettings(c.columns);
    StartMainWindow();
    TfrmDataForm* w = Open(WriteThreeSamples());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->ctrGrid->ColCount(), c.colCount);
    if (c.widest > 0) {
      for (int col = 0; col < c.colCount; ++col) EXPECT_EQ(w->ctrGrid->ColWidths[col], c.widest);
    }
    EXPECT_EQ(w->ctrGrid->RowCount(), 4);
    EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 05:00:00", "21")}));
    TypeFilter(w, "12");
    Click(w->ctrFilter);
    EXPECT_EQ(w->ctrGrid->RowCount(), 3);
    ClickRow(w->ctrGrid, 2);
    Click(w->ctrResetFilter);
    EXPECT_EQ(w->ctrGrid->RowCount(), 4);
    Application->DestroyComponents();
    FinishEvents();
  }
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
}

TEST_F(DataWindowTest, TheFilterKeepsSamplesWhoseIdContainsItsText) {
  WriteConfig();
  TfrmDataForm* w = OpenThree();
  TypeFilter(w, "12");
  Click(w->ctrFilter);
  EXPECT_EQ(Column(w->ctrGrid, 0), (std::vector<AnsiString>{"112", "120"}));

  // The same text again refills nothing: the chosen row stays.
  ClickRow(w->ctrGrid, 2);
  Click(w->ctrFilter);
  EXPECT_EQ(Rows(w), std::make_pair(2, 2));
  // Edited and edited back before pressing: nothing.
  TypeFilter(w, "1");
  TypeFilter(w, "12");
  Click(w->ctrFilter);
  EXPECT_EQ(Rows(w), std::make_pair(2, 2));

  // Nothing matches: one blank row, which designates no sample.
  TypeFilter(w, "9");
  Click(w->ctrFilter);
  EXPECT_EQ(w->ctrGrid->RowCount(), 2);
  EXPECT_EQ(Column(w->ctrGrid, 0), (std::vector<AnsiString>{""}));
  EXPECT_EQ(Column(w->ctrGrid, 2), (std::vector<AnsiString>{""}));
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{""}));

  // The id only, and with case: the provider and time texts do not count.
  TypeFilter(w, "P01");
  Click(w->ctrFilter);
  EXPECT_EQ(w->ctrGrid->RowCount(), 2);

  // Reset empties the box and shows every sample again.
  Click(w->ctrResetFilter);
  EXPECT_EQ(w->ctrFilterText->Text(), "");
  EXPECT_EQ(w->ctrFilterText->text(), "");
  EXPECT_EQ(Column(w->ctrGrid, 0), (std::vector<AnsiString>{"21", "112", "120"}));
  // Once more with nothing applied: nothing happens.
  ClickRow(w->ctrGrid, 3);
  Click(w->ctrResetFilter);
  EXPECT_EQ(Rows(w), std::make_pair(3, 3));
}

TEST_F(DataWindowTest, SelectedIdsAreTheKeysOfTheSelectedRowsTopToBottom) {
  WriteConfig();
  TfrmDataForm* w = OpenThree();
  // No row chosen: the current row, row 1.
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 05:00:00", "21")}));
  ClickRow(w->ctrGrid, 3);
  ClickRow(w->ctrGrid, 2, Qt::ShiftModifier);
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 06:00:00", "112"), RecordKey("2026.12.09 07:00:00", "120")}));
  ClickRow(w->ctrGrid, 1);
  ClickRow(w->ctrGrid, 3, Qt::ShiftModifier);
  EXPECT_EQ(w->GetSelectedIds().size(), 3u);
  // A fill starts again at row 1.
  TypeFilter(w, "120");
  Click(w->ctrFilter);
  EXPECT_EQ(w->GetSelectedIds(), (std::vector<AnsiString>{RecordKey("2026.12.09 07:00:00", "120")}));
}

TEST_F(DataWindowTest, LocalisationReplacesFourCaptions) {
  WriteConfig();
  WriteTemplate("a.txt", "Журнал", "wc|x:0|y:0|value:x\n");
  dir.Write("localization.txt", Cp("popup.data.filter=Найти\n"
                                   "popup.data.n=№:\n"
                                   "popup.data.print=Печать\n"
                                   "popup.main.caption=Окно\n"));
  TfrmDataForm* w = OpenThree();
  EXPECT_EQ(w->ctrFilter->Caption(), Cp("Найти\n"));
  EXPECT_EQ(w->ctrFilter->text(), QString::fromUtf8("Найти"));
  EXPECT_EQ(w->ctrResetFilter->Caption(), Cp("Сброс"));
  EXPECT_EQ(w->ctrNCheck->Caption(), Cp("№:\n"));
  // In place of the first template's title.
  EXPECT_EQ(w->ctrPrint->Caption(), Cp("Печать\n"));
  EXPECT_EQ(w->ctrDown->Caption(), "v");
  EXPECT_EQ(w->Caption(), dir.Path("day.csv"));
}

TEST_F(DataWindowTest, TheGaugeFollowsTheProgressOperations) {
  WriteConfig();
  TfrmDataForm* w = OpenThree();
  TCGauge* gauge = w->ctrProgress;
  EXPECT_EQ(gauge->MaxValue(), 100);
  w->SetPosition(0.29f);
  EXPECT_EQ(gauge->Progress(), 28);
  w->SetPosition(1.0f);
  EXPECT_EQ(gauge->Progress(), 100);

  w->Begin(5);
  // Shown at its place at once, while no events run.
  EXPECT_TRUE(gauge->isVisible());
  EXPECT_EQ(gauge->geometry().size(), QSize(w->Panel6->Width() - 53, 22));
  EXPECT_EQ(gauge->MinValue(), 0);
  EXPECT_EQ(gauge->MaxValue(), 5);
  EXPECT_EQ(gauge->Progress(), 0);
  for (int i = 0; i < 7; ++i) w->Step();
  EXPECT_EQ(gauge->Progress(), 5);
  EXPECT_EQ(gauge->PercentDone(), 100);
  w->End();
  EXPECT_FALSE(gauge->isVisible());
  // A maximum of 0 keeps the one before.
  w->Begin(0);
  EXPECT_EQ(gauge->MaxValue(), 5);
  w->End();
}
