#include "ui/WinMain.h"

#include "platform/forms/Forms.h"
#include "ui/AboutForm.h"
#include "ui/MDIMainForm.h"
#include "ui/MainForm.h"

void StartApplication() {
  Application->Initialize();
  Application->CreateForm(frmMDIMainForm);
  Application->CreateForm(MainForm);
  Application->CreateForm(frmAboutForm);
}

int WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    StartApplication();
    Application->Run();
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return 0;
}
