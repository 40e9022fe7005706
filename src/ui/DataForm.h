#pragma once

#include <functional>
#include <vector>

#include "data/ReportData.h"
#include "platform/forms/Vcl.h"
#include "report/IProgressHandler.h"
#include "report/Template.h"

// The window of one opened results file: a grid of its samples, a filter by sample id, the
// numbering check box and the print controls. It is the progress sink of its reports, on
// its gauge. Its owner is the main window, which it tells of its activation and closing.
class TfrmDataForm : public TForm, public IProgressHandler {
 public:
  TfrmDataForm(TComponent* Owner, std::vector<Template> templates, ReportData data);

  TStringGrid* ctrGrid;
  TPanel* ctrPanel;
  TPanel* Panel2;
  TEdit* ctrFilterText;
  TButton* ctrFilter;
  TButton* ctrResetFilter;
  TPanel* Panel3;
  TPanel* Panel4;
  TPanel* Panel5;
  TPanel* Panel6;
  TCGauge* ctrProgress;
  TPanel* Panel7;
  TCheckBox* ctrNCheck;
  TPanel* Panel1;
  TButton* ctrPrintAll;
  TComboBox* ctrTemplates;
  TButton* ctrPrint;
  TButton* ctrDown;

  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void ctrFilterClick(TObject* Sender);
  void ctrResetFilterClick(TObject* Sender);
  void ctrPrintClick(TObject* Sender);
  void ctrDownClick(TObject* Sender);
  void ctrTemplatesSelect(TObject* Sender);
  void ctrPrintAllClick(TObject* Sender);

  void SetupColumns();
  // Shows the samples whose id contains the filter text, all of them for an empty one.
  void FillGrid(const AnsiString& filter);
  // The key of the sample in each selected row, top to bottom; "" for the blank row.
  std::vector<AnsiString> GetSelectedIds() const;
  // Prints the selected rows with the template at the index; an index outside the list,
  // or a spreadsheet that cannot be started, prints nothing.
  void PrintTemplate(int index);
  void PrintAll();
  void Localize();

  // On the gauge. (The form's own SetPosition places the window.)
  using TForm::SetPosition;
  void SetPosition(float fraction) override;
  void Step() override;
  void Begin(int max) override;
  void End() override;

  AnsiString tabTitle;  // the data set's id, the title of the window's tab

  // The smallest client area at which the bottom panel shows every control whole, none over
  // another: its left and right panels, the "N п/п:" panel, room for the gauge's "100%" and
  // the panel's raised edge; and a few grid rows above it.
  static constexpr int kMinClientWidth = 312 + 48 + 53 + 177 + 2;
  static constexpr int kMinClientHeight = 5 * 20 + 34;

 private:
  AnsiString CellText(const AnsiString& key, const ItemData& sample) const;
  // A print with the busy cursor up and the gauge over the whole of it: the report's own
  // progress over its first part, the writing of the workbook over the rest, full only when
  // the workbook is complete.
  void RunPrint(const std::function<void()>& print);
  void ShowReportProgress();
  void ShowWriting(double done);

  static constexpr double kWriteShare = 0.4;
  bool printing = false;
  int reportProgress = 0;  // during a print: the progress that the report has set
  int writeFrom = -1;      // during a print: the gauge's progress when the writing began

  std::vector<Template> templates;
  ReportData data;
  AnsiString lastFilter;
  std::vector<AnsiString> rowKeys;  // the record key shown in each grid row from row 1
};

// The layout's form object; the main window makes the data windows and keeps them itself.
extern TfrmDataForm* frmDataForm;
