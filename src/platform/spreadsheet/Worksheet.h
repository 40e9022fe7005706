#pragma once

#include "platform/automation/DispatchObject.h"
#include "platform/spreadsheet/Workbook.h"

#include <memory>

namespace spreadsheet {

class Range;

// A worksheet: "Cells" is the range of the whole sheet, "Range" the range of an address.
class Worksheet : public DispatchObject {
 public:
  explicit Worksheet(SheetRef ref) : ref_(std::move(ref)) {}

  Variant GetProperty(std::string_view name, std::span<const Variant> arguments) override;

 private:
  SheetRef ref_;
  std::shared_ptr<Range> cells_;  // the whole sheet, made on first use
};

}  // namespace spreadsheet
