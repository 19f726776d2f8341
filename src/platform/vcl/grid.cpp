#include "platform/vcl/grid.h"

#include <algorithm>

#include "platform/vcl/text_chars.h"

namespace qv {

namespace {

[[noreturn]] void IndexOutOfRange() {
  throw EInvalidGridOperation("Grid index out of range");
}

// Rotates the element at `from` to `to`, shifting those between.
template <typename T>
void MoveElement(std::vector<T>& items, int from, int to) {
  auto first = items.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
}

}  // namespace

// ------------------------------------------------------------ TInplaceEdit

QV_DEFINE_CLASS(TInplaceEdit, TCustomEdit, r) {}

TInplaceEdit::TInplaceEdit(TComponent* owner) : TCustomEdit(owner) {
  SetAutoSize(false);
  SetTabStop(false);
  SetCtl3D(false);
  InitVisible(false);
}

TCustomGrid* TInplaceEdit::Grid() const {
  return dynamic_cast<TCustomGrid*>(Owner());
}

bool TInplaceEdit::WantsKey(Word key, TShiftState shift) const {
  switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
      return true;
    case VK_TAB:
      return Grid() != nullptr && Grid()->Options().Contains(goTabs);
    default:
      return TCustomEdit::WantsKey(key, shift);
  }
}

void TInplaceEdit::KeyDown(Word& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  TCustomGrid* grid = Grid();
  if (key == 0 || grid == nullptr) return;
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_TAB:
      grid->KeyDown(key, shift);
      if (key != 0 && grid->GridKey(key, shift)) key = 0;
      break;
    default:
      break;
  }
}

void TInplaceEdit::DoExit() {
  TCustomEdit::DoExit();
  if (TCustomGrid* grid = Grid()) grid->EditorExit();
}

// ------------------------------------------------------------- TCustomGrid

QV_DEFINE_CLASS(TCustomGrid, TCustomControl, r) {
  r.Message(WM_LBUTTONDOWN, &TCustomGrid::WMLButtonDown);
}

