#pragma once

#include <string>

#include "platform/AnsiString.h"

namespace spreadsheet {

// A cell text as UTF-8 for libxlsxwriter, such that Excel shows exactly the text given.
// .xlsx keeps characters that XML cannot hold as "_xHHHH_", and Excel reads every "_xHHHH_"
// in a text that way. libxlsxwriter escapes control characters itself; the underscore of a
// text that would read as an escape ("_x0041_", also when an escaped character closes it),
// NUL, U+FFFE, U+FFFF and unpaired surrogates are escaped here. libxlsxwriter takes at most
// 32,767 characters as handed to it, counted before its own escapes: a text that the escapes
// made here push past that is cut to its longest start that fits, never inside an escape.
std::string XlsxCellText(const WideString& text);

}  // namespace spreadsheet
