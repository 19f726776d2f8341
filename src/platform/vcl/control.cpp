#include "platform/vcl/control.h"

#include <algorithm>

#include "platform/vcl/form.h"
#include "platform/vcl/win_control.h"

namespace qv {

QV_DEFINE_CLASS(TControl, TComponent, r) {
  r.Property("Left", &TControl::Left, &TControl::SetLeft);
  r.Property("Top", &TControl::Top, &TControl::SetTop);
  r.Property("Width", &TControl::Width, &TControl::SetWidth);
  r.Property("Height", &TControl::Height, &TControl::SetHeight);
  r.Property("Cursor", &TControl::Cursor, &TControl::SetCursor, "TCursor");
  r.Property("Hint", &TControl::Hint, &TControl::SetHint);
  r.Message(WM_LBUTTONDOWN, &TControl::WMLButtonDown);
  r.Message(WM_LBUTTONUP, &TControl::WMLButtonUp);
  r.Message(WM_LBUTTONDBLCLK, &TControl::WMLButtonDblClk);
  r.Message(WM_RBUTTONDOWN, &TControl::WMRButtonDown);
  r.Message(WM_RBUTTONUP, &TControl::WMRButtonUp);
  r.Message(WM_MOUSEMOVE, &TControl::WMMouseMove);
  r.Message(CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged);
  r.Message(CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged);
  r.Message(CM_PARENTSHOWHINTCHANGED, &TControl::CMParentShowHintChanged);
  r.Message(CM_FONTCHANGED, &TControl::CMChangedRepaints);
  r.Message(CM_COLORCHANGED, &TControl::CMChangedRepaints);
  r.Message(CM_TEXTCHANGED, &TControl::CMChangedRepaints);
  r.Message(CM_ENABLEDCHANGED, &TControl::CMChangedRepaints);
}

WPARAM MouseFlagsFromShift(TShiftState shift) {
  WPARAM flags = 0;
  if (shift.Contains(ssShift)) flags |= MK_SHIFT;
  if (shift.Contains(ssCtrl)) flags |= MK_CONTROL;
  if (shift.Contains(ssLeft)) flags |= MK_LBUTTON;
  if (shift.Contains(ssRight)) flags |= MK_RBUTTON;
  if (shift.Contains(ssMiddle)) flags |= MK_MBUTTON;
  return flags;
}

TShiftState MouseFlagsToShiftState(WPARAM flags) {
  TShiftState shift;
  if (flags & MK_SHIFT) shift.Include(ssShift);
  if (flags & MK_CONTROL) shift.Include(ssCtrl);
  if (flags & MK_LBUTTON) shift.Include(ssLeft);
  if (flags & MK_RBUTTON) shift.Include(ssRight);
  if (flags & MK_MBUTTON) shift.Include(ssMiddle);
  return shift;
}

namespace {
// Alt is bit 29 as in the system's key data; Shift and Ctrl use two bits the
// system leaves unused, so key messages carry their whole shift state.
constexpr LPARAM kKeyAlt = LPARAM{1} << 29;
constexpr LPARAM kKeyShift = LPARAM{1} << 26;
constexpr LPARAM kKeyCtrl = LPARAM{1} << 27;
}  // namespace

LPARAM KeyDataFromShift(TShiftState shift) {
  LPARAM data = 0;
  if (shift.Contains(ssAlt)) data |= kKeyAlt;
  if (shift.Contains(ssShift)) data |= kKeyShift;
  if (shift.Contains(ssCtrl)) data |= kKeyCtrl;
  return data;
}

TShiftState KeyDataToShiftState(LPARAM key_data) {
  TShiftState shift;
  if (key_data & kKeyAlt) shift.Include(ssAlt);
  if (key_data & kKeyShift) shift.Include(ssShift);
  if (key_data & kKeyCtrl) shift.Include(ssCtrl);
  return shift;
}

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* top = control;
  while (top != nullptr && top->Parent() != nullptr) top = top->Parent();
  return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& message) { WndProc(message); };
  font_->OnChange = TNotifyEvent(this, [this](TObject*) { FontChanged(); });
}

TControl::~TControl() = default;

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
  if (parent_ != nullptr) parent_->RemoveControl(this);
}

void TControl::SetName(const std::string& name) {
  const bool change_text = control_style_.Contains(csSetCaption) && !IsLoading() &&
                           Name() == text_ &&
                           !(dynamic_cast<TControl*>(Owner()) && Owner()->IsLoading());
  TComponent::SetName(name);
  if (change_text) SetText(name);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot be its own parent");
  if (auto* self = dynamic_cast<TWinControl*>(this);
      self && parent && self->ContainsControl(parent))
    throw EInvalidOperation("A control cannot be placed inside one of its children");
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  const bool resized = width != width_ || height != height_;
  const bool moved = left != left_ || top != top_;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  BoundsChanged(moved, resized);
  if (resized && !IsLoading()) Resize();
  RequestAlign();
}

void TControl::SetClientSize(int width, int height) {
  const TRect client = ClientRect();
  SetBounds(left_, top_, width_ + width - client.Width(), height_ + height - client.Height());
}

TPoint TControl::ClientOrigin() const {
  if (parent_ == nullptr) return {left_, top_};
  const TPoint origin = parent_->ClientOrigin();
  return {origin.X + left_, origin.Y + top_};
}

TPoint TControl::ClientToScreen(TPoint point) const {
  const TPoint origin = ClientOrigin();
  return {point.X + origin.X, point.Y + origin.Y};
}

