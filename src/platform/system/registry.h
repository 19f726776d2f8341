#pragma once
// A read-only registry. Its contents come from a registry export (".reg" text)
// named by the environment variable QVR_REGISTRY, read again whenever a key is
// opened so that the current contents of the file are seen.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/exception.h"

namespace qv {

class TStrings;

QV_DECLARE_EXCEPTION(ERegistryException, Exception);

enum HKEY : std::uint32_t {
  HKEY_CLASSES_ROOT = 0x80000000u,
  HKEY_CURRENT_USER = 0x80000001u,
  HKEY_LOCAL_MACHINE = 0x80000002u,
  HKEY_USERS = 0x80000003u,
  HKEY_CURRENT_CONFIG = 0x80000005u,
};

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

namespace registry_detail {
struct RegistryImage;
struct KeyView;
}  // namespace registry_detail

class TRegistry {
 public:
  TRegistry();
  explicit TRegistry(HKEY rootKey);
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // The root of the keys opened from now on.
  HKEY RootKey = HKEY_CURRENT_USER;

  // A key beginning with "\" is taken from the root; otherwise it is relative
  // to the open key, if any. Names are compared without regard to case.
  bool OpenKeyReadOnly(const std::string& key);
  // The registry cannot be written: asking to create a missing key fails.
  bool OpenKey(const std::string& key, bool canCreate);
  void CloseKey();
  // The path of the open key below the root, without a leading "\"; empty when none.
  const std::string& CurrentPath() const { return currentPath_; }
  bool HasOpenKey() const;

  bool KeyExists(const std::string& key);
  bool ValueExists(const std::string& name) const;
  TRegDataType GetDataType(const std::string& name) const;

  // A missing value reads as ""; a value that is not text raises ERegistryException.
  std::string ReadString(const std::string& name) const;
  // A missing value or one that is not a dword raises ERegistryException.
  int ReadInteger(const std::string& name) const;
  bool ReadBool(const std::string& name) const;
  // The raw bytes of any value; raises ERegistryException when missing.
  std::vector<std::uint8_t> ReadBinaryData(const std::string& name) const;

  // Names of the open key's values and subkeys (empty when no key is open).
  std::vector<std::string> GetValueNames() const;
  std::vector<std::string> GetKeyNames() const;
  // The same into a list, which is cleared first.
  void GetValueNames(TStrings& names) const;
  void GetKeyNames(TStrings& names) const;
  bool HasSubKeys() const;

 private:
  std::shared_ptr<const registry_detail::RegistryImage> image_;
  std::unique_ptr<registry_detail::KeyView> current_;
  std::uint32_t currentRoot_ = HKEY_CURRENT_USER;
  std::string currentPath_;
};

}  // namespace qv
