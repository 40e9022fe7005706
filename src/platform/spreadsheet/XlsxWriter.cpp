#include "platform/spreadsheet/XlsxWriter.h"

#include <sys/stat.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <vector>

#include "platform/CodePages.h"
#include "platform/Exception.h"
#include "platform/System.h"
#include "platform/spreadsheet/FailedWrite.h"
#include "platform/spreadsheet/ServerErrors.h"
#include "platform/spreadsheet/WorkbookMessages.h"
#include "platform/spreadsheet/XlsxCheck.h"
#include "platform/spreadsheet/XlsxText.h"

namespace spreadsheet {
namespace {

// The reason is libxlsxwriter's text, or null; the error an errno, or 0.
[[noreturn]] void Fail(const std::string& systemPath, const char* reason, int error = 0) {
  throw Exception(WorkbookNotWrittenMessage(systemPath, error, reason != nullptr ? reason : ""));
}

// The libxlsxwriter workbook being written; freed unless closed.
class XlsxWorkbook {
 public:
  // Its temporary files go into the folder given, the workbook's own: one file system for all
  // that the write takes, and one folder to tell the user of when it is full.
  XlsxWorkbook(const std::string& systemPath, const std::string& temporaryFolder) : temporaryFolder_(temporaryFolder) {
    // The sheet is handed over row after row, so libxlsxwriter need not keep it all: each row
    // goes to its file as the next one starts.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = temporaryFolder_.data();
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
  std::string temporaryFolder_;
  lxw_workbook* workbook_ = nullptr;
};

// The errors of libxlsxwriter that come of a file operation, whose errno tells the cause.
bool IsFileError(lxw_error error) {
  switch (error) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE: return true;
    default: return false;
  }
}

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

