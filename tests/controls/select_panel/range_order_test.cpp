#include "controls/range_order.h"

#include <gtest/gtest.h>

#include "platform/system/date_time.h"

namespace ravlet {
namespace {

struct ExchangeCase {
  const char* label;
  TValueType value_type;
  TDateType date_type;
  const char* begin;
  const char* end;
  bool exchanged;
  bool auto_change_date_site = true;
  bool use_discard = false;
  const char* discard = "";
  const char* empty_mask_text = "";
};

TEST(RangeOrder, ExchangeByValueType) {
  const ExchangeCase cases[] = {
      {"string out of order", vt_String, dt_NoneCare, "B", "A", true},
      {"string in order", vt_String, dt_NoneCare, "A", "B", false},
      {"string compared byte-wise, not by number", vt_String, dt_NoneCare, "10", "9", false},
      {"empty begin", vt_String, dt_NoneCare, "", "A", false},
      {"empty end", vt_Number, dt_NoneCare, "5", "", false},
      {"time as text", vt_Time, dt_NoneCare, "12:00", "09:00", true},
      {"number out of order", vt_Number, dt_NoneCare, "10", "9", true},
      {"number: text counts as 0 at the begin", vt_Number, dt_NoneCare, "abc", "5", false},
      {"number: text counts as 0 at the end", vt_Number, dt_NoneCare, "5", "abc", true},
      {"number beyond 32 bits", vt_Number, dt_NoneCare, "10000000000", "9", true},
      {"negative numbers", vt_Number, dt_NoneCare, "-1", "-2", true},
      {"number ignores the discard text", vt_Number, dt_NoneCare, "9", "1", true, true, true, "9"},
      {"float by value", vt_Float, dt_NoneCare, "10.5", "9.75", true},
      {"float fraction keeps its leading zero", vt_Float, dt_NoneCare, "1.05", "1.5", false},
      {"float negative", vt_Float, dt_NoneCare, "-0.5", "-1.25", true},
      {"float text counts as 0", vt_Float, dt_NoneCare, "abc", "-1", true},
      {"float trailing zeros are the same value", vt_Float, dt_NoneCare, "2.50", "2.5", false},
      {"other mask never", vt_OtherMask, dt_NoneCare, "B", "A", false},
      {"date year-month begin reads as the first", vt_Date, dt_YYYYMMDD, "2023/12", "2023/11/15",
       true},
      {"date unreadable begin is no date", vt_Date, dt_YYYYMMDD, "xx", "2023/01/01", false},
      {"date unreadable end is no date", vt_Date, dt_YYYYMMDD, "2023/01/01", "xx", true},
      {"date compared as dates, not texts", vt_Date, dt_YYYYMMDD, "2023/2/1", "2023/10/01", false},
      {"date without type compares texts", vt_Date, dt_NoneCare, "2023/2/1", "2023/10/01", true},
      {"date month first", vt_Date, dt_MMDDYYYY, "12/2023", "11/15/2023", true},
      {"date day first", vt_Date, dt_DDMMYYYY, "02/01/2024", "31/12/2023", true},
      {"date three-digit ROC year", vt_Date, dt_YYYMMDD, "112/01/05", "112/01/04", true},
      {"date two-digit ROC year before three", vt_Date, dt_YYMMDD, "99/12/31", "100/01/01", false},
      {"date ordering switched off", vt_Date, dt_YYYYMMDD, "2023/12/01", "2023/01/01", false,
       false},
      {"discard text at the begin", vt_String, dt_NoneCare, "*", "A", false, true, true, "*"},
      {"discard text at the end", vt_String, dt_NoneCare, "Z", "*", false, true, true, "*"},
      {"discard text not in use", vt_String, dt_NoneCare, "Z", "*", true, true, false, "*"},
      {"discard text applies to dates", vt_Date, dt_YYYYMMDD, "2024/01/01", "*", false, true, true,
       "*"},
      {"empty mask text exempts a string range", vt_String, dt_NoneCare, "__/__", "A", false, true,
       false, "", "__/__"},
      {"empty mask text exempts a date range", vt_Date, dt_YYYYMMDD, "2024/01/01", "____/__/__",
       false, true, false, "", "____/__/__"},
  };
  for (const ExchangeCase& c : cases) {
    TRangeOrderRules rules;
    rules.ValueType = c.value_type;
    rules.DateType = c.date_type;
    rules.AutoChangeDateSite = c.auto_change_date_site;
    rules.UseDiscard = c.use_discard;
    rules.Discard = c.discard;
    rules.EmptyMaskText = c.empty_mask_text;
    EXPECT_EQ(RangeNeedsExchange(rules, c.begin, c.end), c.exchanged) << c.label;
  }
}

struct DateCase {
  const char* text;
  TDateType type;
  const char* sign;
  int year, month, day;  // 0: reads as no date
};

TEST(RangeOrder, ReadsDatesByType) {
  const DateCase cases[] = {
      {"2023/11/15", dt_YYYYMMDD, "/", 2023, 11, 15},
      {" 2023/12 ", dt_YYYYMMDD, "/", 2023, 12, 1},
      {"12/2023", dt_MMDDYYYY, "/", 2023, 12, 1},
      {"12/25/2023", dt_MMDDYYYY, "/", 2023, 12, 25},
      {"12/2023", dt_DDMMYYYY, "/", 2023, 12, 1},
      {"25/12/2023", dt_DDMMYYYY, "/", 2023, 12, 25},
      {"112/01/05", dt_YYYMMDD, "/", 2023, 1, 5},
      {"112/01", dt_YYYMMDD, "/", 2023, 1, 1},
      {"99/02/03", dt_YYMMDD, "/", 2010, 2, 3},
      {"2023-05-06", dt_YYYYMMDD, "-", 2023, 5, 6},
      {"2023 / 05 / 06", dt_YYYYMMDD, "/", 2023, 5, 6},
      {"2023.05.06", dt_YYYYMMDD, "/", 0, 0, 0},
      {"2023/05/06/07", dt_YYYYMMDD, "/", 0, 0, 0},
      {"2023", dt_YYYYMMDD, "/", 0, 0, 0},
      {"2023/02/30", dt_YYYYMMDD, "/", 0, 0, 0},
      {"2023/xx/01", dt_YYYYMMDD, "/", 0, 0, 0},
      {"2023/05/06", dt_NoneCare, "/", 0, 0, 0},
      {"2023/05/06", dt_YYYYMMDD, "", 0, 0, 0},
      {"   ", dt_YYYYMMDD, "/", 0, 0, 0},
  };
  for (const DateCase& c : cases) {
    const qv::TDateTime expected = c.year == 0 ? 0 : qv::EncodeDate(c.year, c.month, c.day);
    EXPECT_EQ(ReadRangeDate(c.text, c.type, c.sign, ""), expected) << c.text << " type " << c.type;
  }
}

TEST(RangeOrder, TheEmptyMaskTextReadsAsNoDate) {
  EXPECT_EQ(ReadRangeDate("  /  /    ", dt_DDMMYYYY, "/", "  /  /    "), 0);
  EXPECT_EQ(ReadRangeDate("/  /", dt_DDMMYYYY, "/", "  /  /    "), 0);
}

TEST(RangeOrder, CanonicalFloatTextKeepsTheValueTyped) {
  const std::pair<const char*, const char*> cases[] = {
      {"1.50", "1.50"}, {"007.25", "7.25"}, {"1.05", "1.05"}, {"-0.5", "-0.5"},  {"-.5", "-0.5"},
      {".5", "0.5"},    {"+2", "2"},        {"-0", "0"},      {"-0.00", "0.00"}, {" 12 ", "12"},
      {"abc", "0"},     {"3.x", "3"},       {"5.", "5"},      {"1.2.3", "1"},    {"x.25", "0.25"},
  };
  for (const auto& [text, canonical] : cases)
    EXPECT_EQ(CanonicalFloatText(text), canonical) << text;
}

TEST(RangeOrder, CanonicalFloatsCompareExactly) {
  EXPECT_LT(CompareCanonicalFloats("12345678901234567890.1", "12345678901234567890.2"), 0);
  EXPECT_EQ(CompareCanonicalFloats("2.50", "2.5"), 0);
  EXPECT_EQ(CompareCanonicalFloats("0", "0.000"), 0);
  EXPECT_GT(CompareCanonicalFloats("-1", "-1.5"), 0);
  EXPECT_LT(CompareCanonicalFloats("-0.1", "0"), 0);
  EXPECT_GT(CompareCanonicalFloats("100", "99.999"), 0);
}

}  // namespace
}  // namespace ravlet
