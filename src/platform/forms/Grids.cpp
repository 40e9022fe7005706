#include "platform/forms/Grids.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>
#include <climits>

#include "platform/Exception.h"
#include "platform/forms/QtText.h"

// The grid's cells for Qt: the fixed row gives the column titles, the fixed column (if
// any) the row titles, and every other cell lies one row and the fixed columns further in.
class GridModel : public QAbstractTableModel {
 public:
  explicit GridModel(TStringGrid& grid) : QAbstractTableModel(&grid), grid_(grid) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : std::max(0, grid_.rowCount_ - 1);
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : std::max(0, grid_.colCount_ - grid_.fixedCols_);
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return ToQtLine(grid_.Cell(index.column() + grid_.fixedCols_, index.row() + 1));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    return ToQtLine(orientation == Qt::Horizontal ? grid_.Cell(section + grid_.fixedCols_, 0)
                                                  : grid_.Cell(0, section + 1));
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }

  using QAbstractTableModel::beginInsertRows;
  using QAbstractTableModel::beginRemoveRows;
  using QAbstractTableModel::beginResetModel;
  using QAbstractTableModel::endInsertRows;
  using QAbstractTableModel::endRemoveRows;
  using QAbstractTableModel::endResetModel;

 private:
  TStringGrid& grid_;
};

namespace {

// Draws the top-left fixed cell, which Qt leaves to its corner button, as the column titles
// are drawn. The button itself stays disabled (Qt would select every cell when it is
// clicked), so the looks come from the title row.
class CornerPainter : public QObject {
 public:
  CornerPainter(QHeaderView* titles, std::function<QString()> text)
      : QObject(titles), titles_(titles), text_(std::move(text)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* corner = static_cast<QWidget*>(watched);
    QStyleOptionHeader option;
    option.initFrom(titles_);
    option.rect = corner->rect();
    option.text = text_();
    option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    QPainter painter(corner);
    painter.setFont(titles_->font());
    titles_->style()->drawControl(QStyle::CE_Header, &option, &painter, titles_);
    return true;
  }

 private:
  QHeaderView* titles_;
  std::function<QString()> text_;
};

}  // namespace

TGridCell::operator AnsiString() const { return grid_.Cell(col_, row_); }

TGridCell& TGridCell::operator=(const AnsiString& text) {
  grid_.SetCell(col_, row_, text);
  return *this;
}

TGridColWidth::operator int() const { return grid_.ColWidth(col_); }

TGridColWidth& TGridColWidth::operator=(int width) {
  grid_.SetColWidth(col_, width);
  return *this;
}

TStringGrid::TStringGrid(TComponent* owner)
    : QTableView(ClientWidgetOf(owner)),
      TControl(owner, this, 320, 120),
      Cells(*this),
      ColWidths(*this),
      model_(new GridModel(*this)) {
  colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
  setModel(model_);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setCornerButtonEnabled(false);
  setTabKeyNavigation(false);
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setHighlightSections(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setMinimumSectionSize(1);
  }
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  if (auto* corner = findChild<QAbstractButton*>())
    corner->installEventFilter(new CornerPainter(horizontalHeader(), [this] { return ToQtLine(Cell(0, 0)); }));
  SetDefaultRowHeight(24);
  for (int c = 0; c < colCount_; ++c) ApplyColWidth(c);
  Listen(selectionModel(), &QItemSelectionModel::currentRowChanged, [this](const QModelIndex& current) {
    if (current.isValid()) currentRow_ = current.row() + 1;
  });
  SetCurrentRow(1);
}

TStringGrid::~TStringGrid() = default;

const AnsiString& TStringGrid::Cell(int col, int row) const {
  static const AnsiString empty;
  if (row < 0 || col < 0 || static_cast<size_t>(row) >= cells_.size()) return empty;
  const auto& cells = cells_[static_cast<size_t>(row)];
  return static_cast<size_t>(col) < cells.size() ? cells[static_cast<size_t>(col)] : empty;
}

