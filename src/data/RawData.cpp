#include "data/RawData.h"

#include <type_traits>

#include "logger/Logger.h"
#include "settings/Settings.h"
#include "strings/Strings.h"

namespace {

template <typename Lines>
bool ParseLines(RawData& raw, Lines& lines, const Settings& settings, bool release) {
  raw.rows.reserve(raw.rows.size() + lines.size());
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    try {
      raw.AddLine(*line, settings);
    } catch (...) {
      Log("Can't parse '" + *line + "' raw data...", 1);
      return false;
    }
    if constexpr (!std::is_const_v<Lines>) {
      if (release) AnsiString().swap(*line);
    }
  }
  return true;
}

}  // namespace

bool RawData::Parse(const std::vector<AnsiString>& lines, const Settings& settings) {
  return ParseLines(*this, lines, settings, false);
}

bool RawData::Parse(std::vector<AnsiString>&& lines, const Settings& settings) {
  return ParseLines(*this, lines, settings, true);
}

void RawData::AddLine(const AnsiString& line, const Settings& settings) {
  std::vector<AnsiString> pieces;
  try {
    pieces = Split(line, ',');
  } catch (...) {
    Log("Can't split: '" + line + "'...", 1);
    return;
  }
  if (pieces.size() < 2) Log("wrong split: '" + line + "' to '" + line + "'...", 1);
  if (!pieces.empty()) rows.emplace_back(pieces, settings);
}
