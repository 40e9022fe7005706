#pragma once

#include "platform/spreadsheet/RangePart.h"

namespace spreadsheet {

// The font of a range: "Size" in points, "Bold".
class Font : public RangePart {
 public:
  Font(SheetRef ref, const CellRect& rect) : RangePart(std::move(ref), rect) {}

  void SetProperty(std::string_view name, const Variant& value) override;
};

}  // namespace spreadsheet
