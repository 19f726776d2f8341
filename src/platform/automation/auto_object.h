#pragma once
// TAutoObject: the base of automation objects written in C++. A derived object
// registers its methods and properties by name in its constructor; Invoke finds
// them without regard to case, checks the argument count and turns every
// failure into an EOleError, so callers see one kind of error whatever the
// object raised.
//
//   class TCounter : public qv::TAutoObject {
//    public:
//     TCounter() : TAutoObject("TCounter") {
//       RegisterMethod("Next", 0, [this](Args&) { return qv::Variant(++count_); });
//       RegisterMethod("Swap", 1, [](Args& a) {
//         a.SetRef(0, qv::Variant("swapped"));  // raises unless passed by reference
//         return qv::Variant();
//       });
//       RegisterProperty("Count", [this] { return qv::Variant(count_); },
//                        [this](const qv::Variant& v) { count_ = v.AsInteger(); });
//     }
//    private:
//     int count_ = 0;
//   };
//
// The table is filled once, before the object is shared; Invoke only reads it,
// so calls on different threads need no lock of the base. An object that keeps
// state of its own guards it itself.

#include <cstddef>
#include <functional>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/automation/ole_error.h"
#include "platform/variant/dispatch.h"
#include "platform/variant/var_ref.h"
#include "platform/variant/variant.h"

namespace qv {

class TAutoObject : public IDispatch {
 public:
  // The arguments of one call as a method sees them. Indexes count from 0;
  // error texts count from 1, as a caller reads the argument list.
  class Args {
   public:
    Args(std::string_view operation, std::span<DispatchArg> args) noexcept
        : operation_(operation), args_(args) {}

    std::size_t Count() const noexcept { return args_.size(); }
    std::size_t size() const noexcept { return args_.size(); }
    // The value of argument i (the caller's variable for a by-reference one).
    // EOleError when the call has fewer arguments.
    const Variant& operator[](std::size_t i) const;
    bool IsByRef(std::size_t i) const;
    // Changes the caller's variable. EOleError when argument i was passed by
    // value: the caller would never see the change.
    void SetRef(std::size_t i, Variant value) const;
    std::string_view Operation() const noexcept { return operation_; }

   private:
    void CheckIndex(std::size_t i) const;

    std::string_view operation_;
    std::span<DispatchArg> args_;
  };

  using Method = std::function<Variant(Args&)>;
  using Getter = std::function<Variant()>;
  using Setter = std::function<void(const Variant&)>;

  static constexpr std::size_t kAnyCount = std::numeric_limits<std::size_t>::max();

  // Method: the registered method, or the getter of a property when no
  // arguments are given. PropertyGet: the getter, or a method (late-bound
  // callers do not always tell a property from a method without arguments).
  // PropertyPut: the setter with the last argument as the new value.
  Variant Invoke(std::string_view name, DispatchKind kind, std::span<DispatchArg> args) override;
  std::string ClassName() const override { return className_; }

  // Whether an operation or property of that name exists (any case).
  bool HasMethod(std::string_view name) const;
  bool HasProperty(std::string_view name) const;

 protected:
  explicit TAutoObject(std::string className);

  // Exactly argCount arguments, between minArgs and maxArgs, or any number.
  // Registering a name again replaces the earlier entry.
  void RegisterMethod(std::string name, std::size_t argCount, Method method);
  void RegisterMethod(std::string name, std::size_t minArgs, std::size_t maxArgs, Method method);
  void RegisterMethod(std::string name, Method method);
  // A property without a setter is read-only, one without a getter write-only.
  void RegisterProperty(std::string name, Getter getter, Setter setter = {});

 private:
  struct MethodEntry {
    std::string name;
    std::size_t minArgs;
    std::size_t maxArgs;
    Method method;
  };
  struct PropertyEntry {
    std::string name;
    Getter getter;
    Setter setter;
  };

  Variant CallMethod(const MethodEntry& entry, std::span<DispatchArg> args);
  Variant GetProperty(const PropertyEntry& entry, std::span<DispatchArg> args);
  void PutProperty(const PropertyEntry& entry, std::span<DispatchArg> args);
  [[noreturn]] void UnknownName(std::string_view name) const;

  std::string className_;
  std::unordered_map<std::string, MethodEntry> methods_;       // key: lower-case name
  std::unordered_map<std::string, PropertyEntry> properties_;  // key: lower-case name
};

}  // namespace qv
