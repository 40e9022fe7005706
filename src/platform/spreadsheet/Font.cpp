#include "platform/spreadsheet/Font.h"

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/Range.h"
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
    range_.GetSheet().SetFontSize(range_.Rect(), size);
  } else if (IsMember(name, "Bold")) {
    range_.GetSheet().SetBold(range_.Rect(), value.AsBoolean());
  } else {
    ThrowUnknownName(name);
  }
}

}  // namespace spreadsheet
