#pragma once

#include <map>

#include "data/ItemData.h"
#include "platform/automation/Variant.h"
#include "platform/forms/Vcl.h"

// The single-window form of an earlier version: one button that reads a results file and
// starts the spreadsheet. Start-up still creates it, hidden, and nothing shows it; making it
// reads "name.txt" and "dictionary.txt" into members of its own, which nothing else reads.
class TMainForm : public TForm {
 public:
  explicit TMainForm(TComponent* Owner);

  TGroupBox* GroupBox1;
  TMemo* Memo1;
  TButton* ctrOpen;
  TLabel* ctrLoadingLbl;
  TCGauge* ctrLoading;
  TOpenDialog* ctrOpenFile;

  void ctrOpenClick(TObject* Sender);

  const Variant& App() const { return app; }
  const Variant& Sheet() const { return sheet; }
  const AnsiString& GetName() const { return name; }
  const std::map<AnsiString, AnsiString>& GetDictionary() const { return dictionary; }

 private:
  void LoadName();
  void LoadDictionary();
  void ShowBusy();
  void ReadFile(const AnsiString& path);
  void ParseLine(const AnsiString& line);
  void StartExcel();
  void FillReport();
  void ShowExcel();
  void ShowIdle();

  Variant app;    // the spreadsheet application; empty until the button runs
  Variant sheet;  // worksheet 1 of the workbook the button adds
  AnsiString name;  // the first line of "name.txt", line break included
  std::map<AnsiString, ItemData> records;  // cleared by the button, never filled
  std::map<AnsiString, AnsiString> dictionary;
};

extern TMainForm* MainForm;
