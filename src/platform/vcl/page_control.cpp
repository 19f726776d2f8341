#include "platform/vcl/page_control.h"

#include <algorithm>

#include "platform/vcl/form.h"
#include "platform/vcl/label.h"

namespace qv {

namespace {

void Frame3D(TCanvas* canvas, const TRect& r, TColor top_left, TColor bottom_right) {
  canvas->Brush()->SetColor(top_left);
  canvas->FillRect(Rect(r.Left, r.Top, r.Right, r.Top + 1));
  canvas->FillRect(Rect(r.Left, r.Top, r.Left + 1, r.Bottom));
  canvas->Brush()->SetColor(bottom_right);
  canvas->FillRect(Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom));
  canvas->FillRect(Rect(r.Right - 1, r.Top, r.Right, r.Bottom));
}

}  // namespace

QV_DEFINE_CLASS(TTabSheet, TWinControl, r) {
  r.Property("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
  r.Property("Color", &TTabSheet::Color, &TTabSheet::SetColor, "TColor");
  r.Property("Enabled", &TTabSheet::Enabled, &TTabSheet::SetEnabled);
  r.Property("Font", &TTabSheet::Font, &TTabSheet::SetFont);
  r.Property("Highlighted", &TTabSheet::Highlighted, &TTabSheet::SetHighlighted);
  r.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex);
  r.Property("ParentFont", &TTabSheet::ParentFont, &TTabSheet::SetParentFont);
  r.Property("ParentShowHint", &TTabSheet::ParentShowHint, &TTabSheet::SetParentShowHint);
  r.Property("ShowHint", &TTabSheet::ShowHint, &TTabSheet::SetShowHint);
  r.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible);
  r.Property("Visible", &TTabSheet::Visible, &TTabSheet::SetVisible);
  r.Event("OnEnter", &TTabSheet::OnEnter);
  r.Event("OnExit", &TTabSheet::OnExit);
  r.Event("OnHide", &TTabSheet::OnHide);
  r.Event("OnMouseDown", &TTabSheet::OnMouseDown);
  r.Event("OnMouseMove", &TTabSheet::OnMouseMove);
  r.Event("OnMouseUp", &TTabSheet::OnMouseUp);
  r.Event("OnResize", &TTabSheet::OnResize);
  r.Event("OnShow", &TTabSheet::OnShow);
  r.Message(CM_TEXTCHANGED, &TTabSheet::CMTextChanged);
  r.Message(CM_VISIBLECHANGED, &TTabSheet::CMVisibleChanged);
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
  SetColor(clBtnFace);
  InitVisible(false);
  SetAlign(alClient);
}

void TTabSheet::BeforeDestruction() {
  if (page_control_ != nullptr) page_control_->RemovePage(this);
  TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* page_control) {
  SetParent(page_control);
}

void TTabSheet::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  TPageControl* old = page_control_;
  TWinControl::SetParent(parent);
  if (old != nullptr) old->RemovePage(this);
  if (auto* page_control = dynamic_cast<TPageControl*>(parent)) page_control->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (page_control_ == nullptr) return -1;
  const auto& pages = page_control_->pages_;
  return static_cast<int>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int index) {
  if (page_control_ != nullptr) page_control_->MovePage(this, index);
}

int TTabSheet::TabIndex() const {
  if (page_control_ == nullptr || !tab_visible_) return -1;
  int index = 0;
  for (const TTabSheet* page : page_control_->pages_) {
    if (page == this) return index;
    if (page->tab_visible_) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool visible) {
  if (visible == tab_visible_) return;
  const int old_tab_index = TabIndex();
  tab_visible_ = visible;
  if (page_control_ != nullptr) page_control_->TabVisibilityChanged(this, visible, old_tab_index);
}

void TTabSheet::SetHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  if (page_control_ != nullptr) page_control_->Invalidate();
}

void TTabSheet::CMTextChanged(TMessage& message) {
  Inherited(message);
  if (page_control_ != nullptr) page_control_->TabsChanged();
}

void TTabSheet::CMVisibleChanged(TMessage& message) {
  Inherited(message);
  if (IsLoading() || IsDestroying()) return;
  if (Visible())
    OnShow(this);
  else
    OnHide(this);
}

