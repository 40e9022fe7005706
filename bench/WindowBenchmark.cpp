// Opening a results file into a data window, as File > Open does in the main window: the
// load, the grid filled with every sample, the window shown. The shipped configuration
// started with the argument 1251 and a generated file in code page 1251, on Qt's offscreen
// platform unless QT_QPA_PLATFORM says otherwise.
//
//   window_benchmark                         100,000 and 1,000,000 lines, each in a process of its own
//   window_benchmark --lines N [--repeats R]  one size in this process
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QCoreApplication>
#include <QEvent>
#include <chrono>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "ui/DataForm.h"
#include "ui/MDIMainForm.h"

namespace {

struct OpenInput {
  std::string path;
  long lines = 0;
};

// Runs the events in hand, deferred deletions included.
void FinishEvents() {
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// File > Open with the open dialog answering the path, until the window is shown; the
// window is closed again afterwards, untimed. Returns the seconds of the open.
double OpenAndClose(TfrmMDIMainForm* main, const OpenInput& input) {
  SetNextOpenDialogFileName(input.path);
  const auto start = std::chrono::steady_clock::now();
  main->mnOpen->trigger();
  FinishEvents();
  const double seconds = SecondsSince(start);

  if (!AnsweredMessageBoxes().empty()) throw std::runtime_error("a message box: " + AnsweredMessageBoxes().front().text);
  if (main->DataForms().size() != 1) throw std::runtime_error("no data window opened");
  TfrmDataForm* form = main->DataForms().front();
  if (form->ctrGrid->RowCount() != SamplesInResultsFile(input.lines) + 1)
    throw std::runtime_error("the grid shows " + std::to_string(form->ctrGrid->RowCount() - 1) + " samples");
  form->Close();
  FinishEvents();
  if (!main->DataForms().empty()) throw std::runtime_error("the data window did not close");
  malloc_trim(0);
  return seconds;
}

void BM_OpenIntoWindow(benchmark::State& state, TfrmMDIMainForm* main, const OpenInput& input,
                       std::vector<double>& runs) {
  for (auto _ : state) {
    double seconds = 0;
    try {
      seconds = OpenAndClose(main, input);
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      break;
    }
    state.SetIterationTime(seconds);
    state.counters["peak_MiB"] = PeakResidentMegabytes();
    runs.push_back(seconds);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const SizeOptions size = TakeSizeOptions(argc, argv);
  if (size.lines <= 0) return RunSizesInOwnProcesses({100000, 1000000}, size, argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ApplicationHost host(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const OpenInput input{WriteResultsFile(size.lines, 1251), size.lines};
  LayOutShippedProgram({"1251"});
  Application->Initialize();
  // No dialog waits for a person; a message box is an error of the run.
  AnswerDialogsForTesting(true);
  Application->CreateForm(frmMDIMainForm);
  frmMDIMainForm->Show();
  FinishEvents();
  // The process before its first open: Qt started and the main window shown.
  const double residentBefore = PeakResidentMegabytes();
  SummaryTable table("opening into the data window, medians", size.lines,
                     SamplesInResultsFile(size.lines), size.Repeats());

  std::vector<double> runs;
  RunSizeBenchmark("open_window", size,
                   [&](benchmark::State& state) { BM_OpenIntoWindow(state, frmMDIMainForm, input, runs); });
  if (runs.size() != static_cast<size_t>(size.Repeats())) return 1;

  table.AddMilliseconds("open ms", Median(runs));
  table.AddMegabytes("peak MiB", PeakResidentMegabytes());
  table.AddMegabytes("before MiB", residentBefore);
  table.Print();
  return 0;
}
