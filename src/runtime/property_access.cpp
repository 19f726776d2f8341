#include "runtime/property_access.h"

#include "platform/vcl/exceptions.h"
#include "platform/vcl/type_info.h"

namespace ravlet {
namespace {

qv::TPropertyTarget Find(const qv::TObject* component, std::string_view name) {
  if (component == nullptr || name.empty()) return {};
  return qv::FindPropertyTarget(component, name);
}

bool IsOrdinal(qv::TTypeKind kind) {
  return kind == qv::tkInteger || kind == qv::tkChar || kind == qv::tkEnumeration ||
         kind == qv::tkSet;
}

}  // namespace

std::string GetStrPropByName(const qv::TObject* component, std::string_view name) {
  const qv::TPropertyTarget target = Find(component, name);
  if (!target || target.Prop->Kind != qv::tkLString) return {};
  return target.Prop->GetStr(*target.Instance);
}

void SetStrPropByName(qv::TObject* component, std::string_view name, std::string_view value) {
  const qv::TPropertyTarget target = Find(component, name);
  if (!target || target.Prop->Kind != qv::tkLString || !target.Prop->SetStr) return;
  target.Prop->SetStr(*target.Instance, std::string(value));
}

int64_t GetOrdPropByName(const qv::TObject* component, std::string_view name) {
  const qv::TPropertyTarget target = Find(component, name);
  if (!target || !IsOrdinal(target.Prop->Kind)) return 0;
  return target.Prop->GetOrd(*target.Instance);
}

void SetOrdPropByName(qv::TObject* component, std::string_view name, int64_t value) {
  const qv::TPropertyTarget target = Find(component, name);
  if (!target || !IsOrdinal(target.Prop->Kind) || !target.Prop->SetOrd) return;
  try {
    // The property layer refuses values outside the property's type.
    qv::SetOrdProp(target.Instance, target.Prop->Name, value);
  } catch (const qv::EPropertyConvertError&) {
  }
}

qv::TMethod GetMethodPropByName(const qv::TObject* component, std::string_view name) {
  const qv::TPropertyTarget target = Find(component, name);
  if (!target || target.Prop->Kind != qv::tkMethod) return {};
  return target.Prop->GetMethod(*target.Instance);
}

void SetMethodPropByName(qv::TObject* component, std::string_view name,
                         const qv::TMethod& handler) {
  const qv::TPropertyTarget target = Find(component, name);
  if (!target || target.Prop->Kind != qv::tkMethod || !target.Prop->SetMethod) return;
  if (handler.Code && handler.Code->Signature() != target.Prop->Signature) return;
  target.Prop->SetMethod(*target.Instance, handler);
}

bool HasPropertyByName(const qv::TObject* component, std::string_view name) {
  return static_cast<bool>(Find(component, name));
}

void SimulateClick(qv::TControl* control, qv::WPARAM wparam, qv::LPARAM lparam) {
  if (control == nullptr) return;
  control->Perform(qv::WM_LBUTTONDOWN, wparam, lparam);
  control->Perform(qv::WM_LBUTTONUP, wparam, lparam);
}

}  // namespace ravlet
