#pragma once
// The link between data-aware controls and a client data set. A control that
// publishes "DataSource" and "DataField" shows the field of that name of the
// source's data set.

#include <string>

#include "platform/midas/client_data_set.h"
#include "platform/vcl/component.h"

namespace ravlet {

class TDataSource : public qv::TComponent {
  QV_DECLARE_CLASS(TDataSource)

  explicit TDataSource(qv::TComponent* owner);

  // The data set is not owned; whoever frees it first sets this to null.
  qv::TClientDataSet* DataSet() const { return data_set_; }
  void SetDataSet(qv::TClientDataSet* data_set) { data_set_ = data_set; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

 private:
  qv::TClientDataSet* data_set_ = nullptr;
  bool enabled_ = true;
};

// The field a data-aware control names: the field called by its "DataField"
// in the data set of its "DataSource". Null when the control publishes
// neither, no data set is assigned or the data set has no such field.
qv::TField* FindControlField(const qv::TObject* control);

}  // namespace ravlet
