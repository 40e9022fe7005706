#pragma once

#include "data/ReportData.h"
#include "report/IReport.h"

// Every sample of one data set in a fixed form, in a new workbook of its own that stays open.
class FullReport : public IReport {
 public:
  explicit FullReport(const ReportData& data);

  // Ignores the given sheet: the report opens its own. A null progress writes without one.
  void Build(ReportHelper* sheet, IProgressHandler* progress) override;

  // The header rows; returns the head row.
  int WriteHeader(ReportHelper* sheet);
  void WriteRows(ReportHelper* sheet, IProgressHandler* progress);

 private:
  ReportData data;
};
