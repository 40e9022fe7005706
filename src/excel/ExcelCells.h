#pragma once

#include "platform/automation/Variant.h"
#include "report/ReportCells.h"

// One Excel cell or range. A failing call does nothing; on a cell that could not be had
// (the integer 0) every setter fails so.
class ExcelCells : public ReportCells {
 public:
  explicit ExcelCells(const Variant& cells);
  ~ExcelCells() override;
  ExcelCells(const ExcelCells&) = delete;
  ExcelCells& operator=(const ExcelCells&) = delete;

  ReportCells* SetValue(const WideString& value) override;
  // Stops at the first edge that fails.
  ReportCells* SetBorders(bool left, bool top, bool bottom, bool right, int lineStyle) override;
  ReportCells* SetWrap(bool wrap) override;
  ReportCells* SetTextFormat() override;
  ReportCells* SetFontSize(int size) override;
  ReportCells* SetBold(bool bold) override;

 private:
  Variant cells;
};
