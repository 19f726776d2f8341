#pragma once
// Texts as characters (code points), for controls that count, select and
// edit by character: UTF-8 to UTF-32 and back.

#include <string>
#include <string_view>

namespace qv {

std::u32string Utf8ToChars(std::string_view utf8);
std::string CharsToUtf8(std::u32string_view chars);

}  // namespace qv