void TStringGrid::SetCell(int col, int row, const AnsiString& text) {
  if (col < 0 || row < 0) return;
  const auto r = static_cast<size_t>(row), c = static_cast<size_t>(col);
  if (!text.empty() || (r < cells_.size() && c < cells_[r].size())) {
    if (r >= cells_.size()) cells_.resize(r + 1);
    if (c >= cells_[r].size()) cells_[r].resize(c + 1);
    cells_[r][c] = text;
  }
  if (col >= colCount_ || row >= rowCount_) return;
  if (col < fixedCols_) {
    if (row == 0) {
      if (auto* corner = findChild<QAbstractButton*>()) corner->update();
    } else {
      model_->headerDataChanged(Qt::Vertical, row - 1, row - 1);
    }
  } else if (row == 0) {
    model_->headerDataChanged(Qt::Horizontal, col - fixedCols_, col - fixedCols_);
  } else {
    QModelIndex index = model_->index(row - 1, col - fixedCols_);
    model_->dataChanged(index, index, {Qt::DisplayRole});
  }
}

void TStringGrid::SetColCount(int count) {
  count = std::max(1, count);
  if (count == colCount_) return;
  model_->beginResetModel();
  colCount_ = count;
  fixedCols_ = std::min(fixedCols_, count - 1);
  colWidths_.resize(static_cast<size_t>(count), defaultColWidth_);
  for (auto& cells : cells_)
    if (cells.size() > static_cast<size_t>(count)) cells.resize(static_cast<size_t>(count));
  model_->endResetModel();
  if (fixedCols_ == 0) verticalHeader()->hide();
  for (int c = 0; c < colCount_; ++c) ApplyColWidth(c);
  SetCurrentRow(std::min(currentRow_, rowCount_ - 1));
}

void TStringGrid::SetRowCount(int count) {
  // The fixed row and at least one row under it, as the class library keeps them.
  count = std::max(2, count);
  if (count > rowCount_) {
    model_->beginInsertRows(QModelIndex(), rowCount_ - 1, count - 2);
    rowCount_ = count;
    model_->endInsertRows();
  } else if (count < rowCount_) {
    model_->beginRemoveRows(QModelIndex(), count - 1, rowCount_ - 2);
    rowCount_ = count;
    if (cells_.size() > static_cast<size_t>(count)) cells_.resize(static_cast<size_t>(count));
    model_->endRemoveRows();
  }
  SetCurrentRow(1);
}

void TStringGrid::SetCurrentRow(int row) {
  currentRow_ = row;
  selectionModel()->clearSelection();
  for (int c = 0; c < model_->columnCount({}); ++c) {
    if (!isColumnHidden(c)) {
      // Qt selects the current row with it, which is what the grid shows for a selection
      // of none.
      setCurrentIndex(model_->index(row - 1, c));
      return;
    }
  }
}

void TStringGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = std::min(width, kWidestColumn);
  width = defaultColWidth_;
  std::fill(colWidths_.begin(), colWidths_.end(), width);
  for (int c = 0; c < colCount_; ++c) ApplyColWidth(c);
}

void TStringGrid::SetDefaultRowHeight(int height) {
  height = std::max(1, height);
  verticalHeader()->setDefaultSectionSize(height);
  horizontalHeader()->setFixedHeight(height);
}

int TStringGrid::ColWidth(int col) const {
  if (col < 0 || col >= colCount_) return defaultColWidth_;
  return colWidths_[static_cast<size_t>(col)];
}

void TStringGrid::SetColWidth(int col, int width) {
  if (col < 0 || col >= colCount_) throw Exception("Grid index out of range");
  colWidths_[static_cast<size_t>(col)] = std::min(width, kWidestColumn);
  ApplyColWidth(col);
}

void TStringGrid::ApplyColWidth(int col) {
  int width = colWidths_[static_cast<size_t>(col)];
  if (col < fixedCols_) {
    verticalHeader()->setVisible(width > 0);
    if (width > 0) verticalHeader()->setFixedWidth(width);
    return;
  }
  setColumnHidden(col - fixedCols_, width <= 0);
  if (width > 0) horizontalHeader()->resizeSection(col - fixedCols_, width);
}

void TStringGrid::keyPressEvent(QKeyEvent* event) {
  // Qt selects the current row alone on Space; the grid types nothing into its cells.
  if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Select) return;
  QTableView::keyPressEvent(event);
}

int TStringGrid::Row() const { return currentRow_; }

TGridRect TStringGrid::Selection() const {
  int top = INT_MAX, bottom = -1;
  for (const QItemSelectionRange& range : selectionModel()->selection()) {
    top = std::min(top, range.top());
    bottom = std::max(bottom, range.bottom());
  }
  if (bottom < 0) return {fixedCols_, currentRow_, colCount_ - 1, currentRow_};
  return {fixedCols_, top + 1, colCount_ - 1, bottom + 1};
}
