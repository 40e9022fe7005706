#include "platform/spreadsheet/Worksheet.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/Range.h"
#include "platform/spreadsheet/ServerErrors.h"

namespace spreadsheet {

Variant Worksheet::GetProperty(std::string_view name, std::span<const Variant> arguments) {
  if (IsMember(name, "Cells")) {
    ExpectArguments(arguments, 0);
    // The same range every time: a report asks for it on every cell.
    if (!cells_) cells_ = std::make_shared<Range>(ref_, CellRect{1, 1, kMaxRows, kMaxColumns});
    return cells_;
  }
  if (IsMember(name, "Range")) {
    ExpectArguments(arguments, 1);
    CellRect rect;
    if (!ParseRangeAddress(arguments[0].AsText(), rect)) RefuseGet("Range", "Worksheet");
    return std::make_shared<Range>(ref_, rect);
  }
  ThrowUnknownName(name);
}

}  // namespace spreadsheet
