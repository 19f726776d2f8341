#include "platform/vcl/tab_control.h"

#include <algorithm>

#include "platform/vcl/form.h"
#include "platform/vcl/label.h"

namespace qv {

QV_DEFINE_CLASS(TCustomTabControl, TWinControl, r) {
  r.Message(CM_DIALOGKEY, &TCustomTabControl::CMDialogKey);
  r.Message(CM_FONTCHANGED, &TCustomTabControl::CMFontChanged);
}

QV_DEFINE_CLASS(TTabControl, TCustomTabControl, r) {
  r.Property("Align", &TTabControl::Align, &TTabControl::SetAlign);
  r.Property("Color", &TTabControl::Color, &TTabControl::SetColor, "TColor");
  r.Property("Enabled", &TTabControl::Enabled, &TTabControl::SetEnabled);
  r.Property("Font", &TTabControl::Font, &TTabControl::SetFont);
  r.Property("HotTrack", &TTabControl::HotTrack, &TTabControl::SetHotTrack);
  r.Property("MultiLine", &TTabControl::MultiLine, &TTabControl::SetMultiLine);
  r.Property("ParentFont", &TTabControl::ParentFont, &TTabControl::SetParentFont);
  r.Property("ParentShowHint", &TTabControl::ParentShowHint, &TTabControl::SetParentShowHint);
  r.Property("ShowHint", &TTabControl::ShowHint, &TTabControl::SetShowHint);
  r.Property("Style", &TTabControl::Style, &TTabControl::SetStyle);
  r.Property("TabHeight", &TTabControl::TabHeight, &TTabControl::SetTabHeight);
  r.Property("TabOrder", &TTabControl::TabOrder, &TTabControl::SetTabOrder);
  r.Property("TabStop", &TTabControl::TabStop, &TTabControl::SetTabStop);
  r.Property("TabWidth", &TTabControl::TabWidth, &TTabControl::SetTabWidth);
  r.Property("Visible", &TTabControl::Visible, &TTabControl::SetVisible);
  // The tabs come before the index that selects among them.
  r.Property("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
  r.Property("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex);
  r.Event("OnChange", &TTabControl::OnChange);
  r.Event("OnChanging", &TTabControl::OnChanging);
  r.Event("OnEnter", &TTabControl::OnEnter);
  r.Event("OnExit", &TTabControl::OnExit);
  r.Event("OnMouseDown", &TTabControl::OnMouseDown);
  r.Event("OnMouseMove", &TTabControl::OnMouseMove);
  r.Event("OnMouseUp", &TTabControl::OnMouseUp);
  r.Event("OnResize", &TTabControl::OnResize);
}

TCustomTabControl::TCustomTabControl(TComponent* owner)
    : TWinControl(owner), tabs_(std::make_unique<TControlStrings>(static_cast<TListener*>(this))) {
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls} - TControlStyle{csSetCaption});
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetColor(clBtnFace);
}

TCustomTabControl::~TCustomTabControl() = default;

void TCustomTabControl::SetTabIndex(int index) {
  if (index < 0 || index >= tabs_->Count()) index = -1;
  if (index == tab_index_) return;
  tab_index_ = index;
  Invalidate();
}

void TCustomTabControl::TabsChanged() {
  Realign();
  Invalidate();
}

void TCustomTabControl::SetTabHeight(int height) {
  height = std::max(height, 0);
  if (height == tab_height_) return;
  tab_height_ = height;
  TabsChanged();
}

void TCustomTabControl::SetTabWidth(int width) {
  width = std::max(width, 0);
  if (width == tab_width_) return;
  tab_width_ = width;
  TabsChanged();
}

void TCustomTabControl::SetMultiLine(bool multi_line) {
  if (multi_line == multi_line_) return;
  multi_line_ = multi_line;
  TabsChanged();
}

void TCustomTabControl::SetStyle(TTabStyle style) {
  if (style == style_) return;
  style_ = style;
  TabsChanged();
}

std::vector<TRect> TCustomTabControl::TabRects() const {
  const bool buttons = style_ != tsTabs;
  const int origin = buttons ? 0 : 2;
  const int gap = buttons ? 3 : 0;
  const int right = buttons ? Width() : Width() - 2;
  const int height = tab_height_ > 0 ? tab_height_ : Font()->Em() + 6;
  std::vector<TRect> rects;
  int x = origin;
  int y = origin;
  for (int i = 0; i < tabs_->Count(); ++i) {
    const int width =
        tab_width_ > 0 ? tab_width_ : Font()->TextWidth(StripAccelChars(tabs_->Strings(i))) + 12;
    if (multi_line_ && x != origin && x + width > right) {
      x = origin;
      y += height + gap;
    }
    rects.push_back(Bounds(x, y, width, height));
    x += width + gap;
  }
  return rects;
}

TRect TCustomTabControl::TabRect(int index) const {
  const std::vector<TRect> rects = TabRects();
  if (index < 0 || index >= static_cast<int>(rects.size())) return {};
  return rects[static_cast<size_t>(index)];
}

int TCustomTabControl::IndexOfTabAt(int x, int y) const {
  const std::vector<TRect> rects = TabRects();
  for (size_t i = 0; i < rects.size(); ++i)
    if (rects[i].Contains({x, y})) return static_cast<int>(i);
  return -1;
}

int TCustomTabControl::RowCount() const {
  const std::vector<TRect> rects = TabRects();
  int rows = 1;
  for (size_t i = 1; i < rects.size(); ++i)
    if (rects[i].Top != rects[i - 1].Top) ++rows;
  return rows;
}

TRect TCustomTabControl::DisplayRect() const {
  const bool buttons = style_ != tsTabs;
  const int height = tab_height_ > 0 ? tab_height_ : Font()->Em() + 6;
  const int rows = RowCount();
  TRect r;
  if (buttons)
    r = Rect(0, rows * height + (rows - 1) * 3 + 3, Width(), Height());
  else
    r = Rect(4, 2 + rows * height + 4, Width() - 4, Height() - 4);
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

void TCustomTabControl::AdjustClientRect(TRect& rect) const {
  rect = DisplayRect();
}

bool TCustomTabControl::CanChange() {
  bool allow = true;
  OnChanging(this, allow);
  return allow;
}

void TCustomTabControl::Change() {
  OnChange(this);
}

bool TCustomTabControl::ChangeTab(int index) {
  if (index < 0 || index >= tabs_->Count() || index == tab_index_) return false;
  if (!CanChange()) return false;
  tab_index_ = index;
  Invalidate();
  Change();
  return true;
}

bool TCustomTabControl::WantsKey(Word key, TShiftState shift) const {
  if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) return true;
  return TWinControl::WantsKey(key, shift);
}

void TCustomTabControl::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYDOWN && tabs_->Count() > 0) {
    const bool back = message.WParam == VK_LEFT || message.WParam == VK_UP;
    const bool ahead = message.WParam == VK_RIGHT || message.WParam == VK_DOWN;
    if (back || ahead) {
      const int last = tabs_->Count() - 1;
      ChangeTab(back ? std::max(tab_index_ - 1, 0) : std::min(tab_index_ + 1, last));
      return;
    }
  }
  TWinControl::DefaultHandler(message);
}

void TCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) ChangeTab(IndexOfTabAt(x, y));
  TWinControl::MouseDown(button, shift, x, y);
}

void TCustomTabControl::CMDialogKey(TMessage& message) {
  const TShiftState shift = KeyDataToShiftState(message.LParam);
  if (message.WParam == VK_TAB && shift.Contains(ssCtrl) && !shift.Contains(ssAlt) &&
      tabs_->Count() > 0) {
    const TCustomForm* form = GetParentForm(this);
    if (form != nullptr && ContainsControl(form->FocusedControl())) {
      const int count = tabs_->Count();
      const int step = shift.Contains(ssShift) ? count - 1 : 1;
      ChangeTab(tab_index_ < 0 ? 0 : (tab_index_ + step) % count);
      message.Result = 1;
      return;
    }
  }
  Inherited(message);
}

void TCustomTabControl::CMFontChanged(TMessage& message) {
  Inherited(message);
  TabsChanged();
}

void TCustomTabControl::ItemInserted(int index) {
  if (tab_index_ >= 0 && index <= tab_index_) ++tab_index_;
}

void TCustomTabControl::ItemDeleted(int index) {
  if (tab_index_ < 0) return;
  if (index == tab_index_)
    tab_index_ = -1;
  else if (index < tab_index_)
    --tab_index_;
}

void TCustomTabControl::ItemsCleared() {
  tab_index_ = -1;
}

void TCustomTabControl::ItemsReordered(const std::vector<int>& new_index) {
  if (tab_index_ >= 0 && tab_index_ < static_cast<int>(new_index.size()))
    tab_index_ = new_index[static_cast<size_t>(tab_index_)];
}

void TCustomTabControl::ItemsChanged() {
  TabsChanged();
}

}  // namespace qv
