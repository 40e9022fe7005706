#include "ui/MDIMainForm.h"

#include <QMdiArea>
#include <algorithm>

#include "logger/Logger.h"
#include "platform/Directory.h"
#include "platform/ProgramText.h"
#include "ui/AboutForm.h"
#include "ui/DataForm.h"

TfrmMDIMainForm* frmMDIMainForm = nullptr;

namespace {

TMenuItem* MenuItem(TComponent* owner, const char* utf8Caption, const char* shortCut, TNotifyEvent onClick) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(AnsiText(utf8Caption));
  if (*shortCut != '\0') item->SetShortCut(shortCut);
  item->OnClick = std::move(onClick);
  return item;
}

}  // namespace

TfrmMDIMainForm::TfrmMDIMainForm(TComponent* Owner) : TForm(Owner, fsMDIForm) {
  SetCaption(AnsiText("Kelvarn — входной контроль молока на антибиотики"));
  SetPosition(poScreenCenter);
  SetBounds(0, 0, 965, 571);

  ctrMainMenu = new TMainMenu(this);
  mnFile = MenuItem(this, "&Файл", "", {});
  mnHelp = MenuItem(this, "&Помощь", "", {});
  mnAbout = MenuItem(this, "&О программе...", "Ctrl+A", Closure(this, &TfrmMDIMainForm::mnAboutClick));
  mnExit = MenuItem(this, "&Выход", "Ctrl+Q", Closure(this, &TfrmMDIMainForm::mnExitClick));
  N1 = MenuItem(this, "-", "", {});
  mnOpen = MenuItem(this, "&Открыть документ...", "Ctrl+O", Closure(this, &TfrmMDIMainForm::mnOpenClick));

  ctrTabs = new TTabControl(this);
  ctrTabs->SetParent(this);
  ctrTabs->SetHeight(24);
  ctrTabs->SetAlign(alTop);
  ctrTabs->Hide();
  ctrTabs->OnChange = Closure(this, &TfrmMDIMainForm::ctrTabsChange);

  ctrStatus = new TStatusBar(this);
  ctrStatus->SetParent(this);
  ctrStatus->SetHeight(19);
  ctrStatus->Panels->Add()->SetWidth(200);
  ctrStatus->Panels->Add()->SetWidth(50);

  ctrOpenFile = new TOpenDialog(this);
  ctrOpenFile->SetFilter("CSV|*.csv");

  mnPrintAll = MenuItem(this, "&Печать...", "Ctrl+P", Closure(this, &TfrmMDIMainForm::mnPrintAllClick));
  mnPrintAll->SetEnabled(false);
  N2 = MenuItem(this, "-", "", {});

  ctrMainMenu->Items->Add(mnFile);
  ctrMainMenu->Items->Add(mnHelp);
  for (TMenuItem* item : {mnOpen, N2, mnPrintAll, N1, mnExit}) mnFile->Add(item);
  mnHelp->Add(mnAbout);
  SetMenu(ctrMainMenu);
  // However small the user makes it, a maximised data window shows its bottom panel whole.
  const int mdiFrame = 2 * MdiArea()->frameWidth();
  SetMinClientSize(TfrmDataForm::kMinClientWidth + mdiFrame,
                   ctrTabs->Height() + TfrmDataForm::kMinClientHeight + mdiFrame + ctrStatus->Height());

  OnCreate = Closure(this, &TfrmMDIMainForm::FormCreate);

  Log("start application", 0);
}

TfrmMDIMainForm::~TfrmMDIMainForm() {
  // The members go before the layer frees the data windows: nothing may reach them then.
  BeginDestroy();
}

void TfrmMDIMainForm::FormCreate(TObject*) {
  LoadTemplates();
  settings.Load();
  Localize();
  ctrStatus->Panels->Items(0)->SetText(settings.GetName());
}

void TfrmMDIMainForm::LoadTemplates() {
  const AnsiString folder = GetProgramDir() + "templates/";
  for (const AnsiString& name : ListFiles(folder + "*.txt")) AddTemplate(folder + name);
}

