#pragma once

#include "platform/automation/AutomationObject.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/CellFormat.h"
#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {

// One outer edge of a range; "LineStyle" draws it with one of Excel's line-style constants.
class Border : public AutomationObject {
 public:
  Border(SheetRef ref, const CellRect& rect, Edge edge) : ref_(std::move(ref)), rect_(rect), edge_(edge) {}

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  void CallMethod(std::string_view name) override;

 private:
  SheetRef ref_;
  CellRect rect_;
  Edge edge_;
};

}  // namespace spreadsheet
