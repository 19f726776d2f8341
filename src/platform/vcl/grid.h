#pragma once
// Grids: cells in columns and rows, the first FixedCols columns and FixedRows
// rows fixed (headers that do not scroll and cannot be current). Col and Row
// name the current cell; moving it (by code, keys or a click) asks
// OnSelectCell first, which may refuse, and raises OnClick when it moved.
//
// With goEditing a cell is edited in an in-place editor: F2 or Enter opens
// it with the cell's text, a typed character opens it with that character,
// a click on the current cell opens it. Enter (or moving to another cell, or
// leaving the grid) stores the edited text through SetEditText; Esc puts the
// old text back. goAlwaysShowEditor keeps the editor open from cell to cell.
// Keys: arrows, Home and End (with Ctrl the first and last row), Page Up and
// Page Down, and with goTabs Tab and Shift+Tab from cell to cell.

#include <string>
#include <vector>

#include "platform/vcl/custom_control.h"
#include "platform/vcl/edit.h"

namespace qv {

QV_ENUM(TGridOption, goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect,
        goDrawFocusSelected, goRowSizing, goColSizing, goRowMoving, goColMoving, goEditing, goTabs,
        goRowSelect, goAlwaysShowEditor, goThumbTracking);
using TGridOptions = TSet<TGridOption>;
QV_ENUM(TGridDrawStateItem, gdSelected, gdFocused, gdFixed);
using TGridDrawState = TSet<TGridDrawStateItem>;

// Cell indexes out of range, fixed counts that leave no scrolling cell.
QV_DECLARE_EXCEPTION(EInvalidGridOperation, Exception);

struct TGridCoord {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TGridCoord&, const TGridCoord&) = default;
};
struct TGridRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  friend bool operator==(const TGridRect&, const TGridRect&) = default;
};

// CanSelect: set to false to keep the current cell.
QV_EVENT_TYPE(TSelectCellEvent, TObject*, int, int, bool&);
QV_EVENT_TYPE(TDrawCellEvent, TObject*, int, int, TRect, TGridDrawState);
// Value: the text the editor starts with; the handler may change it.
QV_EVENT_TYPE(TGetEditEvent, TObject*, int, int, std::string&);
QV_EVENT_TYPE(TSetEditEvent, TObject*, int, int, const std::string&);

class TCustomGrid;

// The editor a grid opens on its current cell (owned by the grid).
class TInplaceEdit : public TCustomEdit {
  QV_DECLARE_CLASS(TInplaceEdit)

  explicit TInplaceEdit(TComponent* owner);
  TCustomGrid* Grid() const;

 protected:
  bool WantsKey(Word key, TShiftState shift) const override;
  void KeyDown(Word& key, TShiftState shift) override;
  void DoExit() override;
};

class TCustomGrid : public TCustomControl {
  QV_DECLARE_CLASS(TCustomGrid)

  explicit TCustomGrid(TComponent* owner);
  ~TCustomGrid() override;

  int ColCount() const { return static_cast<int>(col_widths_.size()); }
  // Counts below 1 become 1; the fixed counts shrink to leave one scrolling
  // column or row, and the current cell stays inside.
  void SetColCount(int count);
  int RowCount() const { return static_cast<int>(row_heights_.size()); }
  void SetRowCount(int count);
  int FixedCols() const { return fixed_cols_; }
  // Raises EInvalidGridOperation unless 0 <= count < ColCount.
  void SetFixedCols(int count);
  int FixedRows() const { return fixed_rows_; }
  void SetFixedRows(int count);