QV_DEFINE_CLASS(TDrawGrid, TCustomGrid, r) {
  r.Property("Align", &TDrawGrid::Align, &TDrawGrid::SetAlign);
  r.Property("Color", &TDrawGrid::Color, &TDrawGrid::SetColor, "TColor");
  r.Property("ColCount", &TDrawGrid::ColCount, &TDrawGrid::SetColCount);
  r.Property("Ctl3D", &TDrawGrid::Ctl3D, &TDrawGrid::SetCtl3D);
  r.Property("DefaultColWidth", &TDrawGrid::DefaultColWidth, &TDrawGrid::SetDefaultColWidth);
  r.Property("DefaultDrawing", &TDrawGrid::DefaultDrawing, &TDrawGrid::SetDefaultDrawing);
  r.Property("DefaultRowHeight", &TDrawGrid::DefaultRowHeight, &TDrawGrid::SetDefaultRowHeight);
  r.Property("Enabled", &TDrawGrid::Enabled, &TDrawGrid::SetEnabled);
  r.Property("FixedColor", &TDrawGrid::FixedColor, &TDrawGrid::SetFixedColor, "TColor");
  r.Property("FixedCols", &TDrawGrid::FixedCols, &TDrawGrid::SetFixedCols);
  r.Property("FixedRows", &TDrawGrid::FixedRows, &TDrawGrid::SetFixedRows);
  r.Property("Font", &TDrawGrid::Font, &TDrawGrid::SetFont);
  r.Property("GridLineWidth", &TDrawGrid::GridLineWidth, &TDrawGrid::SetGridLineWidth);
  r.Property("Options", &TDrawGrid::Options, &TDrawGrid::SetOptions, "TGridOptions");
  r.Property("ParentColor", &TDrawGrid::ParentColor, &TDrawGrid::SetParentColor);
  r.Property("ParentCtl3D", &TDrawGrid::ParentCtl3D, &TDrawGrid::SetParentCtl3D);
  r.Property("ParentFont", &TDrawGrid::ParentFont, &TDrawGrid::SetParentFont);
  r.Property("ParentShowHint", &TDrawGrid::ParentShowHint, &TDrawGrid::SetParentShowHint);
  r.Property("RowCount", &TDrawGrid::RowCount, &TDrawGrid::SetRowCount);
  r.Property("ShowHint", &TDrawGrid::ShowHint, &TDrawGrid::SetShowHint);
  r.Property("TabOrder", &TDrawGrid::TabOrder, &TDrawGrid::SetTabOrder);
  r.Property("TabStop", &TDrawGrid::TabStop, &TDrawGrid::SetTabStop);
  r.Property("Visible", &TDrawGrid::Visible, &TDrawGrid::SetVisible);
  r.Event("OnClick", &TDrawGrid::OnClick);
  r.Event("OnDblClick", &TDrawGrid::OnDblClick);
  r.Event("OnDrawCell", &TDrawGrid::OnDrawCell);
  r.Event("OnEnter", &TDrawGrid::OnEnter);
  r.Event("OnExit", &TDrawGrid::OnExit);
  r.Event("OnGetEditText", &TDrawGrid::OnGetEditText);
  r.Event("OnKeyDown", &TDrawGrid::OnKeyDown);
  r.Event("OnKeyPress", &TDrawGrid::OnKeyPress);
  r.Event("OnKeyUp", &TDrawGrid::OnKeyUp);
  r.Event("OnMouseDown", &TDrawGrid::OnMouseDown);
  r.Event("OnMouseMove", &TDrawGrid::OnMouseMove);
  r.Event("OnMouseUp", &TDrawGrid::OnMouseUp);
  r.Event("OnSelectCell", &TDrawGrid::OnSelectCell);
  r.Event("OnSetEditText", &TDrawGrid::OnSetEditText);
  r.Event("OnTopLeftChanged", &TDrawGrid::OnTopLeftChanged);
}

TCustomGrid::TCustomGrid(TComponent* owner)
    : TCustomControl(owner), col_widths_(5, 64), row_heights_(5, 24) {
  // OnClick follows the current cell, not every press of the mouse.
  SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks});
  SetBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::CheckCell(int col, int row) const {
  if (col < fixed_cols_ || col >= ColCount() || row < fixed_rows_ || row >= RowCount())
    IndexOutOfRange();
}

void TCustomGrid::ChangeSize(int cols, int rows) {
  cols = std::max(cols, 1);
  rows = std::max(rows, 1);
  const int old_cols = ColCount();
  const int old_rows = RowCount();
  if (cols == old_cols && rows == old_rows) return;
  HideEditor(false, true);
  col_widths_.resize(static_cast<size_t>(cols), default_col_width_);
  row_heights_.resize(static_cast<size_t>(rows), default_row_height_);
  fixed_cols_ = std::min(fixed_cols_, cols - 1);
  fixed_rows_ = std::min(fixed_rows_, rows - 1);
  current_.X = std::clamp(current_.X, fixed_cols_, cols - 1);
  current_.Y = std::clamp(current_.Y, fixed_rows_, rows - 1);
  top_left_.X = std::clamp(top_left_.X, fixed_cols_, cols - 1);
  top_left_.Y = std::clamp(top_left_.Y, fixed_rows_, rows - 1);
  SizeChanged(old_cols, old_rows);
  Invalidate();
}

void TCustomGrid::SetColCount(int count) {
  ChangeSize(count, RowCount());
}

void TCustomGrid::SetRowCount(int count) {
  ChangeSize(ColCount(), count);
}

void TCustomGrid::SetFixedCols(int count) {
  if (count < 0 || count >= ColCount())
    throw EInvalidGridOperation("Fixed column count must be less than column count");
  fixed_cols_ = count;
  current_.X = std::max(current_.X, count);
  top_left_.X = std::max(top_left_.X, count);
  if (edit_col_ < count) HideEditor(false, true);
  Invalidate();
}

