#pragma once
// Format in the original framework's style: "%" [index ":"] ["-"] [width]
// ["." precision] type, with types d u x e f g n s and "%%". A directive
// without an argument, or with one of the wrong kind, raises EConvertError
// "Format '<format>' invalid or incompatible with argument".

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace qv {

class FormatArg {
 public:
  enum class Kind { Integer, Unsigned, Float, Text, Char };

  FormatArg(int v) : kind_(Kind::Integer), int_(v), wide_(false) {}
  FormatArg(long v) : kind_(Kind::Integer), int_(v), wide_(true) {}
  FormatArg(long long v) : kind_(Kind::Integer), int_(v), wide_(true) {}
  FormatArg(unsigned v) : kind_(Kind::Unsigned), uint_(v), wide_(false) {}
  FormatArg(unsigned long v) : kind_(Kind::Unsigned), uint_(v), wide_(true) {}
  FormatArg(unsigned long long v) : kind_(Kind::Unsigned), uint_(v), wide_(true) {}
  FormatArg(double v) : kind_(Kind::Float), float_(v) {}
  FormatArg(const char* v) : kind_(Kind::Text), text_(v ? v : "") {}
  FormatArg(const std::string& v) : kind_(Kind::Text), text_(v) {}
  FormatArg(std::string_view v) : kind_(Kind::Text), text_(v) {}
  FormatArg(char v) : kind_(Kind::Char), char_(v) {}

  Kind kind() const { return kind_; }
  int64_t AsInteger() const { return int_; }
  uint64_t AsUnsigned() const { return uint_; }
  double AsFloat() const { return float_; }
  // The text of a Text argument, or the one character of a Char argument.
  std::string_view AsText() const {
    return kind_ == Kind::Char ? std::string_view(&char_, 1) : text_;
  }
  // True for 64-bit integers: negative values print as 16 hex digits, not 8.
  bool IsWide() const { return wide_; }

 private:
  Kind kind_;
  int64_t int_ = 0;
  uint64_t uint_ = 0;
  double float_ = 0;
  bool wide_ = false;
  char char_ = 0;
  std::string_view text_;
};

// FormatArg keeps views of text arguments, which live until the end of the
// full expression that calls Format.
std::string Format(std::string_view fmt, std::initializer_list<FormatArg> args);

}  // namespace qv
