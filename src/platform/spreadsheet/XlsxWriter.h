#pragma once

#include <string>

#include "platform/spreadsheet/Sheet.h"

namespace spreadsheet {

// Writes the sheet as an .xlsx file with one worksheet, "Sheet1", at the given system path
// (UTF-8). The file appears whole or not at all: it is written beside its place and renamed
// into it. Throws an Exception that names the file when writing fails. Returns how many cell
// formats the file holds: one for each distinct look that a written cell has.
int WriteSheetXlsx(const Sheet& sheet, const std::string& systemPath);

}  // namespace spreadsheet
