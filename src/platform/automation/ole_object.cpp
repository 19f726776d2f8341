#include "platform/automation/ole_object.h"

#include <map>
#include <mutex>

#include "platform/system/dynamic_library.h"
#include "platform/system/registry.h"

namespace qv {

namespace {

struct Registration {
  std::string library;
  std::string factory;
};

Registration ReadRegistration(const std::string& progId) {
  // A ProgID names one key; a path would reach keys that are no class.
  if (progId.empty() || progId.find_first_of("\\/") != std::string::npos) {
    throw EOleError("Invalid class string \"" + progId + "\"");
  }
  try {
    TRegistry registry(HKEY_CLASSES_ROOT);
    if (!registry.OpenKeyReadOnly("\\" + progId)) {
      throw EOleError("Invalid class string \"" + progId + "\"");
    }
    Registration found{registry.ReadString("Library"), registry.ReadString("Factory")};
    if (found.library.empty() || found.factory.empty()) {
      throw EOleError("Invalid class string \"" + progId +
                      "\": the registry names no Library and Factory for it");
    }
    return found;
  } catch (const ERegistryException& e) {
    throw EOleError("Invalid class string \"" + progId + "\": " + e.Message());
  }
}

// Libraries stay loaded for the life of the process (never FreeLibrary'd):
// objects they made may be released by any static destructor at exit.
QvObjectFactory* FindFactory(const std::string& progId, const Registration& reg) {
  static std::mutex mutex;
  static std::map<std::string, HMODULE> loaded;
  std::lock_guard lock(mutex);
  HMODULE& module = loaded[reg.library];
  if (module == nullptr) {
    module = LoadLibrary(reg.library);
    if (module == nullptr) {
      loaded.erase(reg.library);
      throw EOleError("Cannot load library \"" + reg.library + "\" for class \"" + progId +
                      "\": " + TDynamicLibrary::LastError());
    }
  }
  auto* factory = reinterpret_cast<QvObjectFactory*>(GetProcAddress(module, reg.factory));
  if (factory == nullptr) {
    throw EOleError("Library \"" + reg.library + "\" has no export \"" + reg.factory +
                    "\" for class \"" + progId + "\"");
  }
  return factory;
}

}  // namespace

Variant CreateOleObject(const std::string& progId) {
  const Registration reg = ReadRegistration(progId);
  QvObjectFactory* factory = FindFactory(progId, reg);
  std::shared_ptr<IDispatch> object;
  int code = 0;
  try {
    code = factory(progId.c_str(), &object);
  } catch (const Exception& e) {
    throw EOleException("Creating \"" + progId + "\" failed: " + e.Message(), e.ClassName());
  } catch (const std::exception& e) {
    throw EOleException("Creating \"" + progId + "\" failed: " + e.what(), "Exception");
  }
  if (code != 0) {
    throw EOleError("Creating \"" + progId + "\" failed: " + reg.factory + " returned " +
                    std::to_string(code));
  }
  if (!object) {
    throw EOleError("Creating \"" + progId + "\" failed: " + reg.factory + " returned no object");
  }
  return Variant(std::move(object));
}

}  // namespace qv
