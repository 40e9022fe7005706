// Printing into the spreadsheet server down to a written .xlsx: the shipped journal template
// and the full report over 1,000, 10,000 and 50,000 samples.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <map>
#include <string>

#include "BenchSupport.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "report/FullReport.h"
#include "report/Template.h"
#include "report/TemplateReport.h"

namespace {

// One data set per size, each sample with its seven results.
const ReportData& Samples(long samples) {
  static std::map<long, ReportData> loaded;
  auto found = loaded.find(samples);
  if (found != loaded.end()) return found->second;
  ReportData data(BenchSettings());
  if (!data.Load(WriteResultsFile(samples * 7))) std::abort();
  return loaded.emplace(samples, std::move(data)).first->second;
}

void BM_JournalTemplate(benchmark::State& state) {
  SendWorkbooksToBenchFolder();
  const ReportData& data = Samples(state.range(0));
  Template journal;
  if (!journal.Load(std::string(KELVARN_SOURCE_DIR) + "/config/templates/1-journal.txt")) std::abort();
  for (auto _ : state) {
    ExcelHelper excel;
    if (!excel.Open()) state.SkipWithError("open failed");
    TemplateReport(&journal, &data, {}, false).Build(&excel, nullptr);
    excel.Show();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_FullReport(benchmark::State& state) {
  SendWorkbooksToBenchFolder();
  const ReportData& data = Samples(state.range(0));
  for (auto _ : state) FullReport(data).Build(nullptr, nullptr);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_JournalTemplate)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullReport)->Arg(1000)->Arg(10000)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
