#include "platform/system/dynamic_library.h"

#include <dlfcn.h>

namespace qv {
namespace {
thread_local std::string lastError;
}  // namespace

std::unique_ptr<TDynamicLibrary> TDynamicLibrary::Load(const std::string& name) {
  void* handle = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* error = ::dlerror();
    lastError = error ? error : "cannot load " + name;
    return nullptr;
  }
  return std::unique_ptr<TDynamicLibrary>(new TDynamicLibrary(handle, name, name));
}

std::string TDynamicLibrary::LastError() { return lastError; }

TDynamicLibrary::TDynamicLibrary(void* handle, std::string name, std::string fileName)
    : handle_(handle), name_(std::move(name)), fileName_(std::move(fileName)) {}

TDynamicLibrary::~TDynamicLibrary() {
  if (handle_) ::dlclose(handle_);
}

void* TDynamicLibrary::GetProcAddress(const std::string& exportName) const {
  return ::dlsym(handle_, exportName.c_str());
}

HMODULE LoadLibrary(const std::string& name) { return ::dlopen(name.c_str(), RTLD_NOW); }
bool FreeLibrary(HMODULE module) { return module && ::dlclose(module) == 0; }
void* GetProcAddress(HMODULE module, const std::string& exportName) {
  return module ? ::dlsym(module, exportName.c_str()) : nullptr;
}

}  // namespace qv
