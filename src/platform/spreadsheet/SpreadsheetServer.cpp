#include "platform/spreadsheet/SpreadsheetServer.h"

#include "platform/automation/ProgIds.h"
#include "platform/spreadsheet/Application.h"

void RegisterSpreadsheetServer() {
  RegisterProgId(kSpreadsheetProgId, [] { return std::make_shared<spreadsheet::Application>(); });
}
