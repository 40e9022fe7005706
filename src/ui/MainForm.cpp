#include "ui/MainForm.h"

#include "platform/MessageBox.h"
#include "platform/ProgramText.h"
#include "platform/TextFile.h"
#include "platform/automation/ProgIds.h"
#include "settings/Settings.h"

TMainForm* MainForm = nullptr;

TMainForm::TMainForm(TComponent* Owner) : TForm(Owner) {
  SetCaption("Kelvarn: KD-VORANEX");
  SetBorderStyle(bsDialog);
  SetBorderIcons(biSystemMenu);
  SetClientWidth(486);
  SetClientHeight(295);

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(8, 8, 473, 281);

  Memo1 = new TMemo(this);
  Memo1->SetParent(GroupBox1);
  Memo1->SetBounds(40, 16, 393, 153);
  Memo1->SetAlignment(taCenter);
  Memo1->SetColor(clBtnFace);
  Memo1->SetFont(-19, true);
  Memo1->SetText(AnsiText(
      "Kelvarn\r\n"
      "Входной контроль молока\r\n"
      "на наличие антибиотиков\r\n"
      "Разработка: проект Kelvarn\r\n"
      "Адрес: не указан\r\n"
      "Телефон: не указан"));

  ctrOpen = new TButton(this);
  ctrOpen->SetParent(GroupBox1);
  ctrOpen->SetBounds(40, 176, 393, 97);
  ctrOpen->SetFont(-13, true);
  ctrOpen->SetCaption(AnsiText("Открыть файл результатов"));
  ctrOpen->OnClick = Closure(this, &TMainForm::ctrOpenClick);

  ctrLoadingLbl = new TLabel(this);
  ctrLoadingLbl->SetParent(GroupBox1);
  ctrLoadingLbl->SetBounds(40, 184, 393, 33);
  ctrLoadingLbl->SetAlignment(taCenter);
  ctrLoadingLbl->SetFont(-16, true);
  ctrLoadingLbl->SetCaption(AnsiText("Загрузка..."));
  ctrLoadingLbl->Hide();

  ctrLoading = new TCGauge(this);
  ctrLoading->SetParent(GroupBox1);
  ctrLoading->SetBounds(40, 216, 393, 49);
  ctrLoading->Hide();

  ctrOpenFile = new TOpenDialog(this);
  ctrOpenFile->SetFilter("CSV|*.csv");

  LoadName();
  LoadDictionary();
}

// The same files and rules as the program's configuration.
void TMainForm::LoadName() {
  Settings files;
  files.LoadName();
  name = files.name;
}

void TMainForm::LoadDictionary() {
  Settings files;
  files.LoadDictionary();
  dictionary = files.dictionary;
}

void TMainForm::ctrOpenClick(TObject*) {
  if (!ctrOpenFile->Execute()) return;
  ShowBusy();
  try {
    records.clear();
    ReadFile(ctrOpenFile->FileName());
    StartExcel();
    FillReport();
    ShowExcel();
  } catch (...) {
    // A workbook that cannot be shown goes to the exception box; the busy display goes.
    ShowIdle();
    throw;
  }
  ShowIdle();
}

void TMainForm::ShowBusy() {
  ctrOpen->Hide();
  ctrLoading->Show();
  ctrLoadingLbl->Show();
  ctrLoading->SetMinValue(0);
  ctrLoading->SetMaxValue(0);
  ctrLoading->SetProgress(0);
}

void TMainForm::ReadFile(const AnsiString& path) {
  TextFile file;
  if (!file.Open(path)) return;
  AnsiString line;
  bool header = true;
  while (file.ReadLine(line, 2048)) {
    if (header) {
      header = false;
      continue;
    }
    ParseLine(line);
  }
}

void TMainForm::ParseLine(const AnsiString&) {}

void TMainForm::StartExcel() {
  try {
    app = GetActiveObject("Excel.Application");
  } catch (...) {
    try {
      app = CreateObject("Excel.Application");
    } catch (...) {
      MessageBoxA(nullptr, "Can't setup excel application", "Error", MB_OK | MB_ICONERROR);
    }
  }
  try {
    app.GetProperty("WorkBooks").CallMethod("add");
    sheet = app.GetProperty("WorkSheets", 1);
  } catch (...) {
    MessageBoxA(nullptr, "Can't run excel application", "Error", MB_OK | MB_ICONERROR);
  }
}

void TMainForm::FillReport() {}

void TMainForm::ShowExcel() {
  if (!app.IsEmpty()) app.SetProperty("Visible", true);
}

void TMainForm::ShowIdle() {
  ctrOpen->Show();
  ctrLoading->Hide();
  ctrLoadingLbl->Hide();
}
