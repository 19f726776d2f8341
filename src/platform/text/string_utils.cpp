#include "platform/text/string_utils.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/core/exception.h"

namespace qv {

namespace {

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

char ToUpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
char ToLowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToUpperAscii(a[i]) != ToUpperAscii(b[i])) return false;
  }
  return true;
}

// Finds sub in text from position from, optionally ignoring ASCII case.
size_t FindText(std::string_view text, std::string_view sub, size_t from, bool ignore_case) {
  if (!ignore_case) return text.find(sub, from);
  if (sub.size() > text.size()) return std::string_view::npos;
  for (size_t i = from; i + sub.size() <= text.size(); ++i) {
    if (EqualIgnoringCase(text.substr(i, sub.size()), sub)) return i;
  }
  return std::string_view::npos;
}

// Reads an integer the way the original framework does: leading blanks, a
// sign, decimal digits or "$"/"0x" hexadecimal, and nothing after the digits.
template <typename T>
bool ParseInteger(std::string_view text, T& value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  text.remove_prefix(i);
  if (text.empty()) return false;
  bool negative = false;
  if (text[0] == '+' || text[0] == '-') {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  using Unsigned = std::make_unsigned_t<T>;
  Unsigned magnitude = 0;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (ec != std::errc() || ptr != text.data() + text.size()) return false;
  const Unsigned limit = static_cast<Unsigned>(std::numeric_limits<T>::max());
  if (base == 16 && !negative) {
    // Hexadecimal covers the whole bit pattern: "$FFFFFFFF" is -1.
    value = static_cast<T>(magnitude);
    return true;
  }
  if (negative) {
    if (magnitude > limit + 1) return false;
    value = static_cast<T>(Unsigned(0) - magnitude);
  } else {
    if (magnitude > limit) return false;
    value = static_cast<T>(magnitude);
  }
  return true;
}

}  // namespace

std::string Trim(std::string_view text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::string TrimLeft(std::string_view text) {
  size_t begin = 0;
  while (begin < text.size() && IsTrimmed(text[begin])) ++begin;
  return std::string(text.substr(begin));
}

std::string TrimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsTrimmed(text[end - 1])) --end;
  return std::string(text.substr(0, end));
}

std::string UpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpperAscii(c);
  return out;
}

std::string LowerCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLowerAscii(c);
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  return EqualIgnoringCase(a, b);
}

