#include "platform/automation/ole_call.h"

#include <memory>
#include <string>
#include <vector>

namespace qv {

namespace {

Variant InvokeOn(const Variant& object, std::string_view name, DispatchKind kind,
                 std::span<DispatchArg> args) {
  // A counted reference keeps the object alive even if the call clears the
  // variant that held it (the variant may be one of the arguments).
  std::shared_ptr<IDispatch> target = VarIsDispatchObject(object) ? object.AsDispatch() : nullptr;
  if (!target) {
    throw EOleError("Cannot call \"" + std::string(name) +
                    "\": the variant does not hold an automation object (" +
                    VarTypeAsText(object.VarType()) + ")");
  }
  try {
    return target->Invoke(name, kind, args);
  } catch (...) {
    RethrowAsOleError();
  }
}

}  // namespace

bool VarIsDispatchObject(const Variant& v) noexcept {
  return v.IsDispatch() && v.AsDispatch() != nullptr;
}

Variant OleCall(const Variant& object, std::string_view name,
                std::initializer_list<DispatchArg> args) {
  std::vector<DispatchArg> list(args);
  return InvokeOn(object, name, DispatchKind::Method, list);
}

Variant OleCall(const Variant& object, std::string_view name, std::span<DispatchArg> args) {
  return InvokeOn(object, name, DispatchKind::Method, args);
}

Variant OlePropertyGet(const Variant& object, std::string_view name) {
  return InvokeOn(object, name, DispatchKind::PropertyGet, {});
}

void OlePropertySet(const Variant& object, std::string_view name, DispatchArg value) {
  InvokeOn(object, name, DispatchKind::PropertyPut, std::span<DispatchArg>(&value, 1));
}

}  // namespace qv