QV_DEFINE_CLASS(TPageControl, TWinControl, r) {
  r.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  r.Property("Align", &TPageControl::Align, &TPageControl::SetAlign);
  r.Property("Enabled", &TPageControl::Enabled, &TPageControl::SetEnabled);
  r.Property("Font", &TPageControl::Font, &TPageControl::SetFont);
  r.Property("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack);
  r.Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine);
  r.Property("OwnerDraw", &TPageControl::OwnerDraw, &TPageControl::SetOwnerDraw);
  r.Property("ParentFont", &TPageControl::ParentFont, &TPageControl::SetParentFont);
  r.Property("ParentShowHint", &TPageControl::ParentShowHint, &TPageControl::SetParentShowHint);
  r.Property("ShowHint", &TPageControl::ShowHint, &TPageControl::SetShowHint);
  r.Property("Style", &TPageControl::Style, &TPageControl::SetStyle);
  r.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight);
  r.Property("TabOrder", &TPageControl::TabOrder, &TPageControl::SetTabOrder);
  r.Property("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop);
  r.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth);
  r.Property("Visible", &TPageControl::Visible, &TPageControl::SetVisible);
  r.Event("OnChange", &TPageControl::OnChange);
  r.Event("OnChanging", &TPageControl::OnChanging);
  r.Event("OnEnter", &TPageControl::OnEnter);
  r.Event("OnExit", &TPageControl::OnExit);
  r.Event("OnKeyDown", &TPageControl::OnKeyDown);
  r.Event("OnKeyPress", &TPageControl::OnKeyPress);
  r.Event("OnKeyUp", &TPageControl::OnKeyUp);
  r.Event("OnMouseDown", &TPageControl::OnMouseDown);
  r.Event("OnMouseMove", &TPageControl::OnMouseMove);
  r.Event("OnMouseUp", &TPageControl::OnMouseUp);
  r.Event("OnResize", &TPageControl::OnResize);
  r.Message(CM_DIALOGKEY, &TPageControl::CMDialogKey);
  r.Message(CM_FONTCHANGED, &TPageControl::CMFontChanged);
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
  SetColor(clBtnFace);
  SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
}

TPageControl::~TPageControl() = default;

void TPageControl::BeforeDestruction() {
  // The pages go with the control; they no longer need to tell it.
  for (TTabSheet* page : pages_) page->page_control_ = nullptr;
  pages_.clear();
  active_page_ = nullptr;
  TWinControl::BeforeDestruction();
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return pages_[static_cast<size_t>(index)];
}

std::vector<TTabSheet*> TPageControl::VisiblePages() const {
  std::vector<TTabSheet*> visible;
  for (TTabSheet* page : pages_)
    if (page->tab_visible_) visible.push_back(page);
  return visible;
}

int TPageControl::ActivePageIndex() const {
  return active_page_ != nullptr ? active_page_->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<size_t>(index)] : nullptr);
}

int TPageControl::TabIndex() const {
  return active_page_ != nullptr ? active_page_->TabIndex() : -1;
}

TTabSheet* TPageControl::PageForTab(int tab_index) const {
  const std::vector<TTabSheet*> visible = VisiblePages();
  if (tab_index < 0 || tab_index >= static_cast<int>(visible.size())) return nullptr;
  return visible[static_cast<size_t>(tab_index)];
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page != nullptr && page->page_control_ != this) return;
  if (page == active_page_) return;
  TTabSheet* old = active_page_;
  // The focus leaves the old page for the control first, so its exit
  // handlers run while the page is still shown; a handler that keeps the
  // focus elsewhere keeps the page as well.
  TCustomForm* form = GetParentForm(this);
  if (form != nullptr && old != nullptr && !old->IsDestroying() &&
      old->ContainsControl(form->ActiveControl()) && CanFocus()) {
    form->SetActiveControl(this);
    if (form->ActiveControl() != this) return;
  }
  active_page_ = page;
  if (page != nullptr) {
    page->BringToFront();
    page->SetVisible(true);
  }
  if (old != nullptr && !old->IsDestroying()) old->SetVisible(false);
  Realign();
  Invalidate();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool go_forward,
                                      bool check_tab_visible) const {
  const int count = PageCount();
  if (count == 0) return nullptr;
  int start = current != nullptr ? current->PageIndex() : -1;
  if (start < 0 || start >= count) start = go_forward ? count - 1 : 0;
  int i = start;
  do {
    i = go_forward ? (i + 1) % count : (i + count - 1) % count;
    TTabSheet* page = pages_[static_cast<size_t>(i)];
    if (!check_tab_visible || page->tab_visible_) return page;
  } while (i != start);
  return nullptr;
}

bool TPageControl::CanChange() {
  bool allow = true;
  OnChanging(this, allow);
  return allow;
}