std::vector<AnsiString> TfrmMDIMainForm::ListFiles(const AnsiString& pattern) {
  std::vector<AnsiString> names;
  for (const DirectoryEntry& entry : ListDirectory(pattern))
    if (!entry.directory) names.push_back(entry.name);
  return names;
}

bool TfrmMDIMainForm::AddTemplate(const AnsiString& path) {
  Template loaded;
  if (!loaded.Load(path)) return false;
  templates.push_back(std::move(loaded));
  return true;
}

void TfrmMDIMainForm::Localize() {
  SetCaption(settings.GetLocalizedText("popup.main.caption", Caption()));
  const std::pair<TMenuItem*, const char*> items[] = {
      {mnFile, "menu.file"},          {mnHelp, "menu.help"},          {mnOpen, "menu.file.open"},
      {mnPrintAll, "menu.file.print"}, {mnExit, "menu.file.exit"}, {mnAbout, "menu.help.about"},
  };
  for (const auto& [item, key] : items) item->SetCaption(settings.GetLocalizedText(key, item->Caption()));
}

void TfrmMDIMainForm::UpdateTabs() {
  ctrTabs->Tabs->Clear();
  for (TfrmDataForm* form : dataForms) ctrTabs->Tabs->Add(form->tabTitle);
  ctrTabs->SetVisible(ctrTabs->Tabs->Count() >= 1);
  mnPrintAll->SetEnabled(ctrTabs->Visible());
}

void TfrmMDIMainForm::SelectChild(TfrmDataForm* form) {
  auto found = std::find(dataForms.begin(), dataForms.end(), form);
  if (found == dataForms.end()) return;
  const int index = static_cast<int>(found - dataForms.begin());
  // Activates the window, whose activation handler comes back here with it.
  form->BringToFront();
  ctrTabs->SetTabIndex(index);
  ctrStatus->Panels->Items(1)->SetText(form->Caption());
}

void TfrmMDIMainForm::RemoveChild(TfrmDataForm* form) {
  auto found = std::find(dataForms.begin(), dataForms.end(), form);
  if (found == dataForms.end()) return;
  dataForms.erase(found);
  UpdateTabs();
}

void TfrmMDIMainForm::ctrTabsChange(TObject*) {
  const int index = ctrTabs->TabIndex();
  if (index < 0 || index >= static_cast<int>(dataForms.size())) return;
  TfrmDataForm* form = dataForms[static_cast<size_t>(index)];
  form->BringToFront();
  ctrStatus->Panels->Items(1)->SetText(form->Caption());
}

void TfrmMDIMainForm::mnOpenClick(TObject*) {
  if (!ctrOpenFile->Execute()) return;
  const AnsiString path = ctrOpenFile->FileName();
  if (TfrmDataForm* open = FindChild(path)) {
    SelectChild(open);
    return;
  }
  TBusyCursor busy;
  Log("open report", 0);
  ReportData data(settings);
  if (data.Load(path)) OpenChild(std::move(data));
}

TfrmDataForm* TfrmMDIMainForm::FindChild(const AnsiString& path) {
  for (TfrmDataForm* form : dataForms)
    if (form->Caption() == path) return form;
  return nullptr;
}

void TfrmMDIMainForm::OpenChild(ReportData data) {
  auto* form = NewForm<TfrmDataForm>(this, templates, std::move(data));
  form->SetWindowState(wsMaximized);
  form->Show();
  // Its activation came before it was listed and found nothing: its tab is selected here.
  dataForms.push_back(form);
  UpdateTabs();
  ctrTabs->SetTabIndex(ctrTabs->Tabs->Count() - 1);
  ctrStatus->Panels->Items(1)->SetText(form->Caption());
}

void TfrmMDIMainForm::mnAboutClick(TObject*) {
  if (frmAboutForm == nullptr) return;
  frmAboutForm->SetSettings(settings);
  frmAboutForm->ShowModal();
}

void TfrmMDIMainForm::mnPrintAllClick(TObject*) {
  const int index = ctrTabs->TabIndex();
  if (index < 0 || index >= static_cast<int>(dataForms.size())) return;
  dataForms[static_cast<size_t>(index)]->PrintTemplate(0);
}

void TfrmMDIMainForm::mnExitClick(TObject*) { Close(); }
