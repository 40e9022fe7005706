#pragma once

#include <string_view>

namespace spreadsheet {

// Excel's refusal of a call that names a member it has but with arguments or a value it
// cannot take: "Unable to set the ColumnWidth property of the Range class".
[[noreturn]] void RefuseGet(std::string_view property, std::string_view className);
[[noreturn]] void RefuseSet(std::string_view property, std::string_view className);

// Excel's refusal of a task that would take more than it has.
constexpr const char* kResourcesMessage = "Excel cannot complete this task with available resources";
[[noreturn]] void RefuseForResources();

}  // namespace spreadsheet
