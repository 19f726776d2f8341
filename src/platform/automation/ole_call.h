#pragma once
// Late-bound calls on variants that hold automation objects, for callers that
// want one kind of failure: whatever the object or the way to it raises
// arrives as EOleError (an EOleException naming the original class when it
// was another error), and a variant without an object raises EOleError too.
//
//   qv::Variant reply;
//   qv::OleCall(counter, "GetCounter", {"SimpleSQL", qv::VarRef(reply), query});

#include <initializer_list>
#include <span>
#include <string_view>

#include "platform/automation/ole_error.h"
#include "platform/variant/dispatch.h"
#include "platform/variant/var_ref.h"
#include "platform/variant/variant.h"

namespace qv {

// True when the variant holds an object (not Empty, not a null object).
bool VarIsDispatchObject(const Variant& v) noexcept;

Variant OleCall(const Variant& object, std::string_view name,
                std::initializer_list<DispatchArg> args = {});
Variant OleCall(const Variant& object, std::string_view name, std::span<DispatchArg> args);
Variant OlePropertyGet(const Variant& object, std::string_view name);
// The value may be a VarRef when the object wants the caller's variable.
void OlePropertySet(const Variant& object, std::string_view name, DispatchArg value);

}  // namespace qv
