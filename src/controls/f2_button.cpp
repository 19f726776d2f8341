#include "controls/f2_button.h"

#include "controls/open_lookup.h"
#include "platform/vcl/dialogs.h"
#include "platform/vcl/win_control.h"

namespace ravlet {

QV_DEFINE_CLASS(TF2Button, TGSpeedButton, r) {
  r.Property("AutoAlign", &TF2Button::AutoAlign, &TF2Button::SetAutoAlign);
  r.Property("F2Control", &TF2Button::F2Control, &TF2Button::SetF2Control);
  r.Property("Gap", &TF2Button::Gap, &TF2Button::SetGap);
}

TF2Button::TF2Button(qv::TComponent* owner) : TGSpeedButton(owner) {
  SetFlat(true);
  SetGlyphIndex(8);
}

bool TF2Button::BoundByAnother(const qv::TWinControl* control) const {
  // A button without a parent yet looks among its owner's components.
  const qv::TComponent* scope =
      Parent() != nullptr ? static_cast<const qv::TComponent*>(Parent()) : Owner();
  if (scope == nullptr) return false;
  for (int i = 0; i < scope->ComponentCount(); ++i) {
    const auto* other = dynamic_cast<const TF2Button*>(scope->Components(i));
    if (other != nullptr && other != this && other->F2Control() == control) return true;
  }
  return false;
}

void TF2Button::SetF2Control(qv::TWinControl* control) {
  if (control == f2_control_) return;
  if (control != nullptr && BoundByAnother(control)) {
    qv::MessageDlg("不能同时有两个 F2Button 指到同一个 Edit.", qv::mtError, {qv::mbOK});
    return;
  }
  if (f2_control_ != nullptr) f2_control_->RemoveFreeNotification(this);
  f2_control_ = control;
  if (f2_control_ != nullptr) f2_control_->FreeNotification(this);
  Place();
}

void TF2Button::SetAutoAlign(bool auto_align) {
  if (auto_align == auto_align_) return;
  auto_align_ = auto_align;
  Place();
}

void TF2Button::SetGap(uint8_t gap) {
  if (gap == gap_) return;
  gap_ = gap;
  Place();
}

void TF2Button::Place() {
  if (!auto_align_ || f2_control_ == nullptr) return;
  const int size = f2_control_->Height();
  SetBounds(f2_control_->Left() + f2_control_->Width() + gap_, f2_control_->Top(), size, size);
}

void TF2Button::Click() {
  TGSpeedButton::Click();
  qv::TWinControl* control = f2_control_;
  if (control == nullptr || !control->Enabled()) return;
  if (control->CanFocus() && qv::GetParentForm(control) != nullptr) control->SetFocus();
  if (control->Focused()) SendOpenLookup(control);
}

void TF2Button::Notification(qv::TComponent* component, qv::TOperation operation) {
  TGSpeedButton::Notification(component, operation);
  if (operation == qv::opRemove && component == f2_control_) f2_control_ = nullptr;
}

}  // namespace ravlet
