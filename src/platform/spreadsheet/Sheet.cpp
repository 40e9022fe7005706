#include "platform/spreadsheet/Sheet.h"

#include <algorithm>

#include "platform/Exception.h"
#include "platform/spreadsheet/PlainNumber.h"
#include "platform/spreadsheet/ServerErrors.h"

namespace spreadsheet {
namespace {

std::u16string_view CutToExcelLength(std::u16string_view text) {
  if (text.size() <= kMaxTextLength) return text;
  text = text.substr(0, kMaxTextLength);
  // Never half a surrogate pair.
  if (text.back() >= 0xD800 && text.back() <= 0xDBFF) text.remove_suffix(1);
  return text;
}

bool IsGeneralFormat(const WideString& format) {
  static const std::u16string_view general = u"general";
  return format.empty() || std::ranges::equal(format, general, [](char16_t a, char16_t b) {
           return (a >= u'A' && a <= u'Z' ? a - u'A' + u'a' : a) == b;
         });
}

bool Contains(const CellRect& rect, int row, int column) {
  return row >= rect.firstRow && row <= rect.lastRow && column >= rect.firstColumn && column <= rect.lastColumn;
}

// The kinds of change, in the top bits of a Change.
enum ChangeKind : unsigned { kNumberFormat, kWrap, kFontSize, kBold, kBorder };
constexpr unsigned kKindShift = 28;
constexpr unsigned kEdgeShift = 24;
constexpr unsigned kValueMask = (1u << kEdgeShift) - 1;

}  // namespace

Sheet::Sheet() {
  formats_.push_back(CellFormat());
  formatIds_.emplace(formats_.front(), 0);
  numberFormats_.push_back(WideString());
}

Sheet::Change Sheet::MakeChange(unsigned kind, unsigned edge, unsigned value) {
  return (kind << kKindShift) | (edge << kEdgeShift) | (value & kValueMask);
}

void Sheet::Apply(CellFormat& format, Change change) const {
  const unsigned value = change & kValueMask;
  switch (change >> kKindShift) {
    case kNumberFormat: format.numberFormat = numberFormats_[value]; break;
    case kWrap: format.wrap = value != 0; break;
    case kFontSize: format.fontSize = static_cast<int>(value); break;
    case kBold: format.bold = value != 0; break;
    case kBorder: format.borders[(change >> kEdgeShift) & 3] = static_cast<std::uint8_t>(value); break;
  }
}

std::uint32_t Sheet::Intern(const CellFormat& format) const {
  auto [found, added] = formatIds_.try_emplace(format, static_cast<std::uint32_t>(formats_.size()));
  if (added) formats_.push_back(format);
  return found->second;
}

std::uint32_t Sheet::Changed(std::uint32_t format, Change change) const {
  const std::uint64_t key = (std::uint64_t{format} << 32) | change;
  Recent& recent = recent_[(key * 0x9E3779B97F4A7C15ull) >> 56];
  if (recent.key == key) return recent.format;
  auto [found, added] = changed_.try_emplace(key, 0);
  if (added) {
    CellFormat look = formats_[format];
    Apply(look, change);
    found->second = Intern(look);
  }
  recent = {key, found->second};
  return found->second;
}

std::uint32_t Sheet::InternText(std::u16string_view text) {
  auto found = textIds_.find(text);
  if (found != textIds_.end()) return found->second;
  const auto id = static_cast<std::uint32_t>(texts_.size());
  textIds_.emplace(texts_.emplace_back(text), id);
  return id;
}

std::uint32_t Sheet::FoldedFormat(int row, int column) const {
  // Not stored: what the range formats that reach it made of the default, in their order.
  std::uint32_t format = 0;
  for (const RangeFormat& range : rangeFormats_)
    if (Contains(range.rect, row, column)) format = Changed(format, range.change);
  return format;
}

Sheet::Row* Sheet::FindRow(int row) {
  // Reports write row after row: the last row is the first guess.
  if (!rows_.empty() && rows_.back().number == row) return &rows_.back();
  auto found = std::ranges::lower_bound(rows_, row, {}, &Row::number);
  return found != rows_.end() && found->number == row ? &*found : nullptr;
}

const Sheet::Row* Sheet::FindRow(int row) const { return const_cast<Sheet*>(this)->FindRow(row); }

Sheet::Row& Sheet::GetRow(int row) {
  if (rows_.empty() || rows_.back().number < row) return rows_.emplace_back(Row{row, kNoHeight, {}});
  if (rows_.back().number == row) return rows_.back();
  auto found = std::ranges::lower_bound(rows_, row, {}, &Row::number);
  if (found != rows_.end() && found->number == row) return *found;
  return *rows_.insert(found, Row{row, kNoHeight, {}});
}

Sheet::StoredCell* Sheet::FindCell(Row& row, int column) {
  const auto column0 = static_cast<std::uint16_t>(column - 1);
  auto& cells = row.cells;
  if (!cells.empty() && cells.back().column0 == column0) return &cells.back();
  auto found = std::ranges::lower_bound(cells, column0, {}, &StoredCell::column0);
  return found != cells.end() && found->column0 == column0 ? &*found : nullptr;
}

Sheet::StoredCell& Sheet::GetCell(Row& row, int column) {
  if (StoredCell* cell = FindCell(row, column)) return *cell;
  layout_.reset();
  StoredCell made{};
  made.column0 = static_cast<std::uint16_t>(column - 1);
  made.kind = WrittenCell::Blank;
  made.format = FoldedFormat(row.number, column);
  auto& cells = row.cells;
  ++storedCells_;
  if (cells.empty() || cells.back().column0 < made.column0) return cells.emplace_back(made);
  auto at = std::ranges::lower_bound(cells, made.column0, {}, &StoredCell::column0);
  return *cells.insert(at, made);
}

void Sheet::ChangeFormat(const CellRect& rect, Change change) {
  if (rect.Area() == 1) {
    StoredCell& cell = GetCell(GetRow(rect.firstRow), rect.firstColumn);
    cell.format = Changed(cell.format, change);
    return;
  }
  // Kept once for the range; the cells of it that are stored take it at once.
  rangeFormats_.push_back({rect, change});
  if (IsLarge(rect)) {
    layout_.reset();
    // Refused at once while that is cheap to tell; past that, the file is refused when written.
    if (++largeRanges_ <= kCheckedLargeRanges && !MakeLayout(false).fits) {
      rangeFormats_.pop_back();
      --largeRanges_;
      RefuseForResources();
    }
  }
  auto row = std::ranges::lower_bound(rows_, rect.firstRow, {}, &Row::number);
  const auto first0 = static_cast<std::uint16_t>(rect.firstColumn - 1);
  const auto last0 = static_cast<std::uint16_t>(rect.lastColumn - 1);
  for (; row != rows_.end() && row->number <= rect.lastRow; ++row) {
    auto cell = std::ranges::lower_bound(row->cells, first0, {}, &StoredCell::column0);
    for (; cell != row->cells.end() && cell->column0 <= last0; ++cell) cell->format = Changed(cell->format, change);
  }
}

void Sheet::SetValue(const CellRect& rect, const CellValue& value) {
  if (const auto* text = std::get_if<WideString>(&value)) return SetText(rect, *text);
  if (std::holds_alternative<std::monostate>(value)) return SetText(rect, {});
  if (rect.Area() > kMaxValueCellsPerCall) RefuseForResources();
  const double* number = std::get_if<double>(&value);
  const bool* boolean = std::get_if<bool>(&value);
  for (int r = rect.firstRow; r <= rect.lastRow; ++r) {
    Row& row = GetRow(r);
    for (int column = rect.firstColumn; column <= rect.lastColumn; ++column) {
      StoredCell& cell = GetCell(row, column);
      if (number != nullptr) {
        cell.kind = WrittenCell::Number, cell.number = *number;
      } else {
        cell.kind = WrittenCell::Boolean, cell.boolean = *boolean;
      }
    }
  }
}

void Sheet::SetText(const CellRect& rect, std::u16string_view given) {
  if (given.empty()) {
    // Empties the stored cells; their formats stay.
    auto row = std::ranges::lower_bound(rows_, rect.firstRow, {}, &Row::number);
    for (; row != rows_.end() && row->number <= rect.lastRow; ++row)
      for (StoredCell& cell : row->cells)
        if (cell.column0 + 1 >= rect.firstColumn && cell.column0 + 1 <= rect.lastColumn) cell.kind = WrittenCell::Blank;
    return;
  }
  if (rect.Area() > kMaxValueCellsPerCall) RefuseForResources();
  const std::u16string_view cut = CutToExcelLength(given);
  const std::uint32_t text = InternText(cut);
  double number = 0;
  const bool plainNumber = ReadPlainNumber(cut, number);
  for (int r = rect.firstRow; r <= rect.lastRow; ++r) {
    Row& row = GetRow(r);
    for (int column = rect.firstColumn; column <= rect.lastColumn; ++column) {
      StoredCell& cell = GetCell(row, column);
      if (plainNumber && !formats_[cell.format].IsText()) {
        cell.kind = WrittenCell::Number, cell.number = number;
      } else {
        cell.kind = WrittenCell::Text, cell.text = text;
      }
    }
  }
  if (cut.find(u'\n') != std::u16string_view::npos) SetWrap(rect, true);
}

void Sheet::SetNumberFormat(const CellRect& rect, const WideString& format) {
  const WideString stored = IsGeneralFormat(format) ? WideString() : format;
  auto found = std::ranges::find(numberFormats_, stored);
  if (found == numberFormats_.end()) found = numberFormats_.insert(numberFormats_.end(), stored);
  ChangeFormat(rect, MakeChange(kNumberFormat, 0, static_cast<unsigned>(found - numberFormats_.begin())));
}

void Sheet::SetWrap(const CellRect& rect, bool wrap) { ChangeFormat(rect, MakeChange(kWrap, 0, wrap)); }

void Sheet::SetFontSize(const CellRect& rect, int size) {
  ChangeFormat(rect, MakeChange(kFontSize, 0, static_cast<unsigned>(size)));
}

void Sheet::SetBold(const CellRect& rect, bool bold) { ChangeFormat(rect, MakeChange(kBold, 0, bold)); }

void Sheet::SetBorder(const CellRect& rect, Edge edge, std::uint8_t style) {
  CellRect strip = rect;
  switch (edge) {
    case Edge::Left: strip.lastColumn = rect.firstColumn; break;
    case Edge::Top: strip.lastRow = rect.firstRow; break;
    case Edge::Bottom: strip.firstRow = rect.lastRow; break;
    case Edge::Right: strip.firstColumn = rect.lastColumn; break;
  }
  ChangeFormat(strip, MakeChange(kBorder, static_cast<unsigned>(edge), style));
}

void Sheet::SetColumnWidth(int firstColumn, int lastColumn, int width) {
  for (int column = firstColumn; column <= lastColumn; ++column) columnWidths_[column] = width;
}

void Sheet::SetRowHeight(int firstRow, int lastRow, int height) {
  for (int row = firstRow; row <= lastRow; ++row) GetRow(row).height = height;
}

std::optional<Cell> Sheet::Find(int row, int column) const {
  const Row* stored = FindRow(row);
  const StoredCell* cell = stored != nullptr ? FindCell(*stored, column) : nullptr;
  if (cell == nullptr) return std::nullopt;
  Cell found;
  found.format = cell->format;
  switch (cell->kind) {
    case WrittenCell::Blank: break;
    case WrittenCell::Number: found.value = cell->number; break;
    case WrittenCell::Text: found.value = texts_[cell->text]; break;
    case WrittenCell::Boolean: found.value = cell->boolean; break;
  }
  return found;
}

const CellFormat& Sheet::FormatOf(int row, int column) const {
  if (std::optional<Cell> cell = Find(row, column)) return formats_[cell->format];
  return formats_[FoldedFormat(row, column)];
}

std::vector<PlacedCell> Sheet::Cells() const {
  std::vector<PlacedCell> placed;
  for (const Row& row : rows_)
    for (const StoredCell& cell : row.cells) placed.push_back({row.number, cell.column0 + 1, *Find(row.number, cell.column0 + 1)});
  return placed;
}

std::map<int, int> Sheet::RowHeights() const {
  std::map<int, int> heights;
  for (const Row& row : rows_)
    if (row.height != kNoHeight) heights.emplace(row.number, row.height);
  return heights;
}

std::vector<ColumnFormatRun> Sheet::ColumnFormats() const {
  const Layout& layout = CurrentLayout();
  std::vector<ColumnFormatRun> runs;
  for (std::size_t band = 0; band < layout.columnStarts.size(); ++band) {
    if (layout.columnFormats[band] == 0) continue;
    runs.push_back({layout.columnStarts[band], layout.ColumnEnd(band), layout.columnFormats[band]});
  }
  return runs;
}

void Sheet::VisitRows(const std::function<void(int row, int height, std::uint32_t rowFormat,
                                               const std::vector<WrittenCell>& cells)>& visit) const {
  const Layout& layout = CurrentLayout();
  // The range formats that make blank cells, and the rows they reach.
  std::vector<const RangeFormat*> reaching;
  for (const RangeFormat& range : rangeFormats_)
    if (!IsLarge(range.rect)) reaching.push_back(&range);
  auto bandShows = [&](std::size_t band) {
    return layout.rowBands[band].rowFormat != kNoRowFormat || !layout.rowBands[band].blankColumns.empty();
  };

  std::vector<WrittenCell> cells;
  std::vector<std::pair<int, int>> spans;
  auto stored = rows_.begin();
  std::size_t band = 0;  // of the row at hand
  int row = 0;
  while (true) {
    // The next row that has something: a stored row, one that a range format reaches, or one
    // of a band of rows that the layout writes.
    int next = stored != rows_.end() ? stored->number : kMaxRows + 1;
    for (const RangeFormat* range : reaching)
      if (range->rect.lastRow > row) next = std::min(next, std::max(row + 1, range->rect.firstRow));
    for (std::size_t b = band; b < layout.rowStarts.size() && layout.rowStarts[b] < next; ++b) {
      if (layout.RowEnd(b) <= row || !bandShows(b)) continue;
      next = std::min(next, std::max(row + 1, layout.rowStarts[b]));
      break;
    }
    if (next > kMaxRows) break;
    row = next;
    band = layout.RowBandOf(row, band);
    const Layout::RowBand& rowBand = layout.rowBands[band];

    spans = rowBand.blankColumns;
    for (const RangeFormat* range : reaching)
      if (row >= range->rect.firstRow && row <= range->rect.lastRow)
        spans.emplace_back(range->rect.firstColumn, range->rect.lastColumn);
    std::ranges::sort(spans);
    // What the file shows for a cell it does not hold.
    std::size_t columnBand = 0;
    auto shown = [&](int column) {
      if (rowBand.rowFormat != kNoRowFormat) return rowBand.rowFormat;
      columnBand = layout.ColumnBandOf(column, columnBand);
      return layout.columnFormats[columnBand];
    };
    const Row* storedRow = stored != rows_.end() && stored->number == row ? &*stored : nullptr;
    // Stored cells and blank ones where a range format reaches, left to right; a blank cell
    // only where its look is not the default one that the file would show anyway.
    cells.clear();
    int column = 1;  // the first column not yet handed on
    auto blanksBefore = [&](int end) {
      for (const auto& [first, last] : spans)
        for (int c = std::max(first, column); c <= last && c < end; ++c) {
          WrittenCell blank{};
          blank.column = c;
          blank.kind = WrittenCell::Blank;
          blank.format = FoldedFormat(row, c);
          if (blank.format != 0 || shown(c) != 0) cells.push_back(blank);
          column = c + 1;
        }
    };
    if (storedRow != nullptr) {
      for (const StoredCell& cell : storedRow->cells) {
        blanksBefore(cell.column0 + 1);
        WrittenCell out{};
        out.column = cell.column0 + 1;
        out.kind = cell.kind;
        out.format = cell.format;
        if (cell.kind == WrittenCell::Number) out.number = cell.number;
        if (cell.kind == WrittenCell::Text) out.text = cell.text;
        if (cell.kind == WrittenCell::Boolean) out.boolean = cell.boolean;
        if (cell.kind != WrittenCell::Blank || cell.format != 0 || shown(out.column) != 0) cells.push_back(out);
        column = out.column + 1;
      }
    }
    blanksBefore(kMaxColumns + 1);
    visit(row, storedRow != nullptr ? storedRow->height : kNoHeight, rowBand.rowFormat, cells);
    if (storedRow != nullptr) ++stored;
  }
}

}  // namespace spreadsheet
