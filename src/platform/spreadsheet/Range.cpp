#include "platform/spreadsheet/Range.h"

#include <algorithm>

#include "platform/automation/Dispatch.h"
#include "platform/spreadsheet/ServerErrors.h"

namespace spreadsheet {
namespace {

constexpr int kMaxColumnWidth = 255;
constexpr int kMaxRowHeight = 409;
constexpr std::size_t kMaxNumberFormatLength = 255;

constexpr int kFirstEdgeIndex = 7;  // left, top, bottom, right: 7 to 10
constexpr int kLastEdgeIndex = 10;

CellValue ToCellValue(const Variant& value) {
  switch (value.GetType()) {
    case Variant::Type::Empty: return std::monostate();
    case Variant::Type::Integer: return static_cast<double>(value.AsInteger());
    case Variant::Type::Boolean: return value.AsBoolean();
    case Variant::Type::Text: return value.AsText();
    case Variant::Type::Object: break;
  }
  ThrowTypeMismatch();
}

// A format code goes into the file as it is: no control characters, Excel's length.
bool IsAcceptableNumberFormat(const WideString& format) {
  return format.size() <= kMaxNumberFormatLength &&
         std::ranges::none_of(format, [](char16_t c) { return c < 0x20 || c >= 0xD800; });
}

int IntegerWithin(const Variant& value, int low, int high, std::string_view property) {
  int number = value.AsInteger();
  if (number < low || number > high) RefuseSet(property, "Range");
  return number;
}

}  // namespace

Variant Range::GetProperty(std::string_view name, std::span<const Variant> arguments) {
  if (IsMember(name, "Item")) {
    ExpectArguments(arguments, 2);
    std::int64_t row = std::int64_t{rect_.firstRow} + arguments[0].AsInteger() - 1;
    std::int64_t column = std::int64_t{rect_.firstColumn} + arguments[1].AsInteger() - 1;
    if (!IsOnSheet(row, column)) RefuseGet("Item", "Range");
    int r = static_cast<int>(row), c = static_cast<int>(column);
    return std::make_shared<Range>(ref_, CellRect{r, c, r, c});
  }
  if (IsMember(name, "Borders")) {
    ExpectArguments(arguments, 1);
    int index = arguments[0].AsInteger();
    if (index < kFirstEdgeIndex || index > kLastEdgeIndex) RefuseGet("Item", "Borders");
    return std::shared_ptr<Border>(shared_from_this(), &borders_[static_cast<std::size_t>(index - kFirstEdgeIndex)]);
  }
  if (IsMember(name, "Font")) {
    ExpectArguments(arguments, 0);
    return std::shared_ptr<Font>(shared_from_this(), &font_);
  }
  ThrowUnknownName(name);
}

void Range::SetProperty(std::string_view name, const Variant& value) {
  Sheet& sheet = GetSheet();
  if (IsMember(name, "Value")) {
    if (value.GetType() == Variant::Type::Text)
      sheet.SetText(rect_, value.AsText());
    else
      sheet.SetValue(rect_, ToCellValue(value));
  } else if (IsMember(name, "NumberFormat")) {
    if (!IsAcceptableNumberFormat(value.AsText())) RefuseSet("NumberFormat", "Range");
    sheet.SetNumberFormat(rect_, value.AsText());
  } else if (IsMember(name, "WrapText")) {
    sheet.SetWrap(rect_, value.AsBoolean());
  } else if (IsMember(name, "ColumnWidth")) {
    sheet.SetColumnWidth(rect_.firstColumn, rect_.lastColumn, IntegerWithin(value, 0, kMaxColumnWidth, "ColumnWidth"));
  } else if (IsMember(name, "RowHeight")) {
    sheet.SetRowHeight(rect_.firstRow, rect_.lastRow, IntegerWithin(value, 0, kMaxRowHeight, "RowHeight"));
  } else {
    ThrowUnknownName(name);
  }
}

}  // namespace spreadsheet
