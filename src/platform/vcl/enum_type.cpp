#include "platform/vcl/enum_type.h"

#include <memory>

#include "platform/text/string_utils.h"
#include "platform/vcl/type_registry.h"

namespace qv {

TEnumTypeInfo::TEnumTypeInfo(std::string name, std::vector<std::string> identifiers)
    : name_(std::move(name)), identifiers_(std::move(identifiers)) {}

std::string TEnumTypeInfo::IdentifierOf(int64_t value) const {
  return InRange(value) ? identifiers_[static_cast<size_t>(value)] : std::string();
}

int TEnumTypeInfo::ValueOf(std::string_view identifier) const {
  for (size_t i = 0; i < identifiers_.size(); ++i)
    if (SameText(identifiers_[i], identifier)) return static_cast<int>(i);
  return -1;
}

const TEnumTypeInfo& RegisterEnumType(std::string_view name, std::string_view identifier_list) {
  std::vector<std::string> identifiers;
  for (const std::string& piece : SplitString(identifier_list, ',')) {
    std::string identifier = Trim(piece);
    if (!identifier.empty()) identifiers.push_back(std::move(identifier));
  }
  return TTypeRegistry::Instance().AddEnum(
      std::make_unique<TEnumTypeInfo>(std::string(name), std::move(identifiers)));
}

const TEnumTypeInfo& BooleanTypeInfo() {
  static const TEnumTypeInfo& info = RegisterEnumType("Boolean", "False, True");
  return info;
}

}  // namespace qv
