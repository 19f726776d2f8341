#include "common/variant_json.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/system/date_time.h"
#include "platform/variant/var_array.h"

namespace standin {

namespace {

constexpr int kMaxDepth = 64;

void AppendCodePoint(std::string& out, char32_t cp) {
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

void AppendEscape(std::string& out, unsigned unit) {
  static const char* const kHex = "0123456789abcdef";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

// UTF-16 as a JSON string: characters as UTF-8, controls and unpaired
// surrogates as \u escapes, so that every code unit comes back.
void AppendWideString(std::string& out, std::u16string_view text) {
  out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      char32_t cp =
          0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      AppendCodePoint(out, cp);
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      AppendEscape(out, unit);
    } else if (unit == '"') {
      out += "\\\"";
    } else if (unit == '\\') {
      out += "\\\\";
    } else if (unit == '\n') {
      out += "\\n";
    } else if (unit == '\r') {
      out += "\\r";
    } else if (unit == '\t') {
      out += "\\t";
    } else if (unit < 0x20) {
      AppendEscape(out, unit);
    } else {
      AppendCodePoint(out, unit);
    }
  }
  out += '"';
}

void AppendDouble(std::string& out, double value) {
  if (std::isnan(value)) {
    out += "\"NaN\"";
  } else if (std::isinf(value)) {
    out += value > 0 ? "\"Infinity\"" : "\"-Infinity\"";
  } else {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
  }
}

void AppendInt(std::string& out, int64_t value) {
  char buffer[32];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

void Encode(std::string& out, const qv::Variant& v, bool describeObjects) {
  qv::TVarType type = v.VarType();
  if (type & qv::varArray) {
    const qv::VarArrayData* data = v.ArrayData();
    out += "{\"bounds\":[";
    bool first = true;
    for (const auto& bound : data->Bounds()) {
      if (!first) out += ',';
      first = false;
      AppendInt(out, bound.low);
      out += ',';
      AppendInt(out, static_cast<int64_t>(bound.low) + bound.count - 1);
    }
    out += "],\"items\":[";
    first = true;
    for (const qv::Variant& element : data->Elements()) {
      if (!first) out += ',';
      first = false;
      Encode(out, element, describeObjects);
    }
    out += "]}";
    return;
  }
  switch (type & qv::varTypeMask) {
    case qv::varEmpty:
      out += "{\"empty\":0}";
      return;
    case qv::varNull:
      out += "null";
      return;
    case qv::varBoolean:
      out += v.AsBoolean() ? "true" : "false";
      return;
    case qv::varInteger:
      AppendInt(out, v.AsInteger());
      return;
    case qv::varSmallint:
      out += "{\"smallint\":";
      AppendInt(out, v.AsInteger());
      out += '}';
      return;
    case qv::varByte:
      out += "{\"byte\":";
      AppendInt(out, v.AsInteger());
      out += '}';
      return;
    case qv::varInt64:
      out += "{\"int64\":\"";
      AppendInt(out, v.AsInt64());
      out += "\"}";
      return;
    case qv::varDouble:
      out += "{\"double\":";
      AppendDouble(out, v.AsDouble());
      out += '}';
      return;
    case qv::varSingle: {
      out += "{\"single\":";
      char buffer[64];
      auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(v.AsDouble()));
      if (std::isfinite(v.AsDouble())) {
        out.append(buffer, result.ptr);
      } else {
        AppendDouble(out, v.AsDouble());
      }
      out += '}';
      return;
    }
    case qv::varDate: {
      out += "{\"date\":";
      AppendDouble(out, v.AsDateTime());
      try {
        std::string text = qv::FormatDateTime("yyyy-mm-dd hh:nn:ss", v.AsDateTime());
        out += ",\"text\":\"" + text + "\"";
      } catch (const qv::Exception&) {
        // A date outside the calendar keeps its number only.
      }
      out += '}';
      return;
    }
    case qv::varOleStr:
      AppendWideString(out, v.AsWideString());
      return;
    case qv::varString: {
      static const char* const kHex = "0123456789abcdef";
      out += "{\"narrow\":\"";
      for (unsigned char c : v.AsNarrow()) {
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
      }
      out += "\"}";
      return;
    }
    case qv::varDispatch:
      if (describeObjects) {
        auto object = v.AsDispatch();
        out += "{\"object\":";
        AppendWideString(out,
                         qv::Variant(object ? object->ClassName() : std::string()).AsWideString());
        out += '}';
        return;
      }
      throw EVariantJsonError("An automation object cannot be stored as text");
    default:
      throw EVariantJsonError("A variant of type " + qv::VarTypeAsText(type) +
                              " cannot be stored as text");
  }
}

// A JSON value read into a small tree first; the tags are resolved afterwards.
struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
  bool boolean = false;
  std::string number;  // the literal, converted by the reader of the tag
  std::u16string text;
  std::vector<JsonValue> items;
  std::vector<std::pair<std::string, JsonValue>> members;

