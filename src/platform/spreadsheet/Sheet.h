#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
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

// The most cells one call may give a value: Excel refuses a task beyond its resources.
constexpr std::int64_t kMaxValueCellsPerCall = std::int64_t{1} << 24;

// A stored cell as the sheet hands it out: its value and its format.
struct Cell {
  CellValue value;
  std::uint32_t format = 0;  // index into the sheet's formats; 0 is the default look
};

struct PlacedCell {
  int row;
  int column;
  Cell cell;
};

// A format over more cells than this, or over whole rows or columns, is held by the file as
// column and row formats; a smaller one as the cells it reaches.
constexpr std::int64_t kLargeRangeArea = std::int64_t{1} << 16;

// The most a file may spend on showing the looks of cells that it does not hold (blank cells
// and row formats); a format that would take more is beyond Excel's resources.
constexpr std::int64_t kMaxLayoutCost = std::int64_t{1} << 22;

// How many large range formats of a sheet are weighed against the others at the call; a
// later one is taken unweighed, and the sheet is weighed when its workbook is written.
constexpr int kCheckedLargeRanges = 64;

// A row that has no format of its own in the file.
constexpr std::uint32_t kNoRowFormat = 0xFFFFFFFF;

// Columns that a file gives a format of their own.
struct ColumnFormatRun {
  int firstColumn;
  int lastColumn;
  std::uint32_t format;
};

// A cell as the writer takes it: a value by kind, the text as an index into the sheet's texts.
struct WrittenCell {
  enum Kind : std::uint8_t { Blank, Number, Text, Boolean };
  int column;
  Kind kind;
  std::uint32_t format;
  double number;
  std::uint32_t text;
  bool boolean;
};

// One worksheet in memory, as large as Excel's. A cell is stored when it holds a value or a
// format of its own; a format set on a range is kept once for the range, whatever its size,
// and reaches every cell of it, also cells that hold nothing yet: a value written later
// keeps it. Every call takes effect in the order it is made. A format that a file of the
// sheet could hold only with more than kMaxLayoutCost blank cells and row formats is refused
// at the call with Excel's resources message and changes nothing, if it is one of the
// sheet's first kCheckedLargeRanges large formats. A later one is taken; a sheet that then
// does not fit (LayoutFits) is refused with that message when its workbook is written.
class Sheet {
 public:
  Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  // A text is cut to kMaxTextLength; an empty one empties the cells. On a cell whose number
  // format is not "@" a plain number text becomes the number; a text never becomes a
  // formula. A text with a line feed turns wrapping on. More than kMaxValueCellsPerCall
  // cells throw an Exception and change nothing.
  void SetValue(const CellRect& rect, const CellValue& value);
  void SetText(const CellRect& rect, std::u16string_view text);
  // "General" in any case is the general format.
  void SetNumberFormat(const CellRect& rect, const WideString& format);
  void SetWrap(const CellRect& rect, bool wrap);
  void SetFontSize(const CellRect& rect, int size);
  void SetBold(const CellRect& rect, bool bold);
  // The edge of the whole rectangle: the left edge of its first column, and so on.
  void SetBorder(const CellRect& rect, Edge edge, std::uint8_t style);
  void SetColumnWidth(int firstColumn, int lastColumn, int width);
  void SetRowHeight(int firstRow, int lastRow, int height);

  // The stored cell, or none.
  std::optional<Cell> Find(int row, int column) const;
  // The format of any cell of the sheet, stored or not.
  const CellFormat& FormatOf(int row, int column) const;
  const CellFormat& Format(std::uint32_t id) const { return formats_[id]; }
  std::size_t FormatCount() const { return formats_.size(); }
  const WideString& Text(std::uint32_t id) const { return texts_[id]; }
  // Each text is kept once: the number of different texts, not of cells that hold one.
  std::size_t DistinctTextCount() const { return texts_.size(); }
  // The cells that hold a value or a look of their own.
  std::size_t StoredCellCount() const { return storedCells_; }
  // The stored cells, row by row and left to right.
  std::vector<PlacedCell> Cells() const;
  const std::map<int, int>& ColumnWidths() const { return columnWidths_; }
  std::map<int, int> RowHeights() const;

