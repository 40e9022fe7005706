#include "ui/DataForm.h"

#include <algorithm>

#include "excel/ExcelHelper.h"
#include "platform/CodePages.h"
#include "platform/ProgramText.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "report/FullReport.h"
#include "report/TemplateReport.h"
#include "strings/Strings.h"
#include "ui/MDIMainForm.h"

TfrmDataForm* frmDataForm = nullptr;

namespace {

TButton* NewButton(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
                   const AnsiString& caption, TNotifyEvent onClick) {
  auto* button = new TButton(owner);
  button->SetParent(parent);
  button->SetBounds(left, top, width, height);
  button->SetCaption(caption);
  button->OnClick = std::move(onClick);
  return button;
}

}  // namespace

TfrmDataForm::TfrmDataForm(TComponent* Owner, std::vector<Template> templates, ReportData data)
    : TForm(Owner, fsMDIChild), templates(std::move(templates)), data(std::move(data)) {
  SetCaption("frmDataForm");
  TForm::SetPosition(poDefault);
  SetBounds(0, 0, 800, 465);

  ctrGrid = new TStringGrid(this);
  ctrGrid->SetParent(this);
  ctrGrid->SetAlign(alClient);
  ctrGrid->SetDefaultColWidth(60);
  ctrGrid->SetDefaultRowHeight(20);
  ctrGrid->SetColCount(11);
  const int designWidths[] = {60, 140, 43, 87, 86, 86, 76, 74, 115, 81, 141};
  for (int col = 0; col < 11; ++col) ctrGrid->ColWidths[col] = designWidths[col];

  ctrPanel = NewAlignedPanel(this, this, alBottom, 34, bvRaised);
  Panel2 = NewAlignedPanel(this, ctrPanel, alLeft, 312);
  ctrFilterText = new TEdit(this);
  ctrFilterText->SetParent(Panel2);
  ctrFilterText->SetBounds(7, 5, 138, 21);
  ctrFilter = NewButton(this, Panel2, 147, 3, 94, 25, AnsiText("Отфильтровать"),
                        Closure(this, &TfrmDataForm::ctrFilterClick));
  ctrResetFilter =
      NewButton(this, Panel2, 240, 3, 59, 25, AnsiText("Сброс"), Closure(this, &TfrmDataForm::ctrResetFilterClick));

  Panel3 = NewAlignedPanel(this, ctrPanel, alClient, 0);
  Panel4 = NewAlignedPanel(this, Panel3, alTop, 5);
  Panel5 = NewAlignedPanel(this, Panel3, alBottom, 5);
  Panel6 = NewAlignedPanel(this, Panel3, alClient, 0);
  ctrProgress = new TCGauge(this);
  ctrProgress->SetParent(Panel6);
  ctrProgress->SetAlign(alClient);
  ctrProgress->Hide();
  Panel7 = NewAlignedPanel(this, Panel6, alRight, 53, bvRaised);
  Panel7->SetAlignment(taRightJustify);
  ctrNCheck = new TCheckBox(this);
  ctrNCheck->SetParent(Panel7);
  ctrNCheck->SetBounds(1, 2, 49, 17);
  ctrNCheck->SetAlignment(taLeftJustify);
  ctrNCheck->SetCaption(AnsiText("N п/п:"));

  // The print button and "v" lie over the combo box: together a split button whose list
  // is the combo box's.
  Panel1 = NewAlignedPanel(this, ctrPanel, alRight, 177);
  ctrPrintAll = NewButton(this, Panel1, 120, 3, 51, 25, "Print all", Closure(this, &TfrmDataForm::ctrPrintAllClick));
  ctrPrintAll->Hide();
  ctrTemplates = new TComboBox(this);
  ctrTemplates->SetParent(Panel1);
  ctrTemplates->SetBounds(8, 8, 161, 21);
  ctrTemplates->SetText("ctrTemplates");
  ctrTemplates->OnSelect = Closure(this, &TfrmDataForm::ctrTemplatesSelect);
  // Seen only through its opened list: with the focus, an arrow key would print unseen.
  ctrTemplates->SetTabStop(false);
  ctrPrint = NewButton(this, Panel1, 8, 3, 145, 25, "Print choosen", Closure(this, &TfrmDataForm::ctrPrintClick));
  ctrDown = NewButton(this, Panel1, 152, 3, 17, 25, "v", Closure(this, &TfrmDataForm::ctrDownClick));
  ctrPrint->SetTabOrder(1);

  OnActivate = Closure(this, &TfrmDataForm::FormActivate);
  OnClose = Closure(this, &TfrmDataForm::FormClose);
  OnCreate = Closure(this, &TfrmDataForm::FormCreate);

  tabTitle = this->data.id;
  if (this->templates.empty()) {
    ctrTemplates->SetEnabled(false);
    ctrDown->SetEnabled(false);
    ctrPrint->SetEnabled(false);
  } else {
    for (const Template& t : this->templates) ctrTemplates->Items->Add(t.title);
    ctrPrint->SetCaption(this->templates.front().title);
    if (this->templates.size() == 1) {
      ctrDown->SetEnabled(false);
      ctrTemplates->SetEnabled(false);
    }
  }
  SetCaption(this->data.GetCaption());
}

