#pragma once
// The language library "Qvlanguage.dll" behind the code-page converter: its two
// entry points turn Simplified Chinese characters into the Traditional (Taiwan)
// forms and back, one whole UTF-8 text at a time.

#include <memory>
#include <string>

#include "platform/system/dynamic_library.h"

namespace ravlet {

class TTranslator {
 public:
  // The library that translators load: "Qvlanguage.dll" unless changed. The
  // name is a process-wide setting, read when a translator is created.
  static std::string LibraryName();
  static void SetLibraryName(const std::string& name);

  // Loads the library and looks up "GBtoBIG5" and "BIG5toGB". Raises
  // qv::Exception "Load Library %s Error!" (with the library's name) or "Get
  // Library Procedure Address Error!".
  TTranslator();
  ~TTranslator();
  TTranslator(const TTranslator&) = delete;
  TTranslator& operator=(const TTranslator&) = delete;

  // One text through the library; an empty text stays empty and a missing
  // entry point returns the text unchanged. Raises qv::Exception when the
  // library reports that it could not convert.
  std::string GBtoBIG5(const std::string& text) const;
  std::string BIG5toGB(const std::string& text) const;

 private:
  std::string Call(void* proc, const char* name, const std::string& text) const;

  std::unique_ptr<qv::TDynamicLibrary> library_;
  void* gb_to_big5_ = nullptr;
  void* big5_to_gb_ = nullptr;
  void* last_error_ = nullptr;
};

}  // namespace ravlet
