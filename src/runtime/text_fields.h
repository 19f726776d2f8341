#pragma once
// Separated texts and other small text helpers shared by the windows and
// services. Fields are numbered from 1; an empty text has no fields.

#include <string>
#include <string_view>

#include "platform/variant/variant.h"

namespace ravlet {

// The n-th field (from 1) of text; empty when the text has fewer than n fields.
std::string GetField(std::string_view text, char separator, int n);

// 0 for an empty text, else the number of separators + 1.
int FieldCount(std::string_view text, char separator);

// Returns the text before the first occurrence of separator and leaves the rest
// after it in text. Without a separator (or with an empty one) the whole text is
// returned and text becomes empty.
std::string SplitFirst(std::string& text, std::string_view separator);

// Removes every occurrence of oldText, replacing it by newText and searching
// again from the start, so that occurrences formed by a removal go too
// ("aabb" without "ab" is ""). Nothing is replaced when the two texts are the
// same ignoring case, or when oldText is empty. A replacement no shorter than
// oldText could grow without end when searched again, so it is applied in one
// left-to-right pass instead. The result is trimmed when trim is set.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText,
                       bool trim);

// header, chr(3), the item count list[0] as text, chr(3), then each item
// list[1..count] followed by chr(3); the wide text goes to the server as is.
// Raises qv::EVariantError (or a subclass) when list is no one-dimensional array
// holding list[0..count].
std::u16string PackList(std::string_view header, const qv::Variant& list);

// The number written in text ("." as decimal point, optional exponent, blanks
// around allowed), or fallback when the text is no such number.
double StrToFloatDefault(std::string_view text, double fallback);

// True only for exactly "127.0.0.1".
bool IsLoopbackAddress(std::string_view text);

// The platform's temporary folder, ending with its separator.
std::string GetLongTempPath();

}  // namespace ravlet