void TfrmDataForm::FormCreate(TObject*) {
  SetupColumns();
  FillGrid("");
  Localize();
}

void TfrmDataForm::FormActivate(TObject*) {
  if (auto* main = dynamic_cast<TfrmMDIMainForm*>(Owner())) main->SelectChild(this);
}

void TfrmDataForm::FormClose(TObject*, TCloseAction& Action) {
  if (auto* main = dynamic_cast<TfrmMDIMainForm*>(Owner())) main->RemoveChild(this);
  Action = caFree;
}

void TfrmDataForm::SetupColumns() {
  const std::vector<GridColumnData>& columns = data.settings.gridColumns;
  // The grid keeps at least its fixed column.
  ctrGrid->SetColCount(static_cast<int>(columns.size()));
  for (size_t i = 0; i < columns.size() && i < static_cast<size_t>(ctrGrid->ColCount()); ++i) {
    const int col = static_cast<int>(i);
    ctrGrid->Cells[col][0] = WideToAnsi(Utf8ToWide(columns[i].caption));
    ctrGrid->ColWidths[col] = columns[i].width;
  }
}

AnsiString TfrmDataForm::CellText(const AnsiString& key, const ItemData& sample) const {
  if (key == "{num}") return sample.id;
  if (key == "{provider}") return data.GetProviderName(sample.provider);
  if (key == "{ttn}") return AnsiString();
  if (key == "{datetime}") return sample.time;
  if (key == "{notes}") return sample.notes;
  return data.settings.GetResultMark(sample.GetMedsResult(key));
}

void TfrmDataForm::FillGrid(const AnsiString& filter) {
  lastFilter = ctrFilterText->Text();
  const std::vector<GridColumnData>& columns = data.settings.gridColumns;
  const int colCount = std::min(static_cast<int>(columns.size()), ctrGrid->ColCount());

  rowKeys.clear();
  ctrGrid->SetRowCount(2);
  for (int col = 0; col < ctrGrid->ColCount(); ++col) ctrGrid->Cells[col][1] = "";
  int row = 1;
  for (const auto& [key, sample] : data.records) {
    if (!filter.empty() && sample.id.find(filter) == AnsiString::npos) continue;
    for (int col = 0; col < colCount; ++col)
      ctrGrid->Cells[col][row] = CellText(columns[static_cast<size_t>(col)].key, sample);
    rowKeys.push_back(key);
    ++row;
  }
  // Once, at the end: every change of the row count starts the selection again at row 1.
  ctrGrid->SetRowCount(row);
}

std::vector<AnsiString> TfrmDataForm::GetSelectedIds() const {
  std::vector<AnsiString> ids;
  const TGridRect selection = ctrGrid->Selection();
  for (int row = selection.Top; row <= selection.Bottom; ++row) {
    const auto index = static_cast<size_t>(row - 1);
    ids.push_back(row >= 1 && index < rowKeys.size() ? rowKeys[index] : AnsiString());
  }
  return ids;
}

