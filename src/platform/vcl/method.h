#pragma once
// Events as method references: an object and one of its operations, as the
// original framework's "procedure of object". A reference can be stored,
// compared, replaced and called; the property layer reads and writes it in
// its untyped form TMethod, and TEvent<Args...> is the typed form a class
// holds for each of its events. Calling an unassigned event does nothing.

#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeindex>
#include <utility>

#include "platform/vcl/exceptions.h"
#include "platform/vcl/object.h"

namespace qv {

// An operation that can be called on an object of some class.
class TMethodCode {
 public:
  virtual ~TMethodCode() = default;
  // The argument list, as the type void(Args...).
  virtual std::type_index Signature() const = 0;
  // True when both stand for the same operation.
  virtual bool SameCode(const TMethodCode& other) const = 0;
  // The name under which the operation is published; empty otherwise.
  const std::string& Name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }

 private:
  std::string name_;
};

template <typename... Args>
class TMethodCodeOf : public TMethodCode {
 public:
  std::type_index Signature() const final { return typeid(void(Args...)); }
  virtual void Invoke(TObject* data, Args... args) const = 0;
};

// A member function of class C.
template <typename C, typename... Args>
class TMemberMethodCode final : public TMethodCodeOf<Args...> {
 public:
  using Member = void (C::*)(Args...);
  explicit TMemberMethodCode(Member member) : member_(member) {}

  void Invoke(TObject* data, Args... args) const override {
    C* object = dynamic_cast<C*>(data);
    if (object == nullptr) throw EInvalidCast("Method called on an object of another class");
    (object->*member_)(std::forward<Args>(args)...);
  }
  bool SameCode(const TMethodCode& other) const override {
    const auto* same = dynamic_cast<const TMemberMethodCode*>(&other);
    return same != nullptr && same->member_ == member_;
  }

 private:
  Member member_;
};

// Any callable; two references to it are the same when they share it.
template <typename... Args>
class TFunctionMethodCode final : public TMethodCodeOf<Args...> {
 public:
  explicit TFunctionMethodCode(std::function<void(Args...)> function)
      : function_(std::move(function)) {}
  void Invoke(TObject*, Args... args) const override { function_(std::forward<Args>(args)...); }
  bool SameCode(const TMethodCode& other) const override { return this == &other; }

 private:
  std::function<void(Args...)> function_;
};

// The untyped method reference: the object (Data) and the operation (Code).
struct TMethod {
  TObject* Data = nullptr;
  std::shared_ptr<const TMethodCode> Code;

  bool Assigned() const { return Code != nullptr; }
  explicit operator bool() const { return Assigned(); }
  friend bool operator==(const TMethod& a, const TMethod& b) {
    if (!a.Code || !b.Code) return !a.Code && !b.Code;
    return a.Data == b.Data && a.Code->SameCode(*b.Code);
  }
};

template <typename... Args>
class TEvent {
 public:
  using Code = TMethodCodeOf<Args...>;

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  // An operation of an object.
  template <typename C, typename D>
  requires std::is_base_of_v<C, D> && std::is_base_of_v<TObject, D> TEvent(
      D* object, void (C::*member)(Args...)) {
    if (object != nullptr && member != nullptr) {
      method_.Data = object;
      method_.Code = std::make_shared<TMemberMethodCode<C, Args...>>(member);
    }
  }
  // A handler of its own, not bound to an object.
  template <typename F>
  requires std::is_invocable_v<F&, Args...> &&(!std::is_base_of_v<TEvent, std::decay_t<F>>)&&(
      !std::is_same_v<std::decay_t<F>, std::nullptr_t>)TEvent(F&& handler)
      : TEvent(nullptr, std::forward<F>(handler)) {}
  // A handler on behalf of an object: it compares by that object and handler.
  template <typename F>
  requires std::is_invocable_v<F&, Args...> TEvent(TObject* data, F&& handler) {
    method_.Data = data;
    method_.Code = std::make_shared<TFunctionMethodCode<Args...>>(
        std::function<void(Args...)>(std::forward<F>(handler)));
  }
  // From the untyped form; raises EInvalidCast when the operation takes
  // other arguments than this event passes.
  explicit TEvent(const TMethod& method) {
    if (method.Code && method.Code->Signature() != Signature())
      throw EInvalidCast("Method does not match the event's arguments");
    method_ = method;
  }

  static std::type_index Signature() { return typeid(void(Args...)); }

  bool Assigned() const { return method_.Code != nullptr; }
  explicit operator bool() const { return Assigned(); }
  const TMethod& Method() const { return method_; }
  TObject* Data() const { return method_.Data; }

  void operator()(Args... args) const {
    if (method_.Code)
      static_cast<const Code&>(*method_.Code).Invoke(method_.Data, std::forward<Args>(args)...);
  }

  friend bool operator==(const TEvent& a, const TEvent& b) { return a.method_ == b.method_; }

 private:
  TMethod method_;
};

// Calls an untyped method with the given arguments; raises EInvalidCast when
// it takes other arguments. An unassigned method does nothing.
template <typename... Args, typename... Values>
void CallMethod(const TMethod& method, Values&&... values) {
  const TEvent<Args...> event(method);
  event(std::forward<Values>(values)...);
}

}  // namespace qv

// Declares a named event type: QV_EVENT_TYPE(TNotifyEvent, TObject*);
#define QV_EVENT_TYPE(Name, ...)                                    \
  struct Name : ::qv::TEvent<__VA_ARGS__> {                         \
    using ::qv::TEvent<__VA_ARGS__>::TEvent;                        \
    Name() = default;                                               \
    Name(const ::qv::TEvent<__VA_ARGS__>& other) : TEvent(other) {} \
    static constexpr const char* kTypeName = #Name;                 \
  }
