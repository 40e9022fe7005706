#pragma once

#include <string>

#include "platform/AnsiString.h"

namespace spreadsheet {

// A cell text as UTF-8 for libxlsxwriter, such that Excel shows exactly the text given.
// .xlsx keeps characters that XML cannot hold (control characters other than tab and line
// feed, carriage returns, U+FFFE, U+FFFF, unpaired surrogates) as "_xHHHH_", and Excel reads
// every "_xHHHH_" in a text that way, so an underscore that starts such a sequence in the
// text itself is written as "_x005F_". libxlsxwriter would escape control characters, but
// not the underscore and not NUL, so all of it is done here. libxlsxwriter takes at most
// 32,767 characters as written; a text whose escapes go past that is cut before them.
std::string XlsxCellText(const WideString& text);

}  // namespace spreadsheet
