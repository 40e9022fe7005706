#pragma once

#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {

// Writes the workbook into the run's folder under its file name and hands the file to the
// desktop's opener. Throws an Exception naming the file when either fails; a written file
// stays (the program never deletes one: the user saves the workbook where they want).
void ShowWorkbook(const Workbook& workbook);

}  // namespace spreadsheet
