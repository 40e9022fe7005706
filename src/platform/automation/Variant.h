#pragma once

#include <concepts>
#include <cstdint>
#include <memory>
#include <string_view>
#include <variant>

#include "platform/AnsiString.h"

class AutomationObject;

// An automation value: empty, a 32-bit integer, a boolean, wide text or an automation object.
// Copying one that holds an object adds a reference to it; the object goes when the last
// value that refers to it does.
class Variant {
 public:
  enum class Type { Empty, Integer, Boolean, Text, Object };

  Variant() = default;
  Variant(std::int32_t value) : value_(value) {}
  Variant(bool value) : value_(value) {}
  Variant(WideString value) : value_(std::move(value)) {}
  Variant(const char16_t* value) : value_(WideString(value)) {}
  // Narrow text has no code page: say which one by converting it to wide text first.
  Variant(const char*) = delete;
  template <std::derived_from<AutomationObject> T>
  Variant(std::shared_ptr<T> object) : value_(std::shared_ptr<AutomationObject>(std::move(object))) {
    if (!std::get<Object>(value_)) value_ = std::monostate();
  }

  Type GetType() const { return static_cast<Type>(value_.index()); }
  bool IsEmpty() const { return GetType() == Type::Empty; }
  bool IsObject() const { return GetType() == Type::Object; }

  // The value as the type asked for, with automation's coercions between integers and
  // booleans (true is -1, any integer but 0 is true); any other pairing fails with
  // "Type mismatch".
  std::int32_t AsInteger() const;
  bool AsBoolean() const;
  const WideString& AsText() const;
  const std::shared_ptr<AutomationObject>& AsObject() const;

  // Late-bound calls on the object held; they fail when the value holds no object, and
  // with whatever the object refuses.
  Variant GetProperty(std::string_view name) const;
  Variant GetProperty(std::string_view name, const Variant& argument) const;
  Variant GetProperty(std::string_view name, const Variant& first, const Variant& second) const;
  void SetProperty(std::string_view name, const Variant& value) const;
  void CallMethod(std::string_view name) const;

 private:
  using Object = std::shared_ptr<AutomationObject>;
  AutomationObject& Target() const;

  // In the order of Type.
  std::variant<std::monostate, std::int32_t, bool, WideString, Object> value_;
};
