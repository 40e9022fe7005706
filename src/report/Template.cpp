#include "report/Template.h"

#include <cstdint>

#include "platform/TextFile.h"
#include "report/CommandSupport.h"
#include "strings/Strings.h"

namespace {

constexpr std::size_t kTemplateLineBuffer = 4096;

}  // namespace

bool Template::Load(const AnsiString& path) {
  TextFile file;
  if (!file.Open(path)) return false;
  AnsiString line;
  bool header = true;
  while (file.ReadLine(line, kTemplateLineBuffer)) {
    if (header) {
      header = false;
      std::vector<AnsiString> fields = Split(line, ',');
      // Only a header that starts with a NUL byte has no field.
      if (fields.empty()) return false;
      code = fields[0];
      if (fields.size() >= 2) title = fields[1];
      continue;
    }
    Command command;
    if (command.Parse(line)) commands.push_back(std::move(command));
  }
  return true;
}

int Template::GetRowCount(const ReportData& data, const std::vector<AnsiString>& ids) const {
  std::int64_t rows = 0;
  for (const Command& command : commands) rows += command.GetRowCount(data, ids);
  return command_support::ToSheetInt(rows);
}
