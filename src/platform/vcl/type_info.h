#pragma once
// Published properties read and written by name at run time, without regard
// to case. Every name may be a property path: "Font.Name" follows the object
// held by the property Font and names its property Name.
//
// Typed access (GetOrdProp, GetStrProp ...) raises EPropertyError when the
// object publishes no such property (or it is read-only, for a write) and
// EPropertyConvertError when the property is of another kind or a value
// does not fit. GetPropValue and SetPropValue read and write any kind as
// text: enumerations by identifier, sets as "[fsBold,fsItalic]", integers
// by registered identifier ("clRed") or number, floats with "." decimals.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/vcl/class_info.h"
#include "platform/vcl/type_registry.h"

namespace qv {

// Identifiers of integer types ("TColor": "clRed" = 255 ...). The first
// identifier registered for a value is the one the value reads as.
void RegisterIntegerConsts(std::string_view type_name, const std::vector<TIntegerIdent>& idents);
bool IdentToInt(std::string_view type_name, std::string_view ident, int64_t& value);
bool IntToIdent(std::string_view type_name, int64_t value, std::string& ident);

// The object a property path ends on and the property named by its last
// segment; Prop is null when any segment is missing or an object on the way
// is not assigned.
struct TPropertyTarget {
  TObject* Instance = nullptr;
  const TPropInfo* Prop = nullptr;
  explicit operator bool() const { return Prop != nullptr; }
};
TPropertyTarget FindPropertyTarget(const TObject* instance, std::string_view path);

const TPropInfo* GetPropInfo(const TObject* instance, std::string_view path);
bool IsPublishedProp(const TObject* instance, std::string_view path);
// Raises EPropertyError when there is no such property.
TTypeKind PropType(const TObject* instance, std::string_view path);
std::vector<const TPropInfo*> GetPropList(const TObject* instance);

// Integers, characters, enumerations, sets (as their bit mask) and Booleans.
int64_t GetOrdProp(const TObject* instance, std::string_view path);
void SetOrdProp(TObject* instance, std::string_view path, int64_t value);
std::string GetEnumProp(const TObject* instance, std::string_view path);
void SetEnumProp(TObject* instance, std::string_view path, std::string_view identifier);
std::string GetSetProp(const TObject* instance, std::string_view path, bool brackets = true);
void SetSetProp(TObject* instance, std::string_view path, std::string_view text);
double GetFloatProp(const TObject* instance, std::string_view path);
void SetFloatProp(TObject* instance, std::string_view path, double value);
std::string GetStrProp(const TObject* instance, std::string_view path);
void SetStrProp(TObject* instance, std::string_view path, std::string_view value);
TObject* GetObjectProp(const TObject* instance, std::string_view path);
void SetObjectProp(TObject* instance, std::string_view path, TObject* value);
TStrings* GetStringsProp(const TObject* instance, std::string_view path);
void SetStringsProp(TObject* instance, std::string_view path, const TStrings& value);
TMethod GetMethodProp(const TObject* instance, std::string_view path);
void SetMethodProp(TObject* instance, std::string_view path, const TMethod& value);

// Any kind as text. Objects read as the name of the component they hold
// (empty when none) and are written by the name of a component of the
// instance's owner chain; events read as the published name of their
// operation and are written by the name of an operation published by the
// instance or its owners ("" clears them); string lists as their Text.
std::string GetPropValue(const TObject* instance, std::string_view path);
void SetPropValue(TObject* instance, std::string_view path, std::string_view text);

std::string GetEnumName(const TEnumTypeInfo& type, int64_t value);
// -1 when the identifier is unknown.
int GetEnumValue(const TEnumTypeInfo& type, std::string_view identifier);
std::string SetToString(const TEnumTypeInfo& element_type, uint64_t bits, bool brackets = true);
// "[a,b]", "a, b" or "" (the empty set); raises EPropertyConvertError for an
// unknown identifier.
uint64_t StringToSet(const TEnumTypeInfo& element_type, std::string_view text);

}  // namespace qv
