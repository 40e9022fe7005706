// How a file of the sheet holds the looks of cells that it does not hold, as Excel does it:
// column formats, row formats, and blank cells only where neither shows a cell's look.
#include <algorithm>
#include <unordered_map>

#include "platform/spreadsheet/Sheet.h"

namespace spreadsheet {
namespace {

// Bounds of the work of laying out: bands of rows times bands of columns, and the blocks that
// the large ranges reach together.
constexpr std::int64_t kMaxBlocks = std::int64_t{1} << 20;
constexpr std::int64_t kMaxFoldWork = std::int64_t{1} << 24;
// The looks most common in a band of columns that it tries for its format, besides the default.
constexpr std::size_t kCommonLooksTried = 3;
// Passes over the bands of columns, each band in turn taking the format that makes the file
// cheapest with the others' as they stand; a second pass lets the first bands answer the
// choices of the later ones.
constexpr int kImprovingPasses = 2;

std::vector<int> BandStarts(std::vector<int> starts, int last) {
  starts.push_back(1);
  std::ranges::sort(starts);
  starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
  while (starts.back() > last) starts.pop_back();
  return starts;
}

// The band of the given starts that holds at, from a band that starts no later.
std::size_t BandOf(const std::vector<int>& starts, int at, std::size_t from = 0) {
  if (from + 1 >= starts.size() || starts[from + 1] > at) return from;
  auto next = std::upper_bound(starts.begin() + static_cast<std::ptrdiff_t>(from) + 1, starts.end(), at);
  return static_cast<std::size_t>(next - starts.begin()) - 1;
}

// The bands [first, last) that the span from..to reaches.
std::pair<std::size_t, std::size_t> BandsOf(const std::vector<int>& starts, int from, int to) {
  const std::size_t first = BandOf(starts, from);
  return {first, BandOf(starts, to, first) + 1};
}

// The looks of a set of blocks, by how many cells have each, most first; the default look
// first among equals.
template <typename Each>
std::vector<std::pair<std::uint32_t, std::int64_t>> LooksByCells(std::size_t count, Each each) {
  std::unordered_map<std::uint32_t, std::int64_t> cells;
  for (std::size_t i = 0; i < count; ++i) {
    auto [look, n] = each(i);
    cells[look] += n;
  }
  std::vector<std::pair<std::uint32_t, std::int64_t>> looks(cells.begin(), cells.end());
  std::ranges::sort(looks, [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  return looks;
}

}  // namespace

int Sheet::Layout::RowEnd(std::size_t band) const {
  return band + 1 < rowStarts.size() ? rowStarts[band + 1] - 1 : kMaxRows;
}

int Sheet::Layout::ColumnEnd(std::size_t band) const {
  return band + 1 < columnStarts.size() ? columnStarts[band + 1] - 1 : kMaxColumns;
}

std::size_t Sheet::Layout::RowBandOf(int row, std::size_t from) const { return BandOf(rowStarts, row, from); }

std::size_t Sheet::Layout::ColumnBandOf(int column, std::size_t from) const {
  return BandOf(columnStarts, column, from);
}

bool Sheet::IsLarge(const CellRect& rect) {
  const bool wholeColumns = rect.firstRow == 1 && rect.lastRow == kMaxRows;
  const bool wholeRows = rect.firstColumn == 1 && rect.lastColumn == kMaxColumns;
  return wholeColumns || wholeRows || rect.Area() > kLargeRangeArea;
}

// Makes a layout step by step. A block is where a band of rows meets a band of columns. What
// a file spends on the cells it does not hold is, band of rows by band of rows, the cheaper of:
// - blank cells: one for each such cell that looks otherwise than its column's format;
// - a row format of the look that most such cells of the band have: one for each row of the
//   band, and a blank cell for each such cell that looks otherwise.
// Stored cells are written anyway and cost nothing here. A row format costs the same whatever
// the columns' formats; those are chosen for the cheapest file.
class Sheet::LayoutMaker {
 public:
  LayoutMaker(const Sheet& sheet, bool countStored) : sheet_(sheet), countStored_(countStored) {}

  Layout Make() {
    CutIntoBands();
    if (large_.empty()) return std::move(layout_);
    if (!WithinWorkBound()) {
      layout_.fits = false;
      return std::move(layout_);
    }
    FoldBlockLooks();
    CountUnstoredCells();
    PriceRowFormats();
    ChooseColumnFormats();
    SpanBlankCells();
    layout_.fits = layout_.cost <= kMaxLayoutCost;
    return std::move(layout_);
  }

 private:
  // The bands that each large range reaches, rows then columns.
  struct Reach {
    std::pair<std::size_t, std::size_t> rows, columns;
  };

  std::size_t Block(std::size_t row, std::size_t column) const { return row * columnBands_ + column; }
  std::int64_t RowsOf(std::size_t band) const { return layout_.RowEnd(band) - layout_.rowStarts[band] + 1; }
  std::int64_t ColumnsOf(std::size_t band) const { return layout_.ColumnEnd(band) - layout_.columnStarts[band] + 1; }
  // The look of a block and its cells that the file does not hold.
  std::pair<std::uint32_t, std::int64_t> CellsOf(std::size_t row, std::size_t column) const {
    return {looks_[Block(row, column)], unstored_[Block(row, column)]};
  }
  // The blank cells that a block needs under a column format of the look given.
  std::int64_t BlanksUnder(std::size_t row, std::size_t column, std::uint32_t look) const {
    return looks_[Block(row, column)] != look ? unstored_[Block(row, column)] : 0;
  }

  // The bands that the boundaries of the large ranges cut the sheet into.
  void CutIntoBands() {
    std::vector<int> rowStarts, columnStarts;
    for (const RangeFormat& range : sheet_.rangeFormats_) {
      if (!IsLarge(range.rect)) continue;
      large_.push_back(&range);
      rowStarts.insert(rowStarts.end(), {range.rect.firstRow, range.rect.lastRow + 1});
      columnStarts.insert(columnStarts.end(), {range.rect.firstColumn, range.rect.lastColumn + 1});
    }
    layout_.rowStarts = BandStarts(std::move(rowStarts), kMaxRows);
    layout_.columnStarts = BandStarts(std::move(columnStarts), kMaxColumns);
    rowBands_ = layout_.rowStarts.size();
    columnBands_ = layout_.columnStarts.size();
    layout_.columnFormats.assign(columnBands_, 0);
    layout_.rowBands.assign(rowBands_, {});
  }

  // Whether the blocks, and the blocks that the large ranges reach one by one, are few enough
  // to lay out. Finds the bands that each range reaches.
  bool WithinWorkBound() {
    std::int64_t work = 0;
    for (const RangeFormat* range : large_) {
      const Reach& reach = reaches_.emplace_back(
          Reach{BandsOf(layout_.rowStarts, range->rect.firstRow, range->rect.lastRow),
                BandsOf(layout_.columnStarts, range->rect.firstColumn, range->rect.lastColumn)});
      work += static_cast<std::int64_t>(reach.rows.second - reach.rows.first) *
              static_cast<std::int64_t>(reach.columns.second - reach.columns.first);
    }
    return static_cast<std::int64_t>(rowBands_) * static_cast<std::int64_t>(columnBands_) <= kMaxBlocks &&
           work <= kMaxFoldWork;
  }

  // The look of each block: what the large ranges that reach it made of the default.
  void FoldBlockLooks() {
    looks_.assign(rowBands_ * columnBands_, 0);
    for (std::size_t i = 0; i < large_.size(); ++i)
      for (std::size_t r = reaches_[i].rows.first; r < reaches_[i].rows.second; ++r)
        for (std::size_t c = reaches_[i].columns.first; c < reaches_[i].columns.second; ++c)
          looks_[Block(r, c)] = sheet_.Changed(looks_[Block(r, c)], large_[i]->change);
  }

  // The cells of each block that the file does not hold anyway.
  void CountUnstoredCells() {
    unstored_.assign(rowBands_ * columnBands_, 0);
    for (std::size_t r = 0; r < rowBands_; ++r)
      for (std::size_t c = 0; c < columnBands_; ++c) unstored_[Block(r, c)] = RowsOf(r) * ColumnsOf(c);
    if (!countStored_) return;
    std::size_t r = 0;
    for (const Row& row : sheet_.rows_) {
      r = layout_.RowBandOf(row.number, r);
      if (row.cells.size() < columnBands_) {
        std::size_t c = 0;
        for (const StoredCell& cell : row.cells) {
          c = layout_.ColumnBandOf(cell.column0 + 1, c);
          --unstored_[Block(r, c)];
        }
      } else {
        for (std::size_t c = 0; c < columnBands_; ++c) {
          const auto from = static_cast<std::uint16_t>(layout_.columnStarts[c] - 1);
          const auto to = static_cast<std::uint16_t>(layout_.ColumnEnd(c) - 1);
          auto first = std::ranges::lower_bound(row.cells, from, {}, &StoredCell::column0);
          auto last = std::ranges::upper_bound(row.cells, to, {}, &StoredCell::column0);
          unstored_[Block(r, c)] -= last - first;
        }
      }
    }
  }

  // The row format that each band of rows can take, and what it costs.
  void PriceRowFormats() {
    rowLooks_.resize(rowBands_);
    rowFormatCost_.resize(rowBands_);
    for (std::size_t row = 0; row < rowBands_; ++row) {
      const auto byCells = LooksByCells(columnBands_, [&](std::size_t c) { return CellsOf(row, c); });
      std::int64_t all = 0;
      for (const auto& [look, n] : byCells) all += n;
      rowLooks_[row] = byCells.front().first;
      rowFormatCost_[row] = RowsOf(row) + all - byCells.front().second;
    }
  }

  // The format of each band of columns: the look of most of its cells, then, pass by pass,
  // the look tried that makes the file cheapest.
  void ChooseColumnFormats() {
    blanks_.assign(rowBands_, 0);
    std::vector<std::vector<std::uint32_t>> tried(columnBands_);
    for (std::size_t c = 0; c < columnBands_; ++c) {
      const auto byCells = LooksByCells(rowBands_, [&](std::size_t row) { return CellsOf(row, c); });
      layout_.columnFormats[c] = byCells.front().first;
      for (std::size_t row = 0; row < rowBands_; ++row) blanks_[row] += BlanksUnder(row, c, layout_.columnFormats[c]);
      tried[c].push_back(0);
      for (std::size_t i = 0; i < byCells.size() && i < kCommonLooksTried; ++i) tried[c].push_back(byCells[i].first);
    }
    for (int pass = 0; pass < kImprovingPasses; ++pass)
      for (std::size_t c = 0; c < columnBands_; ++c) ImproveColumnFormat(c, tried[c]);
  }

  // What the file costs with a band of columns in the look given and the others as they stand.
  std::int64_t CostWith(std::size_t column, std::uint32_t look) const {
    const std::uint32_t current = layout_.columnFormats[column];
    std::int64_t total = 0;
    for (std::size_t row = 0; row < rowBands_; ++row) {
      const std::int64_t blanks = blanks_[row] - BlanksUnder(row, column, current) + BlanksUnder(row, column, look);
      total += std::min(rowFormatCost_[row], blanks);
    }
    return total;
  }

  // Gives a band of columns the look tried that makes the file cheapest; it keeps its own
  // unless another is cheaper.
  void ImproveColumnFormat(std::size_t column, const std::vector<std::uint32_t>& tried) {
    const std::uint32_t current = layout_.columnFormats[column];
    std::uint32_t best = current;
    std::int64_t bestCost = CostWith(column, current);
    for (std::uint32_t look : tried)
      if (const std::int64_t cost = CostWith(column, look); cost < bestCost) best = look, bestCost = cost;
    for (std::size_t row = 0; row < rowBands_; ++row)
      blanks_[row] += BlanksUnder(row, column, best) - BlanksUnder(row, column, current);
    layout_.columnFormats[column] = best;
  }

  // Each band of rows shown the cheaper way, and the columns of it written as blank cells.
  void SpanBlankCells() {
    for (std::size_t row = 0; row < rowBands_; ++row) {
      if (blanks_[row] == 0) continue;
      Layout::RowBand& band = layout_.rowBands[row];
      if (rowFormatCost_[row] < blanks_[row]) {
        band.rowFormat = rowLooks_[row];
        layout_.cost += rowFormatCost_[row];
      } else {
        layout_.cost += blanks_[row];
      }
      band.blankColumns = BlankSpans(row);
    }
  }

  // The columns of a band of rows whose cells not held look otherwise than the file shows
  // them: by the row's format where it has one, else by their column's.
  std::vector<std::pair<int, int>> BlankSpans(std::size_t row) const {
    const std::uint32_t rowFormat = layout_.rowBands[row].rowFormat;
    std::vector<std::pair<int, int>> columns;
    for (std::size_t c = 0; c < columnBands_; ++c) {
      const std::uint32_t shown = rowFormat != kNoRowFormat ? rowFormat : layout_.columnFormats[c];
      if (unstored_[Block(row, c)] == 0 || looks_[Block(row, c)] == shown) continue;
      const int first = layout_.columnStarts[c], last = layout_.ColumnEnd(c);
      if (!columns.empty() && columns.back().second + 1 == first)
        columns.back().second = last;
      else
        columns.emplace_back(first, last);
    }
    return columns;
  }

  const Sheet& sheet_;
  const bool countStored_;
  Layout layout_;
  std::size_t rowBands_ = 0, columnBands_ = 0;
  std::vector<const RangeFormat*> large_;
  std::vector<Reach> reaches_;
  // Of each block, by Block().
  std::vector<std::uint32_t> looks_;
  std::vector<std::int64_t> unstored_;
  // Of each band of rows: the look of its row format, what that costs, and what its blank
  // cells under the column formats as they stand cost.
  std::vector<std::uint32_t> rowLooks_;
  std::vector<std::int64_t> rowFormatCost_;
  std::vector<std::int64_t> blanks_;
};

Sheet::Layout Sheet::MakeLayout(bool countStored) const { return LayoutMaker(*this, countStored).Make(); }

const Sheet::Layout& Sheet::CurrentLayout() const {
  if (!layout_) layout_ = MakeLayout(true);
  return *layout_;
}

bool Sheet::LayoutFits() const { return CurrentLayout().fits; }

}  // namespace spreadsheet
