#pragma once

#include "platform/automation/DispatchObject.h"

namespace spreadsheet {

class Range;

// The font of a range: "Size" in points, "Bold". It is a part of its range and lives as long.
class Font : public DispatchObject {
 public:
  explicit Font(const Range& range) : range_(range) {}

  void SetProperty(std::string_view name, const Variant& value) override;

 private:
  const Range& range_;
};

}  // namespace spreadsheet
