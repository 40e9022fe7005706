#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>
#include <variant>
#include <vector>

#include "platform/AnsiString.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/CellFormat.h"

namespace spreadsheet {

// What a cell holds: nothing, a number, text or a boolean.
using CellValue = std::variant<std::monostate, double, WideString, bool>;

// Excel's longest cell text, in UTF-16 units.
constexpr std::size_t kMaxTextLength = 32767;

// The most cells one sheet holds, valued or formatted: a call that needs more is refused, as
// Excel refuses a task beyond its resources.
constexpr std::int64_t kMaxStoredCells = std::int64_t{1} << 22;

struct Cell {
  CellValue value;
  std::uint32_t format = 0;  // index into the sheet's formats; 0 is the default look
};

struct PlacedCell {
  int row;
  int column;
  const Cell* cell;
};

// One worksheet in memory: only cells that hold a value or have been formatted are stored.
// Formats set on a range reach every cell of it, also those that hold nothing yet, and a
// value written later keeps them. Rectangles must lie on the sheet; a call that would store
// more than kMaxStoredCells cells throws an Exception and changes nothing.
class Sheet {
 public:
  Sheet();

  // A text is cut to kMaxTextLength; an empty one empties the cells. On a cell whose number
  // format is not "@" a plain number text becomes the number; a text never becomes a
  // formula. A text with a line feed turns wrapping on.
  void SetValue(const CellRect& rect, const CellValue& value);
  // "General" in any case is the general format.
  void SetNumberFormat(const CellRect& rect, const WideString& format);
  void SetWrap(const CellRect& rect, bool wrap);
  void SetFontSize(const CellRect& rect, int size);
  void SetBold(const CellRect& rect, bool bold);
  // The edge of the whole rectangle: the left edge of its first column, and so on.
  void SetBorder(const CellRect& rect, Edge edge, std::uint8_t style);
  void SetColumnWidth(int firstColumn, int lastColumn, int width);
  void SetRowHeight(int firstRow, int lastRow, int height);

  const Cell* Find(int row, int column) const;
  const CellFormat& Format(std::uint32_t id) const { return formats_[id]; }
  std::size_t FormatCount() const { return formats_.size(); }
  // The stored cells, row by row and left to right.
  std::vector<PlacedCell> Cells() const;
  const std::map<int, int>& ColumnWidths() const { return columnWidths_; }
  const std::map<int, int>& RowHeights() const { return rowHeights_; }

 private:
  static std::uint64_t Key(int row, int column);
  std::uint32_t Intern(const CellFormat& format);
  void Reserve(const CellRect& rect);
  template <class Visit>
  void ForEach(const CellRect& rect, Visit visit);
  template <class Change>
  void Reformat(const CellRect& rect, Change change);

  std::unordered_map<std::uint64_t, Cell> cells_;
  std::vector<CellFormat> formats_;
  std::map<CellFormat, std::uint32_t> formatIds_;
  std::map<int, int> columnWidths_;
  std::map<int, int> rowHeights_;
};

}  // namespace spreadsheet
