#pragma once

#include <vector>

#include "platform/AnsiString.h"

// One argument field of a template line: a name, then its values, each preceded by ":".
class Argument {
 public:
  // Fills the argument from one field; false when the field yields no value.
  bool Parse(const AnsiString& field);

  // The value at the index as an integer, or the default when it is missing or no integer.
  int GetInt(int defaultValue, unsigned index) const;
  // False for "0" and "false", true for any other value; the default when it is missing.
  bool GetBool(bool defaultValue, unsigned index) const;
  AnsiString GetString(const AnsiString& defaultValue, unsigned index) const;

  AnsiString name;
  // Never holds an empty text: empty values are dropped, so later values move forward.
  std::vector<AnsiString> values;
};