void TPageControl::Change() {
  OnChange(this);
}

bool TPageControl::ChangePage(TTabSheet* page) {
  if (page == nullptr || page == active_page_ || !CanChange()) return false;
  SetActivePage(page);
  if (active_page_ != page) return false;
  Change();
  return true;
}

void TPageControl::SelectNextPage(bool go_forward, bool check_tab_visible) {
  ChangePage(FindNextPage(active_page_, go_forward, check_tab_visible));
}

void TPageControl::InsertPage(TTabSheet* page) {
  if (std::find(pages_.begin(), pages_.end(), page) != pages_.end()) return;
  pages_.push_back(page);
  page->page_control_ = this;
  if (active_page_ == nullptr && page->tab_visible_)
    SetActivePage(page);
  else
    page->SetVisible(false);
  TabsChanged();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  TTabSheet* next = nullptr;
  if (page == active_page_ && !IsDestroying()) {
    next = FindNextPage(page, true, true);
    if (next == page) next = nullptr;
  }
  page->page_control_ = nullptr;
  pages_.erase(it);
  if (page != active_page_) {
    TabsChanged();
    return;
  }
  if (IsDestroying()) {
    active_page_ = nullptr;
    return;
  }
  // The leaving page is no longer ours: make the switch without asking it
  // for the focus.
  active_page_ = nullptr;
  if (next != nullptr) {
    active_page_ = next;
    next->BringToFront();
    next->SetVisible(true);
  }
  TabsChanged();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  if (index < 0 || index >= PageCount()) return;
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  pages_.erase(it);
  pages_.insert(pages_.begin() + index, page);
  TabsChanged();
}

void TPageControl::TabVisibilityChanged(TTabSheet* page, bool now_visible, int old_tab_index) {
  if (!now_visible && page == active_page_) {
    const std::vector<TTabSheet*> visible = VisiblePages();
    const int tab = std::min(old_tab_index, static_cast<int>(visible.size()) - 1);
    SetActivePage(tab >= 0 ? visible[static_cast<size_t>(tab)] : nullptr);
  } else if (now_visible && active_page_ == nullptr) {
    SetActivePage(page);
  }
  TabsChanged();
}

void TPageControl::TabsChanged() {
  if (IsDestroying()) return;
  Realign();
  Invalidate();
}

void TPageControl::SetTabHeight(int height) {
  height = std::max(height, 0);
  if (height == tab_height_) return;
  tab_height_ = height;
  TabsChanged();
}

void TPageControl::SetTabWidth(int width) {
  width = std::max(width, 0);
  if (width == tab_width_) return;
  tab_width_ = width;
  TabsChanged();
}

void TPageControl::SetMultiLine(bool multi_line) {
  if (multi_line == multi_line_) return;
  multi_line_ = multi_line;
  TabsChanged();
}

void TPageControl::SetStyle(TTabStyle style) {
  if (style == style_) return;
  style_ = style;
  TabsChanged();
}

void TPageControl::SetOwnerDraw(bool owner_draw) {
  if (owner_draw == owner_draw_) return;
  owner_draw_ = owner_draw;
  Invalidate();
}

std::vector<TRect> TPageControl::TabRects() const {
  const bool buttons = style_ != tsTabs;
  const int origin = buttons ? 0 : 2;
  const int gap = buttons ? 3 : 0;
  const int right = buttons ? Width() : Width() - 2;
  const int height = tab_height_ > 0 ? tab_height_ : Font()->Em() + 6;
  std::vector<TRect> rects;
  int x = origin;
  int y = origin;
  for (const TTabSheet* page : VisiblePages()) {
    const int width =
        tab_width_ > 0 ? tab_width_ : Font()->TextWidth(StripAccelChars(page->Caption())) + 12;
    if (multi_line_ && x != origin && x + width > right) {
      x = origin;
      y += height + gap;
    }
    rects.push_back(Bounds(x, y, width, height));
    x += width + gap;
  }
  return rects;
}

TRect TPageControl::TabRect(int tab_index) const {
  const std::vector<TRect> rects = TabRects();
  if (tab_index < 0 || tab_index >= static_cast<int>(rects.size())) return {};
  return rects[static_cast<size_t>(tab_index)];
}

int TPageControl::IndexOfTabAt(int x, int y) const {
  const std::vector<TRect> rects = TabRects();
  for (size_t i = 0; i < rects.size(); ++i)
    if (rects[i].Contains({x, y})) return static_cast<int>(i);
  return -1;
}

