#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "settings/Settings.h"

// A temporary folder for generated inputs, removed at exit.
const std::string& BenchDir();

// Peak resident memory of this process so far, in megabytes.
double PeakResidentMegabytes();

// Minor page faults of this process so far.
long MinorPageFaults();

// Writes a results file of that many data lines: samples of seven groups each, in the
// shipped samples' column order, in UTF-8 (65001) or code page 1251. Returns its path.
std::string WriteResultsFile(long lines, unsigned codePage = 65001);

// The samples such a file holds.
long SamplesInResultsFile(long lines);

// The shipped column map and the built-in aliases, the code-page list {65001} and no probe;
// the log goes to the bench folder.
Settings BenchSettings();

// The shipped configuration (the sources' config/) copied into a program folder in the bench
// folder, the executable's path pointing there and the command line "kelvarn <arguments>",
// as a user starts the program. Returns the folder with its trailing "/".
std::string LayOutShippedProgram(const std::vector<std::string>& arguments);

// Workbooks made visible are written into the bench folder and nothing opens them.
void SendWorkbooksToBenchFolder();

double SecondsSince(std::chrono::steady_clock::time_point start);
double Median(std::vector<double> values);

// Each size of a benchmark runs in a process of its own, so that its peak memory is its own.
// "--lines N" runs one size in this process, "--repeats R" that many times; without --lines
// the program is a driver that runs itself once for each default size.
struct SizeOptions {
  long lines = 0;    // 0: run as the driver
  int repeats = 0;   // 0: not given
  // The runs of one size: as given, else 5, and 3 from a million lines up.
  int Repeats() const { return repeats > 0 ? repeats : lines >= 1000000 ? 3 : 5; }
};

// Takes --lines and --repeats out of the arguments; the rest are left for Google Benchmark.
SizeOptions TakeSizeOptions(int& argc, char** argv);

// Runs this program with "--lines N", the repeats if given and the remaining arguments for
// each size, one after the other; passes their output through and prints their summary rows
// as one table. Returns 0 when every run succeeded.
int RunSizesInOwnProcesses(const std::vector<long>& sizes, const SizeOptions& options, int argc, char** argv);

// Registers and runs the benchmark "<name>/lines:N" of one size: one iteration a run,
// size.Repeats() runs, each timed by what the body gives SetIterationTime, in milliseconds.
void RunSizeBenchmark(const std::string& name, const SizeOptions& size,
                      const std::function<void(benchmark::State&)>& body);

// One size's medians as a Markdown table of one row, after a line "Summary: <title>" by which
// the driver finds it. The first columns are the size, the runs and the machine's load
// average (1 minute) when the table was made, before the runs.
class SummaryTable {
 public:
  SummaryTable(std::string title, long lines, long samples, int runs);
  void Add(const std::string& column, const std::string& text);
  void AddMilliseconds(const std::string& column, double seconds);
  void AddMegabytes(const std::string& column, double megabytes);
  void Print() const;

 private:
  std::string title_;
  std::vector<std::pair<std::string, std::string>> cells_;
};

// 1234567 as "1,234,567".
std::string GroupedNumber(long number);