  const JsonValue* Member(std::string_view name) const {
    for (const auto& [key, value] : members) {
      if (key == name) return &value;
    }
    return nullptr;
  }
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue ParseDocument() {
    JsonValue value = ParseValue(0);
    SkipSpace();
    if (pos_ != text_.size()) Fail("unexpected text after the value");
    return value;
  }

 private:
  [[noreturn]] void Fail(const std::string& why) const {
    throw EVariantJsonError("Invalid stored variant at offset " + std::to_string(pos_) + ": " +
                            why);
  }

  void SkipSpace() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\n' ||
                                   text_[pos_] == '\r' || text_[pos_] == '\t'))
      ++pos_;
  }

  bool Consume(char c) {
    SkipSpace();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  void Expect(char c) {
    if (!Consume(c)) Fail(std::string("expected '") + c + "'");
  }

  bool ConsumeWord(std::string_view word) {
    if (text_.substr(pos_, word.size()) == word) {
      pos_ += word.size();
      return true;
    }
    return false;
  }

  JsonValue ParseValue(int depth) {
    if (depth > kMaxDepth) Fail("nesting too deep");
    SkipSpace();
    if (pos_ >= text_.size()) Fail("unexpected end");
    JsonValue value;
    char c = text_[pos_];
    if (c == '{') {
      ++pos_;
      value.kind = JsonValue::Kind::Object;
      if (Consume('}')) return value;
      do {
        SkipSpace();
        std::u16string key = ParseString();
        Expect(':');
        std::string utf8;
        for (char16_t unit : key) {
          if (unit >= 0x80) Fail("non-ASCII member name");
          utf8 += static_cast<char>(unit);
        }
        value.members.emplace_back(std::move(utf8), ParseValue(depth + 1));
      } while (Consume(','));
      Expect('}');
    } else if (c == '[') {
      ++pos_;
      value.kind = JsonValue::Kind::Array;
      if (Consume(']')) return value;
      do {
        value.items.push_back(ParseValue(depth + 1));
      } while (Consume(','));
      Expect(']');
    } else if (c == '"') {
      value.kind = JsonValue::Kind::String;
      value.text = ParseString();
    } else if (ConsumeWord("true")) {
      value.kind = JsonValue::Kind::Bool;
      value.boolean = true;
    } else if (ConsumeWord("false")) {
      value.kind = JsonValue::Kind::Bool;
    } else if (ConsumeWord("null")) {
      value.kind = JsonValue::Kind::Null;
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      size_t start = pos_;
      while (pos_ < text_.size() &&
             (std::string_view("+-.eE").find(text_[pos_]) != std::string_view::npos ||
              (text_[pos_] >= '0' && text_[pos_] <= '9')))
        ++pos_;
      value.kind = JsonValue::Kind::Number;
      value.number = std::string(text_.substr(start, pos_ - start));
    } else {
      Fail("unexpected character");
    }
    return value;
  }

  unsigned ParseHex4() {
    if (pos_ + 4 > text_.size()) Fail("short \\u escape");
    unsigned value = 0;
    for (int i = 0; i < 4; ++i) {
      char c = text_[pos_++];
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= c - '0';
      else if (c >= 'a' && c <= 'f')
        value |= c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        value |= c - 'A' + 10;
      else
        Fail("bad \\u escape");
    }
    return value;
  }

  std::u16string ParseString() {
    if (pos_ >= text_.size() || text_[pos_] != '"') Fail("expected a string");
    ++pos_;
    std::u16string out;
    while (true) {
      if (pos_ >= text_.size()) Fail("unterminated string");
      unsigned char c = static_cast<unsigned char>(text_[pos_++]);
      if (c == '"') break;
      if (c == '\\') {
        if (pos_ >= text_.size()) Fail("unterminated escape");
        char e = text_[pos_++];
        switch (e) {
          case '"':
            out += u'"';
            break;
          case '\\':
            out += u'\\';
            break;
          case '/':
            out += u'/';
            break;
          case 'b':
            out += u'\b';
            break;
          case 'f':
            out += u'\f';
            break;
          case 'n':
            out += u'\n';
            break;
          case 'r':
            out += u'\r';
            break;
          case 't':
            out += u'\t';
            break;
          case 'u':
            out += static_cast<char16_t>(ParseHex4());
            break;
          default:
            Fail("unknown escape");
        }
        continue;
      }
      if (c < 0x80) {
        out += static_cast<char16_t>(c);
        continue;
      }
      int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
      if (extra < 0 || c > 0xF4) Fail("invalid UTF-8");
      char32_t cp = c & (0x3F >> extra);
      for (int i = 0; i < extra; ++i) {
        if (pos_ >= text_.size()) Fail("invalid UTF-8");
        unsigned char next = static_cast<unsigned char>(text_[pos_++]);
        if ((next & 0xC0) != 0x80) Fail("invalid UTF-8");
        cp = (cp << 6) | (next & 0x3F);
      }
      if (cp >= 0x10000) {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
      } else {
        out += static_cast<char16_t>(cp);
      }
    }
    return out;
  }

  std::string_view text_;
  size_t pos_ = 0;
};

