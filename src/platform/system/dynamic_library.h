#pragma once
// Dynamic libraries by their Windows file name. "X.dll" is looked for as X.so,
// X.dll and libX.so; a name with a folder only in that folder, otherwise in the
// host program's folder, the folder of this platform library and then along
// the system's library search path.

#include <memory>
#include <string>

namespace qv {

class TDynamicLibrary {
 public:
  // nullptr on failure; LastError() then tells why.
  static std::unique_ptr<TDynamicLibrary> Load(const std::string& name);
  // The reason of the last failed Load on this thread.
  static std::string LastError();

  ~TDynamicLibrary();
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  // nullptr when the library has no such export.
  void* GetProcAddress(const std::string& exportName) const;
  template <typename Function>
  Function* GetProc(const std::string& exportName) const {
    return reinterpret_cast<Function*>(GetProcAddress(exportName));
  }

  // The name asked for and the native file that was loaded.
  const std::string& Name() const { return name_; }
  const std::string& FileName() const { return fileName_; }

 private:
  TDynamicLibrary(void* handle, std::string name, std::string fileName);

  void* handle_;
  std::string name_;
  std::string fileName_;
};

// Handle-style access in the manner of the Windows calls.
using HMODULE = void*;
HMODULE LoadLibrary(const std::string& name);  // nullptr on failure
bool FreeLibrary(HMODULE module);
void* GetProcAddress(HMODULE module, const std::string& exportName);

}  // namespace qv
