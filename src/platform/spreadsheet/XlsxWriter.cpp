#include "platform/spreadsheet/XlsxWriter.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/System.h"
#include "platform/spreadsheet/XlsxText.h"

namespace spreadsheet {
namespace {

[[noreturn]] void Fail(const std::string& systemPath, const char* reason) {
  throw Exception("Cannot write the workbook \"" + FromSystemPath(systemPath) + "\": " + reason);
}

// The libxlsxwriter workbook being written; freed unless closed.
class XlsxWorkbook {
 public:
  explicit XlsxWorkbook(const std::string& systemPath) {
    lxw_workbook_options options = {};
    workbook_ = workbook_new_opt(systemPath.c_str(), &options);
  }
  ~XlsxWorkbook() {
    if (workbook_ != nullptr) lxw_workbook_free(workbook_);
  }
  XlsxWorkbook(const XlsxWorkbook&) = delete;
  XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

  lxw_workbook* get() const { return workbook_; }
  lxw_error Close() {
    lxw_error error = workbook_close(workbook_);
    workbook_ = nullptr;
    return error;
  }

 private:
  lxw_workbook* workbook_ = nullptr;
};

// A row height as set. libxlsxwriter takes its default of 15 points for "not set" and writes
// no height then; the next double above prints as "15" and is written as a height of its own.
double RowHeightToWrite(int height) {
  return height == LXW_DEF_ROW_HEIGHT ? std::nextafter(LXW_DEF_ROW_HEIGHT, 16.0) : height;
}

lxw_format* MakeFormat(lxw_workbook* workbook, const CellFormat& look) {
  lxw_format* format = workbook_add_format(workbook);
  if (format == nullptr) return nullptr;
  if (!look.numberFormat.empty()) format_set_num_format(format, WideToUtf8(look.numberFormat).c_str());
  if (look.wrap) format_set_text_wrap(format);
  if (look.fontSize != kDefaultFontSize) format_set_font_size(format, look.fontSize);
  if (look.bold) format_set_bold(format);
  const auto& b = look.borders;
  if (b[static_cast<int>(Edge::Left)]) format_set_left(format, b[static_cast<int>(Edge::Left)]);
  if (b[static_cast<int>(Edge::Top)]) format_set_top(format, b[static_cast<int>(Edge::Top)]);
  if (b[static_cast<int>(Edge::Bottom)]) format_set_bottom(format, b[static_cast<int>(Edge::Bottom)]);
  if (b[static_cast<int>(Edge::Right)]) format_set_right(format, b[static_cast<int>(Edge::Right)]);
  return format;
}

lxw_error WriteCell(lxw_worksheet* worksheet, const PlacedCell& placed, lxw_format* format) {
  const lxw_row_t row = static_cast<lxw_row_t>(placed.row - 1);
  const lxw_col_t column = static_cast<lxw_col_t>(placed.column - 1);
  const CellValue& value = placed.cell->value;
  if (const auto* number = std::get_if<double>(&value)) return worksheet_write_number(worksheet, row, column, *number, format);
  if (const auto* text = std::get_if<WideString>(&value))
    return worksheet_write_string(worksheet, row, column, XlsxCellText(*text).c_str(), format);
  if (const auto* boolean = std::get_if<bool>(&value)) return worksheet_write_boolean(worksheet, row, column, *boolean, format);
  // Formatted but empty: a blank cell that keeps its look.
  return format != nullptr ? worksheet_write_blank(worksheet, row, column, format) : LXW_NO_ERROR;
}

// Fills the workbook; the text of the first failure, or null.
const char* Fill(lxw_workbook* workbook, const Sheet& sheet, int& formatCount) {
  lxw_worksheet* worksheet = workbook_add_worksheet(workbook, "Sheet1");
  if (worksheet == nullptr) return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
  lxw_row_col_options hidden = {};
  hidden.hidden = 1;
  for (const auto& [column, width] : sheet.ColumnWidths()) {
    lxw_col_t c = static_cast<lxw_col_t>(column - 1);
    if (lxw_error e = worksheet_set_column_opt(worksheet, c, c, width, nullptr, width == 0 ? &hidden : nullptr))
      return lxw_strerror(e);
  }
  for (const auto& [row, height] : sheet.RowHeights()) {
    if (lxw_error e = worksheet_set_row_opt(worksheet, static_cast<lxw_row_t>(row - 1), RowHeightToWrite(height), nullptr,
                                            height == 0 ? &hidden : nullptr))
      return lxw_strerror(e);
  }
  std::vector<lxw_format*> formats(sheet.FormatCount(), nullptr);  // made on first use
  for (const PlacedCell& placed : sheet.Cells()) {
    lxw_format* format = nullptr;
    if (std::uint32_t id = placed.cell->format; id != 0) {
      if (formats[id] == nullptr) {
        formats[id] = MakeFormat(workbook, sheet.Format(id));
        if (formats[id] == nullptr) return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
        ++formatCount;
      }
      format = formats[id];
    }
    if (lxw_error e = WriteCell(worksheet, placed, format)) return lxw_strerror(e);
  }
  return nullptr;
}

}  // namespace

int WriteSheetXlsx(const Sheet& sheet, const std::string& systemPath) {
  const std::string partPath = systemPath + ".part";
  int formatCount = 0;
  {
    XlsxWorkbook workbook(partPath);
    if (workbook.get() == nullptr) Fail(systemPath, lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED));
    if (const char* failure = Fill(workbook.get(), sheet, formatCount)) Fail(systemPath, failure);
    if (lxw_error e = workbook.Close()) {
      std::remove(partPath.c_str());
      Fail(systemPath, lxw_strerror(e));
    }
  }
  if (std::rename(partPath.c_str(), systemPath.c_str()) != 0) {
    int error = errno;
    std::remove(partPath.c_str());
    Fail(systemPath, std::strerror(error));
  }
  return formatCount;
}

}  // namespace spreadsheet