[[noreturn]] void Bad(const std::string& why) {
  throw EVariantJsonError("Invalid stored variant: " + why);
}

double ReadDouble(const JsonValue& value) {
  if (value.kind == JsonValue::Kind::String) {
    if (value.text == u"NaN") return std::nan("");
    if (value.text == u"Infinity") return HUGE_VAL;
    if (value.text == u"-Infinity") return -HUGE_VAL;
  }
  if (value.kind != JsonValue::Kind::Number) Bad("expected a number");
  double result = 0;
  auto [ptr, ec] =
      std::from_chars(value.number.data(), value.number.data() + value.number.size(), result);
  if (ec != std::errc() || ptr != value.number.data() + value.number.size())
    Bad("bad number " + value.number);
  return result;
}

int64_t ReadInt(std::string_view literal, int64_t min, int64_t max) {
  int64_t result = 0;
  auto [ptr, ec] = std::from_chars(literal.data(), literal.data() + literal.size(), result);
  if (ec != std::errc() || ptr != literal.data() + literal.size() || result < min || result > max)
    Bad("bad integer " + std::string(literal));
  return result;
}

int64_t ReadInt(const JsonValue& value, int64_t min, int64_t max) {
  if (value.kind != JsonValue::Kind::Number) Bad("expected an integer");
  return ReadInt(value.number, min, max);
}