void TfrmDataForm::ctrFilterClick(TObject*) {
  if (ctrFilterText->Text() != lastFilter) FillGrid(ctrFilterText->Text());
}

void TfrmDataForm::ctrResetFilterClick(TObject* Sender) {
  ctrFilterText->SetText("");
  ctrFilterClick(Sender);
}

void TfrmDataForm::ctrPrintClick(TObject*) { PrintTemplate(0); }

void TfrmDataForm::ctrDownClick(TObject*) { ctrTemplates->SetDroppedDown(true); }

void TfrmDataForm::ctrTemplatesSelect(TObject*) { PrintTemplate(ctrTemplates->ItemIndex()); }

void TfrmDataForm::ctrPrintAllClick(TObject*) { PrintAll(); }

void TfrmDataForm::PrintTemplate(int index) {
  if (index < 0 || index >= static_cast<int>(templates.size())) return;
  RunPrint([&] {
    ExcelHelper excel;
    if (!excel.Open()) return;
    const bool numbered = ctrNCheck->Checked();
    const std::vector<AnsiString> ids = GetSelectedIds();
    TemplateReport report(&templates[static_cast<size_t>(index)], &data, ids, numbered);
    report.Build(&excel, this);
    excel.Show();
  });
}

void TfrmDataForm::PrintAll() {
  RunPrint([&] {
    ExcelHelper excel;
    FullReport report(data);
    report.Build(&excel, this);
  });
}

void TfrmDataForm::RunPrint(const std::function<void()>& print) {
  TBusyCursor busy;
  printing = true;
  writeFrom = -1;
  SetWorkbookWriteProgress([this](double done) { ShowWriting(done); });
  // Whatever fails, the gauge does not stay on screen; the exception box shows the rest.
  struct Finish {
    TfrmDataForm& form;
    ~Finish() {
      SetWorkbookWriteProgress({});
      form.printing = false;
      form.End();
    }
  } finish{*this};
  print();
  if (ctrProgress->Visible()) ctrProgress->SetProgress(ctrProgress->MaxValue());
}

void TfrmDataForm::ShowReportProgress() {
  const int min = ctrProgress->MinValue();
  ctrProgress->SetProgress(min + static_cast<int>((static_cast<double>(reportProgress) - min) * (1 - kWriteShare)));
}

void TfrmDataForm::ShowWriting(double done) {
  if (writeFrom < 0) writeFrom = ctrProgress->Progress();
  const double rest = static_cast<double>(ctrProgress->MaxValue()) - writeFrom;
  ctrProgress->SetProgress(writeFrom + static_cast<int>(rest * std::clamp(done, 0.0, 1.0)));
}

void TfrmDataForm::Localize() {
  const std::pair<TControl*, const char*> controls[] = {
      {ctrFilter, "popup.data.filter"},
      {ctrResetFilter, "popup.data.reset"},
      {ctrNCheck, "popup.data.n"},
      {ctrPrint, "popup.data.print"},
  };
  for (const auto& [control, key] : controls)
    control->SetCaption(data.settings.GetLocalizedText(key, control->Caption()));
}

void TfrmDataForm::SetPosition(float fraction) {
  if (!printing) {
    ctrProgress->SetProgress(FractionToPercent(fraction));
    return;
  }
  reportProgress = std::clamp(FractionToPercent(fraction), ctrProgress->MinValue(), ctrProgress->MaxValue());
  ShowReportProgress();
}

void TfrmDataForm::Step() {
  if (!printing) {
    ctrProgress->AddProgress(1);
    return;
  }
  if (reportProgress < ctrProgress->MaxValue()) ++reportProgress;
  ShowReportProgress();
}

void TfrmDataForm::Begin(int max) {
  ctrProgress->Show();
  ctrProgress->SetMinValue(0);
  ctrProgress->SetMaxValue(max);
  ctrProgress->SetProgress(0);
  reportProgress = ctrProgress->Progress();
}

// During a print the writing of the workbook follows the report's end: the print hides it.
void TfrmDataForm::End() {
  if (!printing) ctrProgress->Hide();
}
