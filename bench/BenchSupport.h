#pragma once

#include <string>

#include "settings/Settings.h"

// A temporary folder for generated inputs, removed at exit.
const std::string& BenchDir();

// Peak resident memory of this process so far, in megabytes.
double PeakResidentMegabytes();

// Writes a results file of that many data lines: samples of seven groups each, in the
// shipped samples' column order and UTF-8. Returns its path.
std::string WriteResultsFile(long lines);

// The shipped column map and the built-in aliases, the code-page list {65001} and no probe;
// the log goes to the bench folder.
Settings BenchSettings();

// Workbooks made visible are written into the bench folder and nothing opens them.
void SendWorkbooksToBenchFolder();
