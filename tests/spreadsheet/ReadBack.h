#pragma once

#include <map>
#include <string>
#include <vector>

// What openpyxl (Debian's /usr/bin/python3) reads from a written .xlsx. Texts are UTF-8.
struct ReadCell {
  std::string type;   // Python's type name: int, float, str, bool, NoneType
  std::string value;  // Python's repr, "<long>" for a text of 200 characters or more
  int length = -1;    // characters of a text
  std::string numberFormat;
  bool wrap = false;
  bool bold = false;
  std::string size;
  std::string left, top, bottom, right;  // border styles, "None" for none
};

struct ReadDimension {
  std::string size;  // width or height as Python prints it
  bool hidden = false;
  bool bold = false;     // of its format
  bool custom = false;   // a row with a format of its own, the default look too
  int first = 0, last = 0;  // the columns a column entry spans
};

struct ReadBack {
  bool ok = false;
  std::string output;  // the script's whole output, for failure messages
  std::map<std::string, ReadCell> cells;  // by coordinate, "A1"
  std::map<std::string, ReadDimension> columns;  // by letter
  std::map<int, ReadDimension> rows;
  std::vector<std::string> sharedStrings;  // UTF-8, as Excel decodes them
  std::map<std::string, std::string> texts;  // by coordinate, UTF-8, as Excel decodes them
  int cellFormats = 0;

  const ReadCell& Cell(const std::string& coordinate) const;
  // Whether Excel shows the cell bold: a cell of the file by its own format, any other by its
  // row's format where the row has one, else by its column's.
  bool ShowsBold(const std::string& coordinate) const;
};

ReadBack ReadXlsx(const std::string& path);
