#pragma once

#include "platform/forms/Vcl.h"
#include "settings/Settings.h"

// The about box: the maker's lines and a close button, shown modally by Help > About. Its
// texts are localised against its own copy of the settings.
class TfrmAboutForm : public TForm {
 public:
  explicit TfrmAboutForm(TComponent* Owner);

  TGroupBox* GroupBox1;
  TMemo* Memo1;
  TButton* ctrClose;

  void FormCreate(TObject* Sender);
  void ctrCloseClick(TObject* Sender);

  // Takes a copy and localises the texts again, the memo one line per "\n" pair.
  void SetSettings(const Settings& source);

 private:
  Settings settings;
};

extern TfrmAboutForm* frmAboutForm;