qv::Variant Build(const JsonValue& value) {
  switch (value.kind) {
    case JsonValue::Kind::Null:
      return qv::Variant::Null();
    case JsonValue::Kind::Bool:
      return qv::Variant(value.boolean);
    case JsonValue::Kind::String:
      return qv::Variant(value.text);
    case JsonValue::Kind::Number:
      return qv::Variant(static_cast<int32_t>(ReadInt(value, INT32_MIN, INT32_MAX)));
    case JsonValue::Kind::Array:
      Bad("a bare list is not a variant");
    case JsonValue::Kind::Object:
      break;
  }
  if (const JsonValue* bounds = value.Member("bounds")) {
    const JsonValue* items = value.Member("items");
    if (!items || items->kind != JsonValue::Kind::Array || bounds->kind != JsonValue::Kind::Array ||
        bounds->items.empty() || bounds->items.size() % 2 != 0 || bounds->items.size() > 2 * 8)
      Bad("array without proper bounds and items");
    std::vector<qv::VarArrayData::Bound> dims;
    uint64_t total = 1;
    for (size_t i = 0; i < bounds->items.size(); i += 2) {
      int64_t low = ReadInt(bounds->items[i], INT32_MIN, INT32_MAX);
      int64_t high = ReadInt(bounds->items[i + 1], INT32_MIN, INT32_MAX);
      int64_t count = high - low + 1;
      if (count < 0) Bad("array bounds reversed");
      total *= static_cast<uint64_t>(count);
      if (total > items->items.size()) Bad("array bounds do not match its items");
      dims.push_back({static_cast<int>(low), static_cast<int>(count)});
    }
    if (total != items->items.size()) Bad("array bounds do not match its items");
    auto data = std::make_unique<qv::VarArrayData>(dims);
    for (size_t i = 0; i < items->items.size(); ++i) (*data)[i] = Build(items->items[i]);
    return qv::Variant::FromArrayData(std::move(data));
  }
  if (value.members.empty()) Bad("empty object");
  const auto& [tag, inner] = value.members.front();
  if (tag == "empty") return qv::Variant();
  if (tag == "double") return qv::Variant(ReadDouble(inner));
  if (tag == "single") return qv::Variant(static_cast<float>(ReadDouble(inner)));
  if (tag == "date") return qv::Variant::FromDate(ReadDouble(inner));
  if (tag == "smallint")
    return qv::VarAsType(qv::Variant(static_cast<int32_t>(ReadInt(inner, INT16_MIN, INT16_MAX))),
                         qv::varSmallint);
  if (tag == "byte")
    return qv::VarAsType(qv::Variant(static_cast<int32_t>(ReadInt(inner, 0, 255))), qv::varByte);
  if (tag == "int64") {
    if (inner.kind != JsonValue::Kind::String) Bad("int64 must be text");
    std::string digits;
    for (char16_t unit : inner.text) digits += static_cast<char>(unit < 0x80 ? unit : '?');
    return qv::Variant(ReadInt(digits, INT64_MIN, INT64_MAX));
  }
  if (tag == "narrow") {
    if (inner.kind != JsonValue::Kind::String || inner.text.size() % 2 != 0)
      Bad("narrow text must be hex");
    std::string bytes;
    auto nibble = [](char16_t c) -> int {
      if (c >= '0' && c <= '9') return c - '0';
      if (c >= 'a' && c <= 'f') return c - 'a' + 10;
      if (c >= 'A' && c <= 'F') return c - 'A' + 10;
      Bad("narrow text must be hex");
    };
    for (size_t i = 0; i < inner.text.size(); i += 2)
      bytes += static_cast<char>(nibble(inner.text[i]) * 16 + nibble(inner.text[i + 1]));
    return qv::Variant::Narrow(std::move(bytes));
  }
  Bad("unknown tag \"" + tag + "\"");
}

}  // namespace

std::string VariantToJson(const qv::Variant& value, bool describeObjects) {
  std::string out;
  Encode(out, value, describeObjects);
  return out;
}

qv::Variant VariantFromJson(std::string_view json) {
  Parser parser(json);
  return Build(parser.ParseDocument());
}

}  // namespace standin
