#include "platform/vcl/class_info.h"

#include <algorithm>

#include "platform/text/string_utils.h"
#include "platform/vcl/exceptions.h"
#include "platform/vcl/type_registry.h"

namespace qv {

std::string TPropInfo::TypeName() const {
  switch (Kind) {
    case tkEnumeration:
      return EnumType ? EnumType->Name() : std::string();
    case tkClass:
      return ObjectClass ? ObjectClass().Name() : std::string();
    default:
      return DeclaredTypeName;
  }
}

bool TPropInfo::Writable() const {
  switch (Kind) {
    case tkInteger:
    case tkChar:
    case tkEnumeration:
    case tkSet:
      return static_cast<bool>(SetOrd);
    case tkFloat:
      return static_cast<bool>(SetFloat);
    case tkLString:
      return static_cast<bool>(SetStr);
    case tkClass:
      return static_cast<bool>(SetObject);
    case tkMethod:
      return static_cast<bool>(SetMethod);
    case tkStrings:
      return static_cast<bool>(SetStrings) || static_cast<bool>(GetStrings);
    default:
      return false;
  }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
    if (c == &other) return true;
  return false;
}

bool TClassInfo::InheritsFrom(std::string_view class_name) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
    if (SameText(c->name_, class_name)) return true;
  return false;
}

const TPropInfo* TClassInfo::FindProperty(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
    for (const auto& prop : c->properties_)
      if (SameText(prop->Name, name)) return prop.get();
  return nullptr;
}

std::vector<const TPropInfo*> TClassInfo::Properties() const {
  std::vector<const TPropInfo*> result =
      parent_ ? parent_->Properties() : std::vector<const TPropInfo*>();
  for (const auto& prop : properties_) {
    auto same = std::find_if(result.begin(), result.end(),
                             [&](const TPropInfo* p) { return SameText(p->Name, prop->Name); });
    if (same != result.end())
      *same = prop.get();
    else
      result.push_back(prop.get());
  }
  return result;
}

std::shared_ptr<const TMethodCode> TClassInfo::FindMethodShared(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
    for (const auto& code : c->methods_)
      if (SameText(code->Name(), name)) return code;
  return nullptr;
}

const TMethodCode* TClassInfo::FindMethod(std::string_view name) const {
  return FindMethodShared(name).get();
}

std::string TClassInfo::MethodName(const TMethodCode& code) const {
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_)
    for (const auto& own : c->methods_)
      if (own->SameCode(code)) return own->Name();
  return {};
}

const TMessageHandler* TClassInfo::OwnMessageHandler(unsigned msg) const {
  for (const auto& [number, handler] : messages_)
    if (number == msg) return &handler;
  return nullptr;
}

std::vector<std::string> TClassInfo::ClassNamesBelow(std::string_view base) const {
  std::vector<std::string> names;
  for (const TClassInfo* c = this; c != nullptr; c = c->parent_) {
    if (SameText(c->name_, base)) break;
    names.push_back(c->name_);
  }
  std::reverse(names.begin(), names.end());
  return names;
}

const TClassInfo* TClassInfo::FindClass(std::string_view name) {
  return TTypeRegistry::Instance().FindClass(name);
}

TClassInfo& NewClassInfo(std::string name, const TClassInfo* parent) {
  return TTypeRegistry::Instance().AddClass(std::make_unique<TClassInfo>(std::move(name), parent));
}

TPropInfo& TClassBuilderBase::AddProperty(std::string_view name, TTypeKind kind) {
  for (const auto& prop : info_.properties_)
    if (SameText(prop->Name, name))
      throw EPropertyError("Property " + std::string(name) + " is published twice by " +
                           info_.Name());
  auto prop = std::make_unique<TPropInfo>();
  prop->Name = std::string(name);
  prop->Kind = kind;
  info_.properties_.push_back(std::move(prop));
  return *info_.properties_.back();
}

void TClassBuilderBase::AddMethod(std::string_view name, std::shared_ptr<TMethodCode> code) {
  code->SetName(std::string(name));
  info_.methods_.push_back(std::move(code));
}

void TClassBuilderBase::AddMessage(unsigned msg, TMessageHandler handler) {
  info_.messages_.emplace_back(msg, std::move(handler));
}

}  // namespace qv
