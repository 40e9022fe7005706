// A template file as start-up loads it, and the report it makes over a few fixed samples,
// one of them with a note longer than a cell holds.
//
// Input: one byte of options, then the template file.
//   bit 0: the rows are numbered
//   bit 1: grid rows are selected (the analysis times of two rows, an empty id, an unknown id)
//   bits 2-5 all set: the workbook is written (it costs more than the report)

#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Reference.h"
#include "data/ReportData.h"
#include "excel/ExcelHelper.h"
#include "report/ReportHelper.h"
#include "report/Template.h"
#include "report/TemplateReport.h"

namespace {

// Three samples, one with three results, and a line whose element has no group.
const char kResults[] =
    "Номер пробы,Поставщик,Дата и время анализа,Примечание,Партия,Элемент,Результат,Значение\n"
    "0012,P01,2026.12.09 06:30:05,,20261208-01,TCS,Негатив,0.07\n"
    "0012,P01,2026.12.09 06:30:05,,20261208-01,CAP,Позитив,0.02\n"
    "0012,P01,2026.12.09 06:30:05,,20261208-01,B,Негатив,0.22\n"
    "0013,P99,2026.12.09 07:00:00,{notes}{name},2026,STREP,Negative,0.1\n"
    "0013,P99,2026.12.09 07:00:00,,2026,XYZ,Negative,0.1\n"
    "0014,P03,2026.12.09 08:15:00,_x0041_ =1+1,bad,TYL+TIL,Positive,1.5\n";

// Longer than the 32,767 characters a cell holds.
const AnsiString kLongNote = AnsiString(40000, 'n') + "{eof}{name}";

const ReportData& FixedData() {
  static const ReportData data = [] {
    fuzz::ProgramFolder& folder = fuzz::ProgramFolder::Get();
    folder.Write("fixed.csv", kResults);
    ReportData loaded(fuzz::ShippedSettings());
    if (!loaded.Load(folder.Path("fixed.csv"))) fuzz::Fail("the fixed results load", __FILE__, __LINE__);
    if (loaded.records.empty() || loaded.raw.rows.empty()) fuzz::Fail("the fixed results hold samples", __FILE__, __LINE__);
    loaded.records.begin()->second.notes = kLongNote;
    // A raw row of such a note: no line of a file is that long, so it is added as a line.
    loaded.raw.AddLine("0015,P01,2026.12.09 09:00:00," + kLongNote + ",20261208,TCS,Negative,0.1", loaded.settings);
    return loaded;
  }();
  return data;
}

bool IsCommandName(const std::string& text) {
  return text == "wc" || text == "sh" || text == "sw" || text == "wt" || text == "wft";
}

void CheckParsed(const Template& tmpl, std::string_view file) {
  const std::vector<std::string> lines = reference::ReadPieces(file, 4096);
  if (!lines.empty()) {
    const std::vector<std::string> header = reference::Split(lines.front(), ',');
    FUZZ_CHECK_EQ(tmpl.code, header.front());
    FUZZ_CHECK_EQ(tmpl.title, header.size() >= 2 ? header[1] : std::string());
  }
  // A line is a command when its first field is a command name; the fields split at "|",
  // and a line without one is its own first field, line feed and all.
  std::size_t commands = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) commands += IsCommandName(lines[i].substr(0, lines[i].find('|')));
  FUZZ_CHECK_EQ(tmpl.commands.size(), commands);
  for (const Command& command : tmpl.commands) {
    FUZZ_CHECK(IsCommandName(command.name));
    for (const Argument& argument : command.arguments) {
      FUZZ_CHECK(!argument.values.empty());
      for (const auto& value : argument.values) FUZZ_CHECK(!value.empty());
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FixedData();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
  if (size == 0) return 0;
  const auto [options, file] = fuzz::StartInput(input, size);
  fuzz::ProgramFolder& folder = fuzz::ProgramFolder::Get();
  folder.Write("templates/fuzz.txt", file);

  Template tmpl;
  const bool loaded = tmpl.Load(folder.Path("templates/fuzz.txt"));
  // Only a header without any field fails: one that begins with a NUL byte.
  const std::vector<std::string> lines = reference::ReadPieces(file, 4096);
  FUZZ_CHECK_EQ(loaded, lines.empty() || !lines.front().empty());
  if (!loaded) return 0;
  CheckParsed(tmpl, file);

  const ReportData& data = FixedData();
  std::vector<AnsiString> ids;
  if (options & 2) ids = {data.records.begin()->first, "", "no such sample", data.records.rbegin()->first};
  const bool numbered = options & 1;

  // The sheet's own failures never change the rows: the report on the spreadsheet server
  // ends on the same row, with the same progress, as on a sheet that does nothing.
  ReportHelper nothing;
  fuzz::CountingProgress quiet;
  TemplateReport onNothing(&tmpl, &data, ids, numbered);
  onNothing.Build(&nothing, &quiet);
  fuzz::CheckTemplateProgress(tmpl, data, ids, quiet);

  ExcelHelper excel;
  fuzz::OpenExcel(excel);
  fuzz::CountingProgress progress;
  TemplateReport onExcel(&tmpl, &data, ids, numbered);
  onExcel.Build(&excel, &progress);
  FUZZ_CHECK_EQ(onExcel.currentRow, onNothing.currentRow);
  FUZZ_CHECK_EQ(progress.steps, quiet.steps);
  fuzz::CheckTemplateProgress(tmpl, data, ids, progress);
  if ((options & 0x3C) == 0x3C) fuzz::ShowAndRemoveWorkbook(excel);
  return 0;
}
