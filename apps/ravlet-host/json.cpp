#include "json.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace ravlet::host {

namespace {

const char* KindName(JsonValue::Kind kind) {
  switch (kind) {
    case JsonValue::Kind::Null:
      return "null";
    case JsonValue::Kind::Bool:
      return "a Boolean";
    case JsonValue::Kind::Integer:
    case JsonValue::Kind::Double:
      return "a number";
    case JsonValue::Kind::String:
      return "a string";
    case JsonValue::Kind::Array:
      return "an array";
    case JsonValue::Kind::Object:
      return "an object";
  }
  return "a value";
}

[[noreturn]] void WrongKind(JsonValue::Kind kind, const char* wanted) {
  throw EJsonError(std::string("Expected ") + wanted + ", found " + KindName(kind));
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The length of the UTF-8 sequence at text[pos], or 0 when it is malformed
// (overlong forms, surrogates and values above U+10FFFF included).
size_t Utf8SequenceLength(std::string_view text, size_t pos) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  size_t length = 0;
  char32_t cp = 0;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(pos + i) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
      (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return length;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue ParseDocument() {
    SkipSpace();
    JsonValue value = ParseValue(0);
    SkipSpace();
    if (pos_ != text_.size()) Fail("unexpected text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw EJsonError("Invalid JSON at byte " + std::to_string(pos_ + 1) + ": " + why);
  }

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }

  bool Consume(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  void Expect(char c) {
    if (!Consume(c)) Fail(std::string("expected '") + c + "'");
  }

  void ExpectWord(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) Fail("unknown word");
    pos_ += word.size();
  }

  JsonValue ParseValue(int depth) {
    if (depth >= kMaxJsonDepth) Fail("nested too deeply");
    if (pos_ >= text_.size()) Fail("a value is missing");
    switch (text_[pos_]) {
      case '{':
        return ParseObject(depth);
      case '[':
        return ParseArray(depth);
      case '"':
        return JsonValue(ParseString());
      case 't':
        ExpectWord("true");
        return JsonValue(true);
      case 'f':
        ExpectWord("false");
        return JsonValue(false);
      case 'n':
        ExpectWord("null");
        return JsonValue();
      default:
        return ParseNumber();
    }
  }

  JsonValue ParseObject(int depth) {
    Expect('{');
    JsonValue object = JsonValue::Object();
    SkipSpace();
    if (Consume('}')) return object;
    for (;;) {
      SkipSpace();
      if (pos_ >= text_.size() || text_[pos_] != '"') Fail("expected a member name");
      std::string name = ParseString();
      SkipSpace();
      Expect(':');
      SkipSpace();
      object.Set(std::move(name), ParseValue(depth + 1));
      SkipSpace();
      if (Consume('}')) return object;
      Expect(',');
    }
  }

  JsonValue ParseArray(int depth) {
    Expect('[');
    JsonValue array = JsonValue::Array();
    SkipSpace();
    if (Consume(']')) return array;
    for (;;) {
      SkipSpace();
      array.Append(ParseValue(depth + 1));
      SkipSpace();
      if (Consume(']')) return array;
      Expect(',');
    }
  }

  unsigned ParseHex4() {
    if (pos_ + 4 > text_.size()) Fail("\\u needs four hexadecimal digits");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[pos_++];
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= static_cast<unsigned>(c - '0');
      else if (c >= 'a' && c <= 'f')
        value |= static_cast<unsigned>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        value |= static_cast<unsigned>(c - 'A' + 10);
      else
        Fail("\\u needs four hexadecimal digits");
    }
    return value;
  }

  std::string ParseString() {
    Expect('"');
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) Fail("the string does not end");
      const unsigned char c = static_cast<unsigned char>(text_[pos_]);
      if (c == '"') {
        ++pos_;
        return out;
      }
      if (c < 0x20) Fail("a control character in a string");
      if (c == '\\') {
        ++pos_;
        if (pos_ >= text_.size()) Fail("the string does not end");
        const char e = text_[pos_++];
        switch (e) {
          case '"':
          case '\\':
          case '/':
            out += e;
            break;
          case 'b':
            out += '\b';
            break;
          case 'f':
            out += '\f';
            break;
          case 'n':
            out += '\n';
            break;
          case 'r':
            out += '\r';
            break;
          case 't':
            out += '\t';
            break;
          case 'u': {
            char32_t cp = ParseHex4();
            if (cp >= 0xD800 && cp <= 0xDBFF) {
              if (text_.substr(pos_, 2) != "\\u") Fail("a lone surrogate");
              pos_ += 2;
              const unsigned low = ParseHex4();
              if (low < 0xDC00 || low > 0xDFFF) Fail("a lone surrogate");
              cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
              Fail("a lone surrogate");
            }
            AppendUtf8(out, cp);
            break;
          }
          default:
            Fail("an unknown escape");
        }
        continue;
      }
      const size_t length = Utf8SequenceLength(text_, pos_);
      if (length == 0) Fail("text that is not UTF-8");
      out.append(text_.substr(pos_, length));
      pos_ += length;
    }
  }

  JsonValue ParseNumber() {
    const size_t start = pos_;
    Consume('-');
    if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9') Fail("unexpected text");
    if (!Consume('0'))
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    bool integral = true;
    if (Consume('.')) {
      integral = false;
      if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9')
        Fail("a digit is missing");
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      integral = false;
      ++pos_;
      if (!Consume('+')) Consume('-');
      if (pos_ >= text_.size() || text_[pos_] < '0' || text_[pos_] > '9')
        Fail("a digit is missing");
      while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
    }
    const char* first = text_.data() + start;
    const char* last = text_.data() + pos_;
    if (integral) {
      int64_t value = 0;
      const auto [end, error] = std::from_chars(first, last, value);
      if (error == std::errc() && end == last) return JsonValue(value);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last || !std::isfinite(value)) Fail("a number out of range");
    return JsonValue(value);
  }

  std::string_view text_;
  size_t pos_ = 0;
};

