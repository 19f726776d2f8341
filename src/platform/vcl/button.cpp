#include "platform/vcl/button.h"

namespace qv {

QV_DEFINE_CLASS(TButtonControl, TWinControl, r) {}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

QV_DEFINE_CLASS(TButton, TButtonControl, r) {
  r.Property("Cancel", &TButton::Cancel, &TButton::SetCancel);
  r.Property("Caption", &TButton::Caption, &TButton::SetCaption);
  r.Property("Default", &TButton::Default, &TButton::SetDefault);
  r.Property("Enabled", &TButton::Enabled, &TButton::SetEnabled);
  r.Property("Font", &TButton::Font, &TButton::SetFont);
  r.Property("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, "TModalResult");
  r.Property("ParentFont", &TButton::ParentFont, &TButton::SetParentFont);
  r.Property("ParentShowHint", &TButton::ParentShowHint, &TButton::SetParentShowHint);
  r.Property("ShowHint", &TButton::ShowHint, &TButton::SetShowHint);
  r.Property("TabOrder", &TButton::TabOrder, &TButton::SetTabOrder);
  r.Property("TabStop", &TButton::TabStop, &TButton::SetTabStop);
  r.Property("Visible", &TButton::Visible, &TButton::SetVisible);
  r.Event("OnClick", &TButton::OnClick);
  r.Event("OnEnter", &TButton::OnEnter);
  r.Event("OnExit", &TButton::OnExit);
  r.Event("OnKeyDown", &TButton::OnKeyDown);
  r.Event("OnKeyPress", &TButton::OnKeyPress);
  r.Event("OnKeyUp", &TButton::OnKeyUp);
  r.Event("OnMouseDown", &TButton::OnMouseDown);
  r.Event("OnMouseUp", &TButton::OnMouseUp);
  r.Message(CM_DIALOGKEY, &TButton::CMDialogKey);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modal_result_);
  TButtonControl::Click();
}

bool TButton::TakesEnter() const {
  if (Focused()) return true;
  if (!default_) return false;
  const TCustomForm* form = GetParentForm(this);
  return form == nullptr || dynamic_cast<TButton*>(form->FocusedControl()) == nullptr;
}

void TButton::CMDialogKey(TMessage& message) {
  const bool plain = KeyDataToShiftState(message.LParam).Empty();
  if (plain && CanFocus() &&
      ((message.WParam == VK_RETURN && TakesEnter()) || (message.WParam == VK_ESCAPE && cancel_))) {
    Click();
    message.Result = 1;
    return;
  }
  Inherited(message);
}

void TButton::DefaultHandler(TMessage& message) {
  if (message.Msg == WM_KEYUP && message.WParam == VK_SPACE) {
    Click();
    return;
  }
  TButtonControl::DefaultHandler(message);
}

}  // namespace qv
