#pragma once

// Small reference implementations the targets compare the program with. Each is written from
// what the function must do, in the plainest way, without regard to speed.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace reference {

// The texts of the reads that Windows text-mode fgets gives with a buffer of bufferSize
// bytes: carriage returns dropped, a Ctrl-Z ends the input, at most bufferSize - 1 bytes a
// read up to and including a line feed, each read's text cut at its first NUL.
std::vector<std::string> ReadPieces(std::string_view bytes, std::size_t bufferSize);

// Splitting at a character: no piece for an empty text, the whole text without the
// separator, otherwise the texts between separators, the text after the last one (when
// there is any) without its trailing carriage returns and line feeds.
std::vector<std::string> Split(std::string_view text, char separator);

// Splitting at a text: the texts before each occurrence, left to right, and the rest, its
// line end cut, when something is left of it.
std::vector<std::string> SplitByString(std::string_view text, std::string_view separator);

// A shorter replacement: replace the first occurrence, search again from the start, until
// none is left. Any other: each occurrence in the text as it was, left to right.
std::string ReplaceAll(std::string_view text, std::string_view searched, std::string_view replacement);

// The class library's StrToInt: blanks, a sign, decimal digits or hexadecimal ones after "$"
// or "0x"; anything else fails, as does a value outside 32 bits.
bool StrToInt(std::string_view text, int& value);

// strtol with base 10 where long has 32 bits: out of range gives the nearest limit.
std::int32_t Strtol32(const std::string& text);

// Upper case of a byte of code page 1251 (Latin and Cyrillic letters).
unsigned char UpperCase1251(unsigned char c);

// "*" any run, "?" one character, letters without regard to case (bytes of code page 1251).
bool WildcardMatches(std::string_view pattern, std::string_view name);

struct Rect {
  int firstRow = 0, firstColumn = 0, lastRow = 0, lastColumn = 0;
  bool operator==(const Rect&) const = default;
};

// "B5" or "B5:D7", column letters in any case, corners in any order, on a sheet of
// 1,048,576 rows and 16,384 columns.
bool ParseRangeAddress(std::u16string_view address, Rect& rect);

// Column letters of a column counted from 1: A to Z, AA, ..., XFD.
std::string ColumnLetters(int column);

// Strict UTF-8 (no overlong forms, no surrogates, nothing past U+10FFFF) to UTF-16; false
// for anything else.
bool DecodeUtf8(std::string_view bytes, std::u16string& wide);

}  // namespace reference
