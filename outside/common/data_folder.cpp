#include "common/data_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/core/exception.h"
#include "platform/system/environment.h"
#include "platform/system/paths.h"
#include "platform/system/registry.h"

namespace standin {

namespace {

std::string ConfiguredFolder(const std::string& progId) {
  if (const char* env = std::getenv("RAVLET_DATA_DIR"); env && *env) return env;
  try {
    qv::TRegistry registry(qv::HKEY_CLASSES_ROOT);
    if (!progId.empty() && registry.OpenKeyReadOnly("\\" + progId)) {
      std::string folder = registry.ReadString("DataDir");
      if (!folder.empty()) return qv::ToNativePath(folder);
    }
  } catch (const qv::Exception&) {
    // An unreadable registry only means that the default applies.
  }
  if (const char* home = std::getenv("HOME"); home && *home) {
    return std::string(home) + "/.local/share/ravlet";
  }
  return qv::GetTempFolder() + "ravlet";
}

}  // namespace

std::string DataFolder(const std::string& progId) {
  std::string folder = ConfiguredFolder(progId);
  if (folder.back() != '/') folder += '/';
  if (!qv::DirectoryExists(folder) && !qv::ForceDirectories(folder)) {
    int code = errno;
    throw qv::EInOutError(
        code, "Cannot create the data folder \"" + folder + "\": " + std::strerror(code));
  }
  return folder;
}

}  // namespace standin
