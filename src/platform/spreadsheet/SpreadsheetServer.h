#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/AnsiString.h"

// The in-process spreadsheet server that stands in for Excel: "Excel.Application".
//
// Application: WorkBooks, WorkSheets(i) (the worksheets of the active workbook; one each),
//   Visible (true writes the active workbook as .xlsx and hands it to the desktop's opener).
// Workbooks: add (a new workbook that becomes the active one).
// Worksheet: Cells (the range of the whole sheet), Range(address), e.g. "B5:D5".
// Range: Item(row, column) relative to its first cell, Value, NumberFormat, WrapText,
//   ColumnWidth (0 to 255), RowHeight (0 to 409), Borders(7 to 10) for its outer edges,
//   Font.
// Border: LineStyle (Excel's constants). Font: Size (1 to 409), Bold.

constexpr const char* kSpreadsheetProgId = "Excel.Application";

// Registers the server under kSpreadsheetProgId (replacing what was registered there).
void RegisterSpreadsheetServer();

// While a workbook is written, the share done (0 to 1) is told to this function about ten
// times a second, on the thread that made the workbook visible, which waits meanwhile: an
// estimate by the time gone and the sheet's size, full only once the file is whole. An empty
// function tells nothing.
void SetWorkbookWriteProgress(std::function<void(double done)> progress);

// Openers that started and then failed (ended with a non-zero status or by a signal): the
// message for the user of each (Russian, naming the workbook, the opener and its status), oldest
// first; taking them empties the list. The openers are reaped on threads of their own, which
// queue a failure and then call the notifier, there and under the list's lock: the windows
// set one that only asks their own thread to take the messages.
std::vector<AnsiString> TakeOpenerFailures();
void SetOpenerFailureNotifier(std::function<void()> notifier);

// Test seams. How many openers of this run are still running.
int RunningOpeners();
// Workbooks go into this folder (a system path, UTF-8; it must exist) instead of
// the run's private one; an empty path returns to that.
void SetWorkbookFolderForTesting(const std::string& systemPath);

// The system path (UTF-8) of the workbook file written last in this run; empty before the
// first. Set once the file is written, also when its opener then fails to start.
std::string LastWrittenWorkbookSystemPath();
