#include "platform/vcl/group_box.h"

namespace qv {

QV_DEFINE_CLASS(TCustomGroupBox, TCustomControl, r) {}

QV_DEFINE_CLASS(TGroupBox, TCustomGroupBox, r) {
  r.Property("Align", &TGroupBox::Align, &TGroupBox::SetAlign);
  r.Property("Caption", &TGroupBox::Caption, &TGroupBox::SetCaption);
  r.Property("Color", &TGroupBox::Color, &TGroupBox::SetColor, "TColor");
  r.Property("Ctl3D", &TGroupBox::Ctl3D, &TGroupBox::SetCtl3D);
  r.Property("Enabled", &TGroupBox::Enabled, &TGroupBox::SetEnabled);
  r.Property("Font", &TGroupBox::Font, &TGroupBox::SetFont);
  r.Property("ParentColor", &TGroupBox::ParentColor, &TGroupBox::SetParentColor);
  r.Property("ParentCtl3D", &TGroupBox::ParentCtl3D, &TGroupBox::SetParentCtl3D);
  r.Property("ParentFont", &TGroupBox::ParentFont, &TGroupBox::SetParentFont);
  r.Property("ParentShowHint", &TGroupBox::ParentShowHint, &TGroupBox::SetParentShowHint);
  r.Property("ShowHint", &TGroupBox::ShowHint, &TGroupBox::SetShowHint);
  r.Property("TabOrder", &TGroupBox::TabOrder, &TGroupBox::SetTabOrder);
  r.Property("TabStop", &TGroupBox::TabStop, &TGroupBox::SetTabStop);
  r.Property("Visible", &TGroupBox::Visible, &TGroupBox::SetVisible);
  r.Event("OnClick", &TGroupBox::OnClick);
  r.Event("OnEnter", &TGroupBox::OnEnter);
  r.Event("OnExit", &TGroupBox::OnExit);
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle({csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 185, 105);
  SetParentColor(true);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect) const {
  TCustomControl::AdjustClientRect(rect);
  rect.Top += Font()->TextHeight("0");
  const int inset = Ctl3D() ? 2 : 1;
  rect = InflateRect(rect, -inset, -inset);
}

}  // namespace qv
