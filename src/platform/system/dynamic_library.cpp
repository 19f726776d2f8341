#include "platform/system/dynamic_library.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>

#include <vector>

#include "platform/system/environment.h"
#include "platform/system/paths.h"
#include "platform/text/string_utils.h"

namespace qv {
namespace {

thread_local std::string lastError;

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The file names a Windows library name may have here, in the order tried.
std::vector<std::string> CandidateNames(const std::string& fileName) {
  const std::string ext = ExtractFileExt(fileName);
  if (SameText(ext, ".so")) return {fileName, "lib" + fileName};
  if (ext.empty()) {
    return {fileName + ".so", fileName + ".dll", "lib" + fileName + ".so", fileName};
  }
  const std::string stem = fileName.substr(0, fileName.size() - ext.size());
  return {stem + ".so", fileName, "lib" + stem + ".so"};
}

std::string ThisLibraryFolder() {
  static const int anchor = 0;
  return ExtractFilePath(GetModuleFileNameOf(&anchor));
}

std::string LoadedFileName(void* handle, const std::string& fallback) {
  link_map* map = nullptr;
  if (::dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map != nullptr && map->l_name != nullptr &&
      *map->l_name != '\0') {
    return map->l_name;
  }
  return fallback;
}

void* OpenLibrary(const std::string& name, std::string& loadedFile, std::string& error) {
  const std::string fileName = ExtractFileName(name);
  if (fileName.empty()) {
    error = "Cannot load library '" + name + "': no file name";
    return nullptr;
  }
  const std::vector<std::string> candidates = CandidateNames(fileName);
  const std::string folder = ExtractFilePath(name);
  std::vector<std::string> folders;
  if (!folder.empty()) {
    folders.push_back(folder);
  } else {
    folders.push_back(GetHostProgramFolder());
    folders.push_back(ThisLibraryFolder());
  }

  std::string failure;
  for (const std::string& base : folders) {
    if (base.empty()) continue;
    for (const std::string& candidate : candidates) {
      const std::string path = ToNativePath(IncludeTrailingPathDelimiter(base) + candidate);
      if (!IsRegularFile(path)) continue;
      if (void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        loadedFile = LoadedFileName(handle, path);
        return handle;
      }
      const char* text = ::dlerror();
      if (failure.empty() && text != nullptr) failure = text;
    }
  }
  if (folder.empty()) {
    for (const std::string& candidate : candidates) {
      if (void* handle = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        loadedFile = LoadedFileName(handle, candidate);
        return handle;
      }
      const char* text = ::dlerror();
      std::string message = text ? text : "";
      if (failure.empty() && message.find("No such file") == std::string::npos) failure = message;
    }
  }
  std::string tried;
  for (const std::string& candidate : candidates) tried += (tried.empty() ? "" : ", ") + candidate;
  error = "Cannot load library '" + name +
          "': " + (failure.empty() ? "no file " + tried + " was found" : failure);
  return nullptr;
}

}  // namespace

std::unique_ptr<TDynamicLibrary> TDynamicLibrary::Load(const std::string& name) {
  std::string fileName;
  std::string error;
  void* handle = OpenLibrary(name, fileName, error);
  if (handle == nullptr) {
    lastError = error;
    return nullptr;
  }
  return std::unique_ptr<TDynamicLibrary>(new TDynamicLibrary(handle, name, fileName));
}

std::string TDynamicLibrary::LastError() {
  return lastError;
}

TDynamicLibrary::TDynamicLibrary(void* handle, std::string name, std::string fileName)
    : handle_(handle), name_(std::move(name)), fileName_(std::move(fileName)) {}

TDynamicLibrary::~TDynamicLibrary() {
  ::dlclose(handle_);
}

void* TDynamicLibrary::GetProcAddress(const std::string& exportName) const {
  if (exportName.empty()) return nullptr;
  return ::dlsym(handle_, exportName.c_str());
}

HMODULE LoadLibrary(const std::string& name) {
  std::string fileName;
  std::string error;
  void* handle = OpenLibrary(name, fileName, error);
  if (handle == nullptr) lastError = error;
  return handle;
}

bool FreeLibrary(HMODULE module) {
  return module != nullptr && ::dlclose(module) == 0;
}

void* GetProcAddress(HMODULE module, const std::string& exportName) {
  if (module == nullptr || exportName.empty()) return nullptr;
  return ::dlsym(module, exportName.c_str());
}

}  // namespace qv
