#pragma once
// String grids: a grid that keeps a text (and an object pointer) per cell.
// The in-place editor starts with the cell's text and stores its result in
// the cell before OnSetEditText is raised.

#include <string>
#include <vector>

#include "platform/vcl/grid.h"

namespace qv {

class TStringGrid : public TDrawGrid {
  QV_DECLARE_CLASS(TStringGrid)

  explicit TStringGrid(TComponent* owner);

  // A cell outside the grid raises EInvalidGridOperation "Grid index out of
  // range"; fixed cells hold texts too.
  const std::string& Cells(int col, int row) const;
  void SetCells(int col, int row, const std::string& text);
  void* Objects(int col, int row) const;
  void SetObjects(int col, int row, void* object);

 protected:
  std::string GetEditText(int col, int row) override;
  void SetEditText(int col, int row, const std::string& value) override;
  void DrawCell(int col, int row, const TRect& rect, TGridDrawState state) override;
  void SizeChanged(int old_col_count, int old_row_count) override;
  void ColumnMoved(int from, int to) override;
  void RowMoved(int from, int to) override;

 private:
  struct TCell {
    std::string Text;
    void* Object = nullptr;
  };
  TCell& At(int col, int row);
  const TCell& At(int col, int row) const;

  // Row by row.
  std::vector<TCell> cells_;
};

}  // namespace qv
