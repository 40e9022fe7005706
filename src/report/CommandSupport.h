#pragma once

// What the command implementations share; not part of the report interface.

#include <algorithm>
#include <climits>
#include <cstdint>

#include <vector>

#include "platform/AnsiString.h"

class ItemData;
class RawItemData;
class ReportData;

namespace command_support {

// Rows and columns from template values are computed in 64 bits and held to the int range
// before they are stored or handed to the sheet: a huge value gives a cell outside the
// sheet, which the sheet refuses, never a wrap back into it.
inline int ToSheetInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

// A filled cell text is cut at this length; the sheet keeps far less of a value.
constexpr std::size_t kMaxFilledLength = 65536;

// A cell text while its placeholders are filled: the template's own text, in which each step
// searches its placeholder, and the values that steps put in, which no later step searches,
// whatever they hold. Where a step puts in an empty value, the template's text on either side
// joins, and an occurrence the two parts form is replaced as a plain replace-all would.
class FilledText {
 public:
  explicit FilledText(const AnsiString& templateText);

  // One step: every occurrence of searched in the template's own text by value.
  void Fill(const AnsiString& searched, const AnsiString& value);
  // The whole text, cut at kMaxFilledLength.
  AnsiString Text() const;

 private:
  struct Piece {
    AnsiString text;
    bool own;  // the template's text, not a value
  };
  // Never two own pieces side by side, never an empty value.
  std::vector<Piece> pieces_;
};

// The steps of Command::ReplacePlaceholders and Command::ReplaceElementRowFields, on a text
// that earlier steps (a running number) may have filled already.
void FillPlaceholders(FilledText& text, const ReportData& data, const ItemData* sample);
void FillElementRowFields(FilledText& text, const ReportData& data, const RawItemData& row);

}  // namespace command_support
