#include "language/translator.h"

#include <mutex>
#include <utility>

#include "../../outside/language/qvlanguage_api.h"
#include "platform/core/exception.h"
#include "platform/text/format.h"

namespace ravlet {
namespace {

std::mutex& NameMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& LibraryNameSetting() {
  static std::string name = "Qvlanguage.dll";
  return name;
}

}  // namespace

std::string TTranslator::LibraryName() {
  std::lock_guard<std::mutex> lock(NameMutex());
  return LibraryNameSetting();
}

void TTranslator::SetLibraryName(const std::string& name) {
  std::lock_guard<std::mutex> lock(NameMutex());
  LibraryNameSetting() = name;
}

TTranslator::TTranslator() {
  std::string name;
  {
    std::lock_guard<std::mutex> lock(NameMutex());
    name = LibraryNameSetting();
  }
  library_ = qv::TDynamicLibrary::Load(name);
  if (!library_) throw qv::Exception(qv::Format("Load Library %s Error!", {name}));
  gb_to_big5_ = library_->GetProcAddress("GBtoBIG5");
  big5_to_gb_ = library_->GetProcAddress("BIG5toGB");
  if (gb_to_big5_ == nullptr || big5_to_gb_ == nullptr) {
    library_.reset();
    throw qv::Exception("Get Library Procedure Address Error!");
  }
  last_error_ = library_->GetProcAddress("QvLanguageLastError");
}

TTranslator::~TTranslator() = default;

std::string TTranslator::GBtoBIG5(const std::string& text) const {
  return Call(gb_to_big5_, "GBtoBIG5", text);
}

std::string TTranslator::BIG5toGB(const std::string& text) const {
  return Call(big5_to_gb_, "BIG5toGB", text);
}

std::string TTranslator::Call(void* proc, const char* name, const std::string& text) const {
  if (proc == nullptr || text.empty()) return text;
  auto convert = reinterpret_cast<QvLanguageConvertProc>(proc);
  // Room for the usual result at once; a longer one is asked for again.
  std::string buffer(text.size() + text.size() / 2 + 16, '\0');
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int64_t length = convert(text.data(), text.size(), buffer.data(), buffer.size());
    if (length < 0) {
      std::string reason;
      if (last_error_ != nullptr) {
        const char* message = reinterpret_cast<QvLanguageLastErrorProc>(last_error_)();
        if (message != nullptr) reason = message;
      }
      throw qv::Exception(std::string(name) + " of " + library_->Name() + " failed" +
                          (reason.empty() ? "" : ": " + reason));
    }
    if (static_cast<uint64_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      return buffer;
    }
    buffer.assign(static_cast<std::size_t>(length) + 1, '\0');
  }
  throw qv::Exception(std::string(name) + " of " + library_->Name() +
                      " gave no result that fits its buffer");
}

}  // namespace ravlet
