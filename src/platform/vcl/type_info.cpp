#include "platform/vcl/type_info.h"

#include "platform/text/string_utils.h"
#include "platform/vcl/component.h"
#include "platform/vcl/exceptions.h"

namespace qv {

namespace {

[[noreturn]] void NoSuchProperty(const TObject* instance, std::string_view path) {
  if (instance == nullptr) throw EPropertyError("No object to read property " + std::string(path));
  throw EPropertyError("Property " + std::string(path) + " does not exist in " +
                       instance->ClassName());
}

[[noreturn]] void WrongKind(const TPropInfo& prop, const char* wanted) {
  throw EPropertyConvertError("Property " + prop.Name + " of type " + prop.TypeName() + " is not " +
                              wanted);
}

[[noreturn]] void InvalidValue(const TPropInfo& prop, std::string_view text) {
  throw EPropertyConvertError("Invalid property value '" + std::string(text) + "' for " +
                              prop.Name + " (" + prop.TypeName() + ")");
}

TPropertyTarget Resolve(const TObject* instance, std::string_view path) {
  TPropertyTarget target = FindPropertyTarget(instance, path);
  if (!target) NoSuchProperty(instance, path);
  return target;
}

TPropertyTarget ResolveWritable(TObject* instance, std::string_view path) {
  TPropertyTarget target = Resolve(instance, path);
  if (!target.Prop->Writable())
    throw EPropertyError("Property " + target.Prop->Name + " is read-only");
  return target;
}

bool IsOrdinal(TTypeKind kind) {
  return kind == tkInteger || kind == tkChar || kind == tkEnumeration || kind == tkSet;
}

void CheckOrdinalRange(const TPropInfo& prop, int64_t value) {
  bool ok = true;
  switch (prop.Kind) {
    case tkEnumeration:
      ok = prop.EnumType->InRange(value);
      break;
    case tkSet:
      ok = prop.EnumType->MaxValue() >= 63 ||
           (static_cast<uint64_t>(value) >> (prop.EnumType->MaxValue() + 1)) == 0;
      break;
    default:
      ok = value >= prop.MinValue && value <= prop.MaxValue;
      break;
  }
  if (!ok) InvalidValue(prop, IntToStr(value));
}

// Components named in texts are looked for among the components of the
// instance's owners, the nearest owner first.
TComponent* FindComponentForText(TObject* instance, std::string_view name) {
  auto* component = dynamic_cast<TComponent*>(instance);
  for (TComponent* owner = component ? component->Owner() : nullptr; owner != nullptr;
       owner = owner->Owner()) {
    if (TComponent* found = owner->FindComponent(name)) return found;
    if (SameText(owner->Name(), name)) return owner;
  }
  return nullptr;
}

// Handlers named in texts belong to the owner that holds the component (the
// form), so the owners are asked first and the object itself last.
TMethod FindMethodForText(TObject* instance, std::string_view name) {
  auto* component = dynamic_cast<TComponent*>(instance);
  for (TComponent* owner = component ? component->Owner() : nullptr; owner != nullptr;
       owner = owner->Owner()) {
    TMethod method = owner->FindMethod(name);
    if (method.Assigned()) return method;
  }
  return instance->FindMethod(name);
}

}  // namespace

void RegisterIntegerConsts(std::string_view type_name, const std::vector<TIntegerIdent>& idents) {
  TTypeRegistry::Instance().AddIntegerIdents(type_name, idents);
}

bool IdentToInt(std::string_view type_name, std::string_view ident, int64_t& value) {
  for (const TIntegerIdent& entry : TTypeRegistry::Instance().IntegerIdents(type_name)) {
    if (SameText(entry.Ident, ident)) {
      value = entry.Value;
      return true;
    }
  }
  return false;
}

bool IntToIdent(std::string_view type_name, int64_t value, std::string& ident) {
  for (const TIntegerIdent& entry : TTypeRegistry::Instance().IntegerIdents(type_name)) {
    if (entry.Value == value) {
      ident = entry.Ident;
      return true;
    }
  }
  return false;
}

TPropertyTarget FindPropertyTarget(const TObject* instance, std::string_view path) {
  TPropertyTarget target;
  TObject* current = const_cast<TObject*>(instance);
  while (current != nullptr) {
    const size_t dot = path.find('.');
    const std::string_view segment = path.substr(0, dot);
    const TPropInfo* prop = current->ClassInfo().FindProperty(segment);
    if (prop == nullptr) return {};
    if (dot == std::string_view::npos) {
      target.Instance = current;
      target.Prop = prop;
      return target;
    }
    if (prop->Kind != tkClass) return {};
    current = prop->GetObject(*current);
    path = path.substr(dot + 1);
  }
  return {};
}

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view path) {
  return FindPropertyTarget(instance, path).Prop;
}

bool IsPublishedProp(const TObject* instance, std::string_view path) {
  return GetPropInfo(instance, path) != nullptr;
}

TTypeKind PropType(const TObject* instance, std::string_view path) {
  return Resolve(instance, path).Prop->Kind;
}

