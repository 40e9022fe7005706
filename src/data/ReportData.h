#pragma once

#include <map>
#include <string_view>

#include "data/ItemData.h"
#include "data/RawData.h"
#include "settings/Settings.h"

// The key of a sample in ReportData::records: its analysis time and its id, joined by a NUL.
// Neither holds one (a line's text ends at its first), so samples sort by time, then by id.
AnsiString RecordKey(std::string_view time, std::string_view id);

// One opened results file: its samples by analysis time and id, its raw rows and its own copy
// of the configuration.
class ReportData {
 public:
  ReportData() = default;
  explicit ReportData(const Settings& settings);

  // Reads the file; called once, on a fresh record.
  bool Load(const AnsiString& path);
  void AddContent(const AnsiString& line);
  // The line in the ANSI code page, or the line as read when no code page applies.
  AnsiString ConvertLine(const AnsiString& line);
  void ProbeCodePages(const AnsiString& line);

  AnsiString GetProviderName(const AnsiString& code) const;
  AnsiString GetCaption() const;

  AnsiString id;
  AnsiString path;
  std::map<AnsiString, ItemData> records;
  RawData raw;
  Settings settings;
  bool probeCodePages = false;

 private:
  using Records = std::map<AnsiString, ItemData>;
  class LineReader;
  void AddContent(std::string_view line, LineReader& reader, Records::iterator& previous);

  bool lastLineReplaced_ = false;  // the last ConvertLine put replacement characters in
};
