#include "report/ReportHelper.h"

std::unique_ptr<ReportCells> ReportHelper::GetCell(int, int) { return std::make_unique<ReportCells>(); }

std::unique_ptr<ReportCells> ReportHelper::GetRange(int, int, int, int) { return std::make_unique<ReportCells>(); }

void ReportHelper::SetColumnWidth(int, int) {}

void ReportHelper::SetRowHeight(int, int) {}
