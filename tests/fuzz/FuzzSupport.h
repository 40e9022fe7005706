#pragma once

// What the fuzz targets share: checks that stop the run with a readable message, a program
// folder of the target's own, the shipped configuration, a progress sink that counts, and
// the workbook step.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/AnsiString.h"
#include "report/IProgressHandler.h"

class ExcelHelper;
class ReportData;
class Settings;
class Template;

namespace fuzz {

// Prints what failed and aborts, which libFuzzer reports as a crash with the input.
[[noreturn]] void Fail(const char* what, const char* file, int line, const std::string& detail = {});

// Bytes as readable text for a failure message: printable ASCII as it stands, the rest as \xHH.
std::string Printable(std::string_view bytes, std::size_t limit = 200);

#define FUZZ_CHECK(condition) \
  ((condition) ? (void)0 : ::fuzz::Fail(#condition, __FILE__, __LINE__))
#define FUZZ_CHECK_EQ(actual, expected)                                                            \
  do {                                                                                             \
    const auto& fuzzActual = (actual);                                                             \
    const auto& fuzzExpected = (expected);                                                         \
    if (!(fuzzActual == fuzzExpected))                                                             \
      ::fuzz::Fail(#actual " == " #expected, __FILE__, __LINE__,                                   \
                   ::fuzz::Mismatch(fuzzActual, fuzzExpected));                                    \
  } while (0)

std::string Describe(long long value);
inline std::string Describe(int value) { return Describe(static_cast<long long>(value)); }
inline std::string Describe(unsigned value) { return Describe(static_cast<long long>(value)); }
inline std::string Describe(std::size_t value) { return Describe(static_cast<long long>(value)); }
inline std::string Describe(bool value) { return value ? "true" : "false"; }
std::string Describe(const std::string& value);
inline std::string Describe(const char* value) { return Describe(std::string(value)); }
std::string Describe(const std::u16string& value);
template <class T>
std::string Describe(const std::vector<T>& values) {
  std::string text = "{";
  for (const auto& value : values) text += (text.size() > 1 ? ", " : "") + Describe(value);
  return text + "}";
}

// What differs: both values, or for texts both from a little before their first difference.
template <class T>
std::string Mismatch(const T& actual, const T& expected) {
  return Describe(actual) + " != " + Describe(expected);
}
template <class A, class B>
std::string Mismatch(const A& actual, const B& expected) {
  return Describe(actual) + " != " + Describe(expected);
}
template <class Char>
std::string Mismatch(const std::basic_string<Char>& actual, const std::basic_string<Char>& expected) {
  std::size_t at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  const std::size_t from = at > 20 ? at - 20 : 0;
  return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) + ", from " +
         std::to_string(from) + ": " + Describe(actual.substr(from)) + " != " + Describe(expected.substr(from));
}

// A program folder in the temporary folder: the executable's path points into it, the
// command line holds only the program, workbooks are written into its "workbooks/" and
// handed to /bin/true. Made on first use; removed with everything in it when the process
// ends normally. scripts/fuzz also gives each run a temporary folder of its own, so that
// what a crashed run leaves is removed too.
class ProgramFolder {
 public:
  static ProgramFolder& Get();

  const std::string& Dir() const { return dir_; }  // with its trailing "/"
  std::string Path(const std::string& name) const { return dir_ + name; }
  void Write(const std::string& name, std::string_view bytes) const;
  void Remove(const std::string& name) const;
  // settings.txt, dictionary.txt, name.txt and templates/ as they are shipped.
  void LayOutShippedConfig() const;

  ~ProgramFolder();

 private:
  ProgramFolder();
  std::string dir_;
};

// Every target's input: a byte of options, then the bytes the target reads.
struct Input {
  unsigned options;
  std::string_view bytes;
};

// Called first for every input of at least one byte: the log starts afresh (so it never
// grows over a run) and the command line holds only the program.
Input StartInput(const std::uint8_t* data, std::size_t size);

// The configuration as shipped, loaded once from the program folder.
const Settings& ShippedSettings();

// The shipped template of that file name, loaded once.
const Template& ShippedTemplate(const std::string& fileName);

// Counts what a report tells its progress sink, and whether it came in order: Begin, then
// steps and positions, then End.
class CountingProgress : public IProgressHandler {
 public:
  void SetPosition(float fraction) override;
  void Step() override;
  void Begin(int max) override;
  void End() override;

  // Begin and End came exactly once each, every other call between them.
  void CheckRanOnce() const;

  int begins = 0;
  int ends = 0;
  int steps = 0;
  int positions = 0;
  bool outOfOrder = false;
};

// What a load of the results file of these bytes must give: every non-empty read after the
// header is one raw row, and every raw row whose element has a group key reaches a sample
// (counted: the results of all samples against those rows).
void CheckNothingLost(const ReportData& data, std::string_view file);

// What a template run must tell its progress sink: Begin and End once each, one step per
// "wc", "sh" and "sw", one per raw row for each "wft" (when the data set holds samples), and
// for each "wt" at most one per sample or selected id.
void CheckTemplateProgress(const Template& tmpl, const ReportData& data, const std::vector<AnsiString>& ids,
                           const CountingProgress& progress);

// An Excel sheet on the spreadsheet server; opening it must succeed.
void OpenExcel(ExcelHelper& excel);

// Makes the workbook visible, which writes it; a failure there is a finding. The file is
// removed again.
void ShowAndRemoveWorkbook(ExcelHelper& excel);
// The same after a report that shows its own workbook.
void RemoveLastWorkbook();

}  // namespace fuzz
