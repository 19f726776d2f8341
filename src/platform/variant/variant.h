#pragma once
// Variant: the tagged value of the automation boundary. Empty, Null, numbers,
// dates (days since 1899-12-30), wide text (UTF-16), narrow text (raw bytes in
// some code page), dispatch objects and arrays of variants with explicit bounds.
// Copies are deep (an array is copied with its elements); moves are cheap.

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace qv {

using TDateTime = double;
using TVarType = uint16_t;

inline constexpr TVarType varEmpty = 0x0000;
inline constexpr TVarType varNull = 0x0001;
inline constexpr TVarType varSmallint = 0x0002;
inline constexpr TVarType varInteger = 0x0003;
inline constexpr TVarType varSingle = 0x0004;
inline constexpr TVarType varDouble = 0x0005;
inline constexpr TVarType varCurrency = 0x0006;
inline constexpr TVarType varDate = 0x0007;
inline constexpr TVarType varOleStr = 0x0008;
inline constexpr TVarType varDispatch = 0x0009;
inline constexpr TVarType varError = 0x000A;
inline constexpr TVarType varBoolean = 0x000B;
inline constexpr TVarType varVariant = 0x000C;
inline constexpr TVarType varByte = 0x0011;
inline constexpr TVarType varInt64 = 0x0014;
inline constexpr TVarType varString = 0x0100;
inline constexpr TVarType varTypeMask = 0x0FFF;
inline constexpr TVarType varArray = 0x2000;
inline constexpr TVarType varByRef = 0x4000;

class IDispatch;
class DispatchArg;
class VarArrayData;

class Variant {
 public:
  Variant() noexcept = default;
  Variant(const Variant& other);
  Variant(Variant&& other) noexcept;
  Variant& operator=(const Variant& other);
  Variant& operator=(Variant&& other) noexcept;
  ~Variant();

  static Variant Null();
  static Variant FromDate(TDateTime value);
  // Raw bytes in whatever code page the caller chose (varString).
  static Variant Narrow(std::string bytes);

  Variant(bool value) noexcept : value_(value) {}
  // Signed integers up to 32 bits (and small unsigned ones) become varInteger;
  // 64-bit integers become varInt64, whatever their value.
  template <class T>
  requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, char> &&
           !std::is_same_v<T, char8_t> && !std::is_same_v<T, char16_t> &&
           !std::is_same_v<T, char32_t> && !std::is_same_v<T, wchar_t>) Variant(T value) {
    if constexpr (sizeof(T) < 4 || (sizeof(T) == 4 && std::is_signed_v<T>)) {
      value_ = static_cast<int32_t>(value);
    } else if constexpr (std::is_signed_v<T>) {
      value_ = static_cast<int64_t>(value);
    } else {
      SetUnsigned(static_cast<uint64_t>(value));
    }
  }
  Variant(float value) noexcept : value_(value) {}
  Variant(double value) noexcept : value_(value) {}
  // UTF-8 text becomes wide text (varOleStr): the automation boundary is wide.
  Variant(const char* utf8);
  Variant(char* utf8) : Variant(static_cast<const char*>(utf8)) {}
  Variant(std::string_view utf8);
  Variant(const std::string& utf8);
  Variant(const char16_t* text);
  Variant(std::u16string text) noexcept : value_(std::move(text)) {}
  Variant(std::u16string_view text) : value_(std::u16string(text)) {}
  Variant(std::shared_ptr<IDispatch> object) noexcept : value_(std::move(object)) {}
  // Any other pointer would silently become a Boolean.
  template <class T>
  requires(!std::is_same_v<std::remove_cv_t<T>, char> &&
           !std::is_same_v<std::remove_cv_t<T>, char16_t>) Variant(T*)
  = delete;
  Variant(std::nullptr_t) = delete;

  TVarType VarType() const noexcept;
  bool IsEmpty() const noexcept { return value_.index() == kEmpty; }
  bool IsNull() const noexcept { return value_.index() == kNull; }
  bool IsArray() const noexcept { return value_.index() == kArray; }
  bool IsDispatch() const noexcept { return value_.index() == kDispatch; }
  bool IsWideStr() const noexcept { return value_.index() == kOleStr; }
  bool IsNarrowStr() const noexcept { return value_.index() == kString; }
  bool IsStr() const noexcept { return IsWideStr() || IsNarrowStr(); }
  bool IsNumeric() const noexcept;
  bool IsOrdinal() const noexcept;

  // Conversions; EVariantTypeCastError when the value cannot be converted.
  std::string AsString() const;  // UTF-8; Empty gives "", Null raises
  std::u16string AsWideString() const;
  std::string AsNarrow() const;  // bytes; wide text is encoded in the ANSI code page
  // The stored text without a copy; EVariantTypeCastError unless the variant
  // holds that kind of text. For walks over large arrays of texts.
  std::u16string_view WideView() const;
  std::string_view NarrowView() const;
  int32_t AsInteger() const;
  int64_t AsInt64() const;
  bool AsBoolean() const;
  double AsDouble() const;
  TDateTime AsDateTime() const;
  // The object of a varDispatch (Empty gives nullptr).
  std::shared_ptr<IDispatch> AsDispatch() const;

  // Element access of arrays; EVariantInvalidOpError on a non-array,
  // EVariantBadIndexError outside the bounds or with the wrong index count.
  Variant& operator[](int index);
  const Variant& operator[](int index) const;
  Variant& At(int i, int j);
  const Variant& At(int i, int j) const;
  Variant& operator()(int i, int j) { return At(i, j); }
  const Variant& operator()(int i, int j) const { return At(i, j); }
  Variant& Element(std::span<const int> indices);
  const Variant& Element(std::span<const int> indices) const;

  // Late-bound calls on a varDispatch (see dispatch.h); EOleError when the
  // variant holds no object.
  Variant Call(std::string_view name, std::initializer_list<DispatchArg> args) const;
  Variant Call(std::string_view name, std::span<DispatchArg> args = {}) const;
  Variant Get(std::string_view name, std::initializer_list<DispatchArg> args = {}) const;
  void Put(std::string_view name, const Variant& value) const;

  friend bool operator==(const Variant& a, const Variant& b);

  // Array storage; used by the array functions below.
  VarArrayData* ArrayData() noexcept;
  const VarArrayData* ArrayData() const noexcept;
  static Variant FromArrayData(std::unique_ptr<VarArrayData> data);

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  struct DateValue {
    double days;
  };
  struct NarrowText {
    std::string bytes;
  };
  struct SmallintValue {
    int16_t value;
  };
  struct ByteValue {
    uint8_t value;
  };
  // Deep-copying owner of an array's storage.
  class ArrayBox {
   public:
    explicit ArrayBox(std::unique_ptr<VarArrayData> data) noexcept;
    ArrayBox(const ArrayBox& other);
    ArrayBox(ArrayBox&& other) noexcept;
    ArrayBox& operator=(const ArrayBox& other);
    ArrayBox& operator=(ArrayBox&& other) noexcept;
    ~ArrayBox();
    VarArrayData* get() const noexcept { return data_.get(); }

   private:
    std::unique_ptr<VarArrayData> data_;
  };

  enum Index : size_t {
    kEmpty,
    kNull,
    kSmallint,
    kInteger,
    kSingle,
    kDouble,
    kDate,
    kOleStr,
    kDispatch,
    kBoolean,
    kByte,
    kInt64,
    kString,
    kArray
  };
  using Storage = std::variant<std::monostate, NullTag, SmallintValue, int32_t, float, double,
                               DateValue, std::u16string, std::shared_ptr<IDispatch>, bool,
                               ByteValue, int64_t, NarrowText, ArrayBox>;

  void SetUnsigned(uint64_t value);
  [[noreturn]] void CastError(TVarType target) const;
  // Numeric value of numbers, dates and Booleans; false for other kinds.
  bool TryNumber(double& out) const noexcept;
  int64_t ToInt64Checked(int64_t min, int64_t max, TVarType target) const;

  friend Variant VarAsType(const Variant& v, TVarType type);

  Storage value_;
};

