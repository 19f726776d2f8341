#include "controls/qv_db_edit.h"

namespace ravlet {

QV_DEFINE_CLASS(TQvDBEdit, TDBEdit, r) {
  r.Property("Caption", &TQvDBEdit::Caption, &TQvDBEdit::SetCaption);
  r.Property("EditLabel", &TQvDBEdit::EditLabel);
  r.Property("LabelPosition", &TQvDBEdit::LabelPosition, &TQvDBEdit::SetLabelPosition);
  r.Property("LabelSpacing", &TQvDBEdit::LabelSpacing, &TQvDBEdit::SetLabelSpacing);
  r.Message(qv::CM_VISIBLECHANGED, &TQvDBEdit::CMFollowedChange);
  r.Message(qv::CM_ENABLEDCHANGED, &TQvDBEdit::CMFollowedChange);
}

TQvDBEdit::TQvDBEdit(qv::TComponent* owner) : TDBEdit(owner), label_part_(*this) {}

void TQvDBEdit::SetDataField(const std::string& field_name) {
  TDBEdit::SetDataField(field_name);
  if (!IsDesigning()) return;
  if (qv::TField* field = Field()) SetCaption(field->DisplayLabel());
}

void TQvDBEdit::SetParent(qv::TWinControl* parent) {
  TDBEdit::SetParent(parent);
  label_part_.FollowEdit();
}

void TQvDBEdit::Notification(qv::TComponent* component, qv::TOperation operation) {
  TDBEdit::Notification(component, operation);
  if (operation == qv::opRemove) label_part_.Forget(component);
}

void TQvDBEdit::BoundsChanged(bool moved, bool resized) {
  TDBEdit::BoundsChanged(moved, resized);
  label_part_.Place();
}

void TQvDBEdit::CMFollowedChange(qv::TMessage& message) {
  Inherited(message);
  label_part_.FollowEdit();
}

}  // namespace ravlet
