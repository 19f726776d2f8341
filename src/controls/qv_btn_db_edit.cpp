#include "controls/qv_btn_db_edit.h"

#include "controls/open_lookup.h"

namespace ravlet {

QV_DEFINE_CLASS(TQvBtnDBEdit, TQvDBEdit, r) {
  r.Property("ButtonHint", &TQvBtnDBEdit::ButtonHint, &TQvBtnDBEdit::SetButtonHint);
  r.Property("ButtonSpacing", &TQvBtnDBEdit::ButtonSpacing, &TQvBtnDBEdit::SetButtonSpacing);
  r.Property("GlyphIndex", &TQvBtnDBEdit::GlyphIndex, &TQvBtnDBEdit::SetGlyphIndex);
  r.Event("OnDialog", &TQvBtnDBEdit::OnDialog);
  r.Message(qv::CM_VISIBLECHANGED, &TQvBtnDBEdit::CMButtonFollows);
  r.Message(qv::CM_ENABLEDCHANGED, &TQvBtnDBEdit::CMButtonFollows);
}

TQvBtnDBEdit::TQvBtnDBEdit(qv::TComponent* owner) : TQvDBEdit(owner) {
  button_ = qv::Create<TGSpeedButton>(this);
  button_->SetName("F2Button");
  button_->SetFlat(true);
  button_->SetGlyphIndex(8);
  button_->OnClick = qv::TNotifyEvent(this, [this](qv::TObject* sender) { ButtonClick(sender); });
  PlaceButton();
}

void TQvBtnDBEdit::SetButtonSpacing(int spacing) {
  if (spacing == button_spacing_) return;
  button_spacing_ = spacing;
  PlaceButton();
}

void TQvBtnDBEdit::SetGlyphIndex(int index) {
  if (button_ != nullptr) button_->SetGlyphIndex(index);
}

void TQvBtnDBEdit::SetButtonHint(const std::string& hint) {
  if (button_ != nullptr) button_->SetHint(hint);
}

void TQvBtnDBEdit::PlaceButton() {
  if (button_ == nullptr) return;
  button_->SetParent(Parent());
  button_->SetVisible(Visible());
  button_->SetEnabled(Enabled());
  button_->SetBounds(Left() + Width() + button_spacing_, Top(), Height(), Height());
}

void TQvBtnDBEdit::ButtonClick(qv::TObject*) {
  if (OnDialog) {
    OnDialog(this);
    return;
  }
  if (CanFocus() && qv::GetParentForm(this) != nullptr) SetFocus();
  if (Focused()) SendOpenLookup(this);
}

void TQvBtnDBEdit::SetParent(qv::TWinControl* parent) {
  TQvDBEdit::SetParent(parent);
  PlaceButton();
}

void TQvBtnDBEdit::Notification(qv::TComponent* component, qv::TOperation operation) {
  TQvDBEdit::Notification(component, operation);
  if (operation == qv::opRemove && component == button_) button_ = nullptr;
}

void TQvBtnDBEdit::BoundsChanged(bool moved, bool resized) {
  TQvDBEdit::BoundsChanged(moved, resized);
  PlaceButton();
}

void TQvBtnDBEdit::CMButtonFollows(qv::TMessage& message) {
  Inherited(message);
  PlaceButton();
}

}  // namespace ravlet
