#pragma once

#include <vector>

#include "platform/AnsiString.h"
#include "report/Command.h"

class ReportData;

// One template file: a header line "code,title", then one command per line.
class Template {
 public:
  // Reads the file into this (new, empty) template; false when it cannot be opened or its
  // header holds no field.
  bool Load(const AnsiString& path);

  // The progress maximum of a run: the sum of the commands' row counts.
  int GetRowCount(const ReportData& data, const std::vector<AnsiString>& ids) const;

  AnsiString code;   // read by nothing
  AnsiString title;  // the template's name in the data window
  std::vector<Command> commands;
};
