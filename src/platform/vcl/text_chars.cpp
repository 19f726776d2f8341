#include "platform/vcl/text_chars.h"

#include "platform/text/unicode.h"

namespace qv {

std::u32string Utf8ToChars(std::string_view utf8) {
  const std::u16string units = Utf8ToUtf16(utf8);
  std::u32string chars;
  chars.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t ch = units[i];
    if (ch >= 0xD800 && ch < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] < 0xE000) {
      ch = 0x10000 + ((ch - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      ++i;
    }
    chars.push_back(ch);
  }
  return chars;
}

std::string CharsToUtf8(std::u32string_view chars) {
  std::u16string units;
  units.reserve(chars.size());
  for (char32_t ch : chars) {
    if (ch >= 0x10000 && ch <= 0x10FFFF) {
      ch -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (ch >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (ch & 0x3FF)));
    } else if (ch > 0x10FFFF) {
      units.push_back(u'\uFFFD');
    } else {
      units.push_back(static_cast<char16_t>(ch));
    }
  }
  return Utf16ToUtf8(units);
}

}  // namespace qv
