#pragma once

#include <array>
#include <memory>

#include "platform/automation/DispatchObject.h"
#include "platform/spreadsheet/Border.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/Font.h"
#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {

// A rectangle of a worksheet. Formats and values set on it reach every cell of it; widths
// and heights every column and row it spans. Its font and edges are parts of it, handed out
// without making new objects: a report asks for them on every cell.
class Range : public DispatchObject, public std::enable_shared_from_this<Range> {
 public:
  Range(SheetRef ref, const CellRect& rect) : ref_(std::move(ref)), rect_(rect) {}
  Range(const Range&) = delete;
  Range& operator=(const Range&) = delete;

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;

  Sheet& GetSheet() const { return ref_.GetSheet(); }
  const CellRect& Rect() const { return rect_; }

 private:
  SheetRef ref_;
  CellRect rect_;
  Font font_{*this};
  std::array<Border, 4> borders_{Border(*this, Edge::Left), Border(*this, Edge::Top), Border(*this, Edge::Bottom),
                                 Border(*this, Edge::Right)};
};

}  // namespace spreadsheet
