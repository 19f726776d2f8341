#pragma once
// Run-time type information of enumerations: the type's name and its
// identifiers in ordinal order, so that values can be read and written by
// name ("alClient", "sp_Range"). Declare an enumeration with QV_ENUM:
//
//   QV_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient);
//
// which defines the enumeration (values 0, 1, 2 ... in order) and makes
// EnumTypeInfo<TAlign>() available. Explicit values are not allowed.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

class TEnumTypeInfo {
 public:
  TEnumTypeInfo(std::string name, std::vector<std::string> identifiers);

  const std::string& Name() const { return name_; }
  int MinValue() const { return 0; }
  int MaxValue() const { return static_cast<int>(identifiers_.size()) - 1; }
  const std::vector<std::string>& Identifiers() const { return identifiers_; }
  bool InRange(int64_t value) const { return value >= 0 && value <= MaxValue(); }
  // The identifier of a value; empty when the value lies outside the type.
  std::string IdentifierOf(int64_t value) const;
  // The value of an identifier (without regard to case); -1 when unknown.
  int ValueOf(std::string_view identifier) const;

 private:
  std::string name_;
  std::vector<std::string> identifiers_;
};

// Registers an enumeration type from its comma-separated identifier list and
// returns the information, which lives as long as the process.
const TEnumTypeInfo& RegisterEnumType(std::string_view name, std::string_view identifier_list);

// The Boolean type: False, True.
const TEnumTypeInfo& BooleanTypeInfo();

template <typename E>
const TEnumTypeInfo& EnumTypeInfo() {
  return EnumTypeInfoOf(E{});  // found next to the enumeration by argument lookup
}

}  // namespace qv

#define QV_ENUM(Name, ...)                                                                \
  enum Name : int { __VA_ARGS__ };                                                        \
  inline const ::qv::TEnumTypeInfo& EnumTypeInfoOf(Name) {                                \
    static const ::qv::TEnumTypeInfo& info = ::qv::RegisterEnumType(#Name, #__VA_ARGS__); \
    return info;                                                                          \
  }
