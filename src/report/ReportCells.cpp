#include "report/ReportCells.h"

ReportCells* ReportCells::SetValue(const WideString&) { return this; }

ReportCells* ReportCells::SetBorders(bool, bool, bool, bool, int) { return this; }

ReportCells* ReportCells::SetWrap(bool) { return this; }

ReportCells* ReportCells::SetTextFormat() { return this; }

ReportCells* ReportCells::SetFontSize(int) { return this; }

ReportCells* ReportCells::SetBold(bool) { return this; }
