#pragma once
// The data-aware edit: an edit that shows a field of the current record of
// its data source's data set and can write its text back while that record is
// being edited. The data set does not announce its moves, so its user calls
// DataChange after moving it.

#include <string>

#include "controls/data_source.h"
#include "platform/vcl/edit.h"

namespace ravlet {

class TDBEdit : public qv::TEdit {
  QV_DECLARE_CLASS(TDBEdit)

  explicit TDBEdit(qv::TComponent* owner);

  TDataSource* DataSource() const { return data_source_; }
  virtual void SetDataSource(TDataSource* source);
  const std::string& DataField() const { return data_field_; }
  virtual void SetDataField(const std::string& field_name);
  // Null when unbound, without a data set or without such a field.
  qv::TField* Field() const { return FindControlField(this); }

  // Shows the field's text of the current record (empty without one).
  void DataChange();
  // Puts the text into the field when its data set is being edited; true
  // when it was written.
  bool UpdateRecord();

  void Notification(qv::TComponent* component, qv::TOperation operation) override;

 protected:
  void Loaded() override;

 private:
  TDataSource* data_source_ = nullptr;
  std::string data_field_;
};

}  // namespace ravlet
