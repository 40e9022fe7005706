#pragma once

#include "platform/automation/AutomationObject.h"
#include "platform/automation/Dispatch.h"

// A server object that has no member until it overrides the call that reaches it: every name
// it does not know is refused as unknown.
class DispatchObject : public AutomationObject {
 public:
  Variant GetProperty(std::string_view name, std::span<const Variant>) override { ThrowUnknownName(name); }
  void SetProperty(std::string_view name, const Variant&) override { ThrowUnknownName(name); }
  void CallMethod(std::string_view name) override { ThrowUnknownName(name); }
};
