#include "platform/system/text_file.h"

#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "platform/system/paths.h"
#include "platform/text/code_page.h"
#include "platform/text/unicode.h"

namespace qv {
namespace {

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units.push_back(
        static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  return Utf16ToUtf8(units);
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    size_t length = 0;
    unsigned min = 0;
    unsigned code = 0;
    if ((lead & 0xE0) == 0xC0) {
      length = 2, min = 0x80, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3, min = 0x800, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4, min = 0x10000, code = lead & 0x07;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += length;
  }
  return true;
}

std::string DecodeTextFileBytes(std::string_view bytes) {
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
      static_cast<unsigned char>(bytes[1]) == 0xFE) {
    return DecodeUtf16(bytes.substr(2), false);
  }
  if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFE &&
      static_cast<unsigned char>(bytes[1]) == 0xFF) {
    return DecodeUtf16(bytes.substr(2), true);
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") {
    return Utf16ToUtf8(Utf8ToUtf16(bytes.substr(3)));
  }
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return AnsiToUtf8(bytes);
}

bool ReadFileBytes(const std::string& fileName, std::string& bytes) {
  const std::string native = ToNativePath(fileName);
  struct stat info {};
  if (native.empty() || ::stat(native.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return false;
  }
  std::ifstream in(native, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool ReadTextFile(const std::string& fileName, std::string& text) {
  std::string bytes;
  if (!ReadFileBytes(fileName, bytes)) return false;
  text = DecodeTextFileBytes(bytes);
  return true;
}

}  // namespace qv
