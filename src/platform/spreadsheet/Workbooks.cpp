#include "platform/spreadsheet/Workbooks.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/Application.h"

namespace spreadsheet {

void Workbooks::CallMethod(std::string_view name) {
  if (!IsMember(name, "Add")) ThrowUnknownName(name);
  application_->AddWorkbook();
}

}  // namespace spreadsheet
