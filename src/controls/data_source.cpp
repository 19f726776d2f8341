#include "controls/data_source.h"

#include "platform/vcl/type_info.h"

namespace ravlet {

QV_DEFINE_CLASS(TDataSource, qv::TComponent, r) {
  r.Property("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled);
}

TDataSource::TDataSource(qv::TComponent* owner) : qv::TComponent(owner) {}

qv::TField* FindControlField(const qv::TObject* control) {
  if (control == nullptr) return nullptr;
  const qv::TPropInfo* source_prop = qv::GetPropInfo(control, "DataSource");
  const qv::TPropInfo* field_prop = qv::GetPropInfo(control, "DataField");
  if (source_prop == nullptr || source_prop->Kind != qv::tkClass || field_prop == nullptr ||
      field_prop->Kind != qv::tkLString)
    return nullptr;
  const auto* source = dynamic_cast<const TDataSource*>(source_prop->GetObject(*control));
  if (source == nullptr || source->DataSet() == nullptr) return nullptr;
  return source->DataSet()->FindField(field_prop->GetStr(*control));
}

}  // namespace ravlet
