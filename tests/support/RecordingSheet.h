#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "report/IProgressHandler.h"
#include "report/ReportHelper.h"

// Every call that reaches a recording sheet, its cells or a recording progress sink, in
// order, as readable text: "GetCell(4,1)", "GetRange(1,4,1,3)", "SetColumnWidth(1,6)",
// "SetRowHeight(4,30)", "SetValue(text)" with the text in UTF-8, "SetBorders(1,1,1,1,1)",
// "SetWrap(0)", "SetTextFormat", "SetFontSize(10)", "SetBold(1)", "Begin(12)", "Step",
// "SetPosition(0.5)", "End".
using CallLog = std::vector<std::string>;

// A sheet that does nothing but record. It also keeps what a reader of the sheet would see:
// the value, font size, bold and text-format state of each cell reached through GetCell,
// and of each cell of a range of up to kMaxTrackedRange cells.
class RecordingSheet : public ReportHelper {
 public:
  static constexpr long long kMaxTrackedRange = 65536;

  struct CellState {
    std::string value;  // UTF-8
    bool hasValue = false;
    bool bold = false;
    bool textFormat = false;
    bool borders = false;
    int fontSize = 0;
  };

  RecordingSheet() : log_(&ownLog_) {}
  // Records into a log shared with, say, a RecordingProgress, so one list shows the order.
  explicit RecordingSheet(CallLog& log) : log_(&log) {}
  RecordingSheet(const RecordingSheet&) = delete;
  RecordingSheet& operator=(const RecordingSheet&) = delete;

  std::unique_ptr<ReportCells> GetCell(int row, int col) override;
  std::unique_ptr<ReportCells> GetRange(int col, int row, int colSpan, int rowSpan) override;
  void SetColumnWidth(int col, int width) override;
  void SetRowHeight(int row, int height) override;

  const CallLog& Calls() const { return *log_; }
  void Clear() { log_->clear(); }

  // The state of the cell at (row, col); an empty state for a cell never touched.
  CellState Cell(int row, int col) const;
  std::string ValueAt(int row, int col) const { return Cell(row, col).value; }
  const std::map<std::pair<int, int>, CellState>& Cells() const { return cells_; }
  // The last width or height set; -1 when none was.
  int ColumnWidth(int col) const;
  int RowHeight(int row) const;

  // Cell objects handed out and not yet freed, now and at most at any time.
  int LiveCells() const { return live_; }
  int MaxLiveCells() const { return maxLive_; }

 private:
  friend class RecordingCells;

  void Record(std::string call) { log_->push_back(std::move(call)); }

  CallLog ownLog_;
  CallLog* log_;
  std::map<std::pair<int, int>, CellState> cells_;
  std::map<int, int> widths_;
  std::map<int, int> heights_;
  int live_ = 0;
  int maxLive_ = 0;
};

// A progress sink that records its calls and keeps the maximum and the number of steps.
class RecordingProgress : public IProgressHandler {
 public:
  RecordingProgress() : log_(&ownLog_) {}
  explicit RecordingProgress(CallLog& log) : log_(&log) {}
  RecordingProgress(const RecordingProgress&) = delete;
  RecordingProgress& operator=(const RecordingProgress&) = delete;

  void SetPosition(float fraction) override;
  void Step() override;
  void Begin(int max) override;
  void End() override;

  const CallLog& Calls() const { return *log_; }

  int maximum = -1;  // of the last Begin
  int steps = 0;
  int begins = 0;
  int ends = 0;

 private:
  CallLog ownLog_;
  CallLog* log_;
};