std::vector<const TPropInfo*> GetPropList(const TObject* instance) {
  return instance ? instance->ClassInfo().Properties() : std::vector<const TPropInfo*>();
}

int64_t GetOrdProp(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  if (!IsOrdinal(t.Prop->Kind)) WrongKind(*t.Prop, "an ordinal");
  return t.Prop->GetOrd(*t.Instance);
}

void SetOrdProp(TObject* instance, std::string_view path, int64_t value) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (!IsOrdinal(t.Prop->Kind)) WrongKind(*t.Prop, "an ordinal");
  CheckOrdinalRange(*t.Prop, value);
  t.Prop->SetOrd(*t.Instance, value);
}

std::string GetEnumProp(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  if (t.Prop->Kind != tkEnumeration) WrongKind(*t.Prop, "an enumeration");
  return GetEnumName(*t.Prop->EnumType, t.Prop->GetOrd(*t.Instance));
}

void SetEnumProp(TObject* instance, std::string_view path, std::string_view identifier) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (t.Prop->Kind != tkEnumeration) WrongKind(*t.Prop, "an enumeration");
  const int value = GetEnumValue(*t.Prop->EnumType, Trim(identifier));
  if (value < 0) InvalidValue(*t.Prop, identifier);
  t.Prop->SetOrd(*t.Instance, value);
}

std::string GetSetProp(const TObject* instance, std::string_view path, bool brackets) {
  const TPropertyTarget t = Resolve(instance, path);
  if (t.Prop->Kind != tkSet) WrongKind(*t.Prop, "a set");
  return SetToString(*t.Prop->EnumType, static_cast<uint64_t>(t.Prop->GetOrd(*t.Instance)),
                     brackets);
}

void SetSetProp(TObject* instance, std::string_view path, std::string_view text) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (t.Prop->Kind != tkSet) WrongKind(*t.Prop, "a set");
  t.Prop->SetOrd(*t.Instance, static_cast<int64_t>(StringToSet(*t.Prop->EnumType, text)));
}

double GetFloatProp(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  if (t.Prop->Kind != tkFloat) WrongKind(*t.Prop, "a float");
  return t.Prop->GetFloat(*t.Instance);
}

void SetFloatProp(TObject* instance, std::string_view path, double value) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (t.Prop->Kind != tkFloat) WrongKind(*t.Prop, "a float");
  t.Prop->SetFloat(*t.Instance, value);
}

std::string GetStrProp(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  if (t.Prop->Kind != tkLString) WrongKind(*t.Prop, "a text");
  return t.Prop->GetStr(*t.Instance);
}

void SetStrProp(TObject* instance, std::string_view path, std::string_view value) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (t.Prop->Kind != tkLString) WrongKind(*t.Prop, "a text");
  t.Prop->SetStr(*t.Instance, std::string(value));
}

TObject* GetObjectProp(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  if (t.Prop->Kind != tkClass) WrongKind(*t.Prop, "an object");
  return t.Prop->GetObject(*t.Instance);
}

void SetObjectProp(TObject* instance, std::string_view path, TObject* value) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (t.Prop->Kind != tkClass) WrongKind(*t.Prop, "an object");
  try {
    t.Prop->SetObject(*t.Instance, value);
  } catch (const EInvalidCast& e) {
    throw EPropertyConvertError(e.Message());
  }
}

TStrings* GetStringsProp(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  if (t.Prop->Kind != tkStrings) WrongKind(*t.Prop, "a string list");
  return t.Prop->GetStrings(*t.Instance);
}

void SetStringsProp(TObject* instance, std::string_view path, const TStrings& value) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (t.Prop->Kind != tkStrings) WrongKind(*t.Prop, "a string list");
  if (t.Prop->SetStrings) {
    t.Prop->SetStrings(*t.Instance, value);
  } else if (TStrings* list = t.Prop->GetStrings(*t.Instance)) {
    list->Assign(value);
  }
}

TMethod GetMethodProp(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  if (t.Prop->Kind != tkMethod) WrongKind(*t.Prop, "an event");
  return t.Prop->GetMethod(*t.Instance);
}

void SetMethodProp(TObject* instance, std::string_view path, const TMethod& value) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  if (t.Prop->Kind != tkMethod) WrongKind(*t.Prop, "an event");
  if (value.Code && value.Code->Signature() != t.Prop->Signature)
    throw EPropertyConvertError("The handler does not match the arguments of " + t.Prop->Name +
                                " (" + t.Prop->TypeName() + ")");
  t.Prop->SetMethod(*t.Instance, value);
}

