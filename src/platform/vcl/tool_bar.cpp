#include "platform/vcl/tool_bar.h"

#include <algorithm>

#include "platform/core/exception.h"

namespace qv {

namespace {

constexpr int kSeparatorWidth = 8;

}  // namespace

// ------------------------------------------------------------- TToolButton

QV_DEFINE_CLASS(TToolButton, TGraphicControl, r) {
  r.Property("AllowAllUp", &TToolButton::AllowAllUp, &TToolButton::SetAllowAllUp);
  r.Property("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
  r.Property("Down", &TToolButton::Down, &TToolButton::SetDown);
  r.Property("DropdownMenu", &TToolButton::DropdownMenu, &TToolButton::SetDropdownMenu);
  r.Property("Enabled", &TToolButton::Enabled, &TToolButton::SetEnabled);
  r.Property("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped);
  r.Property("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex);
  r.Property("Indeterminate", &TToolButton::Indeterminate, &TToolButton::SetIndeterminate);
  r.Property("Marked", &TToolButton::Marked, &TToolButton::SetMarked);
  r.Property("ParentShowHint", &TToolButton::ParentShowHint, &TToolButton::SetParentShowHint);
  r.Property("ShowHint", &TToolButton::ShowHint, &TToolButton::SetShowHint);
  r.Property("Style", &TToolButton::Style, &TToolButton::SetStyle);
  r.Property("Visible", &TToolButton::Visible, &TToolButton::SetVisible);
  r.Property("Wrap", &TToolButton::Wrap, &TToolButton::SetWrap);
  r.Event("OnClick", &TToolButton::OnClick);
  r.Event("OnMouseDown", &TToolButton::OnMouseDown);
  r.Event("OnMouseMove", &TToolButton::OnMouseMove);
  r.Event("OnMouseUp", &TToolButton::OnMouseUp);
  r.Message(CM_VISIBLECHANGED, &TToolButton::CMVisibleChanged);
  r.Message(CM_TEXTCHANGED, &TToolButton::CMTextChanged);
}

TToolButton::TToolButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
}

void TToolButton::BeforeDestruction() {
  TToolBar* bar = ToolBar();
  TGraphicControl::BeforeDestruction();
  if (bar != nullptr && !bar->IsDestroying()) bar->ArrangeButtons();
}

TToolBar* TToolButton::ToolBar() const {
  return dynamic_cast<TToolBar*>(Parent());
}

int TToolButton::Index() const {
  TToolBar* bar = ToolBar();
  if (bar == nullptr) return -1;
  for (int i = 0; i < bar->ButtonCount(); ++i)
    if (bar->Buttons(i) == this) return i;
  return -1;
}

void TToolButton::SetParent(TWinControl* parent) {
  TToolBar* old_bar = ToolBar();
  TGraphicControl::SetParent(parent);
  if (old_bar != nullptr && old_bar != parent) old_bar->ArrangeButtons();
  Rearrange();
}

void TToolButton::SetBounds(int left, int top, int width, int height) {
  TGraphicControl::SetBounds(left, top, width, height);
  Rearrange();
}

void TToolButton::Rearrange() {
  TToolBar* bar = ToolBar();
  if (bar != nullptr && !bar->arranging_) bar->ArrangeButtons();
}

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == dropdown_menu_) dropdown_menu_ = nullptr;
}

void TToolButton::SetStyle(TToolButtonStyle style) {
  if (style == style_) return;
  const bool was_separator = IsSeparator();
  style_ = style;
  if (IsSeparator() && !was_separator && !IsLoading()) SetWidth(kSeparatorWidth);
  Rearrange();
  Invalidate();
}

std::vector<TToolButton*> TToolButton::Group() const {
  TToolBar* bar = ToolBar();
  auto* self = const_cast<TToolButton*>(this);
  if (bar == nullptr || !grouped_ || style_ != tbsCheck) return {self};
  auto member = [](const TToolButton* b) { return b->grouped_ && b->style_ == tbsCheck; };
  const int index = Index();
  int first = index;
  int last = index;
  while (first > 0 && member(bar->Buttons(first - 1))) --first;
  while (last + 1 < bar->ButtonCount() && member(bar->Buttons(last + 1))) ++last;
  std::vector<TToolButton*> group;
  for (int i = first; i <= last; ++i) group.push_back(bar->Buttons(i));
  return group;
}

void TToolButton::SetDown(bool down) {
  if (down == down_) return;
  const bool grouped_check = grouped_ && style_ == tbsCheck;
  if (!down && grouped_check && !allow_all_up_) return;
  down_ = down;
  if (down_ && grouped_check) {
    for (TToolButton* other : Group()) {
      if (other != this && other->down_) {
        other->down_ = false;
        other->Invalidate();
      }
    }
  }
  Invalidate();
}

void TToolButton::SetGrouped(bool grouped) {
  if (grouped == grouped_) return;
  grouped_ = grouped;
  // Joining a group with a down button of its own leaves one down.
  if (grouped_ && down_ && style_ == tbsCheck) {
    down_ = false;
    SetDown(true);
  }
}

void TToolButton::SetIndeterminate(bool value) {
  if (value == indeterminate_) return;
  indeterminate_ = value;
  Invalidate();
}

void TToolButton::SetMarked(bool value) {
  if (value == marked_) return;
  marked_ = value;
  Invalidate();
}

void TToolButton::SetWrap(bool wrap) {
  if (wrap == wrap_) return;
  wrap_ = wrap;
  Rearrange();
}

void TToolButton::SetImageIndex(int index) {
  if (index == image_index_) return;
  image_index_ = index;
  Invalidate();
}

void TToolButton::SetDropdownMenu(TPopupMenu* menu) {
  if (menu == dropdown_menu_) return;
  if (dropdown_menu_ != nullptr) dropdown_menu_->RemoveFreeNotification(this);
  dropdown_menu_ = menu;
  if (dropdown_menu_ != nullptr) dropdown_menu_->FreeNotification(this);
}

bool TToolButton::CheckMenuDropdown() {
  if (dropdown_menu_ == nullptr || !Enabled()) return false;
  const TPoint below = ClientToScreen({0, Height()});
  dropdown_menu_->SetPopupComponent(this);
  dropdown_menu_->Popup(below.X, below.Y);
  return true;
}

void TToolButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  menu_dropped_ = false;
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft || dropdown_menu_ == nullptr || IsSeparator()) return;
  const bool on_menu = style_ != tbsDropDown || x >= Width() - kDropDownArrowWidth;
  if (on_menu) menu_dropped_ = CheckMenuDropdown();
}

