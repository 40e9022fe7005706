// The road a user waits for, from a day's results file to the finished journal: the shipped
// configuration started with the argument 1251, a generated file in code page 1251, the
// shipped journal printed over all samples and written as .xlsx. Its stages:
//   settings  Settings::Load, and the journal template as start-up loads it
//   load      ReportData::Load
//   report    ExcelHelper::Open and TemplateReport::Build
//   write     ExcelHelper::Show, and letting go of the workbook as a print does at its end;
//             it ends with reading the workbook back, to know that it is whole
// Generating the file is not part of the road. Beside the road, "check" times that reading
// back on its own, as the write runs it, over the written workbook.
//
//   road_benchmark                         100,000 and 1,000,000 lines, each in a process of its own
//   road_benchmark --lines N [--repeats R]  one size in this process
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "platform/spreadsheet/SpreadsheetServer.h"
#include "platform/spreadsheet/XlsxCheck.h"
#include "report/Template.h"
#include "report/TemplateReport.h"

namespace {

struct RoadInput {
  std::string programDir;
  std::string path;
  long lines = 0;
};

struct RoadTimes {
  double settings = 0, load = 0, report = 0, write = 0;  // seconds
  double check = 0;  // a part of write
  long pageFaults = 0;
  double Road() const { return settings + load + report + write; }
};

// The reading back that the write ends with, over the written workbook: once to learn what
// its sheet holds, then as the write runs it, timed.
double TimeTheCheck(const std::string& workbook) {
  const std::optional<spreadsheet::PackageFault> counted = spreadsheet::CheckXlsxPackage(workbook, {});
  if (!counted || counted->kind != spreadsheet::PackageFault::Content) throw std::runtime_error("no sheet to check");
  const auto start = std::chrono::steady_clock::now();
  if (spreadsheet::CheckXlsxPackage(workbook, counted->found)) throw std::runtime_error("the workbook is not whole");
  return SecondsSince(start);
}

// One run of the road. Freeing the data set after it is not timed: the data window keeps it.
void RunRoad(const RoadInput& input, RoadTimes& times) {
  const long faults = MinorPageFaults();
  auto start = std::chrono::steady_clock::now();
  Settings settings;
  settings.Load();
  Template journal;
  if (!journal.Load(input.programDir + "templates/1-journal.txt")) throw std::runtime_error("no journal template");
  times.settings = SecondsSince(start);

  start = std::chrono::steady_clock::now();
  ReportData data(settings);
  if (!data.Load(input.path)) throw std::runtime_error("the results file did not load");
  times.load = SecondsSince(start);
  if (static_cast<long>(data.records.size()) != SamplesInResultsFile(input.lines))
    throw std::runtime_error("the results file loaded " + std::to_string(data.records.size()) + " samples");

  start = std::chrono::steady_clock::now();
  auto excel = std::make_unique<ExcelHelper>();
  if (!excel->Open()) throw std::runtime_error("no spreadsheet");
  TemplateReport(&journal, &data, {}, false).Build(excel.get(), nullptr);
  times.report = SecondsSince(start);

  start = std::chrono::steady_clock::now();
  excel->Show();
  excel.reset();
  times.write = SecondsSince(start);
  times.pageFaults = MinorPageFaults() - faults;
  times.check = TimeTheCheck(LastWrittenWorkbookSystemPath());
}

// Every run starts as the first one of a process does: the workbook is gone and the memory
// of the last run is back with the system.
void CleanUpAfterRun() {
  const std::string workbook = LastWrittenWorkbookSystemPath();
  std::error_code ec;
  if (std::filesystem::file_size(workbook, ec) == 0 || ec) throw std::runtime_error("no workbook written");
  std::filesystem::remove(workbook, ec);
  malloc_trim(0);
}

void BM_Road(benchmark::State& state, const RoadInput& input, std::vector<RoadTimes>& runs) {
  for (auto _ : state) {
    RoadTimes times;
    try {
      RunRoad(input, times);
      CleanUpAfterRun();
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
    state.SetIterationTime(times.Road());
    state.counters["settings_ms"] = times.settings * 1000;
    state.counters["load_ms"] = times.load * 1000;
    state.counters["report_ms"] = times.report * 1000;
    state.counters["write_ms"] = times.write * 1000;
    state.counters["check_ms"] = times.check * 1000;
    state.counters["faults"] = static_cast<double>(times.pageFaults);
    state.counters["peak_MiB"] = PeakResidentMegabytes();
    runs.push_back(times);
  }
}

double MedianOf(const std::vector<RoadTimes>& runs, double (*stage)(const RoadTimes&)) {
  std::vector<double> values;
  for (const RoadTimes& run : runs) values.push_back(stage(run));
  return Median(values);
}

}  // namespace

int main(int argc, char** argv) {
  const SizeOptions size = TakeSizeOptions(argc, argv);
  if (size.lines <= 0) return RunSizesInOwnProcesses({100000, 1000000}, size, argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const RoadInput input{LayOutShippedProgram({"1251"}), WriteResultsFile(size.lines, 1251), size.lines};
  SendWorkbooksToBenchFolder();
  // The process before its first run: the input written, the program folder laid out.
  const double residentBefore = PeakResidentMegabytes();
  SummaryTable table("the road, medians", size.lines, SamplesInResultsFile(size.lines), size.Repeats());

  std::vector<RoadTimes> runs;
  RunSizeBenchmark("road", size, [&](benchmark::State& state) { BM_Road(state, input, runs); });
  if (runs.size() != static_cast<size_t>(size.Repeats())) return 1;

  table.AddMilliseconds("settings ms", MedianOf(runs, [](const RoadTimes& t) { return t.settings; }));
  table.AddMilliseconds("load ms", MedianOf(runs, [](const RoadTimes& t) { return t.load; }));
  table.AddMilliseconds("report ms", MedianOf(runs, [](const RoadTimes& t) { return t.report; }));
  table.AddMilliseconds("write ms", MedianOf(runs, [](const RoadTimes& t) { return t.write; }));
  table.AddMilliseconds("check ms", MedianOf(runs, [](const RoadTimes& t) { return t.check; }));
  const double checkShare = MedianOf(runs, [](const RoadTimes& t) { return t.check / t.write; });
  table.Add("check of write", std::to_string(std::lround(100 * checkShare)) + " %");
  table.AddMilliseconds("road ms", MedianOf(runs, [](const RoadTimes& t) { return t.Road(); }));
  table.AddMegabytes("peak MiB", PeakResidentMegabytes());
  table.AddMegabytes("before MiB", residentBefore);
  table.Add("page faults", GroupedNumber(static_cast<long>(
                               MedianOf(runs, [](const RoadTimes& t) { return static_cast<double>(t.pageFaults); }))));
  table.Print();
  return 0;
}
