#include "platform/spreadsheet/XlsxText.h"

#include <cstdio>
#include <vector>

#include "platform/CodePages.h"

namespace spreadsheet {
namespace {

// What libxlsxwriter takes: characters of the UTF-8 handed to it, before its own escapes.
constexpr std::size_t kMaxHandedCharacters = 32767;
constexpr std::size_t kEscapeLength = 7;  // "_xHHHH_"

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Control characters that libxlsxwriter writes as "_xHHHH_" itself.
bool LibraryEscapes(char16_t c) { return c >= 0x01 && c < 0x20 && c != u'\t' && c != u'\n'; }

// What UTF-8 cannot carry to libxlsxwriter, or XML cannot hold and the library leaves.
bool NeedsOwnEscape(char16_t c) { return c == 0 || c == 0xFFFE || c == 0xFFFF || IsHighSurrogate(c) || IsLowSurrogate(c); }

// One character of the text: a code unit, or a surrogate pair.
struct Character {
  std::size_t at;
  std::size_t units;
  bool ownEscape;
  // Written as "_xHHHH_", by us or by the library: its "_" ends an escape lookalike before it.
  bool escaped;
};

WideString Escape(char16_t c) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "_x%04X_", static_cast<unsigned>(c));
  return WideString(buffer, buffer + kEscapeLength);
}

// Whether the characters before character k read "_xHHHH": then a "_" at k, or an escape,
// would make Excel read them as one character.
bool EndsLookalike(const WideString& text, const std::vector<Character>& characters, std::size_t k) {
  if (k < 6) return false;
  for (std::size_t j = k - 6; j < k; ++j)
    if (characters[j].units != 1) return false;
  const std::size_t at = characters[k - 6].at;
  if (text[at] != u'_' || (text[at + 1] != u'x' && text[at + 1] != u'X')) return false;
  for (std::size_t i = at + 2; i < at + 6; ++i)
    if (!IsHexDigit(text[i])) return false;
  return true;
}

}  // namespace

std::string XlsxCellText(const WideString& text) {
  std::vector<Character> characters;
  characters.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const bool pair = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]);
    Character c{i, pair ? 2u : 1u, false, false};
    if (!pair) {
      c.ownEscape = NeedsOwnEscape(text[i]);
      c.escaped = c.ownEscape || LibraryEscapes(text[i]);
    }
    characters.push_back(c);
    i += c.units;
  }

  // The longest start that libxlsxwriter takes. A lookalike costs its escape of the "_" once
  // the character that closes it is part of the start.
  std::vector<bool> escapeUnderscore(characters.size(), false);
  std::size_t handed = 0;
  std::size_t taken = 0;
  for (; taken < characters.size(); ++taken) {
    const Character& c = characters[taken];
    const bool closes = (c.escaped || (c.units == 1 && text[c.at] == u'_')) && EndsLookalike(text, characters, taken);
    const std::size_t cost = (c.ownEscape ? kEscapeLength : 1) + (closes ? kEscapeLength - 1 : 0);
    if (handed + cost > kMaxHandedCharacters) break;
    handed += cost;
    if (closes) escapeUnderscore[taken - 6] = true;
  }

  WideString written;
  written.reserve(text.size());
  for (std::size_t k = 0; k < taken; ++k) {
    const Character& c = characters[k];
    if (escapeUnderscore[k])
      written += Escape(u'_');
    else if (c.ownEscape)
      written += Escape(text[c.at]);
    else
      written.append(text, c.at, c.units);
  }
  return WideToUtf8(written);
}

}  // namespace spreadsheet
