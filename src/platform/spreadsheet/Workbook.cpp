#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {
namespace {

int NextWorkbookNumber() {
  static int last = 0;
  return ++last;
}

}  // namespace

Workbook::Workbook() : number(NextWorkbookNumber()) {}

std::string Workbook::FileName() const { return "Book" + std::to_string(number) + ".xlsx"; }

}  // namespace spreadsheet