void TToolButton::Click() {
  // The press that dropped the menu clicks nothing.
  if (menu_dropped_) {
    menu_dropped_ = false;
    return;
  }
  if (IsSeparator()) return;
  if (style_ == tbsCheck) {
    if (!grouped_)
      down_ = !down_;
    else if (!down_)
      SetDown(true);
    else if (allow_all_up_)
      SetDown(false);
    Invalidate();
  }
  TGraphicControl::Click();
}

void TToolButton::Paint() {
  TToolBar* bar = ToolBar();
  if (bar == nullptr || IsSeparator()) return;
  TImageList* images = bar->Images();
  if (!Enabled() && bar->DisabledImages() != nullptr) images = bar->DisabledImages();
  if (images != nullptr && image_index_ >= 0 && image_index_ < images->Count()) {
    const int x = (Width() - images->Width()) / 2;
    const int y = (Height() - images->Height()) / 2;
    images->Draw(Canvas(), x, y, image_index_, Enabled() || images == bar->DisabledImages());
  }
  if (bar->ShowCaptions()) {
    const int x = (Width() - Canvas()->TextWidth(Caption())) / 2;
    Canvas()->TextOut(x, Height() - Canvas()->TextHeight(Caption()) - 2, Caption());
  }
}

void TToolButton::CMVisibleChanged(TMessage& message) {
  Inherited(message);
  Rearrange();
}

void TToolButton::CMTextChanged(TMessage& message) {
  Inherited(message);
  Invalidate();
}

// ---------------------------------------------------------------- TToolBar

