#include "platform/system/registry.h"

namespace qv {
namespace registry_detail {
struct RegistryImage {};
struct KeyView {};
}  // namespace registry_detail

TRegistry::TRegistry() = default;
TRegistry::TRegistry(HKEY rootKey) : RootKey(rootKey) {}
TRegistry::~TRegistry() = default;

bool TRegistry::OpenKeyReadOnly(const std::string&) { return false; }
bool TRegistry::OpenKey(const std::string&, bool) { return false; }
void TRegistry::CloseKey() {
  current_.reset();
  image_.reset();
  currentPath_.clear();
}
bool TRegistry::HasOpenKey() const { return current_ != nullptr; }
bool TRegistry::KeyExists(const std::string&) { return false; }
bool TRegistry::ValueExists(const std::string&) const { return false; }
TRegDataType TRegistry::GetDataType(const std::string&) const { return TRegDataType::rdUnknown; }
std::string TRegistry::ReadString(const std::string&) const { return std::string(); }
int TRegistry::ReadInteger(const std::string& name) const {
  throw ERegistryException("Failed to get data for '" + name + "'");
}
bool TRegistry::ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
std::vector<std::uint8_t> TRegistry::ReadBinaryData(const std::string& name) const {
  throw ERegistryException("Failed to get data for '" + name + "'");
}
std::vector<std::string> TRegistry::GetValueNames() const { return {}; }
std::vector<std::string> TRegistry::GetKeyNames() const { return {}; }
bool TRegistry::HasSubKeys() const { return false; }

}  // namespace qv