int TPageControl::RowCount() const {
  const std::vector<TRect> rects = TabRects();
  int rows = 1;
  for (size_t i = 1; i < rects.size(); ++i)
    if (rects[i].Top != rects[i - 1].Top) ++rows;
  return rows;
}

TRect TPageControl::DisplayRect() const {
  const bool buttons = style_ != tsTabs;
  const int height = tab_height_ > 0 ? tab_height_ : Font()->Em() + 6;
  const int rows = RowCount();
  TRect r;
  if (buttons) {
    const int bottom = rows * height + (rows - 1) * 3;
    r = Rect(0, bottom + 3, Width(), Height());
  } else {
    const int bottom = 2 + rows * height;
    r = Rect(4, bottom + 4, Width() - 4, Height() - 4);
  }
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

void TPageControl::AdjustClientRect(TRect& rect) const {
  rect = DisplayRect();
}

bool TPageControl::WantsKey(Word key, TShiftState shift) const {
  if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) return true;
  return TWinControl::WantsKey(key, shift);
}

void TPageControl::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYDOWN) {
    const bool back = message.WParam == VK_LEFT || message.WParam == VK_UP;
    const bool ahead = message.WParam == VK_RIGHT || message.WParam == VK_DOWN;
    if (back || ahead) {
      const int tab = TabIndex();
      if (tab >= 0) ChangePage(PageForTab(back ? tab - 1 : tab + 1));
      return;
    }
  }
  TWinControl::DefaultHandler(message);
}

void TPageControl::CMDialogKey(TMessage& message) {
  const TShiftState shift = KeyDataToShiftState(message.LParam);
  if (message.WParam == VK_TAB && shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    const TCustomForm* form = GetParentForm(this);
    if (form != nullptr && ContainsControl(form->FocusedControl())) {
      SelectNextPage(!shift.Contains(ssShift));
      message.Result = 1;
      return;
    }
  }
  Inherited(message);
}

void TPageControl::CMFontChanged(TMessage& message) {
  Inherited(message);
  TabsChanged();
}

void TPageControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft) {
    const int tab = IndexOfTabAt(x, y);
    if (tab >= 0) ChangePage(PageForTab(tab));
  }
  TWinControl::MouseDown(button, shift, x, y);
}

void TPageControl::MouseMove(TShiftState shift, int x, int y) {
  const int hot = IndexOfTabAt(x, y);
  if (hot != hot_tab_) {
    hot_tab_ = hot;
    if (hot_track_) Invalidate();
  }
  TWinControl::MouseMove(shift, x, y);
}

void TPageControl::Update() {
  canvas_.Prepare(*this);
  Paint();
}

void TPageControl::DrawTab(int, const TRect& rect, bool) {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(rect);
}

void TPageControl::Paint() {
  TCanvas* canvas = Canvas();
  const std::vector<TTabSheet*> visible = VisiblePages();
  const std::vector<TRect> rects = TabRects();
  const int active = TabIndex();
  if (style_ == tsTabs) Frame3D(canvas, InflateRect(DisplayRect(), 2, 2), clBtnHighlight, clBlack);
  auto draw = [&](int i) {
    const bool is_active = i == active;
    TRect r = rects[static_cast<size_t>(i)];
    if (is_active && style_ == tsTabs) r = InflateRect(r, 2, 2);
    if (owner_draw_) {
      DrawTab(i, r, is_active);
      return;
    }
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(r);
    if (style_ == tsTabs)
      Frame3D(canvas, Rect(r.Left, r.Top, r.Right, r.Bottom + 1), clBtnHighlight, clBtnShadow);
    else if (is_active)
      Frame3D(canvas, r, clBtnShadow, clBtnHighlight);
    else if (style_ == tsButtons)
      Frame3D(canvas, r, clBtnHighlight, clBtnShadow);
    const TColor font_color = canvas->Font()->Color();
    if (hot_track_ && i == hot_tab_) canvas->Font()->SetColor(clHighlight);
    if (visible[static_cast<size_t>(i)]->Highlighted()) canvas->Font()->SetColor(clHighlightText);
    canvas->Brush()->SetStyle(bsClear);
    TRect text = r;
    canvas->DrawText(visible[static_cast<size_t>(i)]->Caption(), text,
                     DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Font()->SetColor(font_color);
  };
  for (int i = 0; i < static_cast<int>(rects.size()); ++i)
    if (i != active) draw(i);
  if (active >= 0 && active < static_cast<int>(rects.size())) draw(active);
}

}  // namespace qv
