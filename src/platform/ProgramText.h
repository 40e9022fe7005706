#pragma once

#include <string_view>

#include "platform/AnsiString.h"

// The program's own texts are written in UTF-8 in the sources and held in the ANSI code page
// (1251). This is the one place that converts them, once per text, on first use.
const AnsiString& AnsiText(std::string_view utf8);
