#pragma once
// Class information: the class name, the parent class, the published
// properties, published operations and message handlers of each class,
// declared once next to the class and inherited along the class chain.
//
// In the header, inside the class:      QV_DECLARE_CLASS(TMyControl)
// In the source file:
//
//   QV_DEFINE_CLASS(TMyControl, TWinControl, r) {
//     r.Property("Caption", &TMyControl::Caption, &TMyControl::SetCaption);
//     r.Property("Color", &TMyControl::Color, &TMyControl::SetColor, "TColor");
//     r.Event("OnClick", &TMyControl::OnClick);
//     r.Method("ButtonClick", &TMyControl::ButtonClick);
//     r.Message(WM_LBUTTONDOWN, &TMyControl::WMLButtonDown);
//   }
//
// A property's kind follows the C++ type its getter returns: bool and
// QV_ENUM enumerations are enumerations, TSet<E> a set, char a character,
// other integers integers (the optional type name, e.g. "TColor", selects
// registered identifiers), floating types floats, std::string text, a
// TStrings pointer a string list and a pointer to a TObject class an object.

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeindex>
#include <vector>

#include "platform/text/string_list.h"
#include "platform/vcl/enum_type.h"
#include "platform/vcl/messages.h"
#include "platform/vcl/method.h"
#include "platform/vcl/object.h"
#include "platform/vcl/set.h"

namespace qv {

QV_ENUM(TTypeKind, tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkLString, tkSet, tkClass,
        tkMethod, tkStrings);

class TClassInfo;

// One published property. Only the accessors of its kind are set; a
// property without a setter is read-only.
struct TPropInfo {
  std::string Name;
  TTypeKind Kind = tkUnknown;
  // Integer, enumeration, set (its own type name), float, text and event types.
  std::string DeclaredTypeName;
  // Enumerations: the type; sets: the element type.
  const TEnumTypeInfo* EnumType = nullptr;
  // Objects: the class the property holds (resolved when first asked).
  const TClassInfo& (*ObjectClass)() = nullptr;
  // Events: the argument list as void(Args...).
  std::type_index Signature{typeid(void)};
  // Integers: the range of the C++ type.
  int64_t MinValue = 0;
  int64_t MaxValue = 0;

  std::function<int64_t(const TObject&)> GetOrd;
  std::function<void(TObject&, int64_t)> SetOrd;
  std::function<double(const TObject&)> GetFloat;
  std::function<void(TObject&, double)> SetFloat;
  std::function<std::string(const TObject&)> GetStr;
  std::function<void(TObject&, const std::string&)> SetStr;
  std::function<TObject*(const TObject&)> GetObject;
  std::function<void(TObject&, TObject*)> SetObject;
  std::function<TMethod(const TObject&)> GetMethod;
  std::function<void(TObject&, const TMethod&)> SetMethod;
  std::function<TStrings*(const TObject&)> GetStrings;
  std::function<void(TObject&, const TStrings&)> SetStrings;

  // The type's name: "Integer", "TColor", "TAlign", "Boolean", "TFont" ...
  std::string TypeName() const;
  const TClassInfo* ClassType() const { return ObjectClass ? &ObjectClass() : nullptr; }
  bool Writable() const;
};

using TMessageHandler = std::function<void(TObject&, TMessage&)>;

class TClassInfo {
 public:
  TClassInfo(std::string name, const TClassInfo* parent)
      : name_(std::move(name)), parent_(parent) {}
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const { return parent_; }
  bool InheritsFrom(const TClassInfo& other) const;
  bool InheritsFrom(std::string_view class_name) const;

  // The property of that name (without regard to case), declared by this
  // class or inherited; null when there is none.
  const TPropInfo* FindProperty(std::string_view name) const;
  // All published properties, the base class's first; a property a class
  // publishes again keeps its place.
  std::vector<const TPropInfo*> Properties() const;

  const TMethodCode* FindMethod(std::string_view name) const;
  std::shared_ptr<const TMethodCode> FindMethodShared(std::string_view name) const;
  // The published name of an operation; empty when it is not published.
  std::string MethodName(const TMethodCode& code) const;

