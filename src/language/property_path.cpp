#include "language/property_path.h"

#include <exception>
#include <string>

#include "platform/text/string_utils.h"
#include "platform/vcl/type_info.h"

namespace ravlet {

bool SetPropertyByPath(qv::TObject* object, std::string_view name, std::string_view value) {
  if (object == nullptr || name.empty()) return false;
  try {
    const size_t dot = name.find('.');
    if (dot != std::string_view::npos) {
      const qv::TPropInfo* prop = qv::GetPropInfo(object, name.substr(0, dot));
      if (prop == nullptr || prop->Kind != qv::tkClass) return false;
      return SetPropertyByPath(prop->GetObject(*object), name.substr(dot + 1), value);
    }
    const qv::TPropInfo* prop = qv::GetPropInfo(object, name);
    if (prop == nullptr || !prop->Writable()) return false;
    // A package sets values; it does not re-wire event handlers or object links.
    if (prop->Kind == qv::tkMethod || prop->Kind == qv::tkClass) return false;
    if (prop->Kind == qv::tkEnumeration || prop->Kind == qv::tkSet) {
      qv::SetPropValue(object, name, qv::Trim(std::string(value)));
    } else {
      qv::SetPropValue(object, name, value);
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace ravlet
