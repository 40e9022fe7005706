#pragma once

#include <string>
#include <vector>

#include "data/ReportData.h"
#include "report/Command.h"
#include "report/Template.h"
#include "settings/Settings.h"

// Fields of the test lines: id, provider, time, notes, batch, element, result, value.
constexpr const char* kTestFieldMap = "{id},0,{provider},1,{time},2,{notes},3,{lot},4,{ename},5,{eresult},6,{evalue},7";

// The built-in aliases and result words, the field map above, the name "Лаборатория\n",
// providers P01 "Ферма «Луговая»", P02 "Хозяйство" and P03 "Ферма {ttn}«Ключи»", and display
// names for {tcs} and {b}.
Settings TestSettings();

// A data set as loading a results file with these data lines (UTF-8 in the test, 1251 in the
// data set) makes it: samples added from the last line to the first, raw rows last line first.
ReportData MakeData(const std::vector<std::string>& utf8Lines, const Settings& settings = TestSettings());

// n samples, one "{tcs}" line each: ids 101, 102, ..., times "2026.12.09 01:00:00", ... in
// file order, which is also key order.
std::vector<std::string> SampleLines(int n);
std::string SampleTime(int i);  // of sample i, from 1
AnsiString SampleKey(int i);    // its key in the data set's records

// A template whose command lines, written in UTF-8, are parsed as a file's would be.
Template MakeTemplate(const std::vector<std::string>& utf8Lines);

// One command parsed from a line written in UTF-8.
Command MakeCommand(const std::string& utf8Line);

// Texts of the values a log's SetValue calls wrote, in order.
std::vector<std::string> WrittenValues(const std::vector<std::string>& calls);

// Three samples with 2, 3 and 1 results, keys "t1", "t2", "t3".
extern const std::vector<std::string> kSamplesWith231Results;

// What one command did: the calls of the sheet and of the progress sink in one list, the row
// it returned and its progress steps.
struct CommandRun {
  std::vector<std::string> calls;
  int result = 0;
  int steps = 0;
};

// Runs one command line (UTF-8) into a recording sheet; every cell object it takes must be
// freed before it takes the next.
CommandRun RunCommand(const std::string& utf8Line, const ReportData& data, const std::vector<AnsiString>& ids = {},
                      int currentRow = 0, bool numbered = false);

// The values of a table's data rows: every SetValue after the head's cells.
std::vector<std::string> DataValues(const CommandRun& run, std::size_t columns = 1);
