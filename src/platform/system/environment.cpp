#include "platform/system/environment.h"

#include <dlfcn.h>
#include <link.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace qv {
namespace {

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string WithTrailingSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

std::string FolderOf(const std::string& file) {
  auto slash = file.rfind('/');
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

std::string AbsolutePath(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved)) return resolved;
  return path;
}

std::string ProgramFile() {
  std::vector<char> buffer(PATH_MAX + 1);
  ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return std::string();
  return std::string(buffer.data(), static_cast<size_t>(length));
}

}  // namespace

std::string GetWindowsUserName() {
  for (const char* name : {"QVR_USER_NAME", "USER", "LOGNAME"}) {
    std::string value = EnvironmentValue(name);
    if (!value.empty()) return value;
  }
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
      found->pw_name) {
    return found->pw_name;
  }
  return std::string();
}

std::string GetComputerName() {
  std::string value = EnvironmentValue("QVR_COMPUTER_NAME");
  if (!value.empty()) return value;
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return std::string();
  return name;
}

std::string GetTempFolder() {
  std::string folder = EnvironmentValue("TMPDIR");
  if (!IsFolder(folder)) folder = "/tmp";
  return WithTrailingSlash(folder);
}

std::string GetHostProgramFolder() {
  return FolderOf(ProgramFile());
}

std::string GetModuleFileNameOf(const void* addressInModule) {
  Dl_info info{};
  link_map* map = nullptr;
  if (addressInModule == nullptr ||
      ::dladdr1(addressInModule, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) {
    return std::string();
  }
  // The program itself has no name of its own in the loader's list.
  if (map != nullptr && (map->l_name == nullptr || *map->l_name == '\0')) return ProgramFile();
  if (info.dli_fname == nullptr || *info.dli_fname == '\0') return std::string();
  return AbsolutePath(info.dli_fname);
}

}  // namespace qv
