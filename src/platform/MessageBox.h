#pragma once

#include <functional>
#include <vector>

#include "platform/AnsiString.h"

// The Windows message box, through a seam: the windows install a real dialog; without one
// (tests, programs without windows) every call is recorded and answered with IDOK.

constexpr unsigned MB_OK = 0x00000000;
constexpr unsigned MB_OKCANCEL = 0x00000001;
constexpr unsigned MB_YESNO = 0x00000004;
constexpr unsigned MB_ICONERROR = 0x00000010;
constexpr unsigned MB_ICONWARNING = 0x00000030;
constexpr unsigned MB_ICONINFORMATION = 0x00000040;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// Texts in the ANSI code page; owner is the window the box belongs to, or null.
int MessageBoxA(void* owner, const AnsiString& text, const AnsiString& caption, unsigned type);

struct MessageBoxCall {
  AnsiString text;
  AnsiString caption;
  unsigned type = 0;
};

using MessageBoxHandler = std::function<int(void* owner, const AnsiString& text, const AnsiString& caption,
                                            unsigned type)>;

// Installs the dialog that shows message boxes; an empty handler returns to recording.
void SetMessageBoxHandler(MessageBoxHandler handler);

// The calls recorded while no handler was installed.
const std::vector<MessageBoxCall>& RecordedMessageBoxes();
void ClearRecordedMessageBoxes();