  int DefaultColWidth() const { return default_col_width_; }
  // Sets every column to the new width.
  void SetDefaultColWidth(int width);
  int DefaultRowHeight() const { return default_row_height_; }
  void SetDefaultRowHeight(int height);
  // Raise EInvalidGridOperation "Grid index out of range".
  int ColWidths(int col) const;
  void SetColWidths(int col, int width);
  int RowHeights(int row) const;
  void SetRowHeights(int row, int height);
  int GridLineWidth() const { return grid_line_width_; }
  void SetGridLineWidth(int width);
  TColor FixedColor() const { return fixed_color_; }
  void SetFixedColor(TColor color);
  bool DefaultDrawing() const { return default_drawing_; }
  void SetDefaultDrawing(bool value) { default_drawing_ = value; }
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions options);

  int Col() const { return current_.X; }
  int Row() const { return current_.Y; }
  // A fixed or missing cell raises EInvalidGridOperation "Grid index out of
  // range"; the move itself may be refused by OnSelectCell.
  void SetCol(int col);
  void SetRow(int row);
  // Moves to a cell in one step; false when OnSelectCell refused.
  bool FocusCell(int col, int row);
  // The current cell, or its whole row with goRowSelect.
  TGridRect Selection() const;

  int TopRow() const { return top_left_.Y; }
  void SetTopRow(int row);
  int LeftCol() const { return top_left_.X; }
  void SetLeftCol(int col);
  // Scrolling columns and rows shown whole (at least 1).
  int VisibleColCount() const;
  int VisibleRowCount() const;
  // Where a cell is shown; empty when it is scrolled out of view.
  TRect CellRect(int col, int row) const;
  // The cell under a client point; (-1, -1) when none.
  TGridCoord MouseCoord(int x, int y) const;

  bool EditorMode() const;
  // Opens the editor (when goEditing allows) or closes it, storing its text.
  void SetEditorMode(bool editing);
  // Null until the editor is first opened.
  TInplaceEdit* InplaceEditor() const { return editor_; }

  // Raise EInvalidGridOperation for an index out of range.
  void DeleteColumn(int col);
  void DeleteRow(int row);
  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);

  TSelectCellEvent OnSelectCell;
  TDrawCellEvent OnDrawCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;
  TNotifyEvent OnTopLeftChanged;

 protected:
  virtual bool SelectCell(int col, int row);
  virtual bool CanEditShow() const;
  // The text the editor starts with, and where its result goes.
  virtual std::string GetEditText(int col, int row);
  virtual void SetEditText(int col, int row, const std::string& value);
  virtual void DrawCell(int col, int row, const TRect& rect, TGridDrawState state);
  // The dimensions changed (cells kept where both counts still hold them).
  virtual void SizeChanged(int old_col_count, int old_row_count);
  virtual void ColumnMoved(int from, int to);
  virtual void RowMoved(int from, int to);
  virtual void TopLeftChanged();

  void Paint() override;
  bool FocusOnClick() const override { return true; }
  bool WantsKey(Word key, TShiftState shift) const override;
  void DefaultHandler(TMessage& message) override;
  void WMLButtonDown(TMessage& message);

 private:
  friend class TInplaceEdit;
  void CheckCell(int col, int row) const;
  void ChangeSize(int cols, int rows);
  void MoveCurrent(int col, int row);
  void MakeVisible(int col, int row);
  void ShowEditor(const std::u32string* typed);
  // Stores (or, with cancel, drops) the edited text and closes the editor.
  void HideEditor(bool cancel, bool refocus);
  // The keys of the grid, from the grid or its editor; true when handled.
  bool GridKey(Word key, TShiftState shift);
  void EditorExit();

  std::vector<int> col_widths_;
  std::vector<int> row_heights_;
  int fixed_cols_ = 1;
  int fixed_rows_ = 1;
  int default_col_width_ = 64;
  int default_row_height_ = 24;
  int grid_line_width_ = 1;
  TColor fixed_color_ = clBtnFace;
  bool default_drawing_ = true;
  TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TGridCoord current_{1, 1};
  TGridCoord top_left_{1, 1};
  TInplaceEdit* editor_ = nullptr;
  bool editing_ = false;
  int edit_col_ = -1;
  int edit_row_ = -1;
  bool hiding_editor_ = false;
};

class TDrawGrid : public TCustomGrid {
  QV_DECLARE_CLASS(TDrawGrid)
  using TCustomGrid::TCustomGrid;
};

}  // namespace qv
