#include "platform/variant/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/core/exception.h"
#include "platform/system/date_time.h"
#include "platform/text/code_page.h"
#include "platform/text/string_utils.h"
#include "platform/text/unicode.h"
#include "platform/variant/var_array.h"

namespace qv {

namespace {

// Round half to even, as the original's Round does.
double RoundHalfEven(double x) {
  double f = std::floor(x);
  double diff = x - f;
  if (diff > 0.5) return f + 1;
  if (diff < 0.5) return f;
  return std::fmod(f, 2.0) == 0 ? f : f + 1;
}

[[noreturn]] void Overflow() {
  throw EVariantOverflowError("Variant overflow");
}

}  // namespace

// ---------------------------------------------------------------------------
// Array box

Variant::ArrayBox::ArrayBox(std::unique_ptr<VarArrayData> data) noexcept : data_(std::move(data)) {}
Variant::ArrayBox::ArrayBox(const ArrayBox& other)
    : data_(std::make_unique<VarArrayData>(*other.data_)) {}
Variant::ArrayBox::ArrayBox(ArrayBox&& other) noexcept = default;
Variant::ArrayBox& Variant::ArrayBox::operator=(const ArrayBox& other) {
  auto copy = std::make_unique<VarArrayData>(*other.data_);
  data_ = std::move(copy);
  return *this;
}
Variant::ArrayBox& Variant::ArrayBox::operator=(ArrayBox&& other) noexcept {
  auto taken = std::move(other.data_);
  data_ = std::move(taken);
  return *this;
}
Variant::ArrayBox::~ArrayBox() = default;

// ---------------------------------------------------------------------------
// Life cycle

Variant::Variant(const Variant& other) = default;

Variant::Variant(Variant&& other) noexcept : value_(std::move(other.value_)) {
  other.value_.emplace<kEmpty>();
}

Variant& Variant::operator=(const Variant& other) {
  // The source may live inside this value (an element of this array).
  if (this != &other) {
    Variant copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Variant& Variant::operator=(Variant&& other) noexcept {
  if (this != &other) {
    // Take the value out first: other may be an element of this array.
    Storage taken(std::move(other.value_));
    other.value_.emplace<kEmpty>();
    value_ = std::move(taken);
  }
  return *this;
}

Variant::~Variant() = default;

Variant Variant::Null() {
  Variant v;
  v.value_.emplace<kNull>();
  return v;
}

Variant Variant::FromDate(TDateTime value) {
  Variant v;
  v.value_.emplace<kDate>(DateValue{value});
  return v;
}

Variant Variant::Narrow(std::string bytes) {
  Variant v;
  v.value_.emplace<kString>(NarrowText{std::move(bytes)});
  return v;
}

Variant::Variant(const char* utf8) : value_(Utf8ToUtf16(utf8 ? utf8 : "")) {}
Variant::Variant(std::string_view utf8) : value_(Utf8ToUtf16(utf8)) {}
Variant::Variant(const std::string& utf8) : value_(Utf8ToUtf16(utf8)) {}
Variant::Variant(const char16_t* text) : value_(std::u16string(text ? text : u"")) {}

void Variant::SetUnsigned(uint64_t value) {
  if (value > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())) Overflow();
  value_ = static_cast<int64_t>(value);
}

VarArrayData* Variant::ArrayData() noexcept {
  auto* box = std::get_if<kArray>(&value_);
  return box ? box->get() : nullptr;
}

const VarArrayData* Variant::ArrayData() const noexcept {
  auto* box = std::get_if<kArray>(&value_);
  return box ? box->get() : nullptr;
}

Variant Variant::FromArrayData(std::unique_ptr<VarArrayData> data) {
  Variant v;
  if (data) v.value_.emplace<kArray>(std::move(data));
  return v;
}

// ---------------------------------------------------------------------------
// Queries

TVarType Variant::VarType() const noexcept {
  switch (value_.index()) {
    case kEmpty:
      return varEmpty;
    case kNull:
      return varNull;
    case kSmallint:
      return varSmallint;
    case kInteger:
      return varInteger;
    case kSingle:
      return varSingle;
    case kDouble:
      return varDouble;
    case kDate:
      return varDate;
    case kOleStr:
      return varOleStr;
    case kDispatch:
      return varDispatch;
    case kBoolean:
      return varBoolean;
    case kByte:
      return varByte;
    case kInt64:
      return varInt64;
    case kString:
      return varString;
    case kArray:
      return varArray | varVariant;
  }
  return varEmpty;
}

bool Variant::IsOrdinal() const noexcept {
  switch (value_.index()) {
    case kSmallint:
    case kInteger:
    case kBoolean:
    case kByte:
    case kInt64:
      return true;
  }
  return false;
}

bool Variant::IsNumeric() const noexcept {
  switch (value_.index()) {
    case kSingle:
    case kDouble:
      return true;
  }
  return IsOrdinal();
}

std::string VarTypeAsText(TVarType type) {
  if (type & varByRef) return "ByRef " + VarTypeAsText(type & ~varByRef);
  if (type & varArray) return "Array " + VarTypeAsText(type & ~varArray);
  static const char* const kNames[] = {
      "Empty",   "Null",   "Smallint", "Integer", "Single",  "Double",   "Currency",
      "Date",    "OleStr", "Dispatch", "Error",   "Boolean", "Variant",  "Unknown",
      "Decimal", "$0F",    "ShortInt", "Byte",    "Word",    "LongWord", "Int64"};
  if (type < std::size(kNames)) return kNames[type];
  if (type == varString) return "String";
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "$%04X", static_cast<unsigned>(type));
  return buffer;
}

void Variant::CastError(TVarType target) const {
  throw EVariantTypeCastError("Could not convert variant of type (" + VarTypeAsText(VarType()) +
                              ") into type (" + VarTypeAsText(target) + ")");
}

// ---------------------------------------------------------------------------
// Conversions

bool Variant::TryNumber(double& out) const noexcept {
  switch (value_.index()) {
    case kSmallint:
      out = std::get<kSmallint>(value_).value;
      return true;
    case kInteger:
      out = std::get<kInteger>(value_);
      return true;
    case kSingle:
      out = std::get<kSingle>(value_);
      return true;
    case kDouble:
      out = std::get<kDouble>(value_);
      return true;
    case kDate:
      out = std::get<kDate>(value_).days;
      return true;
    case kBoolean:
      out = std::get<kBoolean>(value_) ? -1 : 0;
      return true;
    case kByte:
      out = std::get<kByte>(value_).value;
      return true;
    case kInt64:
      out = static_cast<double>(std::get<kInt64>(value_));
      return true;
  }
  return false;
}

std::string Variant::AsString() const {
  switch (value_.index()) {
    case kEmpty:
      return {};
    case kSmallint:
      return std::to_string(std::get<kSmallint>(value_).value);
    case kInteger:
      return std::to_string(std::get<kInteger>(value_));
    case kByte:
      return std::to_string(std::get<kByte>(value_).value);
    case kInt64:
      return std::to_string(std::get<kInt64>(value_));
    case kBoolean:
      return std::get<kBoolean>(value_) ? "True" : "False";
    case kSingle: {
      // The shortest text of the single, not of its wider double image.
      char buffer[32];
      auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::get<kSingle>(value_));
      (void)ec;
      double wide = 0;
      std::from_chars(buffer, end, wide);
      return FloatToStr(wide);
    }
    case kDouble:
      return FloatToStr(std::get<kDouble>(value_));
    case kDate:
      return DateTimeToStr(std::get<kDate>(value_).days);
    case kOleStr:
      return Utf16ToUtf8(std::get<kOleStr>(value_));
    case kString:
      return AnsiToUtf8(std::get<kString>(value_).bytes);
  }
  CastError(varString);
}

