// The table commands: "wt" (one row per sample) and "wft" (one row per raw row).
#include "data/ReportData.h"
#include "platform/CodePages.h"
#include "platform/Numbers.h"
#include "report/Command.h"
#include "report/CommandSupport.h"
#include "report/ReportHelper.h"

using command_support::Record;
using command_support::ToSheetInt;

namespace {

const AnsiString kAllGroups = "{-all-}";

// The cell templates of a table's columns, each ready to be filled row after row.
std::vector<command_support::CellTemplate> CellTemplates(const std::vector<const Argument*>& columns,
                                                         const std::vector<command_support::PlaceholderStep>& steps) {
  std::vector<command_support::CellTemplate> templates;
  templates.reserve(columns.size());
  for (const Argument* column : columns) templates.emplace_back(column->GetString("", 1), steps);
  return templates;
}

ReportCells* WriteDataValue(ReportCells* cell, const Argument& column, const AnsiString& text) {
  return cell->SetValue(AnsiToWide(text))->SetFontSize(column.GetInt(10, 4))->SetBorders(true, true, true, true, 1);
}

void EndDataRow(ReportHelper* sheet, std::int64_t row, int height, IProgressHandler* progress) {
  sheet->SetRowHeight(ToSheetInt(row), height);
  Command::Step(progress);
}

}  // namespace

std::vector<const Argument*> Command::Columns() const {
  std::vector<const Argument*> columns;
  for (const Argument& argument : arguments)
    if (argument.name == "value") columns.push_back(&argument);
  return columns;
}

int Command::DataRowHeight() const {
  const Argument* height = FindArgument("rh");
  return height != nullptr ? height->GetInt(15, 0) : 15;
}

void Command::WriteTableHead(ReportHelper* sheet, const ReportData& data, const std::vector<const Argument*>& columns,
                             std::int64_t x, std::int64_t headRow, std::int64_t textRowSpan) const {
  const int col = ToSheetInt(x);
  const int row = ToSheetInt(headRow);
  if (const Argument* height = FindArgument("hh")) sheet->SetRowHeight(row, height->GetInt(15, 0));
  const int colSpan = ToSheetInt(static_cast<std::int64_t>(columns.size()) - 1);
  sheet->GetRange(col, row, colSpan, ToSheetInt(textRowSpan))->SetTextFormat();
  sheet->GetRange(col, row, colSpan, 0)->SetBold(true);
  for (std::size_t j = 0; j < columns.size(); ++j) {
    const Argument& column = *columns[j];
    const int headCol = ToSheetInt(x + static_cast<std::int64_t>(j));
    AnsiString head = ReplacePlaceholders(column.GetString("", 0), data, nullptr);
    sheet->GetCell(row, headCol)
        ->SetValue(AnsiToWide(head))
        ->SetBorders(true, true, true, true, 1)
        ->SetFontSize(column.GetInt(10, 3));
    sheet->SetColumnWidth(headCol, column.GetInt(10, 2));
  }
}

int Command::WriteTable(ReportHelper* sheet, const ReportData* data, const std::vector<AnsiString>& ids,
                        IProgressHandler* progress, int currentRow, bool numbered) const {
  if (sheet == nullptr || data == nullptr || data->records.empty()) return currentRow;
  const std::int64_t x = GetIntArgument("x", 0);
  const AnsiString mode = Mode();
  const bool all = mode == "all";

  // Each id is a sample's key; an empty id stands for no sample.
  std::vector<const ItemData*> selection;
  if (ids.empty() || mode == "first") {
    selection.push_back(&data->records.begin()->second);
  } else {
    for (const AnsiString& id : ids) {
      if (id.empty()) continue;
      auto found = data->records.find(id);
      if (found != data->records.end()) selection.push_back(&found->second);
    }
  }

  const std::int64_t headRow = PlacedRow(currentRow);
  const Argument* condition = nullptr;
  bool exactSet = false;
  for (const Argument& argument : arguments) {
    if (argument.name != "conditions") continue;
    condition = &argument;
    for (const AnsiString& value : argument.values)
      if (value == kAllGroups) exactSet = true;
  }
  const std::vector<const Argument*> columns = Columns();
  WriteTableHead(sheet, *data, columns, x, headRow, static_cast<std::int64_t>(GetRowCount(*data, ids)) - 1);

  std::vector<const ItemData*> offered;
  if (all) {
    for (const auto& [key, sample] : data->records) offered.push_back(&sample);
  } else if (mode == "one") {
    if (!selection.empty()) offered.push_back(selection.front());
  } else {
    offered = selection;
  }

  const int rowHeight = DataRowHeight();
  const auto steps = command_support::NumberedSteps(*data, Record::kSample, all && numbered);
  const auto templates = CellTemplates(columns, steps);
  std::int64_t row = headRow + 1;
  std::int64_t number = 0;
  for (const ItemData* sample : offered) {
    if (!MatchConditions(condition, *sample, exactSet)) continue;
    ++number;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      AnsiString text = templates[k].Fill(steps, *data, sample, nullptr, number);
      std::unique_ptr<ReportCells> cell = sheet->GetCell(ToSheetInt(row), ToSheetInt(x + static_cast<std::int64_t>(k)));
      WriteDataValue(all ? cell.get() : cell->SetTextFormat(), *columns[k], text);
    }
    EndDataRow(sheet, row, rowHeight, progress);
    ++row;
  }
  return ToSheetInt(row);
}

bool Command::MatchConditions(const Argument* condition, const ItemData& sample, bool exactSet) {
  if (condition == nullptr) return true;
  std::size_t listedGroups = 0;
  for (const AnsiString& value : condition->values) {
    const bool satisfied = value == kAllGroups || !sample.GetMedsResult(value).empty();
    if (!exactSet && satisfied) return true;
    if (exactSet && !satisfied) return false;
    if (value != kAllGroups) ++listedGroups;
  }
  return exactSet && listedGroups == sample.meds.size();
}

int Command::WriteElementTable(ReportHelper* sheet, const ReportData* data, const std::vector<AnsiString>& ids,
                               IProgressHandler* progress, int currentRow, bool numbered) const {
  if (sheet == nullptr || data == nullptr || data->records.empty()) return currentRow;
  const std::int64_t x = GetIntArgument("x", 0);
  const std::int64_t headRow = PlacedRow(currentRow);
  const std::vector<const Argument*> columns = Columns();
  WriteTableHead(sheet, *data, columns, x, headRow, GetRowCount(*data, ids));

  const int rowHeight = DataRowHeight();
  const auto steps = command_support::NumberedSteps(*data, Record::kRawRow, numbered);
  const auto templates = CellTemplates(columns, steps);
  std::int64_t row = headRow + 1;
  std::int64_t number = 0;
  for (const RawItemData& raw : data->raw.rows) {
    ++number;
    for (std::size_t k = 0; k < columns.size(); ++k) {
      AnsiString text = templates[k].Fill(steps, *data, nullptr, &raw, number);
      std::unique_ptr<ReportCells> cell = sheet->GetCell(ToSheetInt(row), ToSheetInt(x + static_cast<std::int64_t>(k)));
      WriteDataValue(cell->SetTextFormat(), *columns[k], text);
    }
    EndDataRow(sheet, row, rowHeight, progress);
    ++row;
  }
  return ToSheetInt(row);
}
