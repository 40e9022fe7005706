// How a file of the sheet holds the looks of cells that it does not hold, as Excel does it:
// column formats, row formats, and blank cells only where neither shows a cell's look.
#include <algorithm>
#include <span>
#include <unordered_map>

#include "platform/spreadsheet/Sheet.h"

namespace spreadsheet {
namespace {

// Bounds of the work of laying out: bands of rows times bands of columns, and the blocks that
// the large ranges reach together.
constexpr std::int64_t kMaxBlocks = std::int64_t{1} << 20;
constexpr std::int64_t kMaxFoldWork = std::int64_t{1} << 24;
// The looks, besides the default and the one chosen, that a band of columns may take.
constexpr std::size_t kColumnLookCandidates = 3;

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

Sheet::Layout Sheet::MakeLayout(bool countStored) const {
  Layout layout;
  std::vector<const RangeFormat*> large;
  std::vector<int> rowStarts, columnStarts;
  for (const RangeFormat& range : rangeFormats_) {
    if (!IsLarge(range.rect)) continue;
    large.push_back(&range);
    rowStarts.insert(rowStarts.end(), {range.rect.firstRow, range.rect.lastRow + 1});
    columnStarts.insert(columnStarts.end(), {range.rect.firstColumn, range.rect.lastColumn + 1});
  }
  layout.rowStarts = BandStarts(std::move(rowStarts), kMaxRows);
  layout.columnStarts = BandStarts(std::move(columnStarts), kMaxColumns);
  const std::size_t rowBands = layout.rowStarts.size();
  const std::size_t columnBands = layout.columnStarts.size();
  layout.columnFormats.assign(columnBands, 0);
  layout.rowBands.assign(rowBands, {});
  if (large.empty()) return layout;

  // The bands that each large range reaches, rows then columns.
  struct Reach {
    std::pair<std::size_t, std::size_t> rows, columns;
  };
  std::vector<Reach> reaches;
  std::int64_t work = 0;
  for (const RangeFormat* range : large) {
    const Reach& reach = reaches.emplace_back(
        Reach{BandsOf(layout.rowStarts, range->rect.firstRow, range->rect.lastRow),
              BandsOf(layout.columnStarts, range->rect.firstColumn, range->rect.lastColumn)});
    work += static_cast<std::int64_t>(reach.rows.second - reach.rows.first) *
            static_cast<std::int64_t>(reach.columns.second - reach.columns.first);
  }
  if (static_cast<std::int64_t>(rowBands) * static_cast<std::int64_t>(columnBands) > kMaxBlocks ||
      work > kMaxFoldWork) {
    layout.fits = false;
    return layout;
  }

  // The look of each block: what the large ranges that reach it made of the default.
  auto block = [columnBands](std::size_t r, std::size_t c) { return r * columnBands + c; };
  std::vector<std::uint32_t> looks(rowBands * columnBands, 0);
  for (std::size_t i = 0; i < large.size(); ++i)
    for (std::size_t r = reaches[i].rows.first; r < reaches[i].rows.second; ++r)
      for (std::size_t c = reaches[i].columns.first; c < reaches[i].columns.second; ++c)
        looks[block(r, c)] = Changed(looks[block(r, c)], large[i]->change);

  // The cells of each block that the file does not hold anyway: stored cells are written.
  std::vector<std::int64_t> unstored(rowBands * columnBands);
  auto rowsOf = [&](std::size_t band) -> std::int64_t { return layout.RowEnd(band) - layout.rowStarts[band] + 1; };
  for (std::size_t r = 0; r < rowBands; ++r)
    for (std::size_t c = 0; c < columnBands; ++c)
      unstored[block(r, c)] = rowsOf(r) * (layout.ColumnEnd(c) - layout.columnStarts[c] + 1);
  std::size_t r = 0;
  for (const Row& row : countStored ? std::span<const Row>(rows_) : std::span<const Row>()) {
    r = layout.RowBandOf(row.number, r);
    if (row.cells.size() < columnBands) {
      std::size_t c = 0;
      for (const StoredCell& cell : row.cells) {
        c = layout.ColumnBandOf(cell.column0 + 1, c);
        --unstored[block(r, c)];
      }
    } else {
      for (std::size_t c = 0; c < columnBands; ++c) {
        const auto from = static_cast<std::uint16_t>(layout.columnStarts[c] - 1);
        const auto to = static_cast<std::uint16_t>(layout.ColumnEnd(c) - 1);
        auto first = std::ranges::lower_bound(row.cells, from, {}, &StoredCell::column0);
        auto last = std::ranges::upper_bound(row.cells, to, {}, &StoredCell::column0);
        unstored[block(r, c)] -= last - first;
      }
    }
  }
  auto cellsOf = [&](std::size_t row, std::size_t c) { return std::pair{looks[block(row, c)], unstored[block(row, c)]}; };

  // A band of rows can take a row format of the look of most of its cells, with blank cells
  // where they look otherwise; that costs the same whatever the columns' formats.
  std::vector<std::uint32_t> rowLooks(rowBands);
  std::vector<std::int64_t> rowFormatCost(rowBands);
  for (std::size_t row = 0; row < rowBands; ++row) {
    const auto byCells = LooksByCells(columnBands, [&](std::size_t c) { return cellsOf(row, c); });
    std::int64_t all = 0;
    for (const auto& [look, n] : byCells) all += n;
    rowLooks[row] = byCells.front().first;
    rowFormatCost[row] = rowsOf(row) + all - byCells.front().second;
  }

  // Each band of columns takes the look of most of its cells, then, band by band, the look
  // that makes the file cheapest, each band of rows choosing between blank cells and a row
  // format.
  std::vector<std::int64_t> blanks(rowBands, 0);  // where cells differ from their column's format
  std::vector<std::vector<std::pair<std::uint32_t, std::int64_t>>> columnLooks(columnBands);
  for (std::size_t c = 0; c < columnBands; ++c) {
    columnLooks[c] = LooksByCells(rowBands, [&](std::size_t row) { return cellsOf(row, c); });
    layout.columnFormats[c] = columnLooks[c].front().first;
    for (std::size_t row = 0; row < rowBands; ++row)
      if (looks[block(row, c)] != layout.columnFormats[c]) blanks[row] += unstored[block(row, c)];
  }
  for (int sweep = 0; sweep < 2; ++sweep) {
    for (std::size_t c = 0; c < columnBands; ++c) {
      const std::uint32_t current = layout.columnFormats[c];
      std::vector<std::uint32_t> candidates{0};
      for (std::size_t i = 0; i < columnLooks[c].size() && i < kColumnLookCandidates; ++i)
        candidates.push_back(columnLooks[c][i].first);
      auto differing = [&](std::size_t row, std::uint32_t look) {
        return looks[block(row, c)] != look ? unstored[block(row, c)] : 0;
      };
      auto cost = [&](std::uint32_t look) {
        std::int64_t total = 0;
        for (std::size_t row = 0; row < rowBands; ++row)
          total += std::min(rowFormatCost[row], blanks[row] - differing(row, current) + differing(row, look));
        return total;
      };
      std::uint32_t best = current;
      std::int64_t bestCost = cost(current);
      for (std::uint32_t look : candidates)
        if (std::int64_t c2 = cost(look); c2 < bestCost) best = look, bestCost = c2;
      for (std::size_t row = 0; row < rowBands; ++row) blanks[row] += differing(row, best) - differing(row, current);
      layout.columnFormats[c] = best;
    }
  }

  // The columns of a band of rows that are written as blank cells.
  auto spans = [&](std::size_t row, auto differs) {
    std::vector<std::pair<int, int>> columns;
    for (std::size_t c = 0; c < columnBands; ++c) {
      if (unstored[block(row, c)] == 0 || !differs(c)) continue;
      const int first = layout.columnStarts[c], last = layout.ColumnEnd(c);
      if (!columns.empty() && columns.back().second + 1 == first)
        columns.back().second = last;
      else
        columns.emplace_back(first, last);
    }
    return columns;
  };
  for (std::size_t row = 0; row < rowBands; ++row) {
    if (blanks[row] == 0) continue;
    Layout::RowBand& band = layout.rowBands[row];
    if (rowFormatCost[row] < blanks[row]) {
      band.rowFormat = rowLooks[row];
      band.blankColumns = spans(row, [&](std::size_t c) { return looks[block(row, c)] != band.rowFormat; });
      layout.cost += rowFormatCost[row];
    } else {
      band.blankColumns = spans(row, [&](std::size_t c) { return looks[block(row, c)] != layout.columnFormats[c]; });
      layout.cost += blanks[row];
    }
  }
  layout.fits = layout.cost <= kMaxLayoutCost;
  return layout;
}

const Sheet::Layout& Sheet::CurrentLayout() const {
  if (!layout_) layout_ = MakeLayout(true);
  return *layout_;
}

bool Sheet::LayoutFits() const { return CurrentLayout().fits; }

}  // namespace spreadsheet
