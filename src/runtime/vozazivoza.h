#pragma once
// The download library "VOZaziVoza.dll", loaded for one update and unloaded
// with this object. Its entry points are looked up by name; a missing library
// or export leaves the entry point empty, which the calls report.

#include <memory>
#include <string>

#include "../../outside/download/vozazivoza_api.h"
#include "platform/system/dynamic_library.h"
#include "platform/vcl/class_info.h"
#include "platform/vcl/object.h"

namespace ravlet {

class TVOZaziVoza : public qv::TObject {
  QV_DECLARE_CLASS(TVOZaziVoza)

 public:
  TVOZaziVoza();
  ~TVOZaziVoza() override;

  // The library that downloaders load: "VOZaziVoza.dll" unless changed.
  static std::string LibraryName();
  static void SetLibraryName(const std::string& name);

  bool Loaded() const { return library_ != nullptr; }

  // True when the published file (stamp) has to be fetched for localFile.
  // Raises qv::Exception "function VoZaziVoza.CompareFileToDown not found!"
  // without the entry point.
  bool CompareFileToDown(const std::string& stamp, const std::string& localFile);
  // Fetches remoteArchive to localArchive; on failure the library's message
  // goes to message.
  bool VOZaziVozaFile(const std::string& remoteArchive, const std::string& localArchive,
                      std::string& message);
  // Unpacks archive into targetFolder; on failure the library's message goes
  // to message.
  bool UnZipFilesOrDir(const std::string& archive, const std::string& targetFolder,
                       std::string& message);

 private:
  std::unique_ptr<qv::TDynamicLibrary> library_;
  VOZaziVozaFileExProc fileEx_ = nullptr;
  UnZipFilesOrDirProc unZip_ = nullptr;
  CompareFileToDownProc compare_ = nullptr;
  // Passed, empty, as the download call's second argument.
  std::string server_;
};

}  // namespace ravlet
