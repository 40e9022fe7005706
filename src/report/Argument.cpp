#include "report/Argument.h"

#include "platform/Numbers.h"
#include "strings/Strings.h"

bool Argument::Parse(const AnsiString& field) {
  std::vector<AnsiString> pieces = Split(field, ':');
  if (pieces.empty()) return false;
  name = pieces.front();
  for (std::size_t i = 1; i < pieces.size(); ++i)
    if (!pieces[i].empty()) values.push_back(pieces[i]);
  return !values.empty();
}

int Argument::GetInt(int defaultValue, unsigned index) const {
  int value = 0;
  if (index >= values.size() || !TryStrToInt(values[index], value)) return defaultValue;
  return value;
}

bool Argument::GetBool(bool defaultValue, unsigned index) const {
  if (index >= values.size()) return defaultValue;
  return values[index] != "0" && values[index] != "false";
}

AnsiString Argument::GetString(const AnsiString& defaultValue, unsigned index) const {
  return index < values.size() ? values[index] : defaultValue;
}
