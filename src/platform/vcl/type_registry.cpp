#include "platform/vcl/type_registry.h"

#include "platform/text/string_utils.h"
#include "platform/vcl/class_info.h"
#include "platform/vcl/enum_type.h"

namespace qv {

TTypeRegistry& TTypeRegistry::Instance() {
  static TTypeRegistry registry;
  return registry;
}

const TEnumTypeInfo& TTypeRegistry::AddEnum(std::unique_ptr<TEnumTypeInfo> info) {
  std::lock_guard lock(mutex_);
  enums_.push_back(std::move(info));
  return *enums_.back();
}

TClassInfo& TTypeRegistry::AddClass(std::unique_ptr<TClassInfo> info) {
  std::lock_guard lock(mutex_);
  classes_.push_back(std::move(info));
  return *classes_.back();
}

const TClassInfo* TTypeRegistry::FindClass(std::string_view name) const {
  std::lock_guard lock(mutex_);
  for (const auto& info : classes_)
    if (SameText(info->Name(), name)) return info.get();
  return nullptr;
}

void TTypeRegistry::AddIntegerIdents(std::string_view type_name,
                                     const std::vector<TIntegerIdent>& idents) {
  std::lock_guard lock(mutex_);
  for (auto& table : ident_tables_) {
    if (SameText(table.TypeName, type_name)) {
      table.Idents.insert(table.Idents.end(), idents.begin(), idents.end());
      return;
    }
  }
  ident_tables_.push_back({std::string(type_name), idents});
}

std::vector<TIntegerIdent> TTypeRegistry::IntegerIdents(std::string_view type_name) const {
  std::lock_guard lock(mutex_);
  for (const auto& table : ident_tables_)
    if (SameText(table.TypeName, type_name)) return table.Idents;
  return {};
}

}  // namespace qv
