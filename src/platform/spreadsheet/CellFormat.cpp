#include "platform/spreadsheet/CellFormat.h"

#include <xlsxwriter.h>

namespace spreadsheet {

std::optional<std::uint8_t> BorderStyleForLineStyle(int lineStyle) {
  switch (lineStyle) {
    case 1: return LXW_BORDER_THIN;  // continuous, in Excel's default weight
    case -4115: return LXW_BORDER_DASHED;
    case -4118: return LXW_BORDER_DOTTED;
    case -4119: return LXW_BORDER_DOUBLE;
    case 4: return LXW_BORDER_DASH_DOT;
    case 5: return LXW_BORDER_DASH_DOT_DOT;
    case 13: return LXW_BORDER_SLANT_DASH_DOT;
    case -4142: return LXW_BORDER_NONE;
    default: return std::nullopt;
  }
}

}  // namespace spreadsheet
