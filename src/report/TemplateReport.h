#pragma once

#include <vector>

#include "platform/AnsiString.h"
#include "report/IReport.h"

class ReportData;
class Template;

// A report that runs the commands of one template, in file order, over one data set. The
// template and the data set are borrowed and outlive the report.
class TemplateReport : public IReport {
 public:
  // ids: the keys of the samples in the selected grid rows, top to bottom.
  TemplateReport(const Template* tmpl, const ReportData* data, std::vector<AnsiString> ids, bool numbered);

  // Writes nothing and reports no progress without a sheet; without a progress sink the
  // report is written the same.
  void Build(ReportHelper* sheet, IProgressHandler* progress) override;

  const Template* tmpl;
  const ReportData* data;
  std::vector<AnsiString> ids;
  int currentRow = 0;  // each command's result is the next one's current row
  bool numbered;       // the data window's numbering check box
};
