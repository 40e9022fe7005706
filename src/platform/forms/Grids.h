#pragma once

#include <QTableView>
#include <map>
#include <vector>

#include "platform/forms/Controls.h"

class TStringGrid;
class GridModel;

// A cell of a string grid, as Cells[col][row] hands it out: it reads and writes the text.
class TGridCell {
 public:
  operator AnsiString() const;
  TGridCell& operator=(const AnsiString& text);
  TGridCell& operator=(const char* text) { return *this = AnsiString(text); }
  TGridCell& operator=(const TGridCell& other) { return *this = AnsiString(other); }
  bool operator==(const AnsiString& text) const { return AnsiString(*this) == text; }

 private:
  friend class TGridColumn;
  TGridCell(TStringGrid& grid, int col, int row) : grid_(grid), col_(col), row_(row) {}
  TStringGrid& grid_;
  int col_, row_;
};

class TGridColumn {
 public:
  TGridCell operator[](int row) const { return TGridCell(grid_, col_, row); }

 private:
  friend class TGridCells;
  TGridColumn(TStringGrid& grid, int col) : grid_(grid), col_(col) {}
  TStringGrid& grid_;
  int col_;
};

class TGridCells {
 public:
  TGridColumn operator[](int col) const { return TGridColumn(grid_, col); }

 private:
  friend class TStringGrid;
  explicit TGridCells(TStringGrid& grid) : grid_(grid) {}
  TStringGrid& grid_;
};

// Wider than any screen. Qt takes time in proportion to a column's width to draw its title, so
// a wider column is held at this width rather than stall every repaint.
constexpr int kWidestColumn = 10000;

class TGridColWidth {
 public:
  operator int() const;
  TGridColWidth& operator=(int width);

 private:
  friend class TGridColWidths;
  TGridColWidth(TStringGrid& grid, int col) : grid_(grid), col_(col) {}
  TStringGrid& grid_;
  int col_;
};

class TGridColWidths {
 public:
  TGridColWidth operator[](int col) const { return TGridColWidth(grid_, col); }

 private:
  friend class TStringGrid;
  explicit TGridColWidths(TStringGrid& grid) : grid_(grid) {}
  TStringGrid& grid_;
};

struct TGridRect {
  int Left, Top, Right, Bottom;
};

// A grid of texts with one fixed title row (row 0) and one fixed column (column 0), whole
// rows selected as one contiguous block, and no cell editing. A grid of a single column has
// no fixed column: that column is selectable, as the class library lowers its fixed columns
// when no other column is left (and keeps them lowered when columns are added again).
//
// Cells[col][row] reads a cell ("" outside the grid) and writes one; a cell written
// outside the current row or column count is kept and shows once the grid grows to it.
// Setting RowCount makes row 1 the current row and clears the selection. The selection
// is never empty: with no rows chosen it is the current row. A column width of 0 or less
// hides the column.
//
// Tab and Shift+Tab move the focus to the next and previous control, as in a grid without
// "goTabs"; typed characters change nothing, as in a grid without editing.
class TStringGrid : public QTableView, public TControl {
 public:
  explicit TStringGrid(TComponent* owner);
  ~TStringGrid() override;

  TGridCells Cells;
  TGridColWidths ColWidths;

  int ColCount() const { return colCount_; }
  void SetColCount(int count);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int count);

  // Every column takes this width; so do columns added later.
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);

  // 1, or 0 once the column count has come down to 1.
  int FixedCols() const { return fixedCols_; }

  // The current row (1 or more).
  int Row() const;
  // The selected rows, from top to bottom; Left and Right are the first and last column
  // after the fixed ones.
  TGridRect Selection() const;

  // Qt jumps to the next row whose text starts with what was typed; the grid does not.
  void keyboardSearch(const QString&) override {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend class TGridCell;
  friend class TGridColWidth;
  friend class GridModel;

  const AnsiString& Cell(int col, int row) const;
  void SetCell(int col, int row, const AnsiString& text);
  int ColWidth(int col) const;
  void SetColWidth(int col, int width);
  void ApplyColWidth(int col);
  void SetCurrentRow(int row);

  GridModel* model_;
  int colCount_ = 5;
  int fixedCols_ = 1;
  int rowCount_ = 5;
  int defaultColWidth_ = 64;
  int currentRow_ = 1;
  std::vector<std::vector<AnsiString>> cells_;  // by row, then column; as far as written
  std::vector<int> colWidths_;
};
