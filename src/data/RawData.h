#pragma once

#include <vector>

#include "data/RawItemData.h"

class Settings;

// Every kept line of a results file as a raw row, the last line of the file first.
class RawData {
 public:
  // Adds the lines from the last to the first; false when one of them could not be added.
  bool Parse(const std::vector<AnsiString>& lines, const Settings& settings);
  // The same, releasing each line once its row is made, so that a large file's rows reuse
  // the memory of its lines.
  bool Parse(std::vector<AnsiString>&& lines, const Settings& settings);
  void AddLine(const AnsiString& line, const Settings& settings);

  std::vector<RawItemData> rows;
};
