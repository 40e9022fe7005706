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

// n samples, one "{tcs}" line each: ids 101, 102, ..., keys "2026.12.09 01:00:00", ... in
// file order, which is also key order.
std::vector<std::string> SampleLines(int n);
std::string SampleKey(int i);  // of sample i, from 1

// A template whose command lines, written in UTF-8, are parsed as a file's would be.
Template MakeTemplate(const std::vector<std::string>& utf8Lines);

// One command parsed from a line written in UTF-8.
Command MakeCommand(const std::string& utf8Line);

// Texts of the values a log's SetValue calls wrote, in order.
std::vector<std::string> WrittenValues(const std::vector<std::string>& calls);
