#pragma once

#include "platform/spreadsheet/RangePart.h"

namespace spreadsheet {

// A rectangle of a worksheet. Formats and values set on it reach every cell of it; widths
// and heights every column and row it spans.
class Range : public RangePart {
 public:
  Range(SheetRef ref, const CellRect& rect) : RangePart(std::move(ref), rect) {}

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;
};

}  // namespace spreadsheet
