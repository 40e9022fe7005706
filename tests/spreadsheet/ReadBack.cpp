#include "ReadBack.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace {

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

}  // namespace

const ReadCell& ReadBack::Cell(const std::string& coordinate) const {
  static const ReadCell missing = [] {
    ReadCell cell;
    cell.type = "missing";
    return cell;
  }();
  auto found = cells.find(coordinate);
  return found == cells.end() ? missing : found->second;
}

bool ReadBack::ShowsBold(const std::string& coordinate) const {
  if (cells.count(coordinate) != 0) return cells.at(coordinate).bold;
  const std::size_t digits = coordinate.find_first_of("0123456789");
  auto row = rows.find(std::stoi(coordinate.substr(digits)));
  if (row != rows.end() && row->second.custom) return row->second.bold;
  int column = 0;
  for (std::size_t i = 0; i < digits; ++i) column = column * 26 + (coordinate[i] - 'A' + 1);
  for (const auto& [letter, dimension] : columns)
    if (column >= dimension.first && column <= dimension.last) return dimension.bold;
  return false;
}

ReadBack ReadXlsx(const std::string& path) {
  ReadBack result;
  std::string command = "PYTHONIOENCODING=utf-8 /usr/bin/python3 '" KELVARN_READBACK_SCRIPT "' '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[65536];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.output.append(buffer, n);
  result.ok = pclose(pipe) == 0;
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    auto f = Fields(line);
    if (f.size() == 13 && f[0] == "cell") {
      result.cells[f[1]] = {f[2], f[3], std::stoi(f[4]), f[5], f[6] == "True", f[7] == "True", f[8], f[9], f[10], f[11], f[12]};
    } else if (f.size() == 4 && f[0] == "col") {
      result.columns[f[1]].size = f[2];
      result.columns[f[1]].hidden = f[3] == "True";
    } else if (f.size() == 5 && f[0] == "colfmt") {
      ReadDimension& column = result.columns[f[1]];
      column.bold = f[2] == "True";
      column.first = std::stoi(f[3]);
      column.last = std::stoi(f[4]);
    } else if (f.size() == 4 && f[0] == "row") {
      result.rows[std::stoi(f[1])].size = f[2];
      result.rows[std::stoi(f[1])].hidden = f[3] == "True";
    } else if (f.size() == 3 && f[0] == "rowfmt") {
      ReadDimension& row = result.rows[std::stoi(f[1])];
      row.custom = true;
      row.bold = f[2] == "True";
    } else if (f.size() == 3 && f[0] == "text") {
      result.texts[f[1]] = FromHex(f[2]);
    } else if (f.size() == 2 && f[0] == "text") {
      result.texts[f[1]].clear();
    } else if (f.size() == 2 && f[0] == "sst") {
      result.sharedStrings.push_back(FromHex(f[1]));
    } else if (f.size() == 2 && f[0] == "xfs") {
      result.cellFormats = std::stoi(f[1]);
    } else if (f.size() == 1 && f[0] == "sst") {
      result.sharedStrings.emplace_back();
    }
  }
  return result;
}
