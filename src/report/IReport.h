#pragma once

class ReportHelper;
class IProgressHandler;

// A report: writes itself synchronously, telling progress on the way.
class IReport {
 public:
  virtual ~IReport() = default;

  virtual void Build(ReportHelper* sheet, IProgressHandler* progress) = 0;
};
