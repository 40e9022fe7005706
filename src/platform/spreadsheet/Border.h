#pragma once

#include "platform/automation/DispatchObject.h"
#include "platform/spreadsheet/CellFormat.h"

namespace spreadsheet {

class Range;

// One outer edge of a range; "LineStyle" draws it with one of Excel's line-style constants.
// It is a part of its range and lives as long.
class Border : public DispatchObject {
 public:
  Border(const Range& range, Edge edge) : range_(range), edge_(edge) {}

  void SetProperty(std::string_view name, const Variant& value) override;

 private:
  const Range& range_;
  Edge edge_;
};

}  // namespace spreadsheet
