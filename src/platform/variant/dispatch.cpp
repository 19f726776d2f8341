#include "platform/variant/dispatch.h"

#include <vector>

namespace qv {

namespace {

// A counted reference keeps the object alive even if the call clears the
// variant that held it.
std::shared_ptr<IDispatch> ObjectOf(const Variant& v) {
  std::shared_ptr<IDispatch> object = v.IsDispatch() ? v.AsDispatch() : nullptr;
  if (!object) throw EOleError("Variant does not reference an automation object");
  return object;
}

}  // namespace

Variant Variant::Call(std::string_view name, std::initializer_list<DispatchArg> args) const {
  std::vector<DispatchArg> list(args);
  return Call(name, std::span<DispatchArg>(list));
}

Variant Variant::Call(std::string_view name, std::span<DispatchArg> args) const {
  return ObjectOf(*this)->Invoke(name, DispatchKind::Method, args);
}

Variant Variant::Get(std::string_view name, std::initializer_list<DispatchArg> args) const {
  std::vector<DispatchArg> list(args);
  return ObjectOf(*this)->Invoke(name, DispatchKind::PropertyGet, list);
}

void Variant::Put(std::string_view name, const Variant& value) const {
  DispatchArg arg(value);
  ObjectOf(*this)->Invoke(name, DispatchKind::PropertyPut, std::span<DispatchArg>(&arg, 1));
}

}  // namespace qv
