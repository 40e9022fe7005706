#pragma once

#include "platform/AnsiString.h"

// CompareStringA with the user's locale and no flags, as far as the program asks it:
// whether two texts are equal, case-sensitively. Under the fixed code page that is byte
// equality over both whole texts.
inline bool LocaleTextsEqual(const AnsiString& a, const AnsiString& b) { return a == b; }
