#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>

#include "platform/core/exception.h"
#include "platform/system/date_time.h"
#include "platform/text/code_page.h"
#include "platform/text/unicode.h"
#include "platform/variant/variant.h"

namespace qv {
namespace {

// Restores the workstation's ANSI code page after a test changes it.
class AnsiCodePageGuard {
 public:
  explicit AnsiCodePageGuard(int cp) : previous_(GetAnsiCodePage()) { SetAnsiCodePage(cp); }
  ~AnsiCodePageGuard() { SetAnsiCodePage(previous_); }

 private:
  int previous_;
};

// "中" in code page 936 and in code page 950.
const std::string kZhongGbk = "\xD6\xD0";
const std::string kZhongBig5 = "\xA4\xA4";

TEST(VariantConstruction, EachSourceTypeMakesItsKind) {
  struct Case {
    const char* name;
    Variant value;
    TVarType type;
  };
  const Case cases[] = {
      {"default", Variant(), varEmpty},
      {"Null", Variant::Null(), varNull},
      {"int", Variant(7), varInteger},
      {"int16_t", Variant(int16_t{7}), varInteger},
      {"uint8_t", Variant(uint8_t{7}), varInteger},
      {"int64_t small", Variant(int64_t{7}), varInt64},
      {"long long", Variant(7LL), varInt64},
      {"uint32_t", Variant(uint32_t{7}), varInt64},
      {"bool", Variant(true), varBoolean},
      {"double", Variant(1.5), varDouble},
      {"float", Variant(1.5f), varSingle},
      {"date", Variant::FromDate(45000.0), varDate},
      {"string literal", Variant("abc"), varOleStr},
      {"std::string", Variant(std::string("abc")), varOleStr},
      {"string_view", Variant(std::string_view("abc")), varOleStr},
      {"u16 literal", Variant(u"abc"), varOleStr},
      {"u16string", Variant(std::u16string(u"abc")), varOleStr},
      {"narrow", Variant::Narrow("abc"), varString},
      {"array", VarArrayOf({1, 2}), varArray | varVariant},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VarType(c.value), c.type);
  }
}

TEST(VariantConstruction, TextLiteralsAndCharPointersAreWideText) {
  Variant literal = "abc";
  EXPECT_EQ(VarType(literal), varOleStr);
  EXPECT_EQ(literal.AsWideString(), u"abc");

  char buffer[] = "xyz";
  Variant from_mutable = buffer;
  EXPECT_EQ(VarType(from_mutable), varOleStr);
  EXPECT_EQ(VarToStr(from_mutable), "xyz");

  Variant assigned = 5;
  assigned = "中文";
  EXPECT_EQ(VarType(assigned), varOleStr);
  EXPECT_EQ(assigned.AsWideString(), u"中文");

  const char* none = nullptr;
  EXPECT_EQ(VarToStr(Variant(none)), "");

  // Other pointers must not quietly become Booleans.
  static_assert(!std::is_constructible_v<Variant, int*>);
  static_assert(!std::is_constructible_v<Variant, const void*>);
  static_assert(!std::is_constructible_v<Variant, std::nullptr_t>);
}

TEST(VariantConstruction, UnsignedBeyondInt64Overflows) {
  EXPECT_THROW(Variant(std::numeric_limits<uint64_t>::max()), EVariantOverflowError);
  EXPECT_EQ(Variant(uint64_t{1} << 62).AsInt64(), int64_t{1} << 62);
}

TEST(VariantConstruction, MoveLeavesSourceEmptyAndCopiesAreIndependent) {
  Variant text = "abc";
  Variant moved = std::move(text);
  EXPECT_TRUE(text.IsEmpty());  // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(VarToStr(moved), "abc");

  Variant copy = moved;
  copy = 5;
  EXPECT_EQ(VarToStr(moved), "abc");

  Variant& alias = moved;
  moved = alias;
  EXPECT_EQ(VarToStr(moved), "abc");
}

TEST(VariantQueries, KindPredicates) {
  struct Case {
    const char* name;
    Variant value;
    bool str, numeric, ordinal;
  };
  const Case cases[] = {
      {"empty", Variant(), false, false, false},
      {"null", Variant::Null(), false, false, false},
      {"integer", Variant(1), false, true, true},
      {"int64", Variant(int64_t{1}), false, true, true},
      {"boolean", Variant(false), false, true, true},
      {"double", Variant(1.0), false, true, false},
      {"date", Variant::FromDate(1.0), false, false, false},
      {"wide", Variant("1"), true, false, false},
      {"narrow", Variant::Narrow("1"), true, false, false},
      {"array", VarArrayOf({1}), false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VarIsStr(c.value), c.str);
    EXPECT_EQ(VarIsNumeric(c.value), c.numeric);
    EXPECT_EQ(VarIsOrdinal(c.value), c.ordinal);
  }
  EXPECT_TRUE(VarIsEmpty(Variant()));
  EXPECT_TRUE(VarIsNull(Variant::Null()));
  EXPECT_TRUE(VarIsArray(VarArrayOf({})));
  EXPECT_FALSE(VarIsArray(Variant("[1]")));
}

TEST(VariantToText, ValuesOfEachKind) {
  struct Case {
    const char* name;
    Variant value;
    std::string text;
  };
  const Case cases[] = {
      {"empty", Variant(), ""},
      {"null", Variant::Null(), ""},
      {"integer", Variant(-42), "-42"},
      {"int64 max", Variant(std::numeric_limits<int64_t>::max()), "9223372036854775807"},
      {"true", Variant(true), "True"},
      {"false", Variant(false), "False"},
      {"fraction", Variant(1.5), "1.5"},
      {"whole double", Variant(2.0), "2"},
      {"tenth", Variant(0.1), "0.1"},
      {"single keeps its own digits", Variant(0.1f), "0.1"},
      {"wide", Variant("中文 text"), "中文 text"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(VarToStr(c.value), c.text);
    EXPECT_EQ(VarToWideStr(c.value), Utf8ToUtf16(c.text));
  }
}

TEST(VariantToText, NullRaisesInAsStringButNotInVarToStr) {
  EXPECT_EQ(VarToStr(Variant::Null()), "");
  EXPECT_EQ(Variant().AsString(), "");
  try {
    Variant::Null().AsString();
    FAIL() << "no exception";
  } catch (const EVariantTypeCastError& e) {
    EXPECT_EQ(e.Message(), "Could not convert variant of type (Null) into type (String)");
  }
  EXPECT_THROW(Variant::Null().AsWideString(), EVariantTypeCastError);
  EXPECT_THROW(Variant::Null().AsNarrow(), EVariantTypeCastError);
}

TEST(VariantToText, ArraysHaveNoText) {
  EXPECT_THROW(VarToStr(VarArrayOf({1})), EVariantTypeCastError);
  EXPECT_THROW(VarToWideStr(VarArrayOf({1})), EVariantTypeCastError);
}

TEST(VariantNarrowText, BytesAreKeptAndDecodedInTheAnsiCodePage) {
  AnsiCodePageGuard cp936(936);
  const Variant narrow = Variant::Narrow(kZhongGbk);
  EXPECT_EQ(narrow.AsNarrow(), kZhongGbk);
  EXPECT_EQ(VarToStr(narrow), "中");
  EXPECT_EQ(VarToWideStr(narrow), u"中");
  EXPECT_EQ(Variant("中").AsNarrow(), kZhongGbk);
  EXPECT_EQ(VarAsType(Variant("中"), varString).AsNarrow(), kZhongGbk);

  // The same bytes mean something else once the code page changes; the
  // stored bytes do not change.
  AnsiCodePageGuard cp950(950);
  EXPECT_EQ(narrow.AsNarrow(), kZhongGbk);
  EXPECT_EQ(Variant("中").AsNarrow(), kZhongBig5);
  EXPECT_EQ(VarToStr(Variant::Narrow(kZhongBig5)), "中");
}

TEST(VariantToInteger, ConvertibleValues) {
  struct Case {
    const char* name;
    Variant value;
    int32_t expected;
  };
  const Case cases[] = {
      {"empty", Variant(), 0},
      {"integer", Variant(-7), -7},
      {"int64 in range", Variant(int64_t{123}), 123},
      {"true", Variant(true), -1},
      {"false", Variant(false), 0},
      {"half rounds to even (down)", Variant(2.5), 2},
      {"half rounds to even (up)", Variant(3.5), 4},
      {"negative half", Variant(-2.5), -2},
      {"below half", Variant(2.4999), 2},
      {"above half", Variant(-2.5001), -3},
      {"date", Variant::FromDate(45000.75), 45001},
      {"integer text", Variant("42"), 42},
      {"blanks around", Variant(" -42 "), -42},
      {"float text rounded", Variant("2.5"), 2},
      {"float text rounded up", Variant("3.5"), 4},
      {"exponent text", Variant("1e3"), 1000},
      {"narrow text", Variant::Narrow("12"), 12},
      {"int32 min", Variant("-2147483648"), std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.value.AsInteger(), c.expected);
    EXPECT_EQ(c.value.AsInt64(), c.expected);
  }
}

TEST(VariantToInteger, TextsThatAreNoNumbersRaise) {
  const Variant cases[] = {Variant("abc"), Variant(""),          Variant("12abc"),
                           Variant("1,5"), Variant::Narrow("x"), Variant("  ")};
  for (const Variant& v : cases) {
    SCOPED_TRACE(VarToStr(v));
    EXPECT_THROW(v.AsInteger(), EVariantTypeCastError);
    EXPECT_THROW(v.AsInt64(), EVariantTypeCastError);
    EXPECT_THROW(v.AsDouble(), EVariantTypeCastError);
  }
  try {
    Variant("abc").AsInteger();
    FAIL() << "no exception";
  } catch (const EVariantTypeCastError& e) {
    EXPECT_EQ(e.Message(), "Could not convert variant of type (OleStr) into type (Integer)");
  }
  try {
    Variant::Narrow("abc").AsInteger();
    FAIL() << "no exception";
  } catch (const EVariantTypeCastError& e) {
    EXPECT_EQ(e.Message(), "Could not convert variant of type (String) into type (Integer)");
  }
}

TEST(VariantToInteger, NullArraysAndOverflowRaise) {
  EXPECT_THROW(Variant::Null().AsInteger(), EVariantTypeCastError);
  EXPECT_THROW(VarArrayOf({1}).AsInteger(), EVariantTypeCastError);

  const Variant too_big[] = {Variant(int64_t{1} << 40), Variant(3e9),      Variant("99999999999"),
                             Variant(std::nan("")),     Variant(HUGE_VAL), Variant(-2147483648.6)};
  for (const Variant& v : too_big) {
    SCOPED_TRACE(VarToStr(v));
    EXPECT_THROW(v.AsInteger(), EVariantOverflowError);
  }
  EXPECT_THROW(Variant(1e19).AsInt64(), EVariantOverflowError);
  EXPECT_THROW(Variant(-9.3e18).AsInt64(), EVariantOverflowError);
}

TEST(VariantToInteger, Int64KeepsEveryDigit) {
  const int64_t odd = (int64_t{1} << 53) + 1;  // not representable as a double
  EXPECT_EQ(Variant(odd).AsInt64(), odd);
  EXPECT_EQ(Variant("9007199254740993").AsInt64(), odd);
  EXPECT_EQ(Variant("-9223372036854775808").AsInt64(), std::numeric_limits<int64_t>::min());
}

TEST(VariantToBoolean, ConvertibleValues) {
  struct Case {
    const char* name;
    Variant value;
    bool expected;
  };
  const Case cases[] = {
      {"empty", Variant(), false},
      {"zero", Variant(0), false},
      {"five", Variant(5), true},
      {"minus one", Variant(-1), true},
      {"zero double", Variant(0.0), false},
      {"half", Variant(0.5), true},
      {"int64", Variant(int64_t{1} << 40), true},
      {"True", Variant("True"), true},
      {"true", Variant("true"), true},
      {"FALSE", Variant("FALSE"), false},
      {"zero text", Variant("0"), false},
      {"one text", Variant("1"), true},
      {"float text", Variant("0.25"), true},
      {"narrow", Variant::Narrow("False"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.value.AsBoolean(), c.expected);
  }
  for (const Variant& v : {Variant("yes"), Variant(""), Variant::Null(), VarArrayOf({})}) {
    EXPECT_THROW(v.AsBoolean(), EVariantTypeCastError);
  }
}

TEST(VariantToDouble, ConvertibleValues) {
  struct Case {
    const char* name;
    Variant value;
    double expected;
  };
  const Case cases[] = {
      {"empty", Variant(), 0},
      {"integer", Variant(3), 3},
      {"true", Variant(true), -1},
      {"int64", Variant(int64_t{1} << 40), 1099511627776.0},
      {"date", Variant::FromDate(45000.25), 45000.25},
      {"text", Variant(" 1.25 "), 1.25},
      {"exponent", Variant("-2E-3"), -0.002},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_DOUBLE_EQ(c.value.AsDouble(), c.expected);
  }
  EXPECT_THROW(Variant::Null().AsDouble(), EVariantTypeCastError);
}

TEST(VariantDates, TextAndDayCounts) {
  ScopedFormatSettings defaults{TFormatSettings{}};
  struct Case {
    const char* name;
    Variant value;
    TDateTime days;
  };
  const Case cases[] = {
      {"empty", Variant(), 0},
      {"integer day count", Variant(45000), 45000},
      {"fractional day count", Variant(45000.25), 45000.25},
      {"date text", Variant("2023/03/15"), 45000},
      {"date and time text", Variant("2023/03/15 06:00:00"), 45000.25},
      {"narrow date text", Variant::Narrow("2023/03/16"), 45001},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_DOUBLE_EQ(c.value.AsDateTime(), c.days);
  }
  EXPECT_EQ(VarToStr(Variant::FromDate(45000)), "2023/03/15");
  EXPECT_EQ(VarToStr(Variant::FromDate(45000.5)), "2023/03/15 12:00:00");
  for (const Variant& v : {Variant("not a date"), Variant("2023/13/01"), Variant::Null()}) {
    EXPECT_THROW(v.AsDateTime(), EVariantTypeCastError);
  }
}

TEST(VariantAsType, ConvertsToTheRequestedKind) {
  struct Case {
    const char* name;
    Variant value;
    TVarType type;
    Variant expected;
  };
  const Case cases[] = {
      {"integer to wide", Variant(42), varOleStr, Variant("42")},
      {"text to integer", Variant("42"), varInteger, Variant(42)},
      {"text to int64", Variant("42"), varInt64, Variant(int64_t{42})},
      {"double to narrow", Variant(1.5), varString, Variant::Narrow("1.5")},
      {"text to Boolean", Variant("true"), varBoolean, Variant(true)},
      {"integer to double", Variant(2), varDouble, Variant(2.0)},
      {"number to date", Variant(3), varDate, Variant::FromDate(3)},
      {"empty to wide", Variant(), varOleStr, Variant("")},
      {"anything to empty", Variant("x"), varEmpty, Variant()},
      {"null stays null", Variant::Null(), varNull, Variant::Null()},
      {"variant unchanged", Variant("x"), varVariant, Variant("x")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Variant result = VarAsType(c.value, c.type);
    EXPECT_EQ(VarType(result), c.type == varVariant ? VarType(c.value) : c.type);
    EXPECT_EQ(result, c.expected);
  }
}

TEST(VariantAsType, OutOfRangeAndImpossibleTargetsRaise) {
  EXPECT_EQ(VarType(VarAsType(Variant(200), varByte)), varByte);
  EXPECT_EQ(VarAsType(Variant(-5), varSmallint).AsInteger(), -5);
  EXPECT_THROW(VarAsType(Variant(300), varByte), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(-1), varByte), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(40000), varSmallint), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant(1e300), varSingle), EVariantOverflowError);
  EXPECT_THROW(VarAsType(Variant("x"), varInteger), EVariantTypeCastError);
  EXPECT_THROW(VarAsType(Variant::Null(), varInteger), EVariantTypeCastError);
  EXPECT_THROW(VarAsType(Variant(1), varNull), EVariantTypeCastError);
  EXPECT_THROW(VarAsType(Variant(1), varCurrency), EVariantTypeCastError);
  EXPECT_THROW(VarAsType(Variant(1), varArray | varVariant), EVariantTypeCastError);
}

Variant OneBasedArrayOf(const Variant& element) {
  Variant array = VarArrayCreate({1, 1});
  array[1] = element;
  return array;
}

TEST(VariantEquality, ComparesByKindAndValue) {
  struct Case {
    const char* name;
    Variant a, b;
    bool equal;
  };
  const Case cases[] = {
      {"integer and double", Variant(1), Variant(1.0), true},
      {"integer and int64", Variant(1), Variant(int64_t{1}), true},
      {"true is minus one", Variant(true), Variant(-1), true},
      {"true is not one", Variant(true), Variant(1), false},
      {"date and double", Variant::FromDate(2.5), Variant(2.5), true},
      {"int64 beyond double precision", Variant((int64_t{1} << 53) + 1),
       Variant(9007199254740992.0), false},
      {"wide texts", Variant("abc"), Variant(u"abc"), true},
      {"case matters", Variant("abc"), Variant("ABC"), false},
      {"narrow and wide", Variant::Narrow("abc"), Variant("abc"), true},
      {"text and number", Variant("1"), Variant(1), false},
      {"empty and empty", Variant(), Variant(), true},
      {"empty and zero", Variant(), Variant(0), false},
      {"empty and empty text", Variant(), Variant(""), false},
      {"empty and null", Variant(), Variant::Null(), false},
      {"null and null", Variant::Null(), Variant::Null(), true},
      {"equal arrays", VarArrayOf({1, "a"}), VarArrayOf({1.0, u"a"}), true},
      {"different element", VarArrayOf({1, "a"}), VarArrayOf({1, "b"}), false},
      {"different bounds", VarArrayOf({1}), OneBasedArrayOf(1), false},
      {"array and scalar", VarArrayOf({1}), Variant(1), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.a == c.b, c.equal);
    EXPECT_EQ(c.b == c.a, c.equal);
    EXPECT_EQ(c.a != c.b, !c.equal);
  }
}

TEST(VariantTypeNames, FollowTheOriginalNames) {
  EXPECT_EQ(VarTypeAsText(varInteger), "Integer");
  EXPECT_EQ(VarTypeAsText(varOleStr), "OleStr");
  EXPECT_EQ(VarTypeAsText(varString), "String");
  EXPECT_EQ(VarTypeAsText(varArray | varVariant), "Array Variant");
  EXPECT_EQ(VarTypeAsText(0x0FFF), "$0FFF");
}

}  // namespace
}  // namespace qv
