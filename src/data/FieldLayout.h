#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/AnsiString.h"

class Settings;

// Where the fields of a results line stand, as a field-index map says: the column of each
// named field, -1 for a name the map lacks. Records made under one map share one layout.
class FieldLayout {
 public:
  explicit FieldLayout(const std::map<AnsiString, std::int32_t>& fieldIndexes);

  // The layout of the configuration's map; the last one made is handed out again while the
  // map stays the same.
  static std::shared_ptr<const FieldLayout> Of(const Settings& settings);

  bool Matches(const std::map<AnsiString, std::int32_t>& fieldIndexes) const;
  std::int32_t Column(std::string_view name) const;
  // The value of a field in the pieces of a split line: the piece at its column, else "".
  static std::string_view Value(std::int32_t column, const std::vector<std::string_view>& pieces) {
    return column >= 0 && static_cast<std::size_t>(column) < pieces.size() ? pieces[static_cast<std::size_t>(column)]
                                                                           : std::string_view();
  }
  // Every named field with its column, in byte order of the names.
  const std::vector<std::pair<AnsiString, std::int32_t>>& Fields() const { return fields_; }

  std::int32_t id, provider, time, notes, lot, ename, eresult, evalue;

 private:
  std::vector<std::pair<AnsiString, std::int32_t>> fields_;
};
