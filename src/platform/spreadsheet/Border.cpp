#include "platform/spreadsheet/Border.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/Range.h"
#include "platform/spreadsheet/ServerErrors.h"

namespace spreadsheet {

void Border::SetProperty(std::string_view name, const Variant& value) {
  if (!IsMember(name, "LineStyle")) ThrowUnknownName(name);
  auto style = BorderStyleForLineStyle(value.AsInteger());
  if (!style) RefuseSet("LineStyle", "Border");
  range_.GetSheet().SetBorder(range_.Rect(), edge_, *style);
}

}  // namespace spreadsheet
