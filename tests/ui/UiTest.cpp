#include "UiTest.h"

#include <QAbstractItemView>
#include <sstream>

#include "ui/AboutForm.h"
#include "ui/MainForm.h"

void UiTest::TearDown() {
  FormsTest::TearDown();
  frmMDIMainForm = nullptr;
  MainForm = nullptr;
  frmAboutForm = nullptr;
  main = nullptr;
}

void UiTest::WriteSettings(const std::string& gridColumnsUtf8) const {
  dir.Write("settings.txt",
            "codepages=65001\n"
            "Позитив,Positive\n"
            "Негатив,Negative\n" +
                gridColumnsUtf8 +
                "\n"
                "{id},0,{provider},1,{time},2,{notes},3,{lot},4,{ename},5,{eresult},6,{evalue},7\n"
                "TCS,{tcs}=Тетрациклины\n"
                "CAP,{cap}=Хлорамфеникол\n");
}

void UiTest::WriteConfig() const {
  WriteSettings(
      "{num},Номер пробы,70;{provider},Поставщик,160;{tcs},Тетрациклины,87;{cap},Хлорамфеникол,86;"
      "{datetime},Время,141;{notes},Примечания,100;{ttn},ТТН,40");
  dir.Write("dictionary.txt", Cp("P01,Ферма «Луговая»\nP02,Хозяйство «Заречное»\n"));
  dir.Write("name.txt", Cp("Лаборатория входного контроля\n"));
}

void UiTest::WriteTemplate(const std::string& fileName, const std::string& title, const std::string& commands) const {
  dir.Write("templates/" + fileName, Cp(("code," + title + "\n" + commands).c_str()));
}

std::string UiTest::WriteResults(const std::string& name, const std::vector<std::string>& lines) const {
  std::string text = "Номер,Поставщик,Время,Примечание,Партия,Элемент,Результат,Значение\n";
  for (const std::string& line : lines) text += line + "\n";
  dir.Write(name, text);
  return dir.Path(name);
}

std::string UiTest::WriteThreeSamples(const std::string& name) const {
  return WriteResults(name, {
                                "112,P01,2026.12.09 06:00:00,первая,20261208-01,TCS,Негатив,0.1",
                                "112,P01,2026.12.09 06:00:00,первая,20261208-01,CAP,Позитив,0.8",
                                "120,P02,2026.12.09 07:00:00,,20261208-02,TCS,Позитив,0.9",
                                "21,P09,2026.12.09 05:00:00,,20261208-03,TCS,Сомнительно,0.4",
                            });
}

TfrmMDIMainForm* UiTest::StartMainWindow() {
  Application->CreateForm(frmMDIMainForm);
  main = frmMDIMainForm;
  main->Show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(main));
  return main;
}

TfrmDataForm* UiTest::Open(const std::string& path) {
  SetNextOpenDialogFileName(FromSystemPath(path));
  main->mnOpen->trigger();
  FinishEvents();
  return Active();
}

TfrmDataForm* UiTest::Active() const { return dynamic_cast<TfrmDataForm*>(main->ActiveMDIChild()); }

void UiTest::ClickTab(TTabControl* tabs, int index) {
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
  FinishEvents();
}

void UiTest::ClickRow(TStringGrid* grid, int row, Qt::KeyboardModifiers modifiers) {
  QRect cell = grid->visualRect(grid->model()->index(row - 1, 0));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, cell.center());
}

void UiTest::Click(QWidget* button) { QTest::mouseClick(button, Qt::LeftButton); }

void UiTest::Choose(TComboBox* combo, int index) {
  QAbstractItemView* list = combo->view();
  list->setCurrentIndex(list->model()->index(index, 0));
  QTest::keyClick(list, Qt::Key_Return);
}

std::vector<AnsiString> UiTest::Column(const TStringGrid* grid, int col) {
  std::vector<AnsiString> cells;
  for (int row = 1; row < grid->RowCount(); ++row) cells.push_back(grid->Cells[col][row]);
  return cells;
}

std::vector<std::string> UiTest::LogLines() const {
  std::vector<std::string> lines;
  std::istringstream in(dir.Read("logs.txt"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}