void TCustomGrid::SetFixedRows(int count) {
  if (count < 0 || count >= RowCount())
    throw EInvalidGridOperation("Fixed row count must be less than row count");
  fixed_rows_ = count;
  current_.Y = std::max(current_.Y, count);
  top_left_.Y = std::max(top_left_.Y, count);
  if (edit_row_ < count) HideEditor(false, true);
  Invalidate();
}

void TCustomGrid::SetDefaultColWidth(int width) {
  default_col_width_ = std::max(width, 0);
  std::fill(col_widths_.begin(), col_widths_.end(), default_col_width_);
  Invalidate();
}

void TCustomGrid::SetDefaultRowHeight(int height) {
  default_row_height_ = std::max(height, 0);
  std::fill(row_heights_.begin(), row_heights_.end(), default_row_height_);
  Invalidate();
}

int TCustomGrid::ColWidths(int col) const {
  if (col < 0 || col >= ColCount()) IndexOutOfRange();
  return col_widths_[static_cast<size_t>(col)];
}

void TCustomGrid::SetColWidths(int col, int width) {
  if (col < 0 || col >= ColCount()) IndexOutOfRange();
  col_widths_[static_cast<size_t>(col)] = std::max(width, 0);
  Invalidate();
}

int TCustomGrid::RowHeights(int row) const {
  if (row < 0 || row >= RowCount()) IndexOutOfRange();
  return row_heights_[static_cast<size_t>(row)];
}

void TCustomGrid::SetRowHeights(int row, int height) {
  if (row < 0 || row >= RowCount()) IndexOutOfRange();
  row_heights_[static_cast<size_t>(row)] = std::max(height, 0);
  Invalidate();
}

void TCustomGrid::SetGridLineWidth(int width) {
  grid_line_width_ = std::max(width, 0);
  Invalidate();
}

void TCustomGrid::SetFixedColor(TColor color) {
  if (color == fixed_color_) return;
  fixed_color_ = color;
  Invalidate();
}

void TCustomGrid::SetOptions(TGridOptions options) {
  if (options == options_) return;
  options_ = options;
  if (!CanEditShow()) HideEditor(false, true);
  Invalidate();
}

void TCustomGrid::SetCol(int col) {
  CheckCell(col, current_.Y);
  FocusCell(col, current_.Y);
}

void TCustomGrid::SetRow(int row) {
  CheckCell(current_.X, row);
  FocusCell(current_.X, row);
}

bool TCustomGrid::FocusCell(int col, int row) {
  CheckCell(col, row);
  if (TGridCoord{col, row} == current_) return true;
  if (!SelectCell(col, row)) return false;
  MoveCurrent(col, row);
  return true;
}

void TCustomGrid::MoveCurrent(int col, int row) {
  const bool had_focus = Focused() || (editor_ != nullptr && editor_->Focused());
  HideEditor(false, true);
  current_ = {col, row};
  MakeVisible(col, row);
  Invalidate();
  Click();
  if (options_.Contains(goAlwaysShowEditor) && had_focus) ShowEditor(nullptr);
}

bool TCustomGrid::SelectCell(int col, int row) {
  bool can_select = true;
  OnSelectCell(this, col, row, can_select);
  return can_select;
}

TGridRect TCustomGrid::Selection() const {
  if (options_.Contains(goRowSelect)) return {fixed_cols_, current_.Y, ColCount() - 1, current_.Y};
  return {current_.X, current_.Y, current_.X, current_.Y};
}

void TCustomGrid::TopLeftChanged() {
  OnTopLeftChanged(this);
}

void TCustomGrid::SetTopRow(int row) {
  row = std::clamp(row, fixed_rows_, RowCount() - 1);
  if (row == top_left_.Y) return;
  top_left_.Y = row;
  Invalidate();
  TopLeftChanged();
}

