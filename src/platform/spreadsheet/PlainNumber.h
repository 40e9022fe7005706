#pragma once

#include <string_view>

#include "platform/AnsiString.h"

namespace spreadsheet {

// Excel reads a text written to a general cell as a number when it is a plain number: an
// optional "-", digits, optionally "." or "," and more digits, nothing else (no blanks, no
// "+", no exponent), and at most 15 significant digits, so that no digit is lost.
// "0012" gives 12.
bool ReadPlainNumber(std::u16string_view text, double& number);

}  // namespace spreadsheet
