#include "platform/system/paths.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <map>
#include <mutex>
#include <vector>

namespace qv {
namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}
bool IsPathDelimiter(char c) {
  return IsSeparator(c) || c == ':';
}
bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string AsciiUpper(std::string text) {
  for (char& c : text) c = AsciiUpper(c);
  return text;
}

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
  }
  return true;
}

// Position just after the last character that is one of the delimiters, 0 when none.
size_t AfterLastOf(const std::string& text, bool (*isDelimiter)(char)) {
  for (size_t i = text.size(); i > 0; --i) {
    if (isDelimiter(text[i - 1])) return i;
  }
  return 0;
}

bool IsUncPath(const std::string& path) {
  return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool IsDrivePath(const std::string& path) {
  return path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':';
}

// The prefix of an unmapped drive or share: nothing can be created below /proc.
constexpr const char* kUnmappedRoot = "/proc/qv-unmapped";

std::mutex& MappingMutex() {
  static std::mutex mutex;
  return mutex;
}

// Keys are upper-case: "C" or "\\SERVER\SHARE".
std::map<std::string, std::string>& ExplicitMappings() {
  static std::map<std::string, std::string> mappings;
  return mappings;
}

std::string NormalizeMappingKey(const std::string& driveOrShare) {
  std::string key = driveOrShare;
  for (char& c : key) {
    if (c == '/') c = '\\';
  }
  while (!key.empty() && (key.back() == '\\' || key.back() == ':')) key.pop_back();
  return AsciiUpper(key);
}

std::string NormalizeFolder(std::string folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

bool LookupMapping(const std::string& key, std::string& folder) {
  {
    std::lock_guard<std::mutex> lock(MappingMutex());
    auto found = ExplicitMappings().find(key);
    if (found != ExplicitMappings().end()) {
      folder = found->second;
      return true;
    }
  }
  const char* configured = std::getenv("QVR_DRIVE_MAP");
  if (configured == nullptr) return false;
  std::string text = configured;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    std::string entry = text.substr(start, end - start);
    size_t equals = entry.find('=');
    if (equals != std::string::npos && NormalizeMappingKey(entry.substr(0, equals)) == key) {
      std::string value = entry.substr(equals + 1);
      if (!value.empty()) {
        folder = NormalizeFolder(value);
        return true;
      }
    }
    start = end + 1;
  }
  return false;
}

std::vector<std::string> SplitComponents(const std::string& text) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (IsSeparator(c)) {
      if (!current.empty()) parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) parts.push_back(current);
  return parts;
}

// A path below a drive or share cannot leave it: "." is dropped and ".." at
// the top stays there, as on Windows.
std::vector<std::string> ComponentsBelowRoot(const std::vector<std::string>& components) {
  std::vector<std::string> kept;
  for (const std::string& component : components) {
    if (component == ".") continue;
    if (component == "..") {
      if (!kept.empty()) kept.pop_back();
      continue;
    }
    kept.push_back(component);
  }
  return kept;
}

