#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

namespace spreadsheet {

// Excel's sheet size.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// A rectangle of cells, rows and columns from 1, both corners included.
struct CellRect {
  int firstRow = 1;
  int firstColumn = 1;
  int lastRow = 1;
  int lastColumn = 1;

  std::int64_t Rows() const { return std::int64_t{lastRow} - firstRow + 1; }
  std::int64_t Columns() const { return std::int64_t{lastColumn} - firstColumn + 1; }
  std::int64_t Area() const { return Rows() * Columns(); }
};

bool IsOnSheet(std::int64_t row, std::int64_t column);

// "B5" or "B5:D7" (column letters in any case, corners in any order) as the rectangle it
// names; false when the text names no range of the sheet.
bool ParseRangeAddress(const WideString& address, CellRect& rect);

}  // namespace spreadsheet