  // The handler this class itself registered for a message number.
  const TMessageHandler* OwnMessageHandler(unsigned msg) const;

  // Class names from just below the class named `base` down to this class,
  // the base-most first. When `base` is not an ancestor, the whole chain.
  std::vector<std::string> ClassNamesBelow(std::string_view base) const;

  // A registered class by name, or null. A class is registered when its
  // information is first asked for.
  static const TClassInfo* FindClass(std::string_view name);

 private:
  template <typename C>
  friend class TClassBuilder;
  friend class TClassBuilderBase;

  std::string name_;
  const TClassInfo* parent_;
  std::vector<std::unique_ptr<TPropInfo>> properties_;
  std::vector<std::shared_ptr<TMethodCode>> methods_;
  std::vector<std::pair<unsigned, TMessageHandler>> messages_;
};

// Creates the information of a class; it lives as long as the process.
TClassInfo& NewClassInfo(std::string name, const TClassInfo* parent);

class TClassBuilderBase {
 public:
  explicit TClassBuilderBase(TClassInfo& info) : info_(info) {}

 protected:
  TPropInfo& AddProperty(std::string_view name, TTypeKind kind);
  void AddMethod(std::string_view name, std::shared_ptr<TMethodCode> code);
  void AddMessage(unsigned msg, TMessageHandler handler);

 private:
  TClassInfo& info_;
};

namespace detail {

template <typename T>
struct SetTraits : std::false_type {};
template <typename E>
struct SetTraits<TSet<E>> : std::true_type {
  using Element = E;
};

template <typename T>
constexpr TTypeKind KindOf() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<U, bool>) {
    return tkEnumeration;
  } else if constexpr (std::is_same_v<U, char>) {
    return tkChar;
  } else if constexpr (std::is_enum_v<U>) {
    return tkEnumeration;
  } else if constexpr (SetTraits<U>::value) {
    return tkSet;
  } else if constexpr (std::is_integral_v<U>) {
    return tkInteger;
  } else if constexpr (std::is_floating_point_v<U>) {
    return tkFloat;
  } else if constexpr (std::is_same_v<U, std::string>) {
    return tkLString;
  } else if constexpr (std::is_pointer_v<U> &&
                       std::is_base_of_v<TStrings, std::remove_pointer_t<U>>) {
    return tkStrings;
  } else if constexpr (std::is_pointer_v<U> &&
                       std::is_base_of_v<TObject, std::remove_pointer_t<U>>) {
    return tkClass;
  } else {
    return tkUnknown;
  }
}

template <typename T>
int64_t ToOrdinal(const T& value) {
  if constexpr (SetTraits<T>::value) {
    return static_cast<int64_t>(value.Bits());
  } else if constexpr (std::is_same_v<T, char>) {
    return static_cast<unsigned char>(value);
  } else {
    return static_cast<int64_t>(value);
  }
}

template <typename T>
T FromOrdinal(int64_t value) {
  if constexpr (SetTraits<T>::value) {
    return T::FromBits(static_cast<uint64_t>(value));
  } else if constexpr (std::is_same_v<T, bool>) {
    return value != 0;
  } else {
    return static_cast<T>(value);
  }
}

template <typename G>
struct GetterTraits;
template <typename B, typename R>
struct GetterTraits<R (B::*)() const> {
  using Class = B;
  using Value = std::remove_cvref_t<R>;
};

template <typename S>
struct SetterTraits;
template <typename B, typename A>
struct SetterTraits<void (B::*)(A)> {
  using Class = B;
  using Arg = std::remove_cvref_t<A>;
};

template <typename E>
struct EventTraits;
template <typename... Args>
struct EventTraits<TEvent<Args...>> {
  using Event = TEvent<Args...>;
};

template <typename T>
constexpr const char* IntegerTypeName() {
  if constexpr (std::is_same_v<T, uint8_t>) return "Byte";
  if constexpr (std::is_same_v<T, uint16_t>) return "Word";
  if constexpr (std::is_same_v<T, uint32_t>) return "Cardinal";
  if constexpr (sizeof(T) > 4) return "Int64";
  return "Integer";
}

