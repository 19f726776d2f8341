#include "platform/vcl/string_grid.h"

#include <algorithm>

namespace qv {

QV_DEFINE_CLASS(TStringGrid, TDrawGrid, r) {}

TStringGrid::TStringGrid(TComponent* owner)
    : TDrawGrid(owner), cells_(static_cast<size_t>(ColCount() * RowCount())) {}

const TStringGrid::TCell& TStringGrid::At(int col, int row) const {
  if (col < 0 || col >= ColCount() || row < 0 || row >= RowCount())
    throw EInvalidGridOperation("Grid index out of range");
  return cells_[static_cast<size_t>(row) * static_cast<size_t>(ColCount()) +
                static_cast<size_t>(col)];
}

TStringGrid::TCell& TStringGrid::At(int col, int row) {
  return const_cast<TCell&>(static_cast<const TStringGrid*>(this)->At(col, row));
}

const std::string& TStringGrid::Cells(int col, int row) const {
  return At(col, row).Text;
}

void TStringGrid::SetCells(int col, int row, const std::string& text) {
  TCell& cell = At(col, row);
  if (cell.Text == text) return;
  cell.Text = text;
  Invalidate();
}

void* TStringGrid::Objects(int col, int row) const {
  return At(col, row).Object;
}

void TStringGrid::SetObjects(int col, int row, void* object) {
  At(col, row).Object = object;
}

std::string TStringGrid::GetEditText(int col, int row) {
  std::string text = Cells(col, row);
  OnGetEditText(this, col, row, text);
  return text;
}

void TStringGrid::SetEditText(int col, int row, const std::string& value) {
  SetCells(col, row, value);
  TDrawGrid::SetEditText(col, row, value);
}

void TStringGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  if (DefaultDrawing()) Canvas()->TextRect(rect, rect.Left + 2, rect.Top + 2, Cells(col, row));
  TDrawGrid::DrawCell(col, row, rect, state);
}

void TStringGrid::SizeChanged(int old_col_count, int old_row_count) {
  std::vector<TCell> resized(static_cast<size_t>(ColCount()) * static_cast<size_t>(RowCount()));
  const int cols = std::min(old_col_count, ColCount());
  const int rows = std::min(old_row_count, RowCount());
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c)
      resized[static_cast<size_t>(r) * ColCount() + c] =
          std::move(cells_[static_cast<size_t>(r) * old_col_count + c]);
  cells_ = std::move(resized);
  TDrawGrid::SizeChanged(old_col_count, old_row_count);
}

void TStringGrid::ColumnMoved(int from, int to) {
  const size_t cols = static_cast<size_t>(ColCount());
  for (size_t r = 0; r < static_cast<size_t>(RowCount()); ++r) {
    auto first = cells_.begin() + static_cast<std::ptrdiff_t>(r * cols);
    if (from < to)
      std::rotate(first + from, first + from + 1, first + to + 1);
    else
      std::rotate(first + to, first + from, first + from + 1);
  }
  TDrawGrid::ColumnMoved(from, to);
}

void TStringGrid::RowMoved(int from, int to) {
  const std::ptrdiff_t cols = ColCount();
  auto row = [&](int index) { return cells_.begin() + index * cols; };
  if (from < to)
    std::rotate(row(from), row(from + 1), row(to + 1));
  else
    std::rotate(row(to), row(from), row(from + 1));
  TDrawGrid::RowMoved(from, to);
}

}  // namespace qv
