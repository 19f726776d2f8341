#include "platform/vcl/panel.h"

#include <algorithm>

namespace qv {

QV_DEFINE_CLASS(TCustomPanel, TCustomControl, r) {}

QV_DEFINE_CLASS(TPanel, TCustomPanel, r) {
  r.Property("Align", &TPanel::Align, &TPanel::SetAlign);
  r.Property("Alignment", &TPanel::Alignment, &TPanel::SetAlignment);
  r.Property("BevelInner", &TPanel::BevelInner, &TPanel::SetBevelInner);
  r.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::SetBevelOuter);
  r.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
  r.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::SetBorderWidth);
  r.Property("Caption", &TPanel::Caption, &TPanel::SetCaption);
  r.Property("Color", &TPanel::Color, &TPanel::SetColor, "TColor");
  r.Property("Ctl3D", &TPanel::Ctl3D, &TPanel::SetCtl3D);
  r.Property("Enabled", &TPanel::Enabled, &TPanel::SetEnabled);
  r.Property("Font", &TPanel::Font, &TPanel::SetFont);
  r.Property("ParentColor", &TPanel::ParentColor, &TPanel::SetParentColor);
  r.Property("ParentCtl3D", &TPanel::ParentCtl3D, &TPanel::SetParentCtl3D);
  r.Property("ParentFont", &TPanel::ParentFont, &TPanel::SetParentFont);
  r.Property("ParentShowHint", &TPanel::ParentShowHint, &TPanel::SetParentShowHint);
  r.Property("ShowHint", &TPanel::ShowHint, &TPanel::SetShowHint);
  r.Property("TabOrder", &TPanel::TabOrder, &TPanel::SetTabOrder);
  r.Property("TabStop", &TPanel::TabStop, &TPanel::SetTabStop);
  r.Property("Visible", &TPanel::Visible, &TPanel::SetVisible);
  r.Event("OnClick", &TPanel::OnClick);
  r.Event("OnDblClick", &TPanel::OnDblClick);
  r.Event("OnEnter", &TPanel::OnEnter);
  r.Event("OnExit", &TPanel::OnExit);
  r.Event("OnMouseDown", &TPanel::OnMouseDown);
  r.Event("OnMouseMove", &TPanel::OnMouseMove);
  r.Event("OnMouseUp", &TPanel::OnMouseUp);
  r.Event("OnResize", &TPanel::OnResize);
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetControlStyle(
      {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks});
  SetBounds(0, 0, 185, 41);
  SetColor(clBtnFace);
}

void TCustomPanel::Rearrange() {
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut bevel) {
  if (bevel == bevel_inner_) return;
  bevel_inner_ = bevel;
  Rearrange();
}

void TCustomPanel::SetBevelOuter(TBevelCut bevel) {
  if (bevel == bevel_outer_) return;
  bevel_outer_ = bevel;
  Rearrange();
}

void TCustomPanel::SetBevelWidth(int width) {
  width = std::max(width, 1);
  if (width == bevel_width_) return;
  bevel_width_ = width;
  Rearrange();
}

void TCustomPanel::SetBorderWidth(int width) {
  width = std::max(width, 0);
  if (width == border_width_) return;
  border_width_ = width;
  Rearrange();
}

void TCustomPanel::AdjustClientRect(TRect& rect) const {
  TCustomControl::AdjustClientRect(rect);
  int inset = border_width_;
  if (bevel_outer_ != bvNone) inset += bevel_width_;
  if (bevel_inner_ != bvNone) inset += bevel_width_;
  rect = InflateRect(rect, -inset, -inset);
}

}  // namespace qv