void TCustomGrid::SetLeftCol(int col) {
  col = std::clamp(col, fixed_cols_, ColCount() - 1);
  if (col == top_left_.X) return;
  top_left_.X = col;
  Invalidate();
  TopLeftChanged();
}

int TCustomGrid::VisibleColCount() const {
  int x = 0;
  for (int c = 0; c < fixed_cols_; ++c) x += col_widths_[static_cast<size_t>(c)] + grid_line_width_;
  int count = 0;
  for (int c = top_left_.X; c < ColCount(); ++c) {
    x += col_widths_[static_cast<size_t>(c)] + grid_line_width_;
    if (x > ClientWidth()) break;
    ++count;
  }
  return std::max(count, 1);
}

int TCustomGrid::VisibleRowCount() const {
  int y = 0;
  for (int r = 0; r < fixed_rows_; ++r)
    y += row_heights_[static_cast<size_t>(r)] + grid_line_width_;
  int count = 0;
  for (int r = top_left_.Y; r < RowCount(); ++r) {
    y += row_heights_[static_cast<size_t>(r)] + grid_line_width_;
    if (y > ClientHeight()) break;
    ++count;
  }
  return std::max(count, 1);
}

TRect TCustomGrid::CellRect(int col, int row) const {
  auto edge = [this](const std::vector<int>& sizes, int fixed, int first, int index, int& start) {
    if (index < 0 || index >= static_cast<int>(sizes.size())) return false;
    if (index >= fixed && index < first) return false;
    start = 0;
    for (int i = 0; i < std::min(index, fixed); ++i)
      start += sizes[static_cast<size_t>(i)] + grid_line_width_;
    for (int i = first; i < index; ++i) start += sizes[static_cast<size_t>(i)] + grid_line_width_;
    return true;
  };
  int left = 0;
  int top = 0;
  if (!edge(col_widths_, fixed_cols_, top_left_.X, col, left) ||
      !edge(row_heights_, fixed_rows_, top_left_.Y, row, top) || left >= ClientWidth() ||
      top >= ClientHeight())
    return {};
  return Bounds(left, top, col_widths_[static_cast<size_t>(col)],
                row_heights_[static_cast<size_t>(row)]);
}

TGridCoord TCustomGrid::MouseCoord(int x, int y) const {
  auto find = [this](const std::vector<int>& sizes, int fixed, int first, int pos) {
    if (pos < 0) return -1;
    int start = 0;
    const int count = static_cast<int>(sizes.size());
    for (int i = 0; i < count; ++i) {
      if (i == fixed) i = first;
      if (i >= count) break;
      start += sizes[static_cast<size_t>(i)] + grid_line_width_;
      if (pos < start) return i;
    }
    return -1;
  };
  if (x >= ClientWidth() || y >= ClientHeight()) return {-1, -1};
  const int col = find(col_widths_, fixed_cols_, top_left_.X, x);
  const int row = find(row_heights_, fixed_rows_, top_left_.Y, y);
  if (col < 0 || row < 0) return {-1, -1};
  return {col, row};
}

void TCustomGrid::MakeVisible(int col, int row) {
  if (row < top_left_.Y) {
    SetTopRow(row);
  } else {
    while (top_left_.Y < row && CellRect(col, row).IsEmpty()) SetTopRow(top_left_.Y + 1);
    while (top_left_.Y < row && CellRect(col, row).Bottom > ClientHeight())
      SetTopRow(top_left_.Y + 1);
  }
  if (col < top_left_.X) {
    SetLeftCol(col);
  } else {
    while (top_left_.X < col && CellRect(col, row).IsEmpty()) SetLeftCol(top_left_.X + 1);
    while (top_left_.X < col && CellRect(col, row).Right > ClientWidth())
      SetLeftCol(top_left_.X + 1);
  }
}

bool TCustomGrid::CanEditShow() const {
  return options_.Contains(goEditing) && !options_.Contains(goRowSelect) && Enabled();
}

bool TCustomGrid::EditorMode() const {
  return editing_;
}

