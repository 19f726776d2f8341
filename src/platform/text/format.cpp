#include "platform/text/format.h"

#include <charconv>
#include <cmath>
#include <vector>

#include "platform/core/exception.h"

namespace qv {

namespace {

constexpr int kNoPrecision = -1;

[[noreturn]] void RaiseInvalid(std::string_view fmt) {
  throw EConvertError("Format '" + std::string(fmt) + "' invalid or incompatible with argument");
}

std::string Digits(uint64_t value, int base) {
  char buffer[24];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, base);
  std::string out(buffer, ptr);
  for (char& c : out) {
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 32);
  }
  return out;
}

void PadDigits(std::string& digits, int precision) {
  if (precision > 0 && digits.size() < static_cast<size_t>(precision)) {
    digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
  }
}

// The bit pattern of a negative integer, at the width it was passed with.
uint64_t AsBits(const FormatArg& arg) {
  if (arg.kind() == FormatArg::Kind::Unsigned) return arg.AsUnsigned();
  const int64_t v = arg.AsInteger();
  if (v < 0 && !arg.IsWide()) return static_cast<uint32_t>(static_cast<int32_t>(v));
  return static_cast<uint64_t>(v);
}

// Fixed text with precision decimals. Like the original framework, the value
// is first taken to 18 significant digits and then rounded half away from
// zero, so 2.5 gives "3" and 0.125 gives "0.13" at two decimals.
std::string FixedText(double value, int precision) {
  constexpr int kSignificant = 18;
  char buffer[400];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                       std::chars_format::scientific, kSignificant - 1);
  std::string_view sci(buffer, static_cast<size_t>(ptr - buffer));
  const bool negative = sci[0] == '-';
  if (negative) sci.remove_prefix(1);
  const size_t e = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                  exponent);
  std::string digits;
  for (char c : sci.substr(0, e)) {
    if (c != '.') digits += c;
  }
  // digits stand for 0.ddd x 10^point; keep point + precision of them.
  int point = exponent + 1;
  const int keep = point + precision;
  if (keep < 0) {
    digits.clear();
  } else if (keep < kSignificant) {
    const bool round_up = digits[static_cast<size_t>(keep)] >= '5';
    digits.resize(static_cast<size_t>(keep));
    if (round_up) {
      int i = keep - 1;
      while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
        digits[static_cast<size_t>(i--)] = '0';
      if (i >= 0) {
        ++digits[static_cast<size_t>(i)];
      } else {
        digits.insert(0, 1, '1');
        ++point;
      }
    }
  }
  if (digits.find_first_not_of('0') == std::string::npos) {
    digits.clear();
  }
  // Place the digits around the decimal point, padding with zeros.
  std::string integer_part;
  std::string fraction;
  for (int pos = 0; pos < point; ++pos) {
    integer_part += pos < static_cast<int>(digits.size()) ? digits[static_cast<size_t>(pos)] : '0';
  }
  if (integer_part.empty()) integer_part = "0";
  for (int pos = point; pos < point + precision; ++pos) {
    fraction += (pos >= 0 && pos < static_cast<int>(digits.size()))
                    ? digits[static_cast<size_t>(pos)]
                    : '0';
  }
  std::string out;
  if (negative && !digits.empty()) out += '-';
  out += integer_part;
  if (precision > 0) out += '.' + fraction;
  return out;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// d.ddddE+ddd: precision digits in all, an exponent of at least three digits.
std::string ScientificText(double value, int precision) {
  if (precision < 1) precision = 1;
  if (precision > 18) precision = 18;
  char buffer[64];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                       std::chars_format::scientific, precision - 1);
  std::string_view text(buffer, static_cast<size_t>(ptr - buffer));
  const size_t e = text.find('e');
  std::string out(text.substr(0, e));
  out += 'E';
  out += text[e + 1];
  std::string exponent(text.substr(e + 2));
  PadDigits(exponent, 3);
  return out + exponent;
}

