#pragma once

#include <QObject>
#include <vector>

#include "platform/MessageBox.h"
#include "platform/forms/Classes.h"

// The open dialog and the message box, with seams for tests.

class TOpenDialog : public QObject, public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner);

  // In the class library's form: "CSV|*.csv", descriptions and patterns alternating,
  // several patterns of one entry separated by ";".
  const AnsiString& Filter() const { return filter_; }
  void SetFilter(const AnsiString& filter) { filter_ = filter; }

  // The chosen file's full path, in the ANSI code page.
  const AnsiString& FileName() const { return fileName_; }

  // Shows the dialog; false when the user cancels. The dialog opens in the folder of the last
  // choice. A file whose name is not UTF-8, which Qt does not list, is chosen by typing its
  // name with U+FFFD for each such byte, or as its 1251 text.
  bool Execute();

 private:
  AnsiString filter_;
  AnsiString fileName_;
  QString folder_;
};

// The class library's filter in Qt's form: "CSV|*.csv" gives "CSV (*.csv)".
QString QtFileFilter(const AnsiString& filter);

// Puts the Qt message box behind MessageBoxA; Application->Initialize calls it.
void InstallMessageBoxDialog();

// Test seams. A queued answer is given instead of showing the next dialog; after
// AnswerDialogsForTesting(true) no dialog is ever shown: an open dialog without a queued
// answer is cancelled, and a message box without one is answered with its first button.
// Every message box answered so is recorded.
void AnswerDialogsForTesting(bool answer);
void SetNextOpenDialogFileName(const AnsiString& fileName);
void SetNextOpenDialogCancel();
void SetNextMessageBoxAnswer(int answer);
const std::vector<MessageBoxCall>& AnsweredMessageBoxes();
// Forgets queued answers and recorded boxes.
void ClearDialogSeams();
