#pragma once

#include <memory>
#include <vector>

#include "platform/AnsiString.h"

class Settings;

// The values of the configured fields of one line, by field name. A results file holds a
// row and a sample per line, so the names are shared by every record made under the same
// field-index map and each record keeps only its values.
class FieldValues {
 public:
  FieldValues() = default;
  // Every field name of the settings' field-index map, with its value in the split line.
  FieldValues(const Settings& settings, const std::vector<AnsiString>& pieces);

  // The value of the field, or null when the map has no field of that name.
  const AnsiString* Find(const AnsiString& name) const;
  std::size_t size() const { return values_.size(); }

 private:
  std::shared_ptr<const std::vector<AnsiString>> names_;  // in byte order
  std::vector<AnsiString> values_;
};
