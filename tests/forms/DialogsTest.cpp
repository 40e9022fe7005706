#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "FormsTest.h"

namespace {

// A small dialog whose button ends its modal display.
class Dialog : public TForm {
 public:
  explicit Dialog(TComponent* owner) : TForm(owner) {
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu);
    SetPosition(poMainFormCenter);
    SetClientWidth(474);
    SetClientHeight(273);
    closeButton = new TButton(this);
    closeButton->SetParent(this);
    closeButton->SetBounds(392, 240, 75, 25);
    closeButton->OnClick = [this](TObject*) { SetModalResult(mrOk); };
  }
  TButton* closeButton;
};

}  // namespace

TEST_F(FormsTest, OpenDialogAnswersFromItsSeam) {
  auto* form = NewForm<TForm>(Application);
  auto* dialog = new TOpenDialog(form);
  dialog->SetFilter("CSV|*.csv");
  SetNextOpenDialogFileName(Cp("/data/пробы.csv"));
  SetNextOpenDialogCancel();
  ASSERT_TRUE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), Cp("/data/пробы.csv"));
  EXPECT_FALSE(dialog->Execute());
  EXPECT_EQ(dialog->FileName(), Cp("/data/пробы.csv"));
  EXPECT_FALSE(dialog->Execute());  // nothing queued: cancelled, never shown
}

TEST_F(FormsTest, FileFiltersAreConvertedToQtsForm) {
  EXPECT_EQ(QtFileFilter("CSV|*.csv"), "CSV (*.csv)");
  EXPECT_EQ(QtFileFilter(Cp("Тексты|*.txt;*.csv|Все|*.*")), QString::fromUtf8("Тексты (*.txt *.csv);;Все (*.*)"));
  EXPECT_EQ(QtFileFilter(""), "");
}

TEST_F(FormsTest, MessageBoxesAnswerFromTheirSeam) {
  SetNextMessageBoxAnswer(IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, Cp("Удалить?"), "Kelvarn", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "again", "Kelvarn", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "ok", "Kelvarn", MB_OKCANCEL), IDOK);
  ASSERT_EQ(AnsweredMessageBoxes().size(), 3u);
  EXPECT_EQ(AnsweredMessageBoxes()[0].text, Cp("Удалить?"));
  EXPECT_EQ(AnsweredMessageBoxes()[0].type, MB_YESNO);
}

TEST_F(FormsTest, MessageBoxIsARealDialogOutsideTheSeam) {
  AnswerDialogsForTesting(false);
  // Another window is the active one: the box still belongs to the main window.
  TForm* main = nullptr;
  Application->CreateForm(main);
  main->Show();
  Activate(ShownForm());
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QWidget* parent = nullptr;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    parent = box->parentWidget();
    box->button(QMessageBox::Cancel)->click();
  });
  // Should the box not come up as expected, nothing waits for ever.
  QTimer::singleShot(5000, [] {
    if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  int answer = MessageBoxA(nullptr, Cp("Нет связи с Excel"), Cp("Ошибка!"), MB_OKCANCEL | MB_ICONWARNING);
  AnswerDialogsForTesting(true);
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(title, QString::fromUtf8("Ошибка!"));
  EXPECT_EQ(text, QString::fromUtf8("Нет связи с Excel"));
  EXPECT_EQ(icon, QMessageBox::Warning);
  EXPECT_EQ(parent, main);
  EXPECT_TRUE(AnsweredMessageBoxes().empty());
}

TEST_F(FormsTest, ShowModalEndsWhenAHandlerSetsTheModalResult) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  auto* dialog = NewForm<Dialog>(Application);
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isModal());
    QTest::mouseClick(dialog->closeButton, Qt::LeftButton);
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(dialog->ClientWidth(), 474);
  EXPECT_EQ(dialog->ClientHeight(), 273);

  // Closing the window ends it too, with mrCancel; it can be shown again.
  QTimer::singleShot(0, [&] { dialog->close(); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  dialog->Show();
  EXPECT_THROW(dialog->ShowModal(), Exception);
}
