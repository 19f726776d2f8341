#pragma once
// UTF-8 is the text of the whole program; UTF-16 is the "wide" text of
// variants and of the automation boundary. Invalid sequences become U+FFFD.

#include <string>
#include <string_view>

namespace qv {

std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace qv
