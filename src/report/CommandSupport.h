#pragma once

// What the command implementations share; not part of the report interface.

#include <algorithm>
#include <climits>
#include <cstdint>

#include "platform/AnsiString.h"

namespace command_support {

// Rows and columns from template values are computed in 64 bits and held to the int range
// before they are stored or handed to the sheet: a huge value gives a cell outside the
// sheet, which the sheet refuses, never a wrap back into it.
inline int ToSheetInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// A filled cell text stops growing at this length. The sheet keeps far less of a value, and
// values from a results file that hold placeholders themselves must not multiply a text
// without bound.
constexpr std::size_t kMaxFilledLength = 65536;

// One placeholder step: every occurrence of searched by value, as ReplaceAll does it, the
// result cut at kMaxFilledLength.
AnsiString Fill(const AnsiString& text, const AnsiString& searched, const AnsiString& value);

}  // namespace command_support
