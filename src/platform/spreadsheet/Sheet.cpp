#include "platform/spreadsheet/Sheet.h"

#include <algorithm>

#include "platform/Exception.h"
#include "platform/spreadsheet/PlainNumber.h"

namespace spreadsheet {
namespace {

WideString CutToExcelLength(WideString text) {
  if (text.size() <= kMaxTextLength) return text;
  text.resize(kMaxTextLength);
  // Never half a surrogate pair.
  if (text.back() >= 0xD800 && text.back() <= 0xDBFF) text.pop_back();
  return text;
}

bool IsGeneralFormat(const WideString& format) {
  static const std::u16string_view general = u"general";
  return format.empty() || std::ranges::equal(format, general, [](char16_t a, char16_t b) {
           return (a >= u'A' && a <= u'Z' ? a - u'A' + u'a' : a) == b;
         });
}

}  // namespace

Sheet::Sheet() {
  formats_.push_back(CellFormat());
  formatIds_.emplace(formats_.front(), 0);
}

std::uint64_t Sheet::Key(int row, int column) {
  return (static_cast<std::uint64_t>(row) << 16) | static_cast<std::uint64_t>(column);
}

std::uint32_t Sheet::Intern(const CellFormat& format) {
  auto [found, added] = formatIds_.try_emplace(format, static_cast<std::uint32_t>(formats_.size()));
  if (added) formats_.push_back(format);
  return found->second;
}

void Sheet::Reserve(const CellRect& rect) {
  const std::int64_t room = kMaxStoredCells - static_cast<std::int64_t>(cells_.size());
  std::int64_t area = rect.Area();
  if (area <= room) return;
  if (area <= kMaxStoredCells) {
    // Most of it may be stored already.
    std::int64_t missing = 0;
    for (int row = rect.firstRow; row <= rect.lastRow; ++row)
      for (int column = rect.firstColumn; column <= rect.lastColumn; ++column)
        missing += cells_.count(Key(row, column)) == 0;
    if (missing <= room) return;
  }
  throw Exception("Excel cannot complete this task with available resources");
}

template <class Visit>
void Sheet::ForEach(const CellRect& rect, Visit visit) {
  Reserve(rect);
  for (int row = rect.firstRow; row <= rect.lastRow; ++row)
    for (int column = rect.firstColumn; column <= rect.lastColumn; ++column) visit(cells_[Key(row, column)]);
}

template <class Change>
void Sheet::Reformat(const CellRect& rect, Change change) {
  std::unordered_map<std::uint32_t, std::uint32_t> changed;  // old format to new, for this call
  ForEach(rect, [&](Cell& cell) {
    auto [found, added] = changed.try_emplace(cell.format, 0);
    if (added) {
      CellFormat format = formats_[cell.format];
      change(format);
      found->second = Intern(format);
    }
    cell.format = found->second;
  });
}

void Sheet::SetValue(const CellRect& rect, const CellValue& value) {
  const WideString* given = std::get_if<WideString>(&value);
  if (given == nullptr) {
    ForEach(rect, [&](Cell& cell) { cell.value = value; });
    return;
  }
  const WideString text = CutToExcelLength(*given);
  if (text.empty()) {
    ForEach(rect, [](Cell& cell) { cell.value = std::monostate(); });
    return;
  }
  double number = 0;
  const bool plainNumber = ReadPlainNumber(text, number);
  ForEach(rect, [&](Cell& cell) {
    if (plainNumber && !formats_[cell.format].IsText())
      cell.value = number;
    else
      cell.value = text;
  });
  if (text.find(u'\n') != WideString::npos) SetWrap(rect, true);
}

void Sheet::SetNumberFormat(const CellRect& rect, const WideString& format) {
  const WideString stored = IsGeneralFormat(format) ? WideString() : format;
  Reformat(rect, [&](CellFormat& f) { f.numberFormat = stored; });
}

void Sheet::SetWrap(const CellRect& rect, bool wrap) {
  Reformat(rect, [&](CellFormat& f) { f.wrap = wrap; });
}

void Sheet::SetFontSize(const CellRect& rect, int size) {
  Reformat(rect, [&](CellFormat& f) { f.fontSize = size; });
}

void Sheet::SetBold(const CellRect& rect, bool bold) {
  Reformat(rect, [&](CellFormat& f) { f.bold = bold; });
}

void Sheet::SetBorder(const CellRect& rect, Edge edge, std::uint8_t style) {
  CellRect strip = rect;
  switch (edge) {
    case Edge::Left: strip.lastColumn = rect.firstColumn; break;
    case Edge::Top: strip.lastRow = rect.firstRow; break;
    case Edge::Bottom: strip.firstRow = rect.lastRow; break;
    case Edge::Right: strip.firstColumn = rect.lastColumn; break;
  }
  Reformat(strip, [&](CellFormat& f) { f.borders[static_cast<int>(edge)] = style; });
}

void Sheet::SetColumnWidth(int firstColumn, int lastColumn, int width) {
  for (int column = firstColumn; column <= lastColumn; ++column) columnWidths_[column] = width;
}

void Sheet::SetRowHeight(int firstRow, int lastRow, int height) {
  for (int row = firstRow; row <= lastRow; ++row) rowHeights_[row] = height;
}

const Cell* Sheet::Find(int row, int column) const {
  auto found = cells_.find(Key(row, column));
  return found == cells_.end() ? nullptr : &found->second;
}

std::vector<PlacedCell> Sheet::Cells() const {
  std::vector<std::pair<std::uint64_t, const Cell*>> keyed;
  keyed.reserve(cells_.size());
  for (const auto& [key, cell] : cells_) keyed.emplace_back(key, &cell);
  std::ranges::sort(keyed, {}, &std::pair<std::uint64_t, const Cell*>::first);
  std::vector<PlacedCell> placed;
  placed.reserve(keyed.size());
  for (const auto& [key, cell] : keyed)
    placed.push_back({static_cast<int>(key >> 16), static_cast<int>(key & 0xFFFF), cell});
  return placed;
}

}  // namespace spreadsheet