std::u16string Variant::AsWideString() const {
  if (auto* text = std::get_if<kOleStr>(&value_)) return *text;
  if (auto* text = std::get_if<kString>(&value_)) return AnsiToUtf16(text->bytes);
  try {
    return Utf8ToUtf16(AsString());
  } catch (const EVariantTypeCastError&) {
    CastError(varOleStr);
  }
}

std::u16string_view Variant::WideView() const {
  if (auto* text = std::get_if<kOleStr>(&value_)) return *text;
  CastError(varOleStr);
}

std::string_view Variant::NarrowView() const {
  if (auto* text = std::get_if<kString>(&value_)) return text->bytes;
  CastError(varString);
}

std::string Variant::AsNarrow() const {
  if (auto* text = std::get_if<kString>(&value_)) return text->bytes;
  if (auto* text = std::get_if<kOleStr>(&value_)) return Utf16ToAnsi(*text);
  return Utf8ToAnsi(AsString());
}

int64_t Variant::ToInt64Checked(int64_t min, int64_t max, TVarType target) const {
  const auto in_range = [&](int64_t value) {
    if (value < min || value > max) Overflow();
    return value;
  };
  const auto rounded = [&](double number) {
    if (!std::isfinite(number)) Overflow();
    number = RoundHalfEven(number);
    // 2^63 is exactly representable; every double below it fits an int64.
    if (number < -9223372036854775808.0 || number >= 9223372036854775808.0) Overflow();
    return in_range(static_cast<int64_t>(number));
  };
  switch (value_.index()) {
    case kEmpty:
      return 0;
    case kSmallint:
      return in_range(std::get<kSmallint>(value_).value);
    case kInteger:
      return in_range(std::get<kInteger>(value_));
    case kByte:
      return in_range(std::get<kByte>(value_).value);
    case kInt64:
      return in_range(std::get<kInt64>(value_));
    case kBoolean:
      return in_range(std::get<kBoolean>(value_) ? -1 : 0);
    case kSingle:
      return rounded(std::get<kSingle>(value_));
    case kDouble:
      return rounded(std::get<kDouble>(value_));
    case kDate:
      return rounded(std::get<kDate>(value_).days);
    case kOleStr:
    case kString: {
      const std::string text = AsString();
      int64_t whole = 0;
      if (TryStrToInt64(text, whole)) return in_range(whole);
      double number = 0;
      if (TryStrToFloat(text, number)) return rounded(number);
      break;
    }
  }
  CastError(target);
}