  // A format for every look, the default one too: libxlsxwriter gives a cell without a format
  // its row's or column's. Null when libxlsxwriter cannot make one.
  lxw_format* Get(std::uint32_t id) {
    if (id >= made_.size()) made_.resize(sheet_.FormatCount(), nullptr);
    if (made_[id] == nullptr) {
      // The default look is the workbook's first format, which the file holds anyway.
      made_[id] = id == 0 ? workbook_add_format(workbook_) : MakeFormat(workbook_, sheet_.Format(id));
      if (made_[id] != nullptr && id != 0) ++count_;
    }
    return made_[id];
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
  // Empty: a blank cell that keeps its look.
  return worksheet_write_blank(worksheet, row, column, format);
}

// Fills the workbook; the text of the first failure, or null. Counts what it hands over.
const char* Fill(lxw_workbook* workbook, const Sheet& sheet, int& formatCount, SheetContent& handed) {
  if (!sheet.LayoutFits()) return kResourcesMessage;
  lxw_worksheet* worksheet = workbook_add_worksheet(workbook, "Sheet1");
  if (worksheet == nullptr) return lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
  Formats formats(workbook, sheet);
  const char* failure = nullptr;
  auto fail = [&](lxw_error e) {
    if (e != LXW_NO_ERROR && failure == nullptr) failure = lxw_strerror(e);
    return failure != nullptr;
  };
  auto format = [&](std::uint32_t id) {
    lxw_format* made = formats.Get(id);
    if (made == nullptr) fail(LXW_ERROR_MEMORY_MALLOC_FAILED);
    return made;
  };

  lxw_row_col_options hidden = {};
  hidden.hidden = 1;
  // Columns with a width of their own one by one, runs of columns with only a format at once.
  const std::map<int, int>& widths = sheet.ColumnWidths();
  auto setColumns = [&](int first, int last, double width, lxw_format* look, bool zero) {
    return !fail(worksheet_set_column_opt(worksheet, static_cast<lxw_col_t>(first - 1), static_cast<lxw_col_t>(last - 1),
                                          width, look, zero ? &hidden : nullptr));
  };
  auto width = widths.begin();
  auto setWidthsBefore = [&](int end) {
    for (; width != widths.end() && width->first < end; ++width)
      if (!setColumns(width->first, width->first, width->second, nullptr, width->second == 0)) return false;
    return true;
  };
  for (const ColumnFormatRun& run : sheet.ColumnFormats()) {
    if (!setWidthsBefore(run.firstColumn)) return failure;
    lxw_format* look = format(run.format);
    if (look == nullptr) return failure;
    int from = run.firstColumn;
    for (; width != widths.end() && width->first <= run.lastColumn; ++width) {
      if (from < width->first && !setColumns(from, width->first - 1, LXW_DEF_COL_WIDTH, look, false)) return failure;
      if (!setColumns(width->first, width->first, width->second, look, width->second == 0)) return failure;
      from = width->first + 1;
    }
    if (from <= run.lastColumn && !setColumns(from, run.lastColumn, LXW_DEF_COL_WIDTH, look, false)) return failure;
  }
  if (!setWidthsBefore(kMaxColumns + 1)) return failure;

  std::vector<std::string> texts(sheet.DistinctTextCount());  // as written, made once per text
  std::vector<bool> made(sheet.DistinctTextCount(), false);
  sheet.VisitRows([&](int row, int height, std::uint32_t rowFormat, const std::vector<WrittenCell>& cells) {
    if (failure != nullptr) return;
    const lxw_row_t r = static_cast<lxw_row_t>(row - 1);
    if (height >= 0 || rowFormat != kNoRowFormat) {
      const double written = height >= 0 ? RowHeightToWrite(height) : LXW_DEF_ROW_HEIGHT;
      lxw_format* look = rowFormat != kNoRowFormat ? format(rowFormat) : nullptr;
      if (failure != nullptr) return;
      if (fail(worksheet_set_row_opt(worksheet, r, written, look, height == 0 ? &hidden : nullptr))) return;
      ++handed.rows;
    } else if (!cells.empty()) {
      ++handed.rows;
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
      ++handed.cells;
    }
  });
  formatCount = formats.Count();
  return failure;
}

}  // namespace

int WriteSheetXlsx(const Sheet& sheet, const std::string& systemPath) {
  const std::string partPath = systemPath + ".part";
  const std::string::size_type slash = systemPath.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : systemPath.substr(0, slash);
  const OpenedByWrite opened(folder);
  int formatCount = 0;
  SheetContent handed;
  const char* failure = nullptr;
  int error = 0;
  {
    XlsxWorkbook workbook(partPath, folder);
    if (workbook.get() == nullptr) {
      failure = lxw_strerror(LXW_ERROR_MEMORY_MALLOC_FAILED);
    } else if ((failure = Fill(workbook.get(), sheet, formatCount, handed)) == nullptr) {
      errno = 0;
      if (lxw_error e = workbook.Close()) {
        error = IsFileError(e) ? errno : 0;
        failure = lxw_strerror(e);
      }
    }
  }
  // Nothing of a failed write stays: neither its file nor what it holds open. libxlsxwriter
  // has let go of the workbook by now, so what is left open is no longer its own.
  if (failure != nullptr) {
    opened.CloseLeftOpen();
    std::remove(partPath.c_str());
    Fail(systemPath, failure, error);
  }
  if (const std::optional<PackageFault> fault = CheckXlsxPackage(partPath, handed)) {
    struct stat written;
    const std::uint64_t bytes = stat(partPath.c_str(), &written) == 0 ? static_cast<std::uint64_t>(written.st_size) : 0;
    std::remove(partPath.c_str());
    const int cause = NoRoomError(folder, *fault, handed, bytes);
    throw Exception(WorkbookIncompleteMessage(systemPath, cause, *fault, handed));
  }
  if (std::rename(partPath.c_str(), systemPath.c_str()) != 0) {
    error = errno;
    std::remove(partPath.c_str());
    Fail(systemPath, nullptr, error);
  }
  return formatCount;
}

}  // namespace spreadsheet
