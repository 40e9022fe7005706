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
#include "platform/spreadsheet/WorkbookMessages.h"

namespace spreadsheet {
namespace {

[[noreturn]] void Fail(const std::string& systemPath, const char* reason) {
  throw Exception(WorkbookNotWrittenMessage(systemPath, reason));
}

// The libxlsxwriter workbook being written; freed unless closed.
class XlsxWorkbook {
 public:
  explicit XlsxWorkbook(const std::string& systemPath) {
    // The sheet is handed over row after row, so libxlsxwriter need not keep it all: each row
    // goes to its file as the next one starts.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
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

// The xlsx formats of the sheet's formats, made on first use: one per format that a cell,
// row or column uses.
class Formats {
 public:
  Formats(lxw_workbook* workbook, const Sheet& sheet)
      : workbook_(workbook), sheet_(sheet), made_(sheet.FormatCount(), nullptr) {}

  // Null for the default look; false when libxlsxwriter cannot make one.
  bool Get(std::uint32_t id, lxw_format*& format) {
    format = nullptr;
    if (id == 0) return true;
    if (id >= made_.size()) made_.resize(sheet_.FormatCount(), nullptr);
    if (made_[id] == nullptr) {
      made_[id] = MakeFormat(workbook_, sheet_.Format(id));
      if (made_[id] == nullptr) return false;
      ++count_;
    }
    format = made_[id];
    return true;
  }
  int Count() const { return count_; }

 private:
  lxw_workbook* workbook_;
  const Sheet& sheet_;
  std::vector<lxw_format*> made_;
  int count_ = 0;
};

lxw_error WriteCell(lxw_worksheet* worksheet, lxw_row_t row, const WrittenCell& cell, lxw_format* format,
                    const std::string& text) {
  const lxw_col_t column = static_cast<lxw_col_t>(cell.column - 1);
  switch (cell.kind) {
    case WrittenCell::Number: return worksheet_write_number(worksheet, row, column, cell.number, format);
    case WrittenCell::Text: return worksheet_write_string(worksheet, row, column, text.c_str(), format);
    case WrittenCell::Boolean: return worksheet_write_boolean(worksheet, row, column, cell.boolean, format);
    case WrittenCell::Blank: break;
  }
  // Formatted but empty: a blank cell that keeps its look.
  return format != nullptr ? worksheet_write_blank(worksheet, row, column, format) : LXW_NO_ERROR;
}

// Fills the workbook; the text of the first failure, or null.
const char* Fill(lxw_workbook* workbook, const Sheet& sheet, int& formatCount) {
  lxw_worksheet* worksheet = workbook_add_worksheet(workbook, "Sheet1");
  if (worksheet == nullptr) return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
  Formats formats(workbook, sheet);
  const char* failure = nullptr;
  auto fail = [&](lxw_error e) {
    if (e != LXW_NO_ERROR && failure == nullptr) failure = lxw_strerror(e);
    return failure != nullptr;
  };
  auto format = [&](std::uint32_t id) {
    lxw_format* made = nullptr;
    if (!formats.Get(id, made)) fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    return made;
  };

  lxw_row_col_options hidden = {};
  hidden.hidden = 1;
  // Columns with a width, a format or both.
  const std::map<int, std::uint32_t> columnFormats = sheet.ColumnFormats();
  std::map<int, std::pair<double, std::uint32_t>> columns;
  for (const auto& [column, id] : columnFormats) columns[column] = {LXW_DEF_COL_WIDTH, id};
  for (const auto& [column, width] : sheet.ColumnWidths()) columns.try_emplace(column, 0, 0).first->second.first = width;
  for (const auto& [column, look] : columns) {
    const lxw_col_t c = static_cast<lxw_col_t>(column - 1);
    const bool zero = sheet.ColumnWidths().count(column) != 0 && look.first == 0;
    if (fail(worksheet_set_column_opt(worksheet, c, c, look.first, format(look.second), zero ? &hidden : nullptr)))
      return failure;
  }

  std::vector<std::string> texts(sheet.TextCount());  // as written, made once per text
  std::vector<bool> made(sheet.TextCount(), false);
  sheet.VisitRows([&](int row, int height, std::uint32_t rowFormat, const std::vector<WrittenCell>& cells) {
    if (failure != nullptr) return;
    const lxw_row_t r = static_cast<lxw_row_t>(row - 1);
    if (height >= 0 || rowFormat != 0) {
      const double written = height >= 0 ? RowHeightToWrite(height) : LXW_DEF_ROW_HEIGHT;
      if (fail(worksheet_set_row_opt(worksheet, r, written, format(rowFormat), height == 0 ? &hidden : nullptr))) return;
    }
    for (const WrittenCell& cell : cells) {
      lxw_format* look = format(cell.format);
      if (failure != nullptr) return;
      static const std::string none;
      const std::string* text = &none;
      if (cell.kind == WrittenCell::Text) {
        if (!made[cell.text]) {
          texts[cell.text] = XlsxCellText(sheet.Text(cell.text));
          made[cell.text] = true;
        }
        text = &texts[cell.text];
      }
      if (fail(WriteCell(worksheet, r, cell, look, *text))) return;
    }
  });
  formatCount = formats.Count();
  return failure;
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