TPoint TControl::ScreenToClient(TPoint point) const {
  const TPoint origin = ClientOrigin();
  return {point.X - origin.X, point.Y - origin.Y};
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  RequestAlign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
  RequestAlign();
}

bool TControl::Showing() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetColor(TColor color) {
  if (color != color_) {
    color_ = color;
    Perform(CM_COLORCHANGED);
  }
  parent_color_ = false;
}

void TControl::SetParentColor(bool parent_color) {
  if (parent_color == parent_color_) return;
  parent_color_ = parent_color;
  if (parent_color_ && parent_ != nullptr) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::FontChanged() {
  if (!taking_parent_font_) parent_font_ = false;
  Perform(CM_FONTCHANGED);
}

void TControl::TakeParentFont() {
  if (parent_ == nullptr) return;
  taking_parent_font_ = true;
  font_->Assign(parent_->Font());
  taking_parent_font_ = false;
}

void TControl::SetParentFont(bool parent_font) {
  if (parent_font == parent_font_) return;
  parent_font_ = parent_font;
  if (parent_font_) TakeParentFont();
}

void TControl::SetText(const std::string& text) {
  if (text == text_) return;
  text_ = text;
  Perform(CM_TEXTCHANGED);
}

void TControl::SetShowHint(bool show_hint) {
  if (show_hint != show_hint_) {
    show_hint_ = show_hint;
    Perform(CM_SHOWHINTCHANGED);
  }
  parent_show_hint_ = false;
}

void TControl::SetParentShowHint(bool parent_show_hint) {
  if (parent_show_hint == parent_show_hint_) return;
  parent_show_hint_ = parent_show_hint;
  if (parent_show_hint_ && parent_ != nullptr) Perform(CM_PARENTSHOWHINTCHANGED);
}

LRESULT TControl::Perform(unsigned msg, WPARAM wparam, LPARAM lparam) {
  TMessage message;
  message.Msg = msg;
  message.WParam = wparam;
  message.LParam = lparam;
  if (WindowProc)
    WindowProc(message);
  else
    WndProc(message);
  return message.Result;
}

void TControl::WndProc(TMessage& message) {
  // Marked before the handlers run, so that a control taking the focus on a
  // press knows the mouse (not the keyboard) brought it there.
  if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK)
    control_state_.Include(csLButtonDown);
  Dispatch(message);
}

void TControl::Click() {
  OnClick(this);
}

void TControl::DblClick() {
  OnDblClick(this);
}

void TControl::Invalidate() {
  ++invalidate_count_;
}

void TControl::BringToFront() {
  if (parent_ != nullptr) parent_->MoveChild(this, true);
}

void TControl::SendToBack() {
  if (parent_ != nullptr) parent_->MoveChild(this, false);
}

void TControl::Resize() {
  OnResize(this);
}

void TControl::BoundsChanged(bool, bool) {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  OnMouseMove(this, shift, x, y);
}

void TControl::RequestAlign() {
  if (parent_ != nullptr) parent_->AlignControl(this);
}

void TControl::Loaded() {
  TComponent::Loaded();
  if (parent_ != nullptr) {
    if (parent_font_) TakeParentFont();
    if (parent_color_) Perform(CM_PARENTCOLORCHANGED);
  }
  RequestAlign();
}

void TControl::WMLButtonDown(TMessage& message) {
  if (control_style_.Contains(csClickEvents)) control_state_.Include(csClicked);
  MouseDown(mbLeft, MouseFlagsToShiftState(message.WParam), LParamX(message.LParam),
            LParamY(message.LParam));
}

void TControl::WMLButtonUp(TMessage& message) {
  control_state_.Exclude(csLButtonDown);
  if (control_state_.Contains(csClicked)) {
    control_state_.Exclude(csClicked);
    if (ClientRect().Contains({LParamX(message.LParam), LParamY(message.LParam)})) Click();
  }
  MouseUp(mbLeft, MouseFlagsToShiftState(message.WParam), LParamX(message.LParam),
          LParamY(message.LParam));
}

void TControl::WMLButtonDblClk(TMessage& message) {
  if (control_style_.Contains(csClickEvents)) DblClick();
  TShiftState shift = MouseFlagsToShiftState(message.WParam);
  shift.Include(ssDouble);
  MouseDown(mbLeft, shift, LParamX(message.LParam), LParamY(message.LParam));
}

void TControl::WMRButtonDown(TMessage& message) {
  MouseDown(mbRight, MouseFlagsToShiftState(message.WParam), LParamX(message.LParam),
            LParamY(message.LParam));
}

void TControl::WMRButtonUp(TMessage& message) {
  MouseUp(mbRight, MouseFlagsToShiftState(message.WParam), LParamX(message.LParam),
          LParamY(message.LParam));
}

void TControl::WMMouseMove(TMessage& message) {
  MouseMove(MouseFlagsToShiftState(message.WParam), LParamX(message.LParam),
            LParamY(message.LParam));
}

void TControl::CMParentFontChanged(TMessage&) {
  if (parent_font_) TakeParentFont();
}

void TControl::CMParentColorChanged(TMessage&) {
  if (parent_color_ && parent_ != nullptr && color_ != parent_->Color()) {
    color_ = parent_->Color();
    Perform(CM_COLORCHANGED);
  }
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (parent_show_hint_ && parent_ != nullptr && show_hint_ != parent_->ShowHint()) {
    show_hint_ = parent_->ShowHint();
    Perform(CM_SHOWHINTCHANGED);
  }
}

void TControl::CMChangedRepaints(TMessage&) {
  Invalidate();
}

}  // namespace qv
