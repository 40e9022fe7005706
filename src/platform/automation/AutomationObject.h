#pragma once

#include <span>
#include <string_view>

#include "platform/automation/Variant.h"

// An object reached late-bound: every call names its member as a text, matched without
// regard to letter case. A member the object does not have, a wrong number or type of
// arguments and a value the object refuses all throw an Exception, as a refused call does.
// A COM implementation wraps an IDispatch here.
class AutomationObject {
 public:
  virtual ~AutomationObject() = default;

  virtual Variant GetProperty(std::string_view name, std::span<const Variant> arguments) = 0;
  virtual void SetProperty(std::string_view name, const Variant& value) = 0;
  virtual void CallMethod(std::string_view name) = 0;
};
