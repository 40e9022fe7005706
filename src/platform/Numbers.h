#pragma once

#include <cstdint>

#include "platform/AnsiString.h"

// The class library's text-to-integer conversion: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$" or "0x". Anything else (a trailing blank
// too), an empty text and a value outside 32 bits fail.
bool TryStrToInt(const AnsiString& text, int& value);

// The same, raising an Exception (EConvertError) where TryStrToInt fails.
int StrToInt(const AnsiString& text);

// The C runtime's readers as on Windows, where long has 32 bits: leading white space, an
// optional sign, decimal digits up to the first other character; no digits give 0 and a
// value out of range gives the nearest 32-bit limit.
std::int32_t Strtol32(const char* text);
std::int32_t Atol32(const char* text);
std::int32_t Wcstol32(const char16_t* text);

// The decimal form of a number.
AnsiString IntToStr(std::int64_t value);
