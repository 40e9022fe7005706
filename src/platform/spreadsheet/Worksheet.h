#pragma once

#include "platform/automation/AutomationObject.h"
#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {

// A worksheet: "Cells" is the range of the whole sheet, "Range" the range of an address.
class Worksheet : public AutomationObject {
 public:
  explicit Worksheet(SheetRef ref) : ref_(std::move(ref)) {}

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;
  void SetProperty(std::string_view name, const Variant& value) override;
  void CallMethod(std::string_view name) override;

 private:
  SheetRef ref_;
};

}  // namespace spreadsheet
