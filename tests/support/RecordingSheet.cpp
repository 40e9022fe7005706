#include "support/RecordingSheet.h"

#include <climits>
#include <sstream>

#include "platform/CodePages.h"

namespace {

std::string Call(const char* name, std::initializer_list<long long> arguments) {
  std::ostringstream text;
  text << name << '(';
  bool first = true;
  for (long long argument : arguments) {
    if (!first) text << ',';
    text << argument;
    first = false;
  }
  text << ')';
  return text.str();
}

}  // namespace

// One cell or range handed out by a RecordingSheet: records each setter in the sheet's log
// and applies it to the cells it covers.
class RecordingCells : public ReportCells {
 public:
  RecordingCells(RecordingSheet& sheet, int col, int row, int colSpan, int rowSpan)
      : sheet_(sheet), col_(col), row_(row), colSpan_(colSpan), rowSpan_(rowSpan) {
    if (++sheet_.live_ > sheet_.maxLive_) sheet_.maxLive_ = sheet_.live_;
  }
  ~RecordingCells() override { --sheet_.live_; }

  ReportCells* SetValue(const WideString& value) override {
    std::string utf8 = WideToUtf8(value);
    sheet_.Record("SetValue(" + utf8 + ")");
    Apply([&](RecordingSheet::CellState& cell) {
      cell.value = utf8;
      cell.hasValue = true;
    });
    return this;
  }
  ReportCells* SetBorders(bool left, bool top, bool bottom, bool right, int lineStyle) override {
    sheet_.Record(Call("SetBorders", {left, top, bottom, right, lineStyle}));
    Apply([&](RecordingSheet::CellState& cell) { cell.borders = left || top || bottom || right; });
    return this;
  }
  ReportCells* SetWrap(bool wrap) override {
    sheet_.Record(Call("SetWrap", {wrap}));
    return this;
  }
  ReportCells* SetTextFormat() override {
    sheet_.Record("SetTextFormat");
    Apply([](RecordingSheet::CellState& cell) { cell.textFormat = true; });
    return this;
  }
  ReportCells* SetFontSize(int size) override {
    sheet_.Record(Call("SetFontSize", {size}));
    Apply([&](RecordingSheet::CellState& cell) { cell.fontSize = size; });
    return this;
  }
  ReportCells* SetBold(bool bold) override {
    sheet_.Record(Call("SetBold", {bold}));
    Apply([&](RecordingSheet::CellState& cell) { cell.bold = bold; });
    return this;
  }

 private:
  // Only rectangles on the sheet and of a size a test can look at are tracked.
  template <typename Change>
  void Apply(Change change) {
    if (col_ < 0 || row_ < 0 || colSpan_ < 0 || rowSpan_ < 0) return;
    if (static_cast<long long>(col_) + colSpan_ > INT_MAX || static_cast<long long>(row_) + rowSpan_ > INT_MAX) return;
    long long area = (static_cast<long long>(colSpan_) + 1) * (static_cast<long long>(rowSpan_) + 1);
    if (area > RecordingSheet::kMaxTrackedRange) return;
    for (long long r = row_; r <= static_cast<long long>(row_) + rowSpan_; ++r)
      for (long long c = col_; c <= static_cast<long long>(col_) + colSpan_; ++c)
        change(sheet_.cells_[{static_cast<int>(r), static_cast<int>(c)}]);
  }

  RecordingSheet& sheet_;
  int col_;
  int row_;
  int colSpan_;
  int rowSpan_;
};

std::unique_ptr<ReportCells> RecordingSheet::GetCell(int row, int col) {
  Record(Call("GetCell", {row, col}));
  return std::make_unique<RecordingCells>(*this, col, row, 0, 0);
}

std::unique_ptr<ReportCells> RecordingSheet::GetRange(int col, int row, int colSpan, int rowSpan) {
  Record(Call("GetRange", {col, row, colSpan, rowSpan}));
  return std::make_unique<RecordingCells>(*this, col, row, colSpan, rowSpan);
}

void RecordingSheet::SetColumnWidth(int col, int width) {
  Record(Call("SetColumnWidth", {col, width}));
  widths_[col] = width;
}

void RecordingSheet::SetRowHeight(int row, int height) {
  Record(Call("SetRowHeight", {row, height}));
  heights_[row] = height;
}

RecordingSheet::CellState RecordingSheet::Cell(int row, int col) const {
  auto found = cells_.find({row, col});
  return found != cells_.end() ? found->second : CellState();
}

int RecordingSheet::ColumnWidth(int col) const {
  auto found = widths_.find(col);
  return found != widths_.end() ? found->second : -1;
}

int RecordingSheet::RowHeight(int row) const {
  auto found = heights_.find(row);
  return found != heights_.end() ? found->second : -1;
}

void RecordingProgress::SetPosition(float fraction) {
  std::ostringstream text;
  text << "SetPosition(" << fraction << ')';
  log_->push_back(text.str());
}

void RecordingProgress::Step() {
  log_->push_back("Step");
  ++steps;
}

void RecordingProgress::Begin(int max) {
  log_->push_back(Call("Begin", {max}));
  maximum = max;
  ++begins;
}

void RecordingProgress::End() {
  log_->push_back("End");
  ++ends;
}
