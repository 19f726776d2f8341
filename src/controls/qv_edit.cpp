#include "controls/qv_edit.h"

namespace ravlet {

QV_DEFINE_CLASS(TQvEdit, qv::TEdit, r) {
  r.Property("Caption", &TQvEdit::Caption, &TQvEdit::SetCaption);
  r.Property("EditLabel", &TQvEdit::EditLabel);
  r.Property("LabelPosition", &TQvEdit::LabelPosition, &TQvEdit::SetLabelPosition);
  r.Property("LabelSpacing", &TQvEdit::LabelSpacing, &TQvEdit::SetLabelSpacing);
  r.Message(qv::CM_VISIBLECHANGED, &TQvEdit::CMFollowedChange);
  r.Message(qv::CM_ENABLEDCHANGED, &TQvEdit::CMFollowedChange);
}

TQvEdit::TQvEdit(qv::TComponent* owner) : qv::TEdit(owner), label_part_(*this) {}

void TQvEdit::SetParent(qv::TWinControl* parent) {
  qv::TEdit::SetParent(parent);
  label_part_.FollowEdit();
}

void TQvEdit::Notification(qv::TComponent* component, qv::TOperation operation) {
  qv::TEdit::Notification(component, operation);
  if (operation == qv::opRemove) label_part_.Forget(component);
}

void TQvEdit::BoundsChanged(bool moved, bool resized) {
  qv::TEdit::BoundsChanged(moved, resized);
  label_part_.Place();
}

void TQvEdit::CMFollowedChange(qv::TMessage& message) {
  Inherited(message);
  label_part_.FollowEdit();
}

}  // namespace ravlet