void WriteString(std::string& out, std::string_view text) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      ++i;
      switch (c) {
        case '"':
          out += "\\\"";
          break;
        case '\\':
          out += "\\\\";
          break;
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\t':
          out += "\\t";
          break;
        default:
          if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
          } else {
            out += static_cast<char>(c);
          }
      }
      continue;
    }
    const size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(text.substr(i, length));
      i += length;
    }
  }
  out += '"';
}

void Write(std::string& out, const JsonValue& value) {
  switch (value.kind()) {
    case JsonValue::Kind::Null:
      out += "null";
      return;
    case JsonValue::Kind::Bool:
      out += value.AsBool() ? "true" : "false";
      return;
    case JsonValue::Kind::Integer:
      out += std::to_string(value.AsInteger());
      return;
    case JsonValue::Kind::Double: {
      const double number = value.AsDouble();
      if (!std::isfinite(number)) {
        out += "null";
        return;
      }
      char buffer[32];
      const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, number);
      std::string text(buffer, error == std::errc() ? end : buffer);
      // Keep it a number that reads back as a double.
      if (text.find_first_of(".eE") == std::string::npos) text += ".0";
      out += text;
      return;
    }
    case JsonValue::Kind::String:
      WriteString(out, value.AsString());
      return;
    case JsonValue::Kind::Array: {
      out += '[';
      bool first = true;
      for (const JsonValue& item : value.Items()) {
        if (!first) out += ',';
        first = false;
        Write(out, item);
      }
      out += ']';
      return;
    }
    case JsonValue::Kind::Object: {
      out += '{';
      bool first = true;
      for (const auto& [name, member] : value.Members()) {
        if (!first) out += ',';
        first = false;
        WriteString(out, name);
        out += ':';
        Write(out, member);
      }
      out += '}';
      return;
    }
  }
}

}  // namespace

JsonValue JsonValue::Array(std::vector<JsonValue> items) {
  JsonValue value;
  value.kind_ = Kind::Array;
  value.items_ = std::move(items);
  return value;
}

JsonValue JsonValue::Object(std::vector<Member> members) {
  JsonValue value;
  value.kind_ = Kind::Object;
  for (auto& [name, member] : members) value.Set(std::move(name), std::move(member));
  return value;
}

bool JsonValue::AsBool() const {
  if (kind_ != Kind::Bool) WrongKind(kind_, "a Boolean");
  return bool_;
}

int64_t JsonValue::AsInteger() const {
  if (kind_ == Kind::Integer) return integer_;
  if (kind_ == Kind::Double && std::trunc(double_) == double_ && std::fabs(double_) < 9.2e18)
    return static_cast<int64_t>(double_);
  WrongKind(kind_, "an integer");
}

double JsonValue::AsDouble() const {
  if (kind_ == Kind::Double) return double_;
  if (kind_ == Kind::Integer) return static_cast<double>(integer_);
  WrongKind(kind_, "a number");
}

const std::string& JsonValue::AsString() const {
  if (kind_ != Kind::String) WrongKind(kind_, "a string");
  return text_;
}

const std::vector<JsonValue>& JsonValue::Items() const {
  if (kind_ != Kind::Array) WrongKind(kind_, "an array");
  return items_;
}

const std::vector<JsonValue::Member>& JsonValue::Members() const {
  if (kind_ != Kind::Object) WrongKind(kind_, "an object");
  return members_;
}

JsonValue& JsonValue::Append(JsonValue item) {
  if (kind_ != Kind::Array) WrongKind(kind_, "an array");
  items_.push_back(std::move(item));
  return *this;
}

JsonValue& JsonValue::Set(std::string name, JsonValue value) {
  if (kind_ != Kind::Object) WrongKind(kind_, "an object");
  for (auto& member : members_) {
    if (member.first == name) {
      member.second = std::move(value);
      return *this;
    }
  }
  members_.emplace_back(std::move(name), std::move(value));
  return *this;
}

const JsonValue* JsonValue::Find(std::string_view name) const {
  if (kind_ != Kind::Object) return nullptr;
  for (const auto& member : members_)
    if (member.first == name) return &member.second;
  return nullptr;
}

bool operator==(const JsonValue& a, const JsonValue& b) {
  if (a.IsNumber() && b.IsNumber()) {
    if (a.IsInteger() && b.IsInteger()) return a.integer_ == b.integer_;
    return a.AsDouble() == b.AsDouble();
  }
  if (a.kind_ != b.kind_) return false;
  switch (a.kind_) {
    case JsonValue::Kind::Null:
      return true;
    case JsonValue::Kind::Bool:
      return a.bool_ == b.bool_;
    case JsonValue::Kind::String:
      return a.text_ == b.text_;
    case JsonValue::Kind::Array:
      return a.items_ == b.items_;
    case JsonValue::Kind::Object:
      return a.members_ == b.members_;
    default:
      return false;
  }
}

JsonValue ParseJson(std::string_view text) {
  return Parser(text).ParseDocument();
}

std::string WriteJson(const JsonValue& value) {
  std::string out;
  Write(out, value);
  return out;
}

}  // namespace ravlet::host
