#pragma once

#include <string>

// Text as the program holds it: bytes in the ANSI code page (1251).
using AnsiString = std::string;

// Wide text as the conversions and the automation layer hand it over: UTF-16 code units.
using WideString = std::u16string;
