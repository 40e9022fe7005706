#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/automation/Variant.h"

// Helpers for the servers behind AutomationObject: how member names match and how a call
// is refused, with the messages automation gives.

// Member names compare without regard to letter case ("WorkBooks" is "Workbooks").
bool IsMember(std::string_view name, std::string_view member);

[[noreturn]] void ThrowUnknownName(std::string_view name);
[[noreturn]] void ThrowTypeMismatch();

// Refuses a call with another number of arguments.
void ExpectArguments(std::span<const Variant> arguments, std::size_t count);
