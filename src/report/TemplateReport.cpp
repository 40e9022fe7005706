#include "report/TemplateReport.h"

#include "report/IProgressHandler.h"
#include "report/Template.h"

TemplateReport::TemplateReport(const Template* tmpl, const ReportData* data, std::vector<AnsiString> ids,
                               bool numbered)
    : tmpl(tmpl), data(data), ids(std::move(ids)), numbered(numbered) {}

void TemplateReport::Build(ReportHelper* sheet, IProgressHandler* progress) {
  if (sheet == nullptr || tmpl == nullptr || data == nullptr) return;
  if (progress != nullptr) progress->Begin(tmpl->GetRowCount(*data, ids));
  try {
    for (const Command& command : tmpl->commands)
      currentRow = command.Execute(sheet, data, ids, progress, currentRow, numbered);
  } catch (...) {
    // The gauge must not stay on screen when a sheet fails beyond its own handling.
    if (progress != nullptr) progress->End();
    throw;
  }
  if (progress != nullptr) progress->End();
}