int CompareText(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(ToUpperAscii(a[i]));
    const auto cb = static_cast<unsigned char>(ToUpperAscii(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int CompareStr(std::string_view a, std::string_view b) {
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool StartsText(std::string_view prefix, std::string_view text) {
  return text.size() >= prefix.size() && EqualIgnoringCase(text.substr(0, prefix.size()), prefix);
}

bool EndsText(std::string_view suffix, std::string_view text) {
  return text.size() >= suffix.size() &&
         EqualIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool ContainsText(std::string_view text, std::string_view sub) {
  return FindText(text, sub, 0, true) != std::string_view::npos;
}

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::string IntToHex(int64_t value, int digits) {
  char buffer[17];
  const auto [ptr, ec] =
      std::to_chars(buffer, buffer + sizeof(buffer), static_cast<uint64_t>(value), 16);
  std::string out = UpperCase(std::string_view(buffer, static_cast<size_t>(ptr - buffer)));
  if (digits > 0 && out.size() < static_cast<size_t>(digits)) {
    out.insert(0, static_cast<size_t>(digits) - out.size(), '0');
  }
  return out;
}

bool TryStrToInt(std::string_view text, int& value) {
  return ParseInteger(text, value);
}

bool TryStrToInt64(std::string_view text, int64_t& value) {
  return ParseInteger(text, value);
}

int StrToInt(std::string_view text) {
  int value = 0;
  if (!ParseInteger(text, value)) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  }
  return value;
}

int StrToIntDef(std::string_view text, int fallback) {
  int value = 0;
  return ParseInteger(text, value) ? value : fallback;
}

int64_t StrToInt64(std::string_view text) {
  int64_t value = 0;
  if (!ParseInteger(text, value)) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  }
  return value;
}

int64_t StrToInt64Def(std::string_view text, int64_t fallback) {
  int64_t value = 0;
  return ParseInteger(text, value) ? value : fallback;
}

std::string FloatToStr(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  // Shortest digits that read back the same, then laid out like the
  // framework's general format: fixed unless the exponent is large or small.
  char buffer[64];
  const auto [ptr, ec] =
      std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::scientific);
  std::string_view sci(buffer, static_cast<size_t>(ptr - buffer));
  const size_t e_pos = sci.find('e');
  std::string_view mantissa = sci.substr(0, e_pos);
  int exponent = 0;
  std::from_chars(sci.data() + e_pos + 1 + (sci[e_pos + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                  exponent);
  std::string out;
  if (mantissa[0] == '-') {
    out += '-';
    mantissa.remove_prefix(1);
  }
  std::string digits;
  for (char c : mantissa) {
    if (c != '.') digits += c;
  }
  const int point = exponent + 1;  // digits before the decimal point
  if (point > 15 || point < -3) {
    out += digits[0];
    if (digits.size() > 1) {
      out += '.';
      out.append(digits, 1);
    }
    out += 'E';
    out += std::to_string(exponent);
  } else if (point <= 0) {
    out += "0.";
    out.append(static_cast<size_t>(-point), '0');
    out += digits;
  } else if (static_cast<size_t>(point) >= digits.size()) {
    out += digits;
    out.append(static_cast<size_t>(point) - digits.size(), '0');
  } else {
    out.append(digits, 0, static_cast<size_t>(point));
    out += '.';
    out.append(digits, static_cast<size_t>(point));
  }
  return out;
}

bool TryStrToFloat(std::string_view text, double& value) {
  const std::string trimmed = Trim(text);
  std::string_view t = trimmed;
  if (t.empty()) return false;
  bool negative = false;
  if (t[0] == '+' || t[0] == '-') {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  // Only digits, one point and an exponent: no "inf", "nan" or hexadecimal.
  if (t.empty() || !((t[0] >= '0' && t[0] <= '9') || t[0] == '.')) return false;
  if (t.find_first_not_of("0123456789.eE+-") != std::string_view::npos) return false;
  double parsed = 0;
  const auto [ptr, ec] =
      std::from_chars(t.data(), t.data() + t.size(), parsed, std::chars_format::general);
  if (ec != std::errc() || ptr != t.data() + t.size()) return false;
  value = negative ? -parsed : parsed;
  return true;
}

double StrToFloat(std::string_view text) {
  double value = 0;
  if (!TryStrToFloat(text, value)) {
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  }
  return value;
}

double StrToFloatDef(std::string_view text, double fallback) {
  double value = 0;
  return TryStrToFloat(text, value) ? value : fallback;
}

std::string StringReplace(std::string_view text, std::string_view old_pattern,
                          std::string_view new_pattern, TReplaceFlags flags) {
  if (old_pattern.empty()) return std::string(text);
  const bool ignore_case = (flags & rfIgnoreCase) != 0;
  const bool all = (flags & rfReplaceAll) != 0;
  std::string out;
  size_t from = 0;
  while (from <= text.size()) {
    const size_t found = FindText(text, old_pattern, from, ignore_case);
    if (found == std::string_view::npos) break;
    out.append(text, from, found - from);
    out.append(new_pattern);
    from = found + old_pattern.size();
    if (!all) break;
  }
  out.append(text.substr(std::min(from, text.size())));
  return out;
}

int Pos(std::string_view sub, std::string_view text) {
  return PosEx(sub, text, 1);
}

int PosEx(std::string_view sub, std::string_view text, int offset) {
  if (sub.empty() || offset < 1 || static_cast<size_t>(offset) > text.size()) return 0;
  const size_t found = text.find(sub, static_cast<size_t>(offset - 1));
  return found == std::string_view::npos ? 0 : static_cast<int>(found + 1);
}

std::vector<std::string> SplitString(std::string_view text, char separator) {
  std::vector<std::string> parts;
  if (text.empty()) return parts;
  size_t start = 0;
  while (true) {
    const size_t found = text.find(separator, start);
    if (found == std::string_view::npos) {
      parts.emplace_back(text.substr(start));
      break;
    }
    parts.emplace_back(text.substr(start, found - start));
    start = found + 1;
  }
  return parts;
}

std::string JoinStrings(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out.append(separator);
    out.append(parts[i]);
  }
  return out;
}

std::string StringOfChar(char ch, int count) {
  return count > 0 ? std::string(static_cast<size_t>(count), ch) : std::string();
}

std::string QuotedStr(std::string_view text) {
  return AnsiQuotedStr(text, '\'');
}

std::string AnsiQuotedStr(std::string_view text, char quote) {
  std::string out;
  out.reserve(text.size() + 2);
  out += quote;
  for (char c : text) {
    out += c;
    if (c == quote) out += quote;
  }
  out += quote;
  return out;
}

bool IsFullWidthChar(char32_t ch) {
  // East Asian wide and full-width ranges.
  struct Range {
    char32_t first, last;
  };
  static constexpr Range kWide[] = {
      {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},
      {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},
      {0xF900, 0xFAFF},   {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},
      {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD},
      {0x30000, 0x3FFFD},
  };
  for (const Range& r : kWide) {
    if (ch < r.first) return false;
    if (ch <= r.last) return true;
  }
  return false;
}

int TextDisplayWidth(std::string_view utf8) {
  int width = 0;
  size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    size_t length = 1;
    char32_t cp = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4, cp = lead & 0x07;
    } else if (lead >= 0xE0) {
      length = 3, cp = lead & 0x0F;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      length = 2, cp = lead & 0x1F;
    }
    if (length > 1) {
      bool valid = i + length <= utf8.size();
      for (size_t k = 1; valid && k < length; ++k) {
        const auto c = static_cast<unsigned char>(utf8[i + k]);
        valid = (c & 0xC0) == 0x80;
        cp = (cp << 6) | (c & 0x3F);
      }
      if (!valid) length = 1, cp = 0xFFFD;
    }
    width += IsFullWidthChar(cp) ? 2 : 1;
    i += length;
  }
  return width;
}

}  // namespace qv