std::string GetPropValue(const TObject* instance, std::string_view path) {
  const TPropertyTarget t = Resolve(instance, path);
  const TPropInfo& prop = *t.Prop;
  switch (prop.Kind) {
    case tkInteger: {
      const int64_t value = prop.GetOrd(*t.Instance);
      std::string ident;
      if (IntToIdent(prop.DeclaredTypeName, value, ident)) return ident;
      return IntToStr(value);
    }
    case tkChar: {
      const int64_t value = prop.GetOrd(*t.Instance);
      if (value >= 32 && value < 127) return std::string(1, static_cast<char>(value));
      return "#" + IntToStr(value);
    }
    case tkEnumeration:
      return GetEnumName(*prop.EnumType, prop.GetOrd(*t.Instance));
    case tkSet:
      return SetToString(*prop.EnumType, static_cast<uint64_t>(prop.GetOrd(*t.Instance)), true);
    case tkFloat:
      return FloatToStr(prop.GetFloat(*t.Instance));
    case tkLString:
      return prop.GetStr(*t.Instance);
    case tkStrings: {
      const TStrings* list = prop.GetStrings(*t.Instance);
      return list ? list->Text() : std::string();
    }
    case tkClass: {
      const TObject* object = prop.GetObject(*t.Instance);
      if (object == nullptr) return {};
      if (const auto* component = dynamic_cast<const TComponent*>(object)) return component->Name();
      return "(" + object->ClassName() + ")";
    }
    case tkMethod: {
      const TMethod method = prop.GetMethod(*t.Instance);
      if (!method.Code || method.Data == nullptr) return {};
      return method.Data->MethodName(method.Code.get());
    }
    default:
      return {};
  }
}

void SetPropValue(TObject* instance, std::string_view path, std::string_view text) {
  const TPropertyTarget t = ResolveWritable(instance, path);
  const TPropInfo& prop = *t.Prop;
  switch (prop.Kind) {
    case tkInteger: {
      const std::string trimmed = Trim(text);
      int64_t value = 0;
      if (!IdentToInt(prop.DeclaredTypeName, trimmed, value) && !TryStrToInt64(trimmed, value))
        InvalidValue(prop, text);
      CheckOrdinalRange(prop, value);
      prop.SetOrd(*t.Instance, value);
      return;
    }
    case tkChar: {
      int64_t value = 0;
      if (text.size() == 1) {
        value = static_cast<unsigned char>(text[0]);
      } else if (text.size() > 1 && text[0] == '#' && TryStrToInt64(text.substr(1), value)) {
        CheckOrdinalRange(prop, value);
      } else {
        InvalidValue(prop, text);
      }
      prop.SetOrd(*t.Instance, value);
      return;
    }
    case tkEnumeration: {
      const int value = GetEnumValue(*prop.EnumType, Trim(text));
      if (value < 0) InvalidValue(prop, text);
      prop.SetOrd(*t.Instance, value);
      return;
    }
    case tkSet:
      prop.SetOrd(*t.Instance, static_cast<int64_t>(StringToSet(*prop.EnumType, text)));
      return;
    case tkFloat: {
      double value = 0;
      if (!TryStrToFloat(text, value)) InvalidValue(prop, text);
      prop.SetFloat(*t.Instance, value);
      return;
    }
    case tkLString:
      prop.SetStr(*t.Instance, std::string(text));
      return;
    case tkStrings: {
      TStringList lines;
      lines.SetText(text);
      SetStringsProp(t.Instance, prop.Name, lines);
      return;
    }
    case tkClass: {
      const std::string name = Trim(text);
      TObject* object = nullptr;
      if (!name.empty()) {
        object = FindComponentForText(t.Instance, name);
        if (object == nullptr) InvalidValue(prop, text);
      }
      SetObjectProp(t.Instance, prop.Name, object);
      return;
    }
    case tkMethod: {
      const std::string name = Trim(text);
      TMethod method;
      if (!name.empty()) {
        method = FindMethodForText(t.Instance, name);
        if (!method.Assigned()) InvalidValue(prop, text);
      }
      SetMethodProp(t.Instance, prop.Name, method);
      return;
    }
    default:
      InvalidValue(prop, text);
  }
}

std::string GetEnumName(const TEnumTypeInfo& type, int64_t value) {
  return type.InRange(value) ? type.IdentifierOf(value) : IntToStr(value);
}

int GetEnumValue(const TEnumTypeInfo& type, std::string_view identifier) {
  return type.ValueOf(identifier);
}

std::string SetToString(const TEnumTypeInfo& element_type, uint64_t bits, bool brackets) {
  std::string text;
  for (int i = 0; i <= element_type.MaxValue() && i < 64; ++i) {
    if ((bits >> i) & 1) {
      if (!text.empty()) text += ',';
      text += element_type.IdentifierOf(i);
    }
  }
  return brackets ? "[" + text + "]" : text;
}

uint64_t StringToSet(const TEnumTypeInfo& element_type, std::string_view text) {
  std::string body = Trim(text);
  if (!body.empty() && body.front() == '[') {
    if (body.back() != ']')
      throw EPropertyConvertError("Invalid set '" + std::string(text) + "' of " +
                                  element_type.Name());
    body = body.substr(1, body.size() - 2);
  }
  uint64_t bits = 0;
  for (const std::string& piece : SplitString(body, ',')) {
    const std::string identifier = Trim(piece);
    if (identifier.empty()) continue;
    const int value = element_type.ValueOf(identifier);
    if (value < 0 || value >= 64)
      throw EPropertyConvertError("'" + identifier + "' is no element of " + element_type.Name());
    bits |= uint64_t{1} << value;
  }
  return bits;
}

}  // namespace qv
