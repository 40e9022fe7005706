#pragma once

#include <memory>

#include "platform/automation/Variant.h"
#include "report/ReportHelper.h"

// The sheet over Excel automation: Open starts a new Excel instance and adds a workbook, the
// report is written into its first worksheet, and Show makes it visible. The workbook stays
// open; the destructor only lets go of the worksheet and the application.
class ExcelHelper : public ReportHelper {
 public:
  ExcelHelper();
  ~ExcelHelper() override;
  ExcelHelper(const ExcelHelper&) = delete;
  ExcelHelper& operator=(const ExcelHelper&) = delete;

  // False when any step fails; what was assigned before the failure stays.
  bool Open();
  // Lets its failure through to the caller.
  void Show();

  // Cells and ranges that cannot be had come as inert cell objects.
  std::unique_ptr<ReportCells> GetCell(int row, int col) override;
  std::unique_ptr<ReportCells> GetRange(int col, int row, int colSpan, int rowSpan) override;
  void SetColumnWidth(int col, int width) override;
  void SetRowHeight(int row, int height) override;

  const Variant& App() const { return app; }
  const Variant& Sheet() const { return sheet; }

 private:
  Variant app;    // the application; the integer 0 until Open makes it
  Variant sheet;  // the first worksheet of the added workbook; the integer 0 until then
};
