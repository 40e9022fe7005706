#pragma once

#include "platform/automation/DispatchObject.h"
#include "platform/spreadsheet/CellAddress.h"
#include "platform/spreadsheet/Workbook.h"

namespace spreadsheet {

// What a range and the objects it hands out (its font, an edge) work on: a rectangle of a
// worksheet.
class RangePart : public DispatchObject {
 protected:
  RangePart(SheetRef ref, const CellRect& rect) : ref_(std::move(ref)), rect_(rect) {}

  Sheet& GetSheet() const { return ref_.GetSheet(); }

  SheetRef ref_;
  CellRect rect_;
};

}  // namespace spreadsheet