void TCustomGrid::SetEditorMode(bool editing) {
  if (editing)
    ShowEditor(nullptr);
  else
    HideEditor(false, true);
}

std::string TCustomGrid::GetEditText(int col, int row) {
  std::string text;
  OnGetEditText(this, col, row, text);
  return text;
}

void TCustomGrid::SetEditText(int col, int row, const std::string& value) {
  OnSetEditText(this, col, row, value);
}

void TCustomGrid::ShowEditor(const std::u32string* typed) {
  if (hiding_editor_ || !CanEditShow()) return;
  if (!editing_) {
    if (editor_ == nullptr) {
      editor_ = Create<TInplaceEdit>(this);
      editor_->SetParent(this);
    }
    edit_col_ = current_.X;
    edit_row_ = current_.Y;
    const std::string text = GetEditText(edit_col_, edit_row_);
    MakeVisible(edit_col_, edit_row_);
    editor_->SetBoundsRect(CellRect(edit_col_, edit_row_));
    editor_->SetText(text);
    editing_ = true;
    editor_->Show();
    if (Focused() && editor_->CanFocus()) editor_->SetFocus();
    editor_->SelectAll();
  }
  if (typed != nullptr) editor_->SetSelText(CharsToUtf8(*typed));
}

void TCustomGrid::HideEditor(bool cancel, bool refocus) {
  if (!editing_ || hiding_editor_) return;
  hiding_editor_ = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{hiding_editor_};
  const std::string text = editor_->Text();
  const int col = edit_col_;
  const int row = edit_row_;
  editing_ = false;
  edit_col_ = edit_row_ = -1;
  if (refocus && editor_->Focused() && CanFocus()) SetFocus();
  editor_->Hide();
  Invalidate();
  if (!cancel && col < ColCount() && row < RowCount()) SetEditText(col, row, text);
}

void TCustomGrid::EditorExit() {
  HideEditor(false, false);
}

bool TCustomGrid::GridKey(Word key, TShiftState shift) {
  const int first_col = fixed_cols_;
  const int first_row = fixed_rows_;
  const int last_col = ColCount() - 1;
  const int last_row = RowCount() - 1;
  int col = current_.X;
  int row = current_.Y;
  const bool row_select = options_.Contains(goRowSelect);
  switch (key) {
    case VK_UP:
      row = std::max(row - 1, first_row);
      break;
    case VK_DOWN:
      row = std::min(row + 1, last_row);
      break;
    case VK_LEFT:
      if (!row_select) col = std::max(col - 1, first_col);
      break;
    case VK_RIGHT:
      if (!row_select) col = std::min(col + 1, last_col);
      break;
    case VK_HOME:
      if (shift.Contains(ssCtrl) || row_select)
        row = first_row;
      else
        col = first_col;
      break;
    case VK_END:
      if (shift.Contains(ssCtrl) || row_select)
        row = last_row;
      else
        col = last_col;
      break;
    case VK_PRIOR:
      row = std::max(row - VisibleRowCount(), first_row);
      break;
    case VK_NEXT:
      row = std::min(row + VisibleRowCount(), last_row);
      break;
    case VK_TAB:
      if (!options_.Contains(goTabs)) return false;
      if (shift.Contains(ssShift)) {
        if (--col < first_col) {
          col = last_col;
          if (--row < first_row) row = last_row;
        }
      } else if (++col > last_col) {
        col = first_col;
        if (++row > last_row) row = first_row;
      }
      break;
    case VK_F2:
      ShowEditor(nullptr);
      return true;
    case VK_RETURN:
      if (!editing_) return false;
      HideEditor(false, true);
      if (options_.Contains(goAlwaysShowEditor)) ShowEditor(nullptr);
      return true;
    case VK_ESCAPE:
      if (!editing_) return false;
      HideEditor(true, true);
      return true;
    default:
      return false;
  }
  FocusCell(col, row);
  return true;
}

