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

  // One step: every occurrence of searched in the template's own text by the value, which is
  // worked out only when there is one.
  template <class MakeValue>
  void Fill(const AnsiString& searched, MakeValue&& makeValue) {
    if (!searched.empty() && Contains(searched)) Replace(searched, makeValue());
  }
  // Whether an empty value has joined two parts of the template's text, which may then hold
  // a placeholder that the text did not hold before.
  bool Joined() const { return joined_; }
  // The whole text, cut at kMaxFilledLength.
  AnsiString Text() const;

 private:
  friend class CellTemplate;
  bool Contains(const AnsiString& searched) const;
  // The value is that of the step of that index, for a text that is filled in advance.
  void Replace(const AnsiString& searched, const AnsiString& value, int step = -1);

  struct Piece {
    AnsiString text;
    bool own;       // the template's text, not a value
    int step = -1;  // the step whose value it is
  };
  // Never two own pieces side by side, never an empty value.
  std::vector<Piece> pieces_;
  bool joined_ = false;
};

// Where the value of a placeholder step comes from.
enum class Source : std::uint8_t {
  kNumber,        // the running number of a table row
  kId,            // the record's id
  kProvider,      // its provider's name
  kNothing,       // the empty text
  kGroupValue,    // the value of the sample's result of a group (key)
  kGroupMark,     // the mark of that result
  kDateTime,      // the whole time text
  kDate,
  kTime,
  kNotes,
  kLotDate,
  kField,         // a named field (key)
  kName,          // the name of the configuration
  kLineFeed,
  kElement,       // a raw row's group display name
  kElementMark,   // the mark of its result
  kElementValue,  // its value
};

struct PlaceholderStep {
  AnsiString searched;
  Source source;
  AnsiString key;
};

// What a text is filled from: nothing but the configuration (a head cell, a "wc" cell), a
// sample, or a raw row.
enum class Record { kNone, kSample, kRawRow };

// The placeholder steps for such a text over one data set, in their order.
std::vector<PlaceholderStep> PlaceholderSteps(const ReportData& data, Record record);

// The steps of a table's data cell: the running number for "{num}", and for "{id}" too when the
// rows are numbered, then the steps of the record.
std::vector<PlaceholderStep> NumberedSteps(const ReportData& data, Record record, bool numberReplacesId);

// A cell text that is filled with the same steps over and over, as a table fills a column's
// template for each row: it knows which steps find something in the template's own text, so
// that the others are not even searched for.
class CellTemplate {
 public:
  CellTemplate(AnsiString text, const std::vector<PlaceholderStep>& steps);

  // The text filled for one record: a sample or a raw row (or neither), number being the
  // running number.
  AnsiString Fill(const std::vector<PlaceholderStep>& steps, const ReportData& data, const ItemData* sample,
                  const RawItemData* row, std::int64_t number) const;

 private:
  AnsiString text_;
  std::vector<bool> found_;  // by step
  // The text filled with values that are not empty: the template's own text, and which step's
  // value comes where. Where every value that it takes is there, a row is filled by it alone.
  std::vector<FilledText::Piece> plan_;
};

}  // namespace command_support
