#include "WorkbookOutput.h"

#include <cstdlib>

#include "platform/spreadsheet/SpreadsheetServer.h"

WorkbookOutput::WorkbookOutput(const std::string& opener) {
  SetWorkbookFolderForTesting(dir_.Dir());
  setenv("KELVARN_OPENER", opener.c_str(), 1);
}

WorkbookOutput::~WorkbookOutput() {
  SetWorkbookFolderForTesting("");
  setenv("KELVARN_OPENER", "/bin/true", 1);
}
