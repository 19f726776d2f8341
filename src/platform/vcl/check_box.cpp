#include "platform/vcl/check_box.h"

namespace qv {

QV_DEFINE_CLASS(TCustomCheckBox, TButtonControl, r) {
  r.Message(WM_LBUTTONUP, &TCustomCheckBox::WMLButtonUp);
}

QV_DEFINE_CLASS(TCheckBox, TCustomCheckBox, r) {
  r.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment);
  r.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
  r.Property("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
  r.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
  r.Property("Color", &TCheckBox::Color, &TCheckBox::SetColor, "TColor");
  r.Property("Ctl3D", &TCheckBox::Ctl3D, &TCheckBox::SetCtl3D);
  r.Property("Enabled", &TCheckBox::Enabled, &TCheckBox::SetEnabled);
  r.Property("Font", &TCheckBox::Font, &TCheckBox::SetFont);
  r.Property("ParentColor", &TCheckBox::ParentColor, &TCheckBox::SetParentColor);
  r.Property("ParentCtl3D", &TCheckBox::ParentCtl3D, &TCheckBox::SetParentCtl3D);
  r.Property("ParentFont", &TCheckBox::ParentFont, &TCheckBox::SetParentFont);
  r.Property("ParentShowHint", &TCheckBox::ParentShowHint, &TCheckBox::SetParentShowHint);
  r.Property("ShowHint", &TCheckBox::ShowHint, &TCheckBox::SetShowHint);
  r.Property("State", &TCheckBox::State, &TCheckBox::SetState);
  r.Property("TabOrder", &TCheckBox::TabOrder, &TCheckBox::SetTabOrder);
  r.Property("TabStop", &TCheckBox::TabStop, &TCheckBox::SetTabStop);
  r.Property("Visible", &TCheckBox::Visible, &TCheckBox::SetVisible);
  r.Event("OnClick", &TCheckBox::OnClick);
  r.Event("OnEnter", &TCheckBox::OnEnter);
  r.Event("OnExit", &TCheckBox::OnExit);
  r.Event("OnKeyDown", &TCheckBox::OnKeyDown);
  r.Event("OnKeyPress", &TCheckBox::OnKeyPress);
  r.Event("OnKeyUp", &TCheckBox::OnKeyUp);
  r.Event("OnMouseDown", &TCheckBox::OnMouseDown);
  r.Event("OnMouseUp", &TCheckBox::OnMouseUp);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
  SetParentColor(true);
}

void TCustomCheckBox::SetState(TCheckBoxState state) {
  if (state == state_) return;
  state_ = state;
  Invalidate();
  if (!IsLoading()) Click();
}

void TCustomCheckBox::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked:
      SetState(allow_grayed_ ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
  }
}

// A click is the state change (which raises OnClick); the base's click on
// release is replaced.
void TCustomCheckBox::WMLButtonUp(TMessage& message) {
  TControlState state = ControlState();
  const bool clicked = state.Contains(csClicked);
  SetControlState(state.Exclude(csClicked));
  if (clicked && ClientRect().Contains({LParamX(message.LParam), LParamY(message.LParam)}))
    Toggle();
  Inherited(message);
}

void TCustomCheckBox::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYUP && message.WParam == VK_SPACE) {
    Toggle();
    return;
  }
  TButtonControl::DefaultHandler(message);
}

}  // namespace qv
