#pragma once

#include "platform/automation/AutomationObject.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {

// The font of a range: "Size" in points, "Bold".
class Font : public AutomationObject {
 public:
  Font(SheetRef ref, const CellRect& rect) : ref_(std::move(ref)), rect_(rect) {}

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  void CallMethod(std::string_view name) override;

 private:
  SheetRef ref_;
  CellRect rect_;
};

}  // namespace spreadsheet
