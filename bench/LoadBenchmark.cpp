// Loading a results file: time per size, and with --memory N the peak resident memory of one
// load of N lines in a process of its own.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "data/ReportData.h"
#include "logger/Logger.h"
#include "platform/System.h"

namespace {

void BM_LoadResultsFile(benchmark::State& state) {
  std::string path = WriteResultsFile(state.range(0));
  Settings settings = BenchSettings();
  for (auto _ : state) {
    auto data = std::make_unique<ReportData>(settings);
    if (!data->Load(path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(data->records.size());
    // Freeing the data set is not part of loading it; its memory goes back to the system so
    // that every load starts as the first one of a run does, whatever the size.
    state.PauseTiming();
    data.reset();
    malloc_trim(0);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_LoadResultsFile)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) {
    long lines = std::stol(argv[2]);
    std::string path = WriteResultsFile(lines);
    Settings settings = BenchSettings();
    double before = PeakResidentMegabytes();
    rusage usageBefore{};
    getrusage(RUSAGE_SELF, &usageBefore);
    auto start = std::chrono::steady_clock::now();
    ReportData data(settings);
    bool ok = data.Load(path);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    rusage usageAfter{};
    getrusage(RUSAGE_SELF, &usageAfter);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1000 + t.tv_usec / 1000.0; };
    std::printf("lines %ld: %s, %zu samples in %.0f ms (user %.0f ms, system %.0f ms, %ld page faults), "
                "peak resident memory %.1f MB (%.1f MB before loading)\n",
                lines, ok ? "loaded" : "FAILED", data.records.size(), ms,
                seconds(usageAfter.ru_utime) - seconds(usageBefore.ru_utime),
                seconds(usageAfter.ru_stime) - seconds(usageBefore.ru_stime), usageAfter.ru_minflt - usageBefore.ru_minflt,
                PeakResidentMegabytes(), before);
    return ok ? 0 : 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
