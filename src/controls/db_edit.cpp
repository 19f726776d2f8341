#include "controls/db_edit.h"

namespace ravlet {

QV_DEFINE_CLASS(TDBEdit, qv::TEdit, r) {
  r.Property("DataField", &TDBEdit::DataField, &TDBEdit::SetDataField);
  r.Property("DataSource", &TDBEdit::DataSource, &TDBEdit::SetDataSource);
}

TDBEdit::TDBEdit(qv::TComponent* owner) : qv::TEdit(owner) {}

void TDBEdit::SetDataSource(TDataSource* source) {
  if (source == data_source_) return;
  if (data_source_ != nullptr) data_source_->RemoveFreeNotification(this);
  data_source_ = source;
  if (data_source_ != nullptr) data_source_->FreeNotification(this);
  DataChange();
}

void TDBEdit::SetDataField(const std::string& field_name) {
  if (field_name == data_field_) return;
  data_field_ = field_name;
  DataChange();
}

void TDBEdit::DataChange() {
  if (IsLoading()) return;
  qv::TField* field = Field();
  std::string text;
  if (field != nullptr && field->DataSet().Active()) text = field->Text();
  SetText(text);
  SetModified(false);
}

bool TDBEdit::UpdateRecord() {
  qv::TField* field = Field();
  if (field == nullptr || field->DataSet().State() != qv::TDataSetState::dsEdit) return false;
  field->SetText(Text());
  SetModified(false);
  return true;
}

void TDBEdit::Loaded() {
  qv::TEdit::Loaded();
  DataChange();
}

void TDBEdit::Notification(qv::TComponent* component, qv::TOperation operation) {
  qv::TEdit::Notification(component, operation);
  if (operation == qv::opRemove && component == data_source_) data_source_ = nullptr;
}

}  // namespace ravlet
