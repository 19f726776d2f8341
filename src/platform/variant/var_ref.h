#pragma once
// Arguments of late-bound calls. A DispatchArg is either a value or a reference
// to the caller's variable (VarRef), so that a callee that changes a
// by-reference argument changes the caller's variable.

#include <type_traits>
#include <utility>
#include <variant>

#include "platform/variant/variant.h"

namespace qv {

// A reference to a caller's Variant; the caller keeps the variable alive for
// the duration of the call.
class VarRef {
 public:
  explicit VarRef(Variant& target) noexcept : target_(&target) {}
  Variant& Get() const noexcept { return *target_; }
  Variant* operator->() const noexcept { return target_; }
  Variant& operator*() const noexcept { return *target_; }

 private:
  Variant* target_;
};

class DispatchArg {
 public:
  DispatchArg() = default;
  DispatchArg(VarRef ref) noexcept : arg_(ref) {}
  // Anything a Variant can be made of is passed by value.
  template <class T>
  requires(!std::is_same_v<std::remove_cvref_t<T>, VarRef> &&
           !std::is_same_v<std::remove_cvref_t<T>, DispatchArg> &&
           std::is_constructible_v<Variant, T>) DispatchArg(T&& value)
      : arg_(std::in_place_type<Variant>, std::forward<T>(value)) {}

  bool IsByRef() const noexcept { return arg_.index() == 1; }
  // The value, or the referenced variable; writing to it changes the caller's
  // variable when the argument is by reference.
  Variant& Value() noexcept;
  const Variant& Value() const noexcept;

 private:
  std::variant<Variant, VarRef> arg_;
};

inline Variant& DispatchArg::Value() noexcept {
  if (auto* ref = std::get_if<VarRef>(&arg_)) return ref->Get();
  return std::get<Variant>(arg_);
}

inline const Variant& DispatchArg::Value() const noexcept {
  if (auto* ref = std::get_if<VarRef>(&arg_)) return ref->Get();
  return std::get<Variant>(arg_);
}

}  // namespace qv