  // What a file of the sheet holds. A cell that the file does not hold shows the format of
  // its row where the row has one, else that of its column, as in Excel. Formats over whole
  // columns, whole rows or large ranges become column and row formats, with blank cells where
  // neither shows a cell's look; every other cell that a format reaches is written as a blank
  // cell with its format. A cell handed to the writer keeps its own look, the default one too.
  // False when the file would take more than kMaxLayoutCost to show the looks, which only
  // many large formats together can make; the file is then beyond Excel's resources.
  bool LayoutFits() const;
  // The columns with a format, in order.
  std::vector<ColumnFormatRun> ColumnFormats() const;
  // Every row to write, in order: its height (-1 when not set), its row format (kNoRowFormat
  // for none) and its cells to write, left to right.
  void VisitRows(const std::function<void(int row, int height, std::uint32_t rowFormat,
                                          const std::vector<WrittenCell>& cells)>& visit) const;

 private:
  static constexpr int kNoHeight = -1;

  struct StoredCell {
    std::uint16_t column0;  // column - 1
    WrittenCell::Kind kind;
    std::uint32_t format;
    union {
      double number;
      std::uint32_t text;
      bool boolean;
    };
  };

  struct Row {
    int number;
    int height = kNoHeight;
    std::vector<StoredCell> cells;  // by column
  };

  // One change of a cell's look, packed: its kind, an edge for borders, and a value (a size,
  // a flag, a border style, or the id of a number format).
  using Change = std::uint32_t;

  struct RangeFormat {
    CellRect rect;
    Change change;
  };

  // How a file shows the looks of the cells it does not hold. The boundaries of the large
  // range formats cut the sheet into bands of rows and of columns; within one band of each,
  // such a cell looks the same.
  struct Layout {
    struct RowBand {
      std::uint32_t rowFormat = kNoRowFormat;
      std::vector<std::pair<int, int>> blankColumns;  // spans written as blank cells
    };
    std::vector<int> columnStarts;  // of the column bands, from 1
    std::vector<std::uint32_t> columnFormats;
    std::vector<int> rowStarts;
    std::vector<RowBand> rowBands;
    std::int64_t cost = 0;  // blank cells and row formats
    bool fits = true;

    // The last row or column of a band.
    int RowEnd(std::size_t band) const;
    int ColumnEnd(std::size_t band) const;
    // The band that holds a row or column, looked for from a band that starts no later: rows
    // and columns are mostly asked for in order, and the band at hand is the first guess.
    std::size_t RowBandOf(int row, std::size_t from = 0) const;
    std::size_t ColumnBandOf(int column, std::size_t from = 0) const;
  };

  static Change MakeChange(unsigned kind, unsigned edge, unsigned value);
  void Apply(CellFormat& format, Change change) const;
  // Formats are made on first use, also while a const sheet is read.
  std::uint32_t Changed(std::uint32_t format, Change change) const;
  std::uint32_t Intern(const CellFormat& format) const;
  std::uint32_t InternText(std::u16string_view text);
  std::uint32_t FoldedFormat(int row, int column) const;
  void ChangeFormat(const CellRect& rect, Change change);
  // Whether a range format goes into the layout rather than into blank cells.
  static bool IsLarge(const CellRect& rect);
  // Without counting stored cells it costs what it may cost at most, and less time.
  Layout MakeLayout(bool countStored) const;
  class LayoutMaker;  // its steps
  const Layout& CurrentLayout() const;

  Row* FindRow(int row);
  const Row* FindRow(int row) const;
  Row& GetRow(int row);
  static StoredCell* FindCell(Row& row, int column);
  static const StoredCell* FindCell(const Row& row, int column) { return FindCell(const_cast<Row&>(row), column); }
  StoredCell& GetCell(Row& row, int column);

  std::vector<Row> rows_;  // by number
  std::vector<RangeFormat> rangeFormats_;  // of more than one cell, in the order set
  mutable std::vector<CellFormat> formats_;
  mutable std::map<CellFormat, std::uint32_t> formatIds_;
  mutable std::unordered_map<std::uint64_t, std::uint32_t> changed_;  // format and change to the format they make
  // The last answers of changed_, by a hash of what was asked: a report asks the same few
  // questions for every cell.
  struct Recent {
    std::uint64_t key = ~std::uint64_t{0};
    std::uint32_t format = 0;
  };
  mutable std::array<Recent, 256> recent_{};
  std::vector<WideString> numberFormats_;
  // Each text once: a deque keeps its texts where they are, so the index can look at them.
  std::deque<WideString> texts_;
  std::unordered_map<std::u16string_view, std::uint32_t> textIds_;
  std::map<int, int> columnWidths_;
  std::size_t storedCells_ = 0;
  int largeRanges_ = 0;
  mutable std::optional<Layout> layout_;  // of the sheet as it is; dropped by a change
};

}  // namespace spreadsheet
