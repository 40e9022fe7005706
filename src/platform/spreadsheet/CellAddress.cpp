#include "platform/spreadsheet/CellAddress.h"

#include <algorithm>

namespace spreadsheet {
namespace {

// Reads one corner such as "XFD1048576" from the front of text.
bool ReadCorner(std::u16string_view& text, std::int64_t& row, std::int64_t& column) {
  std::size_t i = 0;
  column = 0;
  for (; i < text.size() && column <= kMaxColumns; ++i) {
    char16_t c = text[i];
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if (c < u'A' || c > u'Z') break;
    column = column * 26 + (c - u'A' + 1);
  }
  std::size_t digits = i;
  row = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9' && row <= kMaxRows; ++i) row = row * 10 + (text[i] - u'0');
  if (digits == 0 || i == digits || !IsOnSheet(row, column)) return false;
  text.remove_prefix(i);
  return true;
}

}  // namespace

bool IsOnSheet(std::int64_t row, std::int64_t column) {
  return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
}

bool ParseRangeAddress(const WideString& address, CellRect& rect) {
  std::u16string_view text = address;
  std::int64_t row1, column1;
  if (!ReadCorner(text, row1, column1)) return false;
  std::int64_t row2 = row1, column2 = column1;
  if (!text.empty()) {
    if (text.front() != u':') return false;
    text.remove_prefix(1);
    if (!ReadCorner(text, row2, column2) || !text.empty()) return false;
  }
  rect.firstRow = static_cast<int>(std::min(row1, row2));
  rect.lastRow = static_cast<int>(std::max(row1, row2));
  rect.firstColumn = static_cast<int>(std::min(column1, column2));
  rect.lastColumn = static_cast<int>(std::max(column1, column2));
  return true;
}

}  // namespace spreadsheet
