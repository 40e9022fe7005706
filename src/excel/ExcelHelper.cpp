#include "excel/ExcelHelper.h"

#include <cstdint>
#include <limits>
#include <string>

#include "excel/ExcelCells.h"
#include "excel/SwallowFailure.h"
#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/automation/ProgIds.h"

namespace {

// An index as automation takes it; one past the int range goes no further than here.
int AutomationIndex(std::int64_t index) {
  if (index < std::numeric_limits<int>::min() || index > std::numeric_limits<int>::max())
    throw Exception("Invalid index");
  return static_cast<int>(index);
}

// The cell of the sheet at row and column, both from 1.
Variant Item(const Variant& sheet, std::int64_t row, std::int64_t column) {
  int r = AutomationIndex(row), c = AutomationIndex(column);
  return sheet.GetProperty("Cells").GetProperty("Item", r, c);
}

// Column letters of a 0-based column: A to Z, then AA, AB, and so on.
AnsiString ColumnName(std::int64_t column) {
  AnsiString name;
  for (std::int64_t n = column + 1; n > 0; n = (n - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
  return name;
}

AnsiString CornerName(std::int64_t column, std::int64_t row) { return ColumnName(column) + std::to_string(row + 1); }

}  // namespace

ExcelHelper::ExcelHelper() : app(0), sheet(0) {}

ExcelHelper::~ExcelHelper() {
  sheet = Variant();
  app = Variant();
}

bool ExcelHelper::Open() {
  try {
    app = CreateObject("Excel.Application");
    app.GetProperty("WorkBooks").CallMethod("add");
    sheet = app.GetProperty("WorkSheets", 1);
    return true;
  } catch (...) {
    return false;
  }
}

void ExcelHelper::Show() { app.SetProperty("Visible", true); }

std::unique_ptr<ReportCells> ExcelHelper::GetCell(int row, int col) {
  Variant cell(0);
  SwallowFailure([&] { cell = Item(sheet, std::int64_t{row} + 1, std::int64_t{col} + 1); });
  return std::make_unique<ExcelCells>(cell);
}

std::unique_ptr<ReportCells> ExcelHelper::GetRange(int col, int row, int colSpan, int rowSpan) {
  Variant range(0);
  // A negative column, row or span names no range.
  if (col >= 0 && row >= 0 && colSpan >= 0 && rowSpan >= 0) {
    AnsiString address =
        CornerName(col, row) + ":" + CornerName(std::int64_t{col} + colSpan, std::int64_t{row} + rowSpan);
    SwallowFailure([&] { range = sheet.GetProperty("Range", AnsiToWide(address)); });
  }
  return std::make_unique<ExcelCells>(range);
}

void ExcelHelper::SetColumnWidth(int col, int width) {
  SwallowFailure([&] { Item(sheet, 1, std::int64_t{col} + 1).SetProperty("ColumnWidth", width); });
}

void ExcelHelper::SetRowHeight(int row, int height) {
  SwallowFailure([&] { Item(sheet, std::int64_t{row} + 1, 1).SetProperty("RowHeight", height); });
}
