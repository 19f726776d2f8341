#include "platform/vcl/speed_button.h"

#include <algorithm>

#include "platform/vcl/win_control.h"

namespace qv {

namespace {

void FillPixels(TCanvas* canvas, const TRect& rect, TColor color) {
  canvas->Brush()->SetColor(color);
  canvas->FillRect(rect);
}

// A one-pixel frame: `top_left` on the top and left edges, `bottom_right`
// on the bottom and right edges.
void Frame3D(TCanvas* canvas, const TRect& r, TColor top_left, TColor bottom_right) {
  FillPixels(canvas, Rect(r.Left, r.Top, r.Right, r.Top + 1), top_left);
  FillPixels(canvas, Rect(r.Left, r.Top, r.Left + 1, r.Bottom), top_left);
  FillPixels(canvas, Rect(r.Left, r.Bottom - 1, r.Right, r.Bottom), bottom_right);
  FillPixels(canvas, Rect(r.Right - 1, r.Top, r.Right, r.Bottom), bottom_right);
}

}  // namespace

QV_DEFINE_CLASS(TSpeedButton, TGraphicControl, r) {
  r.Property("Align", &TSpeedButton::Align, &TSpeedButton::SetAlign);
  r.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
  r.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
  r.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
  r.Property("Caption", &TSpeedButton::Caption, &TSpeedButton::SetCaption);
  r.Property("Enabled", &TSpeedButton::Enabled, &TSpeedButton::SetEnabled);
  r.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
  r.Property("Font", &TSpeedButton::Font, &TSpeedButton::SetFont);
  r.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  r.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::SetLayout);
  r.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
  r.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, "TNumGlyphs");
  r.Property("ParentFont", &TSpeedButton::ParentFont, &TSpeedButton::SetParentFont);
  r.Property("ParentShowHint", &TSpeedButton::ParentShowHint, &TSpeedButton::SetParentShowHint);
  r.Property("ShowHint", &TSpeedButton::ShowHint, &TSpeedButton::SetShowHint);
  r.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
  r.Property("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent);
  r.Property("Visible", &TSpeedButton::Visible, &TSpeedButton::SetVisible);
  r.Event("OnClick", &TSpeedButton::OnClick);
  r.Event("OnDblClick", &TSpeedButton::OnDblClick);
  r.Event("OnMouseDown", &TSpeedButton::OnMouseDown);
  r.Event("OnMouseMove", &TSpeedButton::OnMouseMove);
  r.Event("OnMouseUp", &TSpeedButton::OnMouseUp);
  r.Message(WM_LBUTTONDBLCLK, &TSpeedButton::WMLButtonDblClk);
  r.Message(CM_BUTTONPRESSED, &TSpeedButton::CMButtonPressed);
  r.Message(CM_ENABLEDCHANGED, &TSpeedButton::CMEnabledChanged);
  r.Message(CM_MOUSEENTER, &TSpeedButton::CMMouseEnter);
  r.Message(CM_MOUSELEAVE, &TSpeedButton::CMMouseLeave);
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 23, 22);
  // The click comes from the release (MouseUp), after the group is updated.
  SetControlStyle({csCaptureMouse, csDoubleClicks});
  SetColor(clBtnFace);
  glyph_.OnChange = [this] { Invalidate(); };
}

TSpeedButton::~TSpeedButton() {
  glyph_.OnChange = nullptr;
}

TButtonState TSpeedButton::State() const {
  if (!Enabled()) return bsDisabled;
  if (down_) return bsExclusive;
  return pressed_ ? bsDown : bsUp;
}

void TSpeedButton::SetAllowAllUp(bool allow) {
  if (allow == allow_all_up_) return;
  allow_all_up_ = allow;
  UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int index) {
  if (index == group_index_) return;
  group_index_ = index;
  UpdateExclusive();
}

void TSpeedButton::SetDown(bool down) {
  if (group_index_ == 0) down = false;
  if (down == down_) return;
  if (down_ && !allow_all_up_) return;
  down_ = down;
  Invalidate();
  if (down_) UpdateExclusive();
}

void TSpeedButton::SetFlat(bool flat) {
  if (flat == flat_) return;
  flat_ = flat;
  Invalidate();
}

void TSpeedButton::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout layout) {
  if (layout == layout_) return;
  layout_ = layout;
  Invalidate();
}

void TSpeedButton::SetMargin(int margin) {
  margin = std::max(margin, -1);
  if (margin == margin_) return;
  margin_ = margin;
  Invalidate();
}

void TSpeedButton::SetSpacing(int spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  Invalidate();
}

void TSpeedButton::UpdateExclusive() {
  if (group_index_ == 0 || Parent() == nullptr) return;
  TWinControl* parent = Parent();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* control = parent->Controls(i);
    if (control != this)
      control->Perform(CM_BUTTONPRESSED, static_cast<WPARAM>(group_index_),
                       reinterpret_cast<LPARAM>(this));
  }
}

void TSpeedButton::CMButtonPressed(TMessage& message) {
  if (static_cast<int>(message.WParam) != group_index_ || group_index_ == 0) return;
  const auto* sender = reinterpret_cast<const TSpeedButton*>(message.LParam);
  if (sender == nullptr || sender == this) return;
  if (sender->down_ && down_) {
    down_ = false;
    Invalidate();
  }
  allow_all_up_ = sender->allow_all_up_;
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!Enabled()) return;
  TGraphicControl::MouseDown(button, shift, x, y);
  if (button != mbLeft) return;
  if (!down_) {
    pressed_ = true;
    Invalidate();
  }
  dragging_ = true;
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!Enabled()) return;
  TGraphicControl::MouseUp(button, shift, x, y);
  if (button != mbLeft || !dragging_) return;
  dragging_ = false;
  pressed_ = false;
  const bool clicked = ClientRect().Contains({x, y});
  if (group_index_ != 0 && clicked) SetDown(!down_);
  Invalidate();
  if (clicked) Click();
}

void TSpeedButton::WMLButtonDblClk(TMessage& message) {
  Inherited(message);
  if (down_) DblClick();
}

void TSpeedButton::CMEnabledChanged(TMessage& message) {
  if (!Enabled()) pressed_ = dragging_ = false;
  Invalidate();
  Inherited(message);
}

void TSpeedButton::CMMouseEnter(TMessage& message) {
  mouse_in_control_ = true;
  if (flat_) Invalidate();
  Inherited(message);
}

void TSpeedButton::CMMouseLeave(TMessage& message) {
  mouse_in_control_ = false;
  if (flat_) Invalidate();
  Inherited(message);
}

void TSpeedButton::Paint() {
  TCanvas* canvas = Canvas();
  const TButtonState state = State();
  const TRect client = ClientRect();
  const bool sunken = state == bsDown || state == bsExclusive;
  if (state == bsExclusive)
    for (int y = client.Top; y < client.Bottom; ++y)
      for (int x = client.Left; x < client.Right; ++x)
        if ((x + y) % 2 != 0) canvas->SetPixel(x, y, clBtnHighlight);
  if (sunken)
    Frame3D(canvas, client, clBtnShadow, clBtnHighlight);
  else if (!flat_ || (mouse_in_control_ && Enabled()))
    Frame3D(canvas, client, clBtnHighlight, clBtnShadow);
  canvas->Brush()->SetColor(Color());
  const TPoint offset = sunken ? TPoint{1, 1} : TPoint{0, 0};
  placement_ = glyph_.Draw(canvas, InflateRect(client, -1, -1), offset, Caption(), layout_, margin_,
                           spacing_, state);
}

}  // namespace qv
