#include "platform/vcl/tab_set.h"

#include <algorithm>

namespace qv {

QV_DEFINE_CLASS(TTabSet, TCustomControl, r) {
  r.Property("Align", &TTabSet::Align, &TTabSet::SetAlign);
  r.Property("AutoScroll", &TTabSet::AutoScroll, &TTabSet::SetAutoScroll);
  r.Property("Color", &TTabSet::Color, &TTabSet::SetColor, "TColor");
  r.Property("Enabled", &TTabSet::Enabled, &TTabSet::SetEnabled);
  r.Property("EndMargin", &TTabSet::EndMargin, &TTabSet::SetEndMargin);
  r.Property("Font", &TTabSet::Font, &TTabSet::SetFont);
  r.Property("ParentFont", &TTabSet::ParentFont, &TTabSet::SetParentFont);
  r.Property("ParentShowHint", &TTabSet::ParentShowHint, &TTabSet::SetParentShowHint);
  r.Property("SelectedColor", &TTabSet::SelectedColor, &TTabSet::SetSelectedColor, "TColor");
  r.Property("ShowHint", &TTabSet::ShowHint, &TTabSet::SetShowHint);
  r.Property("StartMargin", &TTabSet::StartMargin, &TTabSet::SetStartMargin);
  r.Property("TabHeight", &TTabSet::TabHeight, &TTabSet::SetTabHeight);
  r.Property("UnselectedColor", &TTabSet::UnselectedColor, &TTabSet::SetUnselectedColor, "TColor");
  r.Property("Visible", &TTabSet::Visible, &TTabSet::SetVisible);
  // The tabs come before the index that selects among them.
  r.Property("Tabs", &TTabSet::Tabs, &TTabSet::SetTabs);
  r.Property("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
  r.Event("OnChange", &TTabSet::OnChange);
  r.Event("OnClick", &TTabSet::OnClick);
  r.Event("OnMouseDown", &TTabSet::OnMouseDown);
  r.Event("OnMouseMove", &TTabSet::OnMouseMove);
  r.Event("OnMouseUp", &TTabSet::OnMouseUp);
}

TTabSet::TTabSet(TComponent* owner)
    : TCustomControl(owner),
      tabs_(std::make_unique<TControlStrings>(static_cast<TListener*>(this))) {
  // OnClick follows the selected tab, not every press of the mouse.
  SetControlStyle({csCaptureMouse, csOpaque, csDoubleClicks});
  SetBounds(0, 0, 185, 21);
  SetColor(clBtnFace);
}

TTabSet::~TTabSet() = default;

bool TTabSet::CanChange(int new_tab) {
  bool allow = true;
  OnChange(this, new_tab, allow);
  return allow;
}

void TTabSet::SetTabIndex(int index) {
  if (index == tab_index_) return;
  if (index < -1 || index >= tabs_->Count()) throw EInvalidOperation("Tab index out of bounds");
  if (!CanChange(index)) return;
  tab_index_ = index;
  if (auto_scroll_) MakeVisible(index);
  Invalidate();
  Click();
}

void TTabSet::SelectNext(bool go_forward) {
  const int count = tabs_->Count();
  if (count == 0) return;
  const int current = std::max(tab_index_, 0);
  SetTabIndex(go_forward ? (current + 1) % count : (current + count - 1) % count);
}

void TTabSet::SetFirstIndex(int index) {
  index = std::clamp(index, 0, std::max(tabs_->Count() - 1, 0));
  if (index == first_index_) return;
  first_index_ = index;
  Invalidate();
}

void TTabSet::SetStartMargin(int margin) {
  start_margin_ = std::max(margin, 0);
  Invalidate();
}

void TTabSet::SetEndMargin(int margin) {
  end_margin_ = std::max(margin, 0);
  Invalidate();
}

void TTabSet::SetTabHeight(int height) {
  tab_height_ = std::max(height, 0);
  Invalidate();
}

void TTabSet::SetSelectedColor(TColor color) {
  selected_color_ = color;
  Invalidate();
}

void TTabSet::SetUnselectedColor(TColor color) {
  unselected_color_ = color;
  Invalidate();
}

int TTabSet::TabWidth(int index) const {
  return Font()->TextWidth(tabs_->Strings(index)) + 2 * kEdgeWidth;
}

TRect TTabSet::ItemRect(int index) const {
  if (index < first_index_ || index >= tabs_->Count()) return {};
  int x = start_margin_;
  for (int i = first_index_; i < index; ++i) x += TabWidth(i);
  if (x >= ClientWidth() - end_margin_) return {};
  return Bounds(x, 0, TabWidth(index), tab_height_);
}

int TTabSet::ItemAtPos(TPoint pos) const {
  for (int i = first_index_; i < tabs_->Count(); ++i) {
    const TRect r = ItemRect(i);
    if (r.IsEmpty()) break;
    if (r.Contains(pos)) return i;
  }
  return -1;
}

int TTabSet::VisibleTabs() const {
  int x = start_margin_;
  int count = 0;
  for (int i = first_index_; i < tabs_->Count(); ++i) {
    x += TabWidth(i);
    if (x > ClientWidth() - end_margin_) break;
    ++count;
  }
  return tabs_->Count() > 0 ? std::max(count, 1) : 0;
}

void TTabSet::MakeVisible(int index) {
  if (index < 0) return;
  if (index < first_index_) {
    SetFirstIndex(index);
    return;
  }
  while (first_index_ < index && index >= first_index_ + VisibleTabs())
    SetFirstIndex(first_index_ + 1);
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    const int index = ItemAtPos({x, y});
    if (index >= 0) SetTabIndex(index);
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TTabSet::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
  for (int i = first_index_; i < tabs_->Count(); ++i) {
    const TRect r = ItemRect(i);
    if (r.IsEmpty()) break;
    Canvas()->Brush()->SetColor(i == tab_index_ ? selected_color_ : unselected_color_);
    Canvas()->TextRect(r, r.Left + kEdgeWidth, r.Top + (r.Height() - Canvas()->TextHeight("0")) / 2,
                       tabs_->Strings(i));
  }
}

void TTabSet::ItemInserted(int index) {
  if (tab_index_ >= 0 && index <= tab_index_) ++tab_index_;
}

void TTabSet::ItemDeleted(int index) {
  if (tab_index_ < 0) return;
  if (index == tab_index_)
    tab_index_ = -1;
  else if (index < tab_index_)
    --tab_index_;
}

void TTabSet::ItemsCleared() {
  tab_index_ = -1;
  first_index_ = 0;
}

void TTabSet::ItemsReordered(const std::vector<int>& new_index) {
  if (tab_index_ >= 0 && tab_index_ < static_cast<int>(new_index.size()))
    tab_index_ = new_index[static_cast<size_t>(tab_index_)];
}

void TTabSet::ItemsChanged() {
  first_index_ = std::min(first_index_, std::max(tabs_->Count() - 1, 0));
  Invalidate();
}

}  // namespace qv