template <typename E>
concept NamedEvent = requires {
  E::kTypeName;
};

}  // namespace detail

template <typename C>
class TClassBuilder : public TClassBuilderBase {
 public:
  using TClassBuilderBase::TClassBuilderBase;

  // A property read by `getter` and, unless it is read-only, written by
  // `setter`. `type_name` names integer types with registered identifiers
  // ("TColor", "TCursor") and set types.
  template <typename G, typename S = std::nullptr_t>
  TClassBuilder& Property(std::string_view name, G getter, S setter = nullptr,
                          std::string_view type_name = {});

  // An event held in a public field of type TEvent<...> (or a named event type).
  template <typename B, typename E>
  TClassBuilder& Event(std::string_view name, E B::*field);

  // A published operation that handlers named in texts are looked up by.
  template <typename B, typename... Args>
  TClassBuilder& Method(std::string_view name, void (B::*member)(Args...)) {
    static_assert(std::is_base_of_v<B, C>);
    auto code = std::make_shared<TMemberMethodCode<B, Args...>>(member);
    AddMethod(name, std::move(code));
    return *this;
  }

  // The handler of a message number.
  template <typename B>
  TClassBuilder& Message(unsigned msg, void (B::*handler)(TMessage&)) {
    static_assert(std::is_base_of_v<B, C>);
    AddMessage(msg, [handler](TObject& object, TMessage& message) {
      (static_cast<C&>(object).*handler)(message);
    });
    return *this;
  }
};

template <typename C>
template <typename G, typename S>
TClassBuilder<C>& TClassBuilder<C>::Property(std::string_view name, G getter, S setter,
                                             std::string_view type_name) {
  using GT = detail::GetterTraits<G>;
  using V = typename GT::Value;
  static_assert(std::is_base_of_v<typename GT::Class, C>, "getter of another class");
  constexpr TTypeKind kind = detail::KindOf<V>();
  static_assert(kind != tkUnknown, "unsupported property type");
  constexpr bool kWritable = !std::is_null_pointer_v<S>;
  if constexpr (kWritable) {
    using ST = detail::SetterTraits<S>;
    static_assert(std::is_base_of_v<typename ST::Class, C>, "setter of another class");
    if constexpr (kind == tkStrings) {
      static_assert(std::is_same_v<typename ST::Arg, TStrings>,
                    "string lists are set from TStrings");
    } else if constexpr (kind == tkLString) {
      static_assert(std::is_constructible_v<typename ST::Arg, const std::string&>);
    } else {
      static_assert(std::is_same_v<typename ST::Arg, V>, "setter takes another type");
    }
  }

  TPropInfo& prop = AddProperty(name, kind);
  if constexpr (kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet) {
    prop.GetOrd = [getter](const TObject& o) {
      return detail::ToOrdinal<V>((static_cast<const C&>(o).*getter)());
    };
    if constexpr (kWritable) {
      prop.SetOrd = [setter](TObject& o, int64_t v) {
        (static_cast<C&>(o).*setter)(detail::FromOrdinal<V>(v));
      };
    }
    if constexpr (std::is_same_v<V, bool>) {
      prop.EnumType = &BooleanTypeInfo();
    } else if constexpr (kind == tkEnumeration) {
      prop.EnumType = &EnumTypeInfo<V>();
    } else if constexpr (kind == tkSet) {
      prop.EnumType = &EnumTypeInfo<typename detail::SetTraits<V>::Element>();
      prop.DeclaredTypeName =
          type_name.empty() ? "set of " + prop.EnumType->Name() : std::string(type_name);
    } else if constexpr (kind == tkChar) {
      prop.DeclaredTypeName = "Char";
      prop.MinValue = 0;
      prop.MaxValue = 255;
    } else {
      prop.DeclaredTypeName =
          type_name.empty() ? detail::IntegerTypeName<V>() : std::string(type_name);
      prop.MinValue = static_cast<int64_t>(std::numeric_limits<V>::min());
      prop.MaxValue = std::numeric_limits<V>::max() > static_cast<uint64_t>(INT64_MAX)
                          ? INT64_MAX
                          : static_cast<int64_t>(std::numeric_limits<V>::max());
    }
  } else if constexpr (kind == tkFloat) {
    prop.DeclaredTypeName = type_name.empty() ? "Double" : std::string(type_name);
    prop.GetFloat = [getter](const TObject& o) {
      return static_cast<double>((static_cast<const C&>(o).*getter)());
    };
    if constexpr (kWritable) {
      prop.SetFloat = [setter](TObject& o, double v) {
        (static_cast<C&>(o).*setter)(static_cast<V>(v));
      };
    }
  } else if constexpr (kind == tkLString) {
    prop.DeclaredTypeName = "string";
    prop.GetStr = [getter](const TObject& o) {
      return std::string((static_cast<const C&>(o).*getter)());
    };
    if constexpr (kWritable) {
      prop.SetStr = [setter](TObject& o, const std::string& v) { (static_cast<C&>(o).*setter)(v); };
    }
  } else if constexpr (kind == tkStrings) {
    prop.DeclaredTypeName = "TStrings";
    prop.GetStrings = [getter](const TObject& o) -> TStrings* {
      return (static_cast<const C&>(o).*getter)();
    };
    if constexpr (kWritable) {
      prop.SetStrings = [setter](TObject& o, const TStrings& v) {
        (static_cast<C&>(o).*setter)(v);
      };
    }
  } else if constexpr (kind == tkClass) {
    using T = std::remove_pointer_t<V>;
    prop.ObjectClass = &T::StaticClassInfo;
    prop.GetObject = [getter](const TObject& o) -> TObject* {
      return (static_cast<const C&>(o).*getter)();
    };
    if constexpr (kWritable) {
      prop.SetObject = [setter](TObject& o, TObject* v) {
        T* typed = nullptr;
        if (v != nullptr) {
          typed = dynamic_cast<T*>(v);
          if (typed == nullptr)
            throw EInvalidCast("Cannot assign a " + v->ClassName() + " to a " +
                               T::StaticClassInfo().Name());
        }
        (static_cast<C&>(o).*setter)(typed);
      };
    }
  }
  return *this;
}