std::string SafeComponent(const std::string& component) {
  return component == "." || component == ".." ? std::string("_") : component;
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// The entry of the folder whose name equals the component without regard to
// case; the component itself when there is none.
std::string MatchEntry(const std::string& folder, const std::string& component) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return component;
  std::string match = component;
  while (dirent* entry = ::readdir(dir)) {
    if (SameTextAscii(entry->d_name, component)) {
      match = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return match;
}

// Appends the components to the base, matching case where the exact name is missing.
std::string JoinResolved(std::string base, const std::vector<std::string>& components,
                         bool trailingSeparator) {
  bool lookup = true;
  for (const std::string& component : components) {
    std::string folder = base;
    if (!base.empty() && base.back() != '/') base += '/';
    std::string candidate = base + component;
    if (lookup && component != "." && component != ".." && !PathExists(candidate)) {
      std::string match = MatchEntry(folder.empty() ? "." : folder, component);
      candidate = base + match;
      if (match == component) lookup = false;
    }
    base = candidate;
  }
  if (trailingSeparator && (base.empty() || base.back() != '/')) base += '/';
  return base;
}

bool MakeNativeDirectories(std::string native) {
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  if (native.empty()) return false;
  struct stat info {};
  if (::stat(native.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  size_t slash = native.rfind('/');
  if (slash != std::string::npos && slash > 0 && !MakeNativeDirectories(native.substr(0, slash))) {
    return false;
  }
  if (::mkdir(native.c_str(), 0777) == 0) return true;
  return errno == EEXIST && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::string ExtractFilePath(const std::string& fileName) {
  return fileName.substr(0, AfterLastOf(fileName, IsPathDelimiter));
}

std::string ExtractFileDir(const std::string& fileName) {
  size_t end = AfterLastOf(fileName, IsPathDelimiter);
  if (end > 1 && IsSeparator(fileName[end - 1]) && !IsPathDelimiter(fileName[end - 2])) --end;
  return fileName.substr(0, end);
}

std::string ExtractFileName(const std::string& fileName) {
  return fileName.substr(AfterLastOf(fileName, IsPathDelimiter));
}

std::string ExtractFileExt(const std::string& fileName) {
  size_t end = AfterLastOf(fileName, [](char c) { return c == '.' || IsPathDelimiter(c); });
  if (end == 0 || fileName[end - 1] != '.') return std::string();
  return fileName.substr(end - 1);
}

std::string ChangeFileExt(const std::string& fileName, const std::string& extension) {
  size_t end = AfterLastOf(fileName, [](char c) { return c == '.' || IsPathDelimiter(c); });
  if (end == 0 || fileName[end - 1] != '.') return fileName + extension;
  return fileName.substr(0, end - 1) + extension;
}

std::string IncludeTrailingBackslash(const std::string& path) {
  if (!path.empty() && IsSeparator(path.back())) return path;
  return path + '\\';
}

std::string IncludeTrailingPathDelimiter(const std::string& path) {
  return IncludeTrailingBackslash(path);
}

std::string ExcludeTrailingBackslash(const std::string& path) {
  if (!path.empty() && IsSeparator(path.back())) return path.substr(0, path.size() - 1);
  return path;
}

std::string ExcludeTrailingPathDelimiter(const std::string& path) {
  return ExcludeTrailingBackslash(path);
}

bool HasDrivePrefix(const std::string& path) {
  return IsDrivePath(path) || IsUncPath(path);
}

void SetDriveMapping(const std::string& driveOrShare, const std::string& nativeFolder) {
  std::lock_guard<std::mutex> lock(MappingMutex());
  ExplicitMappings()[NormalizeMappingKey(driveOrShare)] = NormalizeFolder(nativeFolder);
}

void ClearDriveMappings() {
  std::lock_guard<std::mutex> lock(MappingMutex());
  ExplicitMappings().clear();
}

std::string ToNativePath(const std::string& path) {
  if (path.empty()) return path;
  bool trailing = IsSeparator(path.back());
  if (IsDrivePath(path)) {
    std::string key(1, AsciiUpper(path[0]));
    std::string base;
    if (!LookupMapping(key, base)) base = std::string(kUnmappedRoot) + "/" + key;
    return JoinResolved(base, ComponentsBelowRoot(SplitComponents(path.substr(2))), trailing);
  }
  if (IsUncPath(path)) {
    std::vector<std::string> parts = SplitComponents(path);
    if (parts.size() < 2) return std::string(kUnmappedRoot) + "/share";
    std::string base;
    if (!LookupMapping(NormalizeMappingKey("\\\\" + parts[0] + "\\" + parts[1]), base)) {
      base = std::string(kUnmappedRoot) + "/" + SafeComponent(parts[0]) + "/" +
             SafeComponent(parts[1]);
    }
    std::vector<std::string> tail(parts.begin() + 2, parts.end());
    return JoinResolved(base, ComponentsBelowRoot(tail), trailing);
  }
  if (IsSeparator(path[0])) return JoinResolved("/", SplitComponents(path), trailing);
  return JoinResolved(std::string(), SplitComponents(path), trailing);
}

bool FileExists(const std::string& fileName) {
  struct stat info {};
  std::string native = ToNativePath(fileName);
  return !native.empty() && ::stat(native.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& directory) {
  struct stat info {};
  std::string native = ToNativePath(directory);
  return !native.empty() && ::stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool ForceDirectories(const std::string& directory) {
  return MakeNativeDirectories(ToNativePath(directory));
}

bool DeleteFile(const std::string& fileName) {
  std::string native = ToNativePath(fileName);
  struct stat info {};
  if (native.empty() || ::lstat(native.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  return ::unlink(native.c_str()) == 0;
}

bool RenameFile(const std::string& oldName, const std::string& newName) {
  std::string from = ToNativePath(oldName);
  std::string to = ToNativePath(newName);
  if (from.empty() || to.empty()) return false;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // The file system cannot refuse to replace by itself.
  struct stat info {};
  if (::lstat(to.c_str(), &info) == 0) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace qv