int32_t Variant::AsInteger() const {
  return static_cast<int32_t>(ToInt64Checked(std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max(), varInteger));
}

int64_t Variant::AsInt64() const {
  return ToInt64Checked(std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(),
                        varInt64);
}

bool Variant::AsBoolean() const {
  if (IsEmpty()) return false;
  if (auto* flag = std::get_if<kBoolean>(&value_)) return *flag;
  if (auto* big = std::get_if<kInt64>(&value_)) return *big != 0;
  double number = 0;
  if (TryNumber(number)) return number != 0;
  if (IsStr()) {
    const std::string text = AsString();
    const std::string trimmed = Trim(text);
    if (SameText(trimmed, "True")) return true;
    if (SameText(trimmed, "False")) return false;
    int64_t whole = 0;
    if (TryStrToInt64(text, whole)) return whole != 0;
    if (TryStrToFloat(text, number)) return number != 0;
  }
  CastError(varBoolean);
}

double Variant::AsDouble() const {
  if (IsEmpty()) return 0;
  double number = 0;
  if (TryNumber(number)) return number;
  if (IsStr()) {
    const std::string text = AsString();
    if (TryStrToFloat(text, number)) return number;
    int64_t whole = 0;
    if (TryStrToInt64(text, whole)) return static_cast<double>(whole);
  }
  CastError(varDouble);
}

TDateTime Variant::AsDateTime() const {
  if (IsEmpty()) return 0;
  double number = 0;
  if (TryNumber(number)) return number;
  if (IsStr()) {
    if (TryStrToDateTime(AsString(), number)) return number;
  }
  CastError(varDate);
}

std::shared_ptr<IDispatch> Variant::AsDispatch() const {
  if (IsEmpty()) return nullptr;
  if (auto* object = std::get_if<kDispatch>(&value_)) return *object;
  CastError(varDispatch);
}

