#pragma once

#include "platform/spreadsheet/CellFormat.h"
#include "platform/spreadsheet/RangePart.h"

namespace spreadsheet {

// One outer edge of a range; "LineStyle" draws it with one of Excel's line-style constants.
class Border : public RangePart {
 public:
  Border(SheetRef ref, const CellRect& rect, Edge edge) : RangePart(std::move(ref), rect), edge_(edge) {}

  void SetProperty(std::string_view name, const Variant& value) override;

 private:
  Edge edge_;
};

}  // namespace spreadsheet
