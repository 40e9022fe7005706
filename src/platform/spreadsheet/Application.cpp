#include "platform/spreadsheet/Application.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/ServerErrors.h"
#include "platform/spreadsheet/WorkbookFiles.h"
#include "platform/spreadsheet/Workbooks.h"
#include "platform/spreadsheet/Worksheet.h"

namespace spreadsheet {

Variant Application::GetProperty(std::string_view name, std::span<const Variant> arguments) {
  if (IsMember(name, "Workbooks")) {
    ExpectArguments(arguments, 0);
    return std::make_shared<spreadsheet::Workbooks>(shared_from_this());
  }
  if (IsMember(name, "Worksheets")) {
    ExpectArguments(arguments, 1);
    // Each workbook has one worksheet.
    if (!active_ || arguments[0].AsInteger() != 1) RefuseGet("Worksheets", "Application");
    return std::make_shared<Worksheet>(SheetRef{shared_from_this(), active_});
  }
  ThrowUnknownName(name);
}

void Application::SetProperty(std::string_view name, const Variant& value) {
  if (!IsMember(name, "Visible")) ThrowUnknownName(name);
  bool visible = value.AsBoolean();
  if (visible && active_) ShowWorkbook(*active_);
  visible_ = visible;
}

void Application::AddWorkbook() {
  active_ = std::make_shared<Workbook>();
  workbooks_.push_back(active_);
}

}  // namespace spreadsheet
