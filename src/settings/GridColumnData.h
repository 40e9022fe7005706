#pragma once

#include "platform/AnsiString.h"

// One column of the data window's grid.
struct GridColumnData {
  GridColumnData(AnsiString key, AnsiString caption, int width)
      : key(std::move(key)), caption(std::move(caption)), width(width) {}

  AnsiString key;      // the placeholder the column shows, such as "{num}" or "{tcs}"
  AnsiString caption;  // UTF-8; the data window converts it for display
  int width;           // pixels
};
