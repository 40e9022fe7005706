#pragma once

#include <string>

#include "platform/spreadsheet/Sheet.h"

namespace spreadsheet {

// Writes the sheet as an .xlsx file with one worksheet, "Sheet1", at the given system path
// (UTF-8). The file appears whole or not at all: it is written beside its place, with the
// writer's temporary files in the same folder, read back (CheckXlsxPackage) and only then
// renamed into it. Throws an Exception that names the file and the cause when writing fails or
// the file read back is not whole; nothing of a failed write stays, on the disk or open.
// Returns how many cell formats the file holds: one for each distinct look that a written cell
// has.
int WriteSheetXlsx(const Sheet& sheet, const std::string& systemPath);

}  // namespace spreadsheet
