#include "platform/spreadsheet/Border.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/ServerErrors.h"

namespace spreadsheet {

Variant Border::GetProperty(std::string_view name, std::span<const Variant>) { ThrowUnknownName(name); }

void Border::SetProperty(std::string_view name, const Variant& value) {
  if (!IsMember(name, "LineStyle")) ThrowUnknownName(name);
  auto style = BorderStyleForLineStyle(value.AsInteger());
  if (!style) RefuseSet("LineStyle", "Border");
  ref_.GetSheet().SetBorder(rect_, edge_, *style);
}

void Border::CallMethod(std::string_view name) { ThrowUnknownName(name); }

}  // namespace spreadsheet
