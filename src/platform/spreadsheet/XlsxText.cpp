#include "platform/spreadsheet/XlsxText.h"

#include <cstdio>

#include "platform/CodePages.h"

namespace spreadsheet {
namespace {

constexpr std::size_t kMaxWrittenCharacters = 32767;

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// An underscore followed by "x" and four hex digits would read as an escape.
bool StartsEscapeLookalike(const WideString& text, std::size_t i) {
  if (text[i] != u'_' || i + 5 >= text.size() || (text[i + 1] != u'x' && text[i + 1] != u'X')) return false;
  for (std::size_t k = i + 2; k < i + 6; ++k)
    if (!IsHexDigit(text[k])) return false;
  return true;
}

bool NeedsEscape(char16_t c) {
  return (c < 0x20 && c != u'\t' && c != u'\n') || c == 0xFFFE || c == 0xFFFF;
}

WideString Escape(char16_t c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "_x%04X_", static_cast<unsigned>(c));
  return WideString(buffer, buffer + 7);
}

}  // namespace

std::string XlsxCellText(const WideString& text) {
  WideString written;
  written.reserve(text.size());
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t c = text[i];
    WideString piece;
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      piece = {c, text[i + 1]};
      ++i;
    } else if (NeedsEscape(c) || IsHighSurrogate(c) || IsLowSurrogate(c)) {
      piece = Escape(c);
    } else if (StartsEscapeLookalike(text, i)) {
      piece = Escape(u'_');
    } else {
      piece = WideString(1, c);
    }
    std::size_t pieceCharacters = piece.size() == 2 && IsHighSurrogate(piece[0]) ? 1 : piece.size();
    if (characters + pieceCharacters > kMaxWrittenCharacters) break;
    characters += pieceCharacters;
    written += piece;
  }
  return WideToUtf8(written);
}

}  // namespace spreadsheet
