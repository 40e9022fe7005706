#include "platform/automation/Variant.h"

#include "platform/Exception.h"
#include "platform/automation/AutomationObject.h"
#include "platform/automation/Dispatch.h"

std::int32_t Variant::AsInteger() const {
  if (const auto* value = std::get_if<std::int32_t>(&value_)) return *value;
  if (const auto* value = std::get_if<bool>(&value_)) return *value ? -1 : 0;
  ThrowTypeMismatch();
}

bool Variant::AsBoolean() const {
  if (const auto* value = std::get_if<bool>(&value_)) return *value;
  if (const auto* value = std::get_if<std::int32_t>(&value_)) return *value != 0;
  ThrowTypeMismatch();
}

const WideString& Variant::AsText() const {
  if (const auto* value = std::get_if<WideString>(&value_)) return *value;
  ThrowTypeMismatch();
}

const std::shared_ptr<AutomationObject>& Variant::AsObject() const {
  if (const auto* value = std::get_if<Object>(&value_)) return *value;
  throw Exception("Variant does not reference an automation object");
}

AutomationObject& Variant::Target() const { return *AsObject(); }

Variant Variant::GetProperty(std::string_view name) const { return Target().GetProperty(name, {}); }

Variant Variant::GetProperty(std::string_view name, const Variant& argument) const {
  return Target().GetProperty(name, std::span<const Variant>(&argument, 1));
}

Variant Variant::GetProperty(std::string_view name, const Variant& first, const Variant& second) const {
  const Variant arguments[] = {first, second};
  return Target().GetProperty(name, arguments);
}

void Variant::SetProperty(std::string_view name, const Variant& value) const { Target().SetProperty(name, value); }

void Variant::CallMethod(std::string_view name) const { Target().CallMethod(name); }
