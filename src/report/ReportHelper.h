#pragma once

#include <memory>

#include "report/ReportCells.h"

// One worksheet. Rows and columns count from 0. Every cell or range comes as a new object
// that the caller owns and frees at the end of the statement that asked for it. The own
// operations make a sheet on which every report runs through without effect.
class ReportHelper {
 public:
  virtual ~ReportHelper() = default;

  virtual std::unique_ptr<ReportCells> GetCell(int row, int col);
  // The rectangle from (col, row) to (col + colSpan, row + rowSpan), both corners included;
  // spans count the columns and rows beyond the first.
  virtual std::unique_ptr<ReportCells> GetRange(int col, int row, int colSpan, int rowSpan);
  virtual void SetColumnWidth(int col, int width);
  virtual void SetRowHeight(int row, int height);
};
