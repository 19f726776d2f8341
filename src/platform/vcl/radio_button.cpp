#include "platform/vcl/radio_button.h"

namespace qv {

QV_DEFINE_CLASS(TCustomRadioButton, TButtonControl, r) {
  r.Message(WM_LBUTTONUP, &TCustomRadioButton::WMLButtonUp);
}

QV_DEFINE_CLASS(TRadioButton, TCustomRadioButton, r) {
  r.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment);
  r.Property("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
  r.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
  r.Property("Color", &TRadioButton::Color, &TRadioButton::SetColor, "TColor");
  r.Property("Ctl3D", &TRadioButton::Ctl3D, &TRadioButton::SetCtl3D);
  r.Property("Enabled", &TRadioButton::Enabled, &TRadioButton::SetEnabled);
  r.Property("Font", &TRadioButton::Font, &TRadioButton::SetFont);
  r.Property("ParentColor", &TRadioButton::ParentColor, &TRadioButton::SetParentColor);
  r.Property("ParentFont", &TRadioButton::ParentFont, &TRadioButton::SetParentFont);
  r.Property("ParentShowHint", &TRadioButton::ParentShowHint, &TRadioButton::SetParentShowHint);
  r.Property("ShowHint", &TRadioButton::ShowHint, &TRadioButton::SetShowHint);
  r.Property("TabOrder", &TRadioButton::TabOrder, &TRadioButton::SetTabOrder);
  r.Property("TabStop", &TRadioButton::TabStop, &TRadioButton::SetTabStop);
  r.Property("Visible", &TRadioButton::Visible, &TRadioButton::SetVisible);
  r.Event("OnClick", &TRadioButton::OnClick);
  r.Event("OnDblClick", &TRadioButton::OnDblClick);
  r.Event("OnEnter", &TRadioButton::OnEnter);
  r.Event("OnExit", &TRadioButton::OnExit);
  r.Event("OnKeyDown", &TRadioButton::OnKeyDown);
  r.Event("OnKeyPress", &TRadioButton::OnKeyPress);
  r.Event("OnKeyUp", &TRadioButton::OnKeyUp);
}

TCustomRadioButton::TCustomRadioButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 113, 17);
  SetParentColor(true);
}

void TCustomRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  SetTabStop(checked);
  Invalidate();
  if (!checked) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = dynamic_cast<TCustomRadioButton*>(parent->Controls(i));
      if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
    }
  }
  if (!IsLoading()) Click();
}

void TCustomRadioButton::SetAlignment(TAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  Invalidate();
}

void TCustomRadioButton::WMLButtonUp(TMessage& message) {
  TControlState state = ControlState();
  const bool clicked = state.Contains(csClicked);
  SetControlState(state.Exclude(csClicked));
  if (clicked && ClientRect().Contains({LParamX(message.LParam), LParamY(message.LParam)}))
    SetChecked(true);
  Inherited(message);
}

void TCustomRadioButton::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYUP && message.WParam == VK_SPACE) {
    SetChecked(true);
    return;
  }
  TButtonControl::DefaultHandler(message);
}

}  // namespace qv
