#pragma once

#include <string>

#include "platform/AnsiString.h"
#include "platform/spreadsheet/XlsxCheck.h"

namespace spreadsheet {

// What the user reads when a workbook cannot be written or no program opens it: Russian, in
// the ANSI code page, naming the file and what to do. Paths are system paths (UTF-8).

// A system error (an errno) in the user's words: the ones met when a file is written in
// Russian, the rest as the system words them.
AnsiString SystemErrorText(int error);

// The run's folder for workbooks cannot be made in the folder for temporary files (TMPDIR
// when the environment names one, else /tmp); error is the errno of the attempt.
AnsiString FolderNotMadeMessage(const std::string& fileName, const std::string& temporaryFolder, bool fromTmpdir,
                                int error);
// The workbook's file cannot be written: error is the errno of the failing operation, or 0;
// reason is libxlsxwriter's own text, or empty. Each is told where given.
AnsiString WorkbookNotWrittenMessage(const std::string& path, int error, const std::string& reason);
// The workbook was written, but reading it back found it not whole (what the sheet holds
// compared with what was handed over); error is why the write had no room, or 0 when that
// is not known.
AnsiString WorkbookIncompleteMessage(const std::string& path, int error, const PackageFault& fault,
                                     const SheetContent& handed);
// The workbook is written but its opener could not start (error is the spawn's errno).
AnsiString OpenerNotStartedMessage(const std::string& path, const std::string& opener, int error);
// The workbook is written but its opener ended with a non-zero status, or by a signal: a wait
// status as waitpid gives it.
AnsiString OpenerFailedMessage(const std::string& path, const std::string& opener, int waitStatus);

}  // namespace spreadsheet
