#pragma once

#include <vector>

#include "data/ReportData.h"
#include "platform/forms/Vcl.h"
#include "report/Template.h"
#include "settings/Settings.h"

class TfrmDataForm;

// The main window: an MDI frame that holds one data window per opened results file, mirrored
// one to one by its tab bar, with the loaded settings and the report templates.
class TfrmMDIMainForm : public TForm {
 public:
  explicit TfrmMDIMainForm(TComponent* Owner);
  ~TfrmMDIMainForm() override;

  TMainMenu* ctrMainMenu;
  TMenuItem* mnFile;
  TMenuItem* mnHelp;
  TMenuItem* mnAbout;
  TMenuItem* mnExit;
  TMenuItem* N1;
  TMenuItem* mnOpen;
  TTabControl* ctrTabs;
  TStatusBar* ctrStatus;
  TOpenDialog* ctrOpenFile;
  TMenuItem* mnPrintAll;
  TMenuItem* N2;

  void FormCreate(TObject* Sender);
  void mnExitClick(TObject* Sender);
  void mnOpenClick(TObject* Sender);
  void ctrTabsChange(TObject* Sender);
  void mnAboutClick(TObject* Sender);
  void mnPrintAllClick(TObject* Sender);

  // A data window's activation: brings it to the front, selects its tab and shows its
  // caption in the status bar. A window that is not listed changes nothing.
  void SelectChild(TfrmDataForm* form);
  // A data window's closing: it leaves the list and the tabs are rebuilt.
  void RemoveChild(TfrmDataForm* form);

  const std::vector<TfrmDataForm*>& DataForms() const { return dataForms; }
  const std::vector<Template>& Templates() const { return templates; }
  const Settings& GetSettings() const { return settings; }

 private:
  void LoadTemplates();
  std::vector<AnsiString> ListFiles(const AnsiString& pattern);
  bool AddTemplate(const AnsiString& path);
  void Localize();
  void UpdateTabs();
  TfrmDataForm* FindChild(const AnsiString& path);
  void OpenChild(ReportData data);

  std::vector<TfrmDataForm*> dataForms;  // in the order opened; tab i is window i
  std::vector<Template> templates;       // in listing order; the first one is File > Print's
  Settings settings;
};

extern TfrmMDIMainForm* frmMDIMainForm;
