#pragma once
// The store that owns every registered type description (enumerations,
// classes, integer identifiers). It is created before the first type is
// registered and lives until the end of the process, so descriptions stay
// valid while global objects such as the application are torn down.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace qv {

class TClassInfo;
class TEnumTypeInfo;

struct TIntegerIdent {
  std::string Ident;
  int64_t Value;
};

class TTypeRegistry {
 public:
  static TTypeRegistry& Instance();

  const TEnumTypeInfo& AddEnum(std::unique_ptr<TEnumTypeInfo> info);
  TClassInfo& AddClass(std::unique_ptr<TClassInfo> info);
  // The registered class of that name (without regard to case), or null.
  const TClassInfo* FindClass(std::string_view name) const;

  void AddIntegerIdents(std::string_view type_name, const std::vector<TIntegerIdent>& idents);
  // The identifiers registered for an integer type; empty when none.
  std::vector<TIntegerIdent> IntegerIdents(std::string_view type_name) const;

 private:
  TTypeRegistry() = default;
  struct IdentTable {
    std::string TypeName;
    std::vector<TIntegerIdent> Idents;
  };
  mutable std::recursive_mutex mutex_;
  std::vector<std::unique_ptr<TEnumTypeInfo>> enums_;
  std::vector<std::unique_ptr<TClassInfo>> classes_;
  std::vector<IdentTable> ident_tables_;
};

}  // namespace qv
