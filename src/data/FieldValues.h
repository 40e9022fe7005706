#pragma once

#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "data/FieldLayout.h"
#include "platform/AnsiString.h"

class Settings;

// The values of the configured fields of one line, by field name. They are the line's own
// pieces, so a record keeps the line once and takes a field from it when asked.
class FieldValues {
 public:
  FieldValues() = default;
  FieldValues(std::shared_ptr<const FieldLayout> layout, std::string_view line);
  // Every field name of the settings' field-index map, with its value in the split line.
  FieldValues(const Settings& settings, const std::vector<AnsiString>& pieces);

  // The value of the field, or none when the map has no field of that name.
  std::optional<AnsiString> Find(const AnsiString& name) const;
  std::size_t size() const { return layout_ ? layout_->Fields().size() : 0; }

 private:
  std::shared_ptr<const FieldLayout> layout_;
  AnsiString line_;
};
