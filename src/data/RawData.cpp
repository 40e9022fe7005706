#include "data/RawData.h"

#include "logger/Logger.h"
#include "settings/Settings.h"
#include "strings/Strings.h"

bool RawData::Parse(const std::vector<AnsiString>& lines, const Settings& settings) {
  rows.reserve(rows.size() + lines.size());
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    try {
      AddLine(*line, settings);
    } catch (...) {
      Log("Can't parse '" + *line + "' raw data...", 1);
      return false;
    }
  }
  return true;
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
