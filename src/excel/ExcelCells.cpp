#include "excel/ExcelCells.h"

#include "excel/SwallowFailure.h"

namespace {

// Excel's indexes of the outer edges.
constexpr int xlEdgeLeft = 7;
constexpr int xlEdgeTop = 8;
constexpr int xlEdgeBottom = 9;
constexpr int xlEdgeRight = 10;

}  // namespace

ExcelCells::ExcelCells(const Variant& cells) : cells(cells) {}

ExcelCells::~ExcelCells() { cells = Variant(); }

ReportCells* ExcelCells::SetValue(const WideString& value) {
  SwallowFailure([&] { cells.SetProperty("Value", value); });
  return this;
}

ReportCells* ExcelCells::SetBorders(bool left, bool top, bool bottom, bool right, int lineStyle) {
  const struct {
    bool draw;
    int index;
  } edges[] = {{left, xlEdgeLeft}, {top, xlEdgeTop}, {bottom, xlEdgeBottom}, {right, xlEdgeRight}};
  SwallowFailure([&] {
    for (const auto& edge : edges)
      if (edge.draw) cells.GetProperty("Borders", edge.index).SetProperty("LineStyle", lineStyle);
  });
  return this;
}

ReportCells* ExcelCells::SetWrap(bool wrap) {
  SwallowFailure([&] { cells.SetProperty("WrapText", wrap); });
  return this;
}

ReportCells* ExcelCells::SetTextFormat() {
  SwallowFailure([&] { cells.SetProperty("NumberFormat", u"@"); });
  return this;
}

ReportCells* ExcelCells::SetFontSize(int size) {
  SwallowFailure([&] { cells.GetProperty("Font").SetProperty("Size", size); });
  return this;
}

ReportCells* ExcelCells::SetBold(bool bold) {
  SwallowFailure([&] { cells.GetProperty("Font").SetProperty("Bold", bold); });
  return this;
}