inline bool operator!=(const Variant& a, const Variant& b) {
  return !(a == b);
}

// Text of a VarType code, as the original names it ("Integer", "OleStr",
// "Array Variant", ...).
std::string VarTypeAsText(TVarType type);

TVarType VarType(const Variant& v) noexcept;
bool VarIsEmpty(const Variant& v) noexcept;
bool VarIsNull(const Variant& v) noexcept;
bool VarIsArray(const Variant& v) noexcept;
bool VarIsStr(const Variant& v) noexcept;
bool VarIsNumeric(const Variant& v) noexcept;
bool VarIsOrdinal(const Variant& v) noexcept;

// Text conversions where Null and Empty give "".
std::string VarToStr(const Variant& v);
std::u16string VarToWideStr(const Variant& v);

// The value converted to another kind (varEmpty, varNull, numbers, varDate,
// varOleStr, varString, varBoolean; varVariant returns it unchanged).
Variant VarAsType(const Variant& v, TVarType type);

// Arrays: bounds are a flat list lo1, hi1[, lo2, hi2 ...]. The element type may be
// varVariant or a simple kind; elements are variants either way, initialised to
// that kind's zero value (Empty for varVariant).
Variant VarArrayCreate(std::initializer_list<int> bounds, TVarType elementType = varVariant);
Variant VarArrayCreate(std::span<const int> bounds, TVarType elementType = varVariant);
Variant VarArrayOf(std::initializer_list<Variant> values);
Variant VarArrayOf(std::span<const Variant> values);
int VarArrayDimCount(const Variant& v) noexcept;
int VarArrayLowBound(const Variant& v, int dim);
int VarArrayHighBound(const Variant& v, int dim);
Variant VarArrayGet(const Variant& v, std::initializer_list<int> indices);
void VarArrayPut(Variant& v, const Variant& value, std::initializer_list<int> indices);
// Changes the high bound of the last dimension, keeping the elements.
void VarArrayRedim(Variant& v, int highBound);

}  // namespace qv

#include "platform/variant/dispatch.h"