// At most precision significant digits without trailing zeros; fixed unless
// the exponent is too large or too small.
std::string GeneralText(double value, int precision) {
  if (precision < 1 || precision > 18) precision = 15;
  if (value == 0) return "0";
  char buffer[64];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value,
                                       std::chars_format::scientific, precision - 1);
  std::string_view text(buffer, static_cast<size_t>(ptr - buffer));
  const size_t e = text.find('e');
  int exponent = 0;
  const char* exp_begin = text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0);
  std::from_chars(exp_begin, text.data() + text.size(), exponent);
  std::string out;
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c == '-') {
      out += c;
    } else if (c != '.') {
      digits += c;
    }
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  const int point = exponent + 1;
  if (point > precision || point < -3) {
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

// Fixed text with "," between groups of three digits.
std::string NumberText(double value, int precision) {
  std::string fixed = FixedText(value, precision);
  size_t begin = fixed[0] == '-' ? 1 : 0;
  size_t end = fixed.find('.');
  if (end == std::string::npos) end = fixed.size();
  std::string out(fixed, 0, begin);
  for (size_t i = begin; i < end; ++i) {
    if (i > begin && (end - i) % 3 == 0) out += ',';
    out += fixed[i];
  }
  out.append(fixed, end);
  return out;
}

// Cuts a UTF-8 text to at most max bytes without splitting a character.
std::string_view CutText(std::string_view text, size_t max) {
  if (text.size() <= max) return text;
  size_t end = max;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

}  // namespace

std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args) {
  const std::vector<const FormatArg*> list = [&args] {
    std::vector<const FormatArg*> v;
    for (const FormatArg& a : args) v.push_back(&a);
    return v;
  }();
  size_t next_arg = 0;
  const auto take = [&](size_t index) -> const FormatArg& {
    if (index >= list.size()) RaiseInvalid(fmt);
    return *list[index];
  };
  const auto is_integer = [](const FormatArg& a) {
    return a.kind() == FormatArg::Kind::Integer || a.kind() == FormatArg::Kind::Unsigned;
  };
  // A number in the directive, or "*" for the next argument.
  const auto read_number = [&](size_t& i, int& number) -> bool {
    if (i < fmt.size() && fmt[i] == '*') {
      const FormatArg& a = take(next_arg++);
      if (!is_integer(a)) RaiseInvalid(fmt);
      number = static_cast<int>(a.AsInteger());
      ++i;
      return true;
    }
    if (i >= fmt.size() || fmt[i] < '0' || fmt[i] > '9') return false;
    int64_t n = 0;
    while (i < fmt.size() && fmt[i] >= '0' && fmt[i] <= '9') {
      n = n * 10 + (fmt[i] - '0');
      if (n > 1'000'000) RaiseInvalid(fmt);
      ++i;
    }
    number = static_cast<int>(n);
    return true;
  };

  std::string out;
  out.reserve(fmt.size() + 16);
  size_t i = 0;
  while (i < fmt.size()) {
    const size_t percent = fmt.find('%', i);
    if (percent == std::string_view::npos) {
      out.append(fmt.substr(i));
      break;
    }
    out.append(fmt.substr(i, percent - i));
    i = percent + 1;
    if (i >= fmt.size()) RaiseInvalid(fmt);
    if (fmt[i] == '%') {
      out += '%';
      ++i;
      continue;
    }
    int number = 0;
    int width = 0;
    int precision = kNoPrecision;
    bool left = false;
    size_t digits_end = i;
    while (digits_end < fmt.size() && fmt[digits_end] >= '0' && fmt[digits_end] <= '9') {
      ++digits_end;
    }
    if (digits_end > i && digits_end < fmt.size() && fmt[digits_end] == ':') {
      read_number(i, number);
      next_arg = static_cast<size_t>(number);
      ++i;
    }
    if (i < fmt.size() && fmt[i] == '-') {
      left = true;
      ++i;
    }
    if (read_number(i, number)) width = number;
    if (i < fmt.size() && fmt[i] == '.') {
      ++i;
      if (!read_number(i, precision)) precision = 0;
    }
    if (i >= fmt.size()) RaiseInvalid(fmt);
    const char type = static_cast<char>(fmt[i] | 0x20);
    ++i;
    const FormatArg& arg = take(next_arg++);
    std::string text;
    switch (type) {
      case 'd': {
        if (!is_integer(arg)) RaiseInvalid(fmt);
        const bool negative = arg.kind() == FormatArg::Kind::Integer && arg.AsInteger() < 0;
        const uint64_t magnitude =
            arg.kind() == FormatArg::Kind::Unsigned
                ? arg.AsUnsigned()
                : (negative ? uint64_t(0) - static_cast<uint64_t>(arg.AsInteger())
                            : static_cast<uint64_t>(arg.AsInteger()));
        text = Digits(magnitude, 10);
        PadDigits(text, precision);
        if (negative) text.insert(0, 1, '-');
        break;
      }
      case 'u':
        if (!is_integer(arg)) RaiseInvalid(fmt);
        text = Digits(AsBits(arg), 10);
        PadDigits(text, precision);
        break;
      case 'x':
        if (!is_integer(arg)) RaiseInvalid(fmt);
        text = Digits(AsBits(arg), 16);
        PadDigits(text, precision);
        break;
      case 'e':
      case 'f':
      case 'g':
      case 'n': {
        if (arg.kind() != FormatArg::Kind::Float) RaiseInvalid(fmt);
        const double v = arg.AsFloat();
        if (!std::isfinite(v)) {
          text = NonFinite(v);
        } else if (type == 'e') {
          text = ScientificText(v, precision == kNoPrecision ? 15 : precision);
        } else if (type == 'g') {
          text = GeneralText(v, precision);
        } else {
          const int digits = precision == kNoPrecision ? 2 : (precision > 18 ? 18 : precision);
          text = type == 'f' ? FixedText(v, digits) : NumberText(v, digits);
        }
        break;
      }
      case 's': {
        if (arg.kind() != FormatArg::Kind::Text && arg.kind() != FormatArg::Kind::Char) {
          RaiseInvalid(fmt);
        }
        std::string_view s = arg.AsText();
        if (precision != kNoPrecision) s = CutText(s, static_cast<size_t>(precision));
        text = s;
        break;
      }
      default:
        RaiseInvalid(fmt);
    }
    if (width > 0 && text.size() < static_cast<size_t>(width)) {
      const size_t pad = static_cast<size_t>(width) - text.size();
      if (left) {
        text.append(pad, ' ');
      } else {
        text.insert(0, pad, ' ');
      }
    }
    out += text;
  }
  return out;
}

}  // namespace qv