bool TCustomGrid::WantsKey(Word key, TShiftState) const {
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_LEFT:
    case VK_RIGHT:
      return true;
    case VK_RETURN:
      return options_.Contains(goEditing);
    case VK_TAB:
      return options_.Contains(goTabs);
    default:
      return false;
  }
}

void TCustomGrid::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYDOWN) {
    GridKey(static_cast<Word>(message.WParam), KeyDataToShiftState(message.LParam));
    return;
  }
  if (message.Msg == WM_CHAR) {
    const auto ch = static_cast<char32_t>(message.WParam);
    if (ch == U'\r' && options_.Contains(goEditing)) {
      if (editing_)
        HideEditor(false, true);
      else
        ShowEditor(nullptr);
      return;
    }
    if (ch >= 32 && ch != 127 && CanEditShow()) {
      const std::u32string typed(1, ch);
      ShowEditor(&typed);
      return;
    }
  }
  TCustomControl::DefaultHandler(message);
}

void TCustomGrid::WMLButtonDown(TMessage& message) {
  Inherited(message);
  const TGridCoord cell = MouseCoord(LParamX(message.LParam), LParamY(message.LParam));
  if (cell.X < fixed_cols_ || cell.Y < fixed_rows_) return;
  if (cell == current_) {
    if (CanEditShow() && Focused()) ShowEditor(nullptr);
    return;
  }
  FocusCell(cell.X, cell.Y);
}

void TCustomGrid::DeleteColumn(int col) {
  MoveColumn(col, ColCount() - 1);
  SetColCount(ColCount() - 1);
}

void TCustomGrid::DeleteRow(int row) {
  MoveRow(row, RowCount() - 1);
  SetRowCount(RowCount() - 1);
}

void TCustomGrid::MoveColumn(int from, int to) {
  if (from < 0 || from >= ColCount() || to < 0 || to >= ColCount()) IndexOutOfRange();
  if (from == to) return;
  HideEditor(false, true);
  MoveElement(col_widths_, from, to);
  ColumnMoved(from, to);
  Invalidate();
}

void TCustomGrid::MoveRow(int from, int to) {
  if (from < 0 || from >= RowCount() || to < 0 || to >= RowCount()) IndexOutOfRange();
  if (from == to) return;
  HideEditor(false, true);
  MoveElement(row_heights_, from, to);
  RowMoved(from, to);
  Invalidate();
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::ColumnMoved(int, int) {}

void TCustomGrid::RowMoved(int, int) {}

void TCustomGrid::DrawCell(int col, int row, const TRect& rect, TGridDrawState state) {
  OnDrawCell(this, col, row, rect, state);
}

void TCustomGrid::Paint() {
  const TGridRect selection = Selection();
  auto paint_row = [&](int row) {
    auto paint_cell = [&](int col) {
      const TRect rect = CellRect(col, row);
      if (rect.IsEmpty()) return;
      TGridDrawState state;
      const bool fixed = col < fixed_cols_ || row < fixed_rows_;
      if (fixed) state.Include(gdFixed);
      if (!fixed && col >= selection.Left && col <= selection.Right && row >= selection.Top &&
          row <= selection.Bottom)
        state.Include(gdSelected);
      if (!fixed && TGridCoord{col, row} == current_ && Focused()) state.Include(gdFocused);
      if (default_drawing_) {
        TColor fill = Color();
        if (fixed)
          fill = fixed_color_;
        else if (state.Contains(gdSelected) &&
                 (!state.Contains(gdFocused) || options_.Contains(goDrawFocusSelected)))
          fill = clHighlight;
        Canvas()->Brush()->SetColor(fill);
        Canvas()->FillRect(rect);
      }
      DrawCell(col, row, rect, state);
    };
    for (int col = 0; col < fixed_cols_; ++col) paint_cell(col);
    for (int col = top_left_.X; col < ColCount(); ++col) paint_cell(col);
  };
  for (int row = 0; row < fixed_rows_; ++row) paint_row(row);
  for (int row = top_left_.Y; row < RowCount(); ++row) paint_row(row);
}

}  // namespace qv
