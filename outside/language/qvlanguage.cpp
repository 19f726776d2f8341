// The language library: character conversion through OpenCC's Taiwan
// configurations, one converter per direction, opened on first use.

#include <opencc/opencc.h>

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/system/text_file.h"
#include "platform/text/unicode.h"
#include "qvlanguage_api.h"

namespace {

thread_local std::string last_error;

class Converter {
 public:
  explicit Converter(const char* config) : config_(config) {}
  ~Converter() {
    if (handle_ != nullptr && handle_ != Invalid()) opencc_close(handle_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // False, with last_error set, when the text cannot be converted.
  bool Convert(std::string_view text, std::string& out) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!Open()) return false;
    out.clear();
    // OpenCC stops at a zero byte; each piece between them goes on its own.
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\0', start);
      if (end == std::string_view::npos) end = text.size();
      if (end > start && !ConvertPiece(text.substr(start, end - start), out)) return false;
      if (end == text.size()) break;
      out += '\0';
      start = end + 1;
    }
    return true;
  }

 private:
  static opencc_t Invalid() { return reinterpret_cast<opencc_t>(static_cast<intptr_t>(-1)); }

  bool Open() {
    if (handle_ != nullptr && handle_ != Invalid()) return true;
    handle_ = opencc_open(config_);
    if (handle_ == Invalid()) {
      // The configuration by its installed path, for builds of OpenCC that do
      // not look in their data folder.
      const std::string installed = std::string("/usr/share/opencc/") + config_;
      handle_ = opencc_open(installed.c_str());
    }
    if (handle_ == Invalid()) {
      last_error =
          std::string("Cannot open the OpenCC configuration ") + config_ + ": " + opencc_error();
      handle_ = nullptr;
      return false;
    }
    return true;
  }

  bool ConvertPiece(std::string_view piece, std::string& out) {
    std::string valid;
    if (!qv::IsValidUtf8(piece)) {
      valid = qv::Utf16ToUtf8(qv::Utf8ToUtf16(piece));
      piece = valid;
    }
    char* converted = opencc_convert_utf8(handle_, piece.data(), piece.size());
    if (converted == nullptr) {
      last_error = std::string("OpenCC conversion failed: ") + opencc_error();
      return false;
    }
    out += converted;
    opencc_convert_utf8_free(converted);
    return true;
  }

  const char* config_;
  std::mutex mutex_;
  opencc_t handle_ = nullptr;
};

Converter& SimplifiedToTaiwan() {
  static Converter converter("s2tw.json");
  return converter;
}

Converter& TaiwanToSimplified() {
  static Converter converter("tw2s.json");
  return converter;
}

int64_t Run(Converter& converter, const char* text, size_t text_bytes, char* buffer,
            size_t buffer_bytes) {
  if (buffer_bytes > 0 && buffer == nullptr) {
    last_error = "No buffer for the result";
    return QVLANG_ERROR;
  }
  if (buffer_bytes > 0) buffer[0] = '\0';
  if (text == nullptr && text_bytes > 0) {
    last_error = "No input text";
    return QVLANG_ERROR;
  }
  last_error.clear();
  std::string out;
  try {
    if (!converter.Convert(std::string_view(text == nullptr ? "" : text, text_bytes), out))
      return QVLANG_ERROR;
  } catch (const std::exception& e) {
    last_error = e.what();
    return QVLANG_ERROR;
  }
  if (out.size() < buffer_bytes) {
    std::memcpy(buffer, out.data(), out.size());
    buffer[out.size()] = '\0';
  }
  return static_cast<int64_t>(out.size());
}

}  // namespace

extern "C" {

int64_t GBtoBIG5(const char* text, size_t text_bytes, char* buffer, size_t buffer_bytes) {
  return Run(SimplifiedToTaiwan(), text, text_bytes, buffer, buffer_bytes);
}

int64_t BIG5toGB(const char* text, size_t text_bytes, char* buffer, size_t buffer_bytes) {
  return Run(TaiwanToSimplified(), text, text_bytes, buffer, buffer_bytes);
}

const char* QvLanguageLastError(void) {
  return last_error.c_str();
}

}  // extern "C"
