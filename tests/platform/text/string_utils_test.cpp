#include "platform/text/string_utils.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/core/exception.h"

namespace {

TEST(StringUtils, TrimRemovesBlanksAndControlCharactersOnly) {
  const struct {
    std::string text, both, left, right;
  } cases[] = {
      {"  ab c \t", "ab c", "ab c \t", "  ab c"},
      {"\r\n\x01x\x1f", "x", "x\x1f", "\r\n\x01x"},
      {"   ", "", "", ""},
      {"", "", "", ""},
      {"\xe3\x80\x80编号\xe3\x80\x80", "\xe3\x80\x80编号\xe3\x80\x80",
       "\xe3\x80\x80编号\xe3\x80\x80",
       "\xe3\x80\x80编号\xe3\x80\x80"},  // a full-width blank is not trimmed
      {std::string("\0a\0", 3), "a", std::string("a\0", 2), std::string("\0a", 2)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(qv::Trim(c.text), c.both);
    EXPECT_EQ(qv::TrimLeft(c.text), c.left);
    EXPECT_EQ(qv::TrimRight(c.text), c.right);
  }
}

TEST(StringUtils, CaseRulesTouchAsciiLettersOnly) {
  EXPECT_EQ(qv::UpperCase("abz AZ 09 éü 选择"), "ABZ AZ 09 éü 选择");
  EXPECT_EQ(qv::LowerCase("ABZ az [@] ÉÜ"), "abz az [@] ÉÜ");
  const struct {
    const char *a, *b;
    int order;
  } cases[] = {
      {"abc", "ABC", 0}, {"abc", "abd", -1}, {"ab", "abc", -1},
      {"b", "A", 1},     {"_", "a", 1},  // compared in upper case, where '_' sorts after 'A'
      {"É", "é", -1},    {"", "", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    const int order = qv::CompareText(c.a, c.b);
    EXPECT_EQ((order > 0) - (order < 0), c.order);
    EXPECT_EQ(qv::SameText(c.a, c.b), c.order == 0);
  }
  EXPECT_TRUE(qv::StartsText("REP", "report"));
  EXPECT_FALSE(qv::StartsText("reports", "report"));
  EXPECT_TRUE(qv::EndsText(".DLL", "Qvlanguage.dll"));
  EXPECT_FALSE(qv::EndsText("x.dll", ".dll"));
  EXPECT_TRUE(qv::ContainsText("SkeldorC.ini", "ORC."));
  EXPECT_TRUE(qv::ContainsText("abc", ""));
  EXPECT_FALSE(qv::ContainsText("abc", "abcd"));
}

TEST(StringUtils, IntegersParseLikeTheFramework) {
  const struct {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"42", true, 42},
      {"  -17", true, -17},
      {"+8", true, 8},
      {"$1F", true, 31},
      {"0x10", true, 16},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, std::numeric_limits<int>::min()},
      {"2147483648", false, 0},
      {"12 ", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {"abc", false, 0},
      {"1.5", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"$1G", false, 0},
      {"--1", false, 0},
      {"\t5", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int value = -99;
    EXPECT_EQ(qv::TryStrToInt(c.text, value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
      EXPECT_EQ(qv::StrToInt(c.text), c.value);
    } else {
      EXPECT_EQ(value, -99) << "failed parse leaves the value alone";
      EXPECT_EQ(qv::StrToIntDef(c.text, 7), 7);
      EXPECT_THROW(qv::StrToInt(c.text), qv::EConvertError);
    }
  }
  try {
    qv::StrToInt("abc");
    FAIL();
  } catch (const qv::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'abc' is not a valid integer value");
  }
  EXPECT_EQ(qv::StrToInt64("-9223372036854775808"), std::numeric_limits<int64_t>::min());
  EXPECT_EQ(qv::StrToInt64(" 4294967296"), 4294967296LL);
  int64_t big = 0;
  EXPECT_FALSE(qv::TryStrToInt64("9223372036854775808", big));
  EXPECT_EQ(qv::IntToStr(-9223372036854775807LL - 1), "-9223372036854775808");
  EXPECT_EQ(qv::IntToHex(255, 4), "00FF");
  EXPECT_EQ(qv::IntToHex(-1, 2), "FFFFFFFFFFFFFFFF");
}

TEST(StringUtils, FloatTextIsShortestAndReadsBack) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {1.5, "1.5"},
      {2.0, "2"},
      {-0.25, "-0.25"},
      {0.1, "0.1"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {1e15, "1E15"},
      {123456789012345.0, "123456789012345"},
      {1e20, "1E20"},
      {-1.5e-7, "-1.5E-7"},
      {0.0, "0"},
      {100.0, "100"},
      {0.1 + 0.2, "0.30000000000000004"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(qv::FloatToStr(c.value), c.text);
    EXPECT_EQ(qv::StrToFloat(c.text), c.value);
  }
  EXPECT_EQ(qv::FloatToStr(std::numeric_limits<double>::infinity()), "INF");
}

TEST(StringUtils, FloatParsing) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {" 1.25 ", true, 1.25}, {"-3", true, -3},        {"+.5", true, 0.5},  {"2.", true, 2},
      {"1e3", true, 1000},    {"1.5E-2", true, 0.015}, {"", false, 0},      {"1,5", false, 0},
      {"inf", false, 0},      {"nan", false, 0},       {"0x1p3", false, 0}, {"1e", false, 0},
      {"1e999", false, 0},    {"--1", false, 0},       {".", false, 0},     {"1 2", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    double value = -99;
    EXPECT_EQ(qv::TryStrToFloat(c.text, value), c.ok);
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    } else {
      EXPECT_THROW(qv::StrToFloat(c.text), qv::EConvertError);
    }
  }
}

TEST(StringUtils, StringReplaceFlags) {
  const struct {
    const char *text, *old_pattern, *new_pattern;
    qv::TReplaceFlags flags;
    const char* expected;
  } cases[] = {
      {"a-b-c", "-", "+", qv::rfNone, "a+b-c"},
      {"a-b-c", "-", "+", qv::rfReplaceAll, "a+b+c"},
      {"aXbxc", "x", "", qv::rfReplaceAll, "aXbc"},
      {"aXbxc", "x", "", qv::rfReplaceAll | qv::rfIgnoreCase, "abc"},
      {"aaa", "a", "aa", qv::rfReplaceAll, "aaaaaa"},  // replaced text is not searched again
      {"abc", "", "x", qv::rfReplaceAll, "abc"},
      {"abc", "abc", "", qv::rfNone, ""},
      {"选择选择", "择", "項", qv::rfReplaceAll, "选項选項"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(qv::StringReplace(c.text, c.old_pattern, c.new_pattern, c.flags), c.expected);
  }
}

TEST(StringUtils, PositionsAndFields) {
  EXPECT_EQ(qv::Pos("b", "abcb"), 2);
  EXPECT_EQ(qv::Pos("x", "abc"), 0);
  EXPECT_EQ(qv::Pos("", "abc"), 0);
  EXPECT_EQ(qv::PosEx("b", "abcb", 3), 4);
  EXPECT_EQ(qv::PosEx("b", "abcb", 9), 0);

  const struct {
    const char* text;
    std::vector<std::string> fields;
  } cases[] = {
      {"", {}}, {"a", {"a"}}, {"a,,b", {"a", "", "b"}}, {",", {"", ""}}, {"a,b,", {"a", "b", ""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(qv::SplitString(c.text, ','), c.fields);
    if (!c.fields.empty()) {
      EXPECT_EQ(qv::JoinStrings(c.fields, ","), c.text);
    }
  }
  EXPECT_EQ(qv::StringOfChar('-', 3), "---");
  EXPECT_EQ(qv::StringOfChar('-', -2), "");
  EXPECT_EQ(qv::QuotedStr("it's"), "'it''s'");
  EXPECT_EQ(qv::AnsiQuotedStr("a\"b", '"'), "\"a\"\"b\"");
}

TEST(StringUtils, DisplayWidthCountsFullWidthCharactersTwice) {
  const struct {
    const char* text;
    int width;
  } cases[] = {
      {"abc", 3},
      {"选择", 4},
      {"選擇a", 5},
      {"한글", 4},
      {"ＡＢ", 4},
      {"ｱ", 1},
      {"é", 1},
      {"。", 2},
      {"\xe4\xb8", 2},  // a broken sequence counts byte by
                        // byte
      {"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(qv::TextDisplayWidth(c.text), c.width);
  }
  EXPECT_TRUE(qv::IsFullWidthChar(U'\u4E2D'));
  EXPECT_FALSE(qv::IsFullWidthChar(U'A'));
  EXPECT_FALSE(qv::IsFullWidthChar(U'\uFF61'));  // half-width katakana punctuation
}

}  // namespace
