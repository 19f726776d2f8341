#pragma once
// A small JSON value with a reader and a writer, for the driver's JSON lines.
// Texts are UTF-8; the reader refuses malformed UTF-8, nesting deeper than
// kMaxJsonDepth and anything after the value, and the writer puts a whole
// value on one line.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/exception.h"

namespace ravlet::host {

class EJsonError : public qv::Exception {
 public:
  using qv::Exception::Exception;
  std::string ClassName() const override { return "EJsonError"; }
};

inline constexpr int kMaxJsonDepth = 64;

class JsonValue {
 public:
  enum class Kind { Null, Bool, Integer, Double, String, Array, Object };
  using Member = std::pair<std::string, JsonValue>;

  JsonValue() = default;
  JsonValue(std::nullptr_t) {}
  JsonValue(bool value) : kind_(Kind::Bool), bool_(value) {}
  JsonValue(int value) : kind_(Kind::Integer), integer_(value) {}
  JsonValue(int64_t value) : kind_(Kind::Integer), integer_(value) {}
  JsonValue(double value) : kind_(Kind::Double), double_(value) {}
  JsonValue(const char* text) : kind_(Kind::String), text_(text) {}
  JsonValue(std::string text) : kind_(Kind::String), text_(std::move(text)) {}
  JsonValue(std::string_view text) : kind_(Kind::String), text_(text) {}

  static JsonValue Array(std::vector<JsonValue> items = {});
  static JsonValue Object(std::vector<Member> members = {});

  Kind kind() const { return kind_; }
  bool IsNull() const { return kind_ == Kind::Null; }
  bool IsBool() const { return kind_ == Kind::Bool; }
  bool IsInteger() const { return kind_ == Kind::Integer; }
  bool IsNumber() const { return kind_ == Kind::Integer || kind_ == Kind::Double; }
  bool IsString() const { return kind_ == Kind::String; }
  bool IsArray() const { return kind_ == Kind::Array; }
  bool IsObject() const { return kind_ == Kind::Object; }

  // Each raises EJsonError when the value is of another kind.
  bool AsBool() const;
  int64_t AsInteger() const;
  double AsDouble() const;
  const std::string& AsString() const;
  const std::vector<JsonValue>& Items() const;
  const std::vector<Member>& Members() const;

  // Arrays and objects grow at the end; an object keeps the order of its
  // members, and Set replaces a member of the same name.
  JsonValue& Append(JsonValue item);
  JsonValue& Set(std::string name, JsonValue value);
  // The member of that name, or null when there is none (or this is no object).
  const JsonValue* Find(std::string_view name) const;

  friend bool operator==(const JsonValue& a, const JsonValue& b);

 private:
  Kind kind_ = Kind::Null;
  bool bool_ = false;
  int64_t integer_ = 0;
  double double_ = 0;
  std::string text_;
  std::vector<JsonValue> items_;
  std::vector<Member> members_;
};

// Raises EJsonError with the position (counted in bytes from 1) and the reason.
JsonValue ParseJson(std::string_view text);
// One line; bytes that are not UTF-8 are written as U+FFFD.
std::string WriteJson(const JsonValue& value);

}  // namespace ravlet::host
