#include "report/Command.h"

#include <memory>

#include "data/ReportData.h"
#include "platform/CodePages.h"
#include "report/CommandSupport.h"
#include "report/IProgressHandler.h"
#include "report/ReportHelper.h"
#include "strings/Strings.h"

using command_support::ToSheetInt;

bool Command::Parse(const AnsiString& line) {
  std::vector<AnsiString> fields = Split(line, '|');
  if (fields.empty() || !IsKnownName(fields.front())) return false;
  name = fields.front();
  for (std::size_t i = 1; i < fields.size(); ++i) {
    Argument argument;
    if (argument.Parse(fields[i])) arguments.push_back(std::move(argument));
  }
  return true;
}

bool Command::IsKnownName(const AnsiString& text) {
  return text == "wc" || text == "sh" || text == "sw" || text == "wt" || text == "wft";
}

const Argument* Command::FindArgument(const AnsiString& argumentName) const {
  for (const Argument& argument : arguments)
    if (argument.name == argumentName) return &argument;
  return nullptr;
}

int Command::GetIntArgument(const AnsiString& argumentName, int defaultValue) const {
  const Argument* argument = FindArgument(argumentName);
  return argument != nullptr ? argument->GetInt(defaultValue, 0) : defaultValue;
}

AnsiString Command::Mode() const {
  const Argument* records = FindArgument("records");
  return records != nullptr ? records->GetString("all", 0) : AnsiString("all");
}

std::int64_t Command::PlacedRow(int currentRow) const {
  int dimy = GetIntArgument("dimy", -1);
  if (dimy == -1) return GetIntArgument("y", 0);
  return static_cast<std::int64_t>(currentRow) + dimy;
}

int Command::Execute(ReportHelper* sheet, const ReportData* data, const std::vector<AnsiString>& ids,
                     IProgressHandler* progress, int currentRow, bool numbered) const {
  if (sheet == nullptr || data == nullptr) return currentRow;
  if (name == "wc") {
    int row = WriteCell(sheet, data, currentRow);
    Step(progress);
    return row;
  }
  if (name == "sh") {
    SetHeight(sheet);
    Step(progress);
    return 0;
  }
  if (name == "sw") {
    SetWidth(sheet);
    Step(progress);
    return 0;
  }
  if (name == "wt") return WriteTable(sheet, data, ids, progress, currentRow, numbered);
  if (name == "wft") return WriteElementTable(sheet, data, ids, progress, currentRow, numbered);
  return 0;
}

void Command::Step(IProgressHandler* progress) {
  if (progress != nullptr) progress->Step();
}

int Command::WriteCell(ReportHelper* sheet, const ReportData* data, int currentRow) const {
  std::int64_t row = PlacedRow(currentRow);
  std::unique_ptr<ReportCells> cell = sheet->GetCell(ToSheetInt(row), GetIntArgument("x", 0));
  // The text format goes first, so that a value of digits such as 0012 stays text.
  if (const Argument* format = FindArgument("format"); format != nullptr && format->GetString("", 0) == "txt")
    cell->SetTextFormat();
  if (const Argument* value = FindArgument("value"))
    cell->SetValue(AnsiToWide(ReplacePlaceholders(value->GetString("", 0), *data, nullptr)));
  if (const Argument* bold = FindArgument("bold")) cell->SetBold(bold->GetBool(false, 0));
  if (const Argument* wrap = FindArgument("wrap")) cell->SetWrap(wrap->GetBool(false, 0));
  if (const Argument* size = FindArgument("fsize")) cell->SetFontSize(size->GetInt(0, 0));
  if (const Argument* border = FindArgument("border"))
    cell->SetBorders(border->GetBool(false, 0), border->GetBool(false, 1), border->GetBool(false, 2),
                     border->GetBool(false, 3), border->GetInt(0, 4));
  return ToSheetInt(row + 1);
}

void Command::SetWidth(ReportHelper* sheet) const {
  sheet->SetColumnWidth(GetIntArgument("coord", 0), GetIntArgument("value", 0));
}

void Command::SetHeight(ReportHelper* sheet) const {
  sheet->SetRowHeight(GetIntArgument("coord", 0), GetIntArgument("value", 0));
}

int Command::GetRowCount(const ReportData& data, const std::vector<AnsiString>& ids) const {
  if (name == "wc" || name == "sh" || name == "sw") return 2;
  if (name != "wt" && name != "wft") return 0;
  AnsiString mode = Mode();
  if (mode == "all") {
    if (name == "wt") return ToSheetInt(static_cast<std::int64_t>(data.records.size()) + 1);
    std::int64_t results = 0;
    for (const auto& [key, sample] : data.records) results += static_cast<std::int64_t>(sample.meds.size());
    return ToSheetInt(results);
  }
  if (mode == "sel") return ToSheetInt(static_cast<std::int64_t>(ids.size()) + 1);
  return 2;
}
