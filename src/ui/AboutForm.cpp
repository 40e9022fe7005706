#include "ui/AboutForm.h"

#include "platform/ProgramText.h"
#include "strings/Strings.h"

TfrmAboutForm* frmAboutForm = nullptr;

TfrmAboutForm::TfrmAboutForm(TComponent* Owner) : TForm(Owner) {
  SetCaption(AnsiText("О программе"));
  SetBorderStyle(bsSingle);
  SetBorderIcons(biSystemMenu);
  SetPosition(poMainFormCenter);
  SetClientWidth(474);
  SetClientHeight(273);

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetParent(this);
  GroupBox1->SetBounds(1, 8, 473, 225);

  Memo1 = new TMemo(this);
  Memo1->SetParent(GroupBox1);
  Memo1->SetBounds(16, 16, 441, 193);
  Memo1->SetAlignment(taCenter);
  Memo1->SetColor(clBtnFace);
  Memo1->SetEnabled(false);
  Memo1->SetReadOnly(true);
  Memo1->SetFont(-19, true);
  Memo1->SetText(AnsiText(
      "Kelvarn\r\n"
      "Входной контроль молока\r\n"
      "на наличие антибиотиков\r\n"
      "с тест-наборами KD-VORANEX\r\n"
      "Версия 0.1\r\n"
      "Разработка: проект Kelvarn\r\n"
      "Свободно для лабораторий"));

  ctrClose = new TButton(this);
  ctrClose->SetParent(this);
  ctrClose->SetBounds(392, 240, 75, 25);
  ctrClose->SetCaption(AnsiText("Закрыть"));
  ctrClose->OnClick = Closure(this, &TfrmAboutForm::ctrCloseClick);

  OnCreate = Closure(this, &TfrmAboutForm::FormCreate);
}

void TfrmAboutForm::FormCreate(TObject*) {
  SetCaption(settings.GetLocalizedText("popup.about.caption", Caption()));
  Memo1->SetText(settings.GetLocalizedText("popup.about.text", Memo1->Text()));
  ctrClose->SetCaption(settings.GetLocalizedText("popup.about.close", ctrClose->Caption()));
}

void TfrmAboutForm::SetSettings(const Settings& source) {
  settings = source;
  SetCaption(settings.GetLocalizedText("popup.about.caption", Caption()));
  // A localised text holds its lines on one line of its file, separated by "\n" pairs.
  const AnsiString text = settings.GetLocalizedText("popup.about.text", Memo1->Text());
  Memo1->Lines->Clear();
  // Each line without the line break it may end in: adding it gives it one, and the text the
  // memo then reads back must not grow a blank line at every showing.
  for (const AnsiString& line : SplitByString(text, "\\n")) Memo1->Lines->Add(AnsiString(WithoutLineEnd(line)));
  ctrClose->SetCaption(settings.GetLocalizedText("popup.about.close", ctrClose->Caption()));
}

void TfrmAboutForm::ctrCloseClick(TObject*) { SetModalResult(mrOk); }
