// A results file as the open command reads it, under the shipped configuration, and the
// reports printed from it.
//
// Input: one byte of options, then the file.
//   bits 0-1: the code-page list: 65001; 1251; 65001 and 1251; 866, 20866 and 10007
//   bits 2-5: after the load: 1 to 3 the shipped journal, selection or element table on the
//     spreadsheet server; 4 the full report, which writes its workbook; anything else nothing:
//     a report costs many loads, so most inputs go to the load alone. A file of more than
//     kMostPrintedRows raw rows is not printed: a report's cost goes by the row, and rows in
//     such numbers are alike.
//   bits 6-7 both set: the workbook of the journal, selection or element table is written
//   bit 7: the rows are numbered
//   bits 5-7 all set: the code-page probe of the first data line is on

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "report/FullReport.h"
#include "report/Template.h"
#include "report/TemplateReport.h"

namespace {

const std::vector<std::uint32_t> kCodePageLists[] = {{65001}, {1251}, {65001, 1251}, {866, 20866, 10007}};

const char* const kTemplates[] = {"1-journal.txt", "2-selected.txt", "3-elements.txt"};

constexpr std::size_t kMostPrintedRows = 256;

// What the data window would hand over as its selection: the keys of some samples, an empty
// id, and a time alone, which designates nothing.
std::vector<AnsiString> SomeIds(const ReportData& data) {
  std::vector<AnsiString> ids;
  if (!data.records.empty()) ids.push_back(data.records.begin()->first);
  ids.push_back("");
  if (data.records.size() > 1) ids.push_back(data.records.rbegin()->first);
  if (!data.raw.rows.empty()) ids.push_back(data.raw.rows[0].time);
  return ids;
}

void Print(const ReportData& data, unsigned what, bool written, bool numbered) {
  if (data.raw.rows.size() > kMostPrintedRows) return;
  if (what == 4) {
    fuzz::CountingProgress progress;
    try {
      FullReport(data).Build(nullptr, &progress);
    } catch (const std::exception& e) {
      fuzz::Fail("the full report is written and shown", __FILE__, __LINE__, e.what());
    }
    progress.CheckRanOnce();
    fuzz::RemoveLastWorkbook();
    return;
  }
  if (what < 1 || what > 3) return;
  const Template& tmpl = fuzz::ShippedTemplate(kTemplates[what - 1]);
  const std::vector<AnsiString> ids = SomeIds(data);
  ExcelHelper excel;
  fuzz::OpenExcel(excel);
  fuzz::CountingProgress progress;
  TemplateReport(&tmpl, &data, ids, numbered).Build(&excel, &progress);
  fuzz::CheckTemplateProgress(tmpl, data, ids, progress);
  if (written) fuzz::ShowAndRemoveWorkbook(excel);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  fuzz::ShippedSettings();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  if (size == 0) return 0;
  const auto [options, file] = fuzz::StartInput(input, size);
  fuzz::ProgramFolder& folder = fuzz::ProgramFolder::Get();
  folder.Write("results.csv", file);

  Settings settings = fuzz::ShippedSettings();
  settings.codePages = kCodePageLists[options & 3];
  settings.codePage = settings.lastCodePage = static_cast<std::int32_t>(settings.codePages.front());
  settings.detectCodePages = (options >> 5) == 7;

  ReportData data(settings);
  FUZZ_CHECK(data.Load(folder.Path("results.csv")));

  fuzz::CheckNothingLost(data, file);

  Print(data, (options >> 2) & 15, (options & 0xC0) == 0xC0, options >> 7);
  return 0;
}
