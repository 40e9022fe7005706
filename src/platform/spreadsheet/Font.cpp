#include "platform/spreadsheet/Font.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/ServerErrors.h"

namespace spreadsheet {
namespace {

constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 409;

}  // namespace

Variant Font::GetProperty(std::string_view name, std::span<const Variant>) { ThrowUnknownName(name); }

void Font::SetProperty(std::string_view name, const Variant& value) {
  if (IsMember(name, "Size")) {
    int size = value.AsInteger();
    if (size < kMinFontSize || size > kMaxFontSize) RefuseSet("Size", "Font");
    ref_.GetSheet().SetFontSize(rect_, size);
  } else if (IsMember(name, "Bold")) {
    ref_.GetSheet().SetBold(rect_, value.AsBoolean());
  } else {
    ThrowUnknownName(name);
  }
}

void Font::CallMethod(std::string_view name) { ThrowUnknownName(name); }

}  // namespace spreadsheet
