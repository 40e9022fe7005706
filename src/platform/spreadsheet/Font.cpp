#include "platform/spreadsheet/Font.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/ServerErrors.h"

namespace spreadsheet {
namespace {

constexpr int kMinFontSize = 1;
constexpr int kMaxFontSize = 409;

}  // namespace

void Font::SetProperty(std::string_view name, const Variant& value) {
  if (IsMember(name, "Size")) {
    int size = value.AsInteger();
    if (size < kMinFontSize || size > kMaxFontSize) RefuseSet("Size", "Font");
    GetSheet().SetFontSize(rect_, size);
  } else if (IsMember(name, "Bold")) {
    GetSheet().SetBold(rect_, value.AsBoolean());
  } else {
    ThrowUnknownName(name);
  }
}

}  // namespace spreadsheet
