#pragma once
// Everyday text routines with the original framework's names and rules.
// Texts are UTF-8 (or code-page bytes); case rules touch ASCII letters only,
// so multibyte characters pass through unchanged.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// Remove characters <= ' ' (blanks and control characters) from the ends.
std::string Trim(std::string_view text);
std::string TrimLeft(std::string_view text);
std::string TrimRight(std::string_view text);

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

// ASCII case-insensitive comparison; CompareText is < 0, 0 or > 0.
bool SameText(std::string_view a, std::string_view b);
int CompareText(std::string_view a, std::string_view b);
// Byte-wise comparison, < 0, 0 or > 0.
int CompareStr(std::string_view a, std::string_view b);
bool StartsText(std::string_view prefix, std::string_view text);
bool EndsText(std::string_view suffix, std::string_view text);
bool ContainsText(std::string_view text, std::string_view sub);

std::string IntToStr(int64_t value);
// Hexadecimal digits (upper case), at least `digits` of them.
std::string IntToHex(int64_t value, int digits);

// Leading blanks, a sign and "$", "0x" or "0X" hexadecimal are accepted;
// nothing may follow the digits. StrToInt raises EConvertError "'abc' is not a valid integer
// value".
int StrToInt(std::string_view text);
int StrToIntDef(std::string_view text, int fallback);
bool TryStrToInt(std::string_view text, int& value);
int64_t StrToInt64(std::string_view text);
int64_t StrToInt64Def(std::string_view text, int64_t fallback);
bool TryStrToInt64(std::string_view text, int64_t& value);

// Shortest text that reads back as the same number: 1.5 -> "1.5", 2.0 -> "2",
// 1e20 -> "1E20".
std::string FloatToStr(double value);
// "." decimal point, optional exponent, blanks around allowed. StrToFloat
// raises EConvertError "'abc' is not a valid floating point value".
bool TryStrToFloat(std::string_view text, double& value);
double StrToFloat(std::string_view text);
double StrToFloatDef(std::string_view text, double fallback);

enum TReplaceFlags : unsigned { rfNone = 0, rfReplaceAll = 1, rfIgnoreCase = 2 };
constexpr TReplaceFlags operator|(TReplaceFlags a, TReplaceFlags b) {
  return static_cast<TReplaceFlags>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
std::string StringReplace(std::string_view text, std::string_view old_pattern,
                          std::string_view new_pattern, TReplaceFlags flags = rfNone);

// 1-based position of sub in text, 0 when absent (or when sub is empty).
int Pos(std::string_view sub, std::string_view text);
// The same, searching from the 1-based position offset.
int PosEx(std::string_view sub, std::string_view text, int offset = 1);

// "a,,b" gives "a", "", "b"; an empty text gives no fields.
std::vector<std::string> SplitString(std::string_view text, char separator);
std::string JoinStrings(const std::vector<std::string>& parts, std::string_view separator);

std::string StringOfChar(char ch, int count);
// The text in single quotes, inner quotes doubled.
std::string QuotedStr(std::string_view text);
std::string AnsiQuotedStr(std::string_view text, char quote);

// Full-width characters (CJK, Hangul, full-width forms, ...) take two columns
// of the fixed font metric, all others one.
bool IsFullWidthChar(char32_t ch);
int TextDisplayWidth(std::string_view utf8);

}  // namespace qv
