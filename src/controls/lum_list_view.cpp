#include "controls/lum_list_view.h"

#include <algorithm>
#include <exception>

#include "platform/core/exception.h"
#include "platform/text/string_utils.h"

namespace ravlet {

namespace {

// Room a column gives its texts besides their own width.
constexpr int kColumnMargin = 12;

}  // namespace

QV_DEFINE_CLASS(TLumListView, qv::TCustomControl, r) {
  r.Property("Color", &TLumListView::Color, &TLumListView::SetColor, "TColor");
  r.Property("ColumnsAutoSize", &TLumListView::ColumnsAutoSize, &TLumListView::SetColumnsAutoSize);
  r.Property("Enabled", &TLumListView::Enabled, &TLumListView::SetEnabled);
  r.Property("Font", &TLumListView::Font, &TLumListView::SetFont);
  r.Property("HideSelection", &TLumListView::HideSelection, &TLumListView::SetHideSelection);
  r.Property("MultiSelect", &TLumListView::MultiSelect, &TLumListView::SetMultiSelect);
  r.Property("ParentFont", &TLumListView::ParentFont, &TLumListView::SetParentFont);
  r.Property("ReadOnly", &TLumListView::ReadOnly, &TLumListView::SetReadOnly);
  r.Property("RowSelect", &TLumListView::RowSelect, &TLumListView::SetRowSelect);
  r.Property("ShowColumnHeaders", &TLumListView::ShowColumnHeaders,
             &TLumListView::SetShowColumnHeaders);
  r.Property("TabOrder", &TLumListView::TabOrder, &TLumListView::SetTabOrder);
  r.Property("TabStop", &TLumListView::TabStop, &TLumListView::SetTabStop);
  r.Property("Visible", &TLumListView::Visible, &TLumListView::SetVisible);
  r.Event("OnEnter", &TLumListView::OnEnter);
  r.Event("OnExit", &TLumListView::OnExit);
  r.Event("OnKeyDown", &TLumListView::OnKeyDown);
  r.Event("OnKeyPress", &TLumListView::OnKeyPress);
  r.Event("OnKeyUp", &TLumListView::OnKeyUp);
  r.Message(qv::WM_LBUTTONDOWN, &TLumListView::WMLButtonDown);
}

TLumListView::TLumListView(qv::TComponent* owner) : qv::TCustomControl(owner) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(qv::clWindow);
  SetCursor(qv::crHandPoint);
}

TLumListView::~TLumListView() = default;

bool TLumListView::AddRow(const std::vector<std::string>& values) {
  if (values.empty()) return false;
  try {
    while (ColumnCount() < static_cast<int>(values.size()))
      AddColumn("Data" + qv::IntToStr(ColumnCount() + 1));
    rows_.Add(values);
    if (columns_auto_size_) AutoSizeColumns();
    Invalidate();
    return true;
  } catch (const std::exception&) {
    Invalidate();
    return false;
  }
}

void TLumListView::ClearRows() {
  rows_.Clear();
  Invalidate();
}

void TLumListView::AutoSizeColumns() {
  const int letter = Font()->TextWidth("W");
  for (int c = 0; c < ColumnCount(); ++c) {
    const int length = std::max(CodePageTextLength(columns_[c].Caption), rows_.MaxTextLength(c));
    columns_[c].Width = letter * length;
  }
  Invalidate();
}

const TLumListView::TColumn& TLumListView::ColumnAt(int index) const {
  if (index < 0 || index >= ColumnCount())
    throw qv::EListError("List index out of bounds (" + std::to_string(index) + ")");
  return columns_[index];
}

const std::string& TLumListView::ColumnCaption(int index) const {
  return ColumnAt(index).Caption;
}

int TLumListView::ColumnWidth(int index) const {
  return ColumnAt(index).Width;
}

void TLumListView::SetColumnWidth(int index, int width) {
  ColumnAt(index);
  columns_[index].Width = std::max(width, 0);
  Invalidate();
}

void TLumListView::AddColumn(const std::string& caption, int width) {
  columns_.push_back({caption, std::max(width, 0)});
  Invalidate();
}

void TLumListView::ClearColumns() {
  columns_.clear();
  Invalidate();
}

int TLumListView::ContentWidth(int column) const {
  int width = Font()->TextWidth(columns_[column].Caption);
  rows_.ForEach([&](int, const std::vector<std::string>& cells, bool) {
    if (column < static_cast<int>(cells.size()))
      width = std::max(width, Font()->TextWidth(cells[column]));
  });
  return width + kColumnMargin;
}

void TLumListView::SetColumnCaptions(const std::vector<std::string>& captions) {
  columns_.clear();
  for (const std::string& caption : captions) {
    columns_.push_back({caption, 0});
    columns_.back().Width = ContentWidth(ColumnCount() - 1);
  }
  Invalidate();
}

void TLumListView::SetSorted(bool sorted) {
  rows_.SetSorted(sorted);
  Invalidate();
}

void TLumListView::ColumnClick(int column) {
  rows_.ColumnClick(column);
  Invalidate();
}

void TLumListView::SelectRow(int index, bool selected) {
  if (rows_.Selected(index) == selected) return;
  if (selected && !multi_select_) rows_.SelectAll(false);
  rows_.SetSelected(index, selected);
  Invalidate();
  OnSelectRow(this, index, selected);
}

int TLumListView::DeleteSelectedRows() {
  const int removed = rows_.DeleteSelected();
  if (removed > 0) Invalidate();
  return removed;
}

void TLumListView::SetShowColumnHeaders(bool show) {
  if (show == show_column_headers_) return;
  show_column_headers_ = show;
  Invalidate();
}

void TLumListView::SetHideSelection(bool hide) {
  if (hide == hide_selection_) return;
  hide_selection_ = hide;
  Invalidate();
}

void TLumListView::WMLButtonDown(qv::TMessage& message) {
  if (!Focused() && CanFocus()) SetFocus();
  if (Focused()) Inherited(message);
}

}  // namespace ravlet