Variant VarAsType(const Variant& v, TVarType type) {
  if (type & varArray) {
    if (v.IsArray() && type == (varArray | varVariant)) return v;
    v.CastError(type);
  }
  switch (type) {
    case varEmpty:
      return Variant();
    case varNull:
      if (v.IsEmpty() || v.IsNull()) return Variant::Null();
      break;
    case varVariant:
      return v;
    case varSmallint: {
      Variant r;
      r.value_.emplace<Variant::kSmallint>(
          Variant::SmallintValue{static_cast<int16_t>(v.ToInt64Checked(-32768, 32767, type))});
      return r;
    }
    case varByte: {
      Variant r;
      r.value_.emplace<Variant::kByte>(
          Variant::ByteValue{static_cast<uint8_t>(v.ToInt64Checked(0, 255, type))});
      return r;
    }
    case varInteger:
      return Variant(v.AsInteger());
    case varInt64:
      return Variant(v.AsInt64());
    case varSingle: {
      double number = v.AsDouble();
      if (std::isfinite(number) && std::fabs(number) > std::numeric_limits<float>::max()) {
        Overflow();
      }
      return Variant(static_cast<float>(number));
    }
    case varDouble:
      return Variant(v.AsDouble());
    case varDate:
      return Variant::FromDate(v.AsDateTime());
    case varBoolean:
      return Variant(v.AsBoolean());
    case varOleStr:
      return Variant(v.AsWideString());
    case varString:
      return Variant::Narrow(v.AsNarrow());
    case varDispatch:
      if (v.IsDispatch()) return v;
      break;
  }
  v.CastError(type);
}

// ---------------------------------------------------------------------------
// Comparison

bool operator==(const Variant& a, const Variant& b) {
  if (a.IsEmpty() || b.IsEmpty()) return a.IsEmpty() && b.IsEmpty();
  if (a.IsNull() || b.IsNull()) return a.IsNull() && b.IsNull();
  if (a.IsStr() || b.IsStr()) {
    if (!a.IsStr() || !b.IsStr()) return false;
    if (a.IsNarrowStr() && b.IsNarrowStr()) return a.AsNarrow() == b.AsNarrow();
    return a.AsWideString() == b.AsWideString();
  }
  if (a.IsDispatch() || b.IsDispatch()) {
    return a.IsDispatch() && b.IsDispatch() && a.AsDispatch() == b.AsDispatch();
  }
  if (a.IsArray() || b.IsArray()) {
    if (!a.IsArray() || !b.IsArray()) return false;
    const VarArrayData& x = *a.ArrayData();
    const VarArrayData& y = *b.ArrayData();
    if (x.DimCount() != y.DimCount()) return false;
    for (int dim = 1; dim <= x.DimCount(); ++dim) {
      if (x.LowBound(dim) != y.LowBound(dim) || x.HighBound(dim) != y.HighBound(dim)) {
        return false;
      }
    }
    for (size_t i = 0; i < x.Size(); ++i) {
      if (x[i] != y[i]) return false;
    }
    return true;
  }
  if (a.IsOrdinal() && b.IsOrdinal()) return a.AsInt64() == b.AsInt64();
  double x = 0, y = 0;
  if (!a.TryNumber(x) || !b.TryNumber(y)) return false;
  // A 64-bit integer against a double: compare in the wider type.
  if (a.VarType() == varInt64 || b.VarType() == varInt64) {
    long double lx = a.VarType() == varInt64 ? static_cast<long double>(a.AsInt64()) : x;
    long double ly = b.VarType() == varInt64 ? static_cast<long double>(b.AsInt64()) : y;
    return lx == ly;
  }
  return x == y;
}

// ---------------------------------------------------------------------------
// Free functions

TVarType VarType(const Variant& v) noexcept {
  return v.VarType();
}
bool VarIsEmpty(const Variant& v) noexcept {
  return v.IsEmpty();
}
bool VarIsNull(const Variant& v) noexcept {
  return v.IsNull();
}
bool VarIsArray(const Variant& v) noexcept {
  return v.IsArray();
}
bool VarIsStr(const Variant& v) noexcept {
  return v.IsStr();
}
bool VarIsNumeric(const Variant& v) noexcept {
  return v.IsNumeric();
}
bool VarIsOrdinal(const Variant& v) noexcept {
  return v.IsOrdinal();
}

std::string VarToStr(const Variant& v) {
  return v.IsNull() ? std::string() : v.AsString();
}

std::u16string VarToWideStr(const Variant& v) {
  return v.IsNull() ? std::u16string() : v.AsWideString();
}

}  // namespace qv
