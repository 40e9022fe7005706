#pragma once

#include <cstdint>
#include <vector>

#include "platform/AnsiString.h"
#include "report/Argument.h"

class IProgressHandler;
class ItemData;
class RawItemData;
class ReportData;
class ReportHelper;

// One command line of a template: "wc", "sh", "sw", "wt" or "wft" with its arguments.
class Command {
 public:
  // Fills the command from one line; false when the line is no command.
  bool Parse(const AnsiString& line);
  static bool IsKnownName(const AnsiString& text);

  // The first argument of that name, or null.
  const Argument* FindArgument(const AnsiString& argumentName) const;
  // The first value of the first argument of that name as an integer, else the default.
  int GetIntArgument(const AnsiString& argumentName, int defaultValue) const;

  // Runs the command and returns the row that becomes the current row of the next one.
  // Without a sheet or a data set it does nothing and returns the current row.
  int Execute(ReportHelper* sheet, const ReportData* data, const std::vector<AnsiString>& ids,
              IProgressHandler* progress, int currentRow, bool numbered) const;
  static void Step(IProgressHandler* progress);

  int WriteCell(ReportHelper* sheet, const ReportData* data, int currentRow) const;  // "wc"
  void SetWidth(ReportHelper* sheet) const;                                          // "sw"
  void SetHeight(ReportHelper* sheet) const;                                         // "sh"

  // "wt": a head row, then one row per chosen sample that passes the condition.
  int WriteTable(ReportHelper* sheet, const ReportData* data, const std::vector<AnsiString>& ids,
                 IProgressHandler* progress, int currentRow, bool numbered) const;
  // Without a condition every sample passes. "{-all-}" among the values always counts as
  // present; with the exact-set flag the sample must hold exactly the listed groups.
  static bool MatchConditions(const Argument* condition, const ItemData& sample, bool exactSet);

  // "wft": a head row, then one row per raw row of the data set, in stored order.
  int WriteElementTable(ReportHelper* sheet, const ReportData* data, const std::vector<AnsiString>& ids,
                        IProgressHandler* progress, int currentRow, bool numbered) const;

  // The rows this command counts toward the progress maximum.
  int GetRowCount(const ReportData& data, const std::vector<AnsiString>& ids) const;

  // Placeholder filling, one replace-all per placeholder in a fixed order. Without a sample
  // only "{name}" and "{eof}" are filled.
  static AnsiString ReplacePlaceholders(const AnsiString& text, const ReportData& data, const ItemData* sample);
  static AnsiString ReplaceRecordFields(const AnsiString& text, const ReportData& data, const ItemData* sample);
  static AnsiString ReplaceElementFields(const AnsiString& text, const ReportData& data, const ItemData& sample);
  static AnsiString ReplaceElementRowFields(const AnsiString& text, const ReportData& data, const RawItemData& row);

  AnsiString name;
  std::vector<Argument> arguments;

 private:
  // The records mode: the first value of "records", "all" without one.
  AnsiString Mode() const;
  // The head row of a table or the row of a "wc" cell: "y", or the current row plus "dimy".
  std::int64_t PlacedRow(int currentRow) const;
  // The "value" arguments, one per table column, in line order.
  std::vector<const Argument*> Columns() const;
  // What both tables write before their data rows: head height, the text-format and bold
  // ranges, the head cells and column widths.
  void WriteTableHead(ReportHelper* sheet, const ReportData& data, const std::vector<const Argument*>& columns,
                      std::int64_t x, std::int64_t headRow, std::int64_t textRowSpan) const;
  int DataRowHeight() const;
};
