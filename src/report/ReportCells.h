#pragma once

#include "platform/AnsiString.h"

// One cell or rectangular range of a sheet. Every setter returns the object itself so that
// a whole formatting sequence is one chain; the own setters do nothing.
class ReportCells {
 public:
  virtual ~ReportCells() = default;

  virtual ReportCells* SetValue(const WideString& value);
  virtual ReportCells* SetBorders(bool left, bool top, bool bottom, bool right, int lineStyle);
  virtual ReportCells* SetWrap(bool wrap);
  virtual ReportCells* SetTextFormat();
  virtual ReportCells* SetFontSize(int size);
  virtual ReportCells* SetBold(bool bold);
};
