#include "platform/automation/InstalledServers.h"

#include "platform/spreadsheet/SpreadsheetServer.h"

void RegisterInstalledServers() { RegisterSpreadsheetServer(); }
