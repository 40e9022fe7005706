#pragma once

#include <string>

#include "platform/AnsiString.h"

namespace spreadsheet {

// What the user reads when a workbook cannot be written or no program opens it: Russian, in
// the ANSI code page, naming the file and what to do. Paths are system paths (UTF-8).

// The run's folder for workbooks cannot be made; error is the errno of the attempt.
AnsiString FolderNotMadeMessage(const std::string& fileName, const std::string& folder, int error);
// The workbook's file cannot be written, for the reason given (the writer's own words).
AnsiString WorkbookNotWrittenMessage(const std::string& path, const std::string& reason);
// The workbook is written but its opener could not start (error is the spawn's errno).
AnsiString OpenerNotStartedMessage(const std::string& path, const std::string& opener, int error);
// The workbook is written but its opener ended with a non-zero status, or by a signal: a wait
// status as waitpid gives it.
AnsiString OpenerFailedMessage(const std::string& path, const std::string& opener, int waitStatus);

}  // namespace spreadsheet