template <typename C>
template <typename B, typename E>
TClassBuilder<C>& TClassBuilder<C>::Event(std::string_view name, E B::*field) {
  static_assert(std::is_base_of_v<B, C>);
  static_assert(
      requires { E::Signature(); }, "events are TEvent fields");
  TPropInfo& prop = AddProperty(name, tkMethod);
  if constexpr (detail::NamedEvent<E>) {
    prop.DeclaredTypeName = E::kTypeName;
  } else {
    prop.DeclaredTypeName = "TMethod";
  }
  prop.Signature = E::Signature();
  prop.GetMethod = [field](const TObject& o) { return (static_cast<const C&>(o).*field).Method(); };
  prop.SetMethod = [field](TObject& o, const TMethod& m) { static_cast<C&>(o).*field = E(m); };
  return *this;
}

template <typename C>
const TClassInfo& RegisterClassInfo(std::string name, const TClassInfo* parent,
                                    void (*publish)(TClassBuilder<C>&)) {
  TClassInfo& info = NewClassInfo(std::move(name), parent);
  TClassBuilder<C> builder(info);
  publish(builder);
  return info;
}

}  // namespace qv

#define QV_DECLARE_CLASS(Name)                                  \
 private:                                                       \
  static void PublishClass(::qv::TClassBuilder<Name>& builder); \
                                                                \
 public:                                                        \
  static const ::qv::TClassInfo& StaticClassInfo();             \
  const ::qv::TClassInfo& ClassInfo() const override {          \
    return StaticClassInfo();                                   \
  }

#define QV_DEFINE_CLASS(Name, Parent, builder)                                                 \
  const ::qv::TClassInfo& Name::StaticClassInfo() {                                            \
    static const ::qv::TClassInfo& info =                                                      \
        ::qv::RegisterClassInfo<Name>(#Name, &Parent::StaticClassInfo(), &Name::PublishClass); \
    return info;                                                                               \
  }                                                                                            \
  void Name::PublishClass([[maybe_unused]] ::qv::TClassBuilder<Name>& builder)
