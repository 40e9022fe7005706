#include "platform/spreadsheet/Workbooks.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/Application.h"

namespace spreadsheet {

Variant Workbooks::GetProperty(std::string_view name, std::span<const Variant>) { ThrowUnknownName(name); }

void Workbooks::SetProperty(std::string_view name, const Variant&) { ThrowUnknownName(name); }

void Workbooks::CallMethod(std::string_view name) {
  if (!IsMember(name, "Add")) ThrowUnknownName(name);
  application_->AddWorkbook();
}

}  // namespace spreadsheet
