#pragma once

#include <string_view>
#include <vector>

#include "platform/AnsiString.h"

// The text without the carriage returns and line feeds it ends in.
std::string_view WithoutLineEnd(std::string_view text);

// Splits at a separator character, without quoting. A trailing separator adds no piece; the
// last piece loses its trailing carriage returns and line feeds (it may become empty and is
// still a piece). A text without the separator is the one piece, unchanged.
std::vector<AnsiString> Split(AnsiString text, char separator);
// The same pieces as views into the text, into a list that is reused from call to call.
void SplitViews(std::string_view text, char separator, std::vector<std::string_view>& pieces);

// Splits at a separator text. The text after the last separator, its trailing carriage
// returns and line feeds cut, is a last piece when something is left of it.
std::vector<AnsiString> SplitByString(AnsiString text, const AnsiString& separator);

// Replaces every occurrence of searched. A shorter replacement repeats the search, so that
// occurrences it forms with its neighbours go too; any other replacement is one pass over the
// text as it was, so the operation always ends.
AnsiString ReplaceAll(const AnsiString& text, const AnsiString& searched, const AnsiString& replacement);

// Bytes in a code page as wide text, up to the first NUL; at most 2048 wide characters. An
// empty result on failure, with the conversion's error left in GetLastError(). With flags
// MB_ERR_INVALID_CHARS a byte sequence that is invalid in the code page is a failure too.
WideString ToWide(const AnsiString& bytes, int codePage, unsigned flags = 0);
WideString Utf8ToWide(const AnsiString& bytes);