QV_DEFINE_CLASS(TToolBar, TWinControl, r) {
  r.Property("Align", &TToolBar::Align, &TToolBar::SetAlign);
  r.Property("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight);
  r.Property("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth);
  r.Property("Caption", &TToolBar::Caption, &TToolBar::SetCaption);
  r.Property("Color", &TToolBar::Color, &TToolBar::SetColor, "TColor");
  r.Property("DisabledImages", &TToolBar::DisabledImages, &TToolBar::SetDisabledImages);
  r.Property("Enabled", &TToolBar::Enabled, &TToolBar::SetEnabled);
  r.Property("Flat", &TToolBar::Flat, &TToolBar::SetFlat);
  r.Property("Font", &TToolBar::Font, &TToolBar::SetFont);
  r.Property("Images", &TToolBar::Images, &TToolBar::SetImages);
  r.Property("Indent", &TToolBar::Indent, &TToolBar::SetIndent);
  r.Property("ParentColor", &TToolBar::ParentColor, &TToolBar::SetParentColor);
  r.Property("ParentFont", &TToolBar::ParentFont, &TToolBar::SetParentFont);
  r.Property("ParentShowHint", &TToolBar::ParentShowHint, &TToolBar::SetParentShowHint);
  r.Property("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions);
  r.Property("ShowHint", &TToolBar::ShowHint, &TToolBar::SetShowHint);
  r.Property("TabOrder", &TToolBar::TabOrder, &TToolBar::SetTabOrder);
  r.Property("TabStop", &TToolBar::TabStop, &TToolBar::SetTabStop);
  r.Property("Visible", &TToolBar::Visible, &TToolBar::SetVisible);
  r.Property("Wrapable", &TToolBar::Wrapable, &TToolBar::SetWrapable);
  r.Event("OnClick", &TToolBar::OnClick);
  r.Event("OnDblClick", &TToolBar::OnDblClick);
  r.Event("OnResize", &TToolBar::OnResize);
}

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csSetCaption});
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetColor(clBtnFace);
}

int TToolBar::ButtonCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TToolButton*>(Controls(i)) != nullptr) ++count;
  return count;
}

TToolButton* TToolBar::Buttons(int index) const {
  int seen = 0;
  for (int i = 0; i < ControlCount() && index >= 0; ++i) {
    if (auto* button = dynamic_cast<TToolButton*>(Controls(i))) {
      if (seen == index) return button;
      ++seen;
    }
  }
  throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

void TToolBar::ArrangeButtons() {
  if (arranging_ || IsDestroying()) return;
  arranging_ = true;
  struct TReset {
    bool& flag;
    ~TReset() { flag = false; }
  } reset{arranging_};
  int x = indent_;
  int y = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    auto* button = dynamic_cast<TToolButton*>(Controls(i));
    if (button == nullptr || !button->Visible()) continue;
    const bool separator = button->Style() == tbsSeparator || button->Style() == tbsDivider;
    const int width = separator ? button->Width() : button_width_;
    if (wrapable_ && x > indent_ && x + width > ClientWidth()) {
      x = indent_;
      y += button_height_;
    }
    button->SetBounds(x, y, width, button_height_);
    x += width;
    if (button->Wrap()) {
      x = indent_;
      y += button_height_;
    }
  }
  Invalidate();
}

void TToolBar::SetButtonWidth(int width) {
  width = std::max(width, 0);
  if (width == button_width_) return;
  button_width_ = width;
  ArrangeButtons();
}

void TToolBar::SetButtonHeight(int height) {
  height = std::max(height, 0);
  if (height == button_height_) return;
  button_height_ = height;
  ArrangeButtons();
}

void TToolBar::SetIndent(int indent) {
  indent = std::max(indent, 0);
  if (indent == indent_) return;
  indent_ = indent;
  ArrangeButtons();
}

void TToolBar::SetWrapable(bool wrapable) {
  if (wrapable == wrapable_) return;
  wrapable_ = wrapable;
  ArrangeButtons();
}

void TToolBar::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  Invalidate();
}

void TToolBar::SetShowCaptions(bool show) {
  if (show == show_captions_) return;
  show_captions_ = show;
  Invalidate();
}

void TToolBar::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_ != nullptr) images_->RemoveFreeNotification(this);
  images_ = images;
  if (images_ != nullptr) images_->FreeNotification(this);
  Invalidate();
}

void TToolBar::SetDisabledImages(TImageList* images) {
  if (images == disabled_images_) return;
  if (disabled_images_ != nullptr) disabled_images_->RemoveFreeNotification(this);
  disabled_images_ = images;
  if (disabled_images_ != nullptr) disabled_images_->FreeNotification(this);
  Invalidate();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == images_) images_ = nullptr;
  if (component == disabled_images_) disabled_images_ = nullptr;
}

void TToolBar::BoundsChanged(bool moved, bool resized) {
  TWinControl::BoundsChanged(moved, resized);
  if (resized) ArrangeButtons();
}

}  // namespace qv
