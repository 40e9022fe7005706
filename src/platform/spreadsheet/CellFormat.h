#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <optional>

#include "platform/AnsiString.h"

namespace spreadsheet {

// The outer edges of a cell, in the order of Excel's edge indexes 7 to 10.
enum class Edge { Left, Top, Bottom, Right };

constexpr int kDefaultFontSize = 11;

// Everything a cell's look is made of. Cells that look alike share one interned format.
struct CellFormat {
  WideString numberFormat;  // empty: General; "@": text
  bool wrap = false;
  int fontSize = kDefaultFontSize;
  bool bold = false;
  std::array<std::uint8_t, 4> borders{};  // libxlsxwriter border styles by Edge; 0 is none

  bool IsText() const { return numberFormat == u"@"; }
  auto operator<=>(const CellFormat&) const = default;
};

// The .xlsx border for one of Excel's LineStyle constants: 1 continuous, -4115 dash,
// -4118 dot, -4119 double, 4 dash-dot, 5 dash-dot-dot, 13 slant dash-dot, -4142 none;
// nothing for any other value.
std::optional<std::uint8_t> BorderStyleForLineStyle(int lineStyle);

}  // namespace spreadsheet
