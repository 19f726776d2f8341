#include "runtime/date_utils.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "platform/system/date_time.h"

namespace ravlet {
namespace {

using qv::EncodeDate;

TEST(StrToDateYMD, ReadsEightCharacterDates) {
  struct Case {
    std::string text;
    qv::TDateTime expected;
  } cases[] = {
      {"20240305", EncodeDate(2024, 3, 5)},
      {"17530101", EncodeDate(1753, 1, 1)},
      {"00010101", EncodeDate(1, 1, 1)},
      {"99991231", EncodeDate(9999, 12, 31)},
      {"20240229", EncodeDate(2024, 2, 29)},
      {"20230229", 0},
      {"20240230", 0},
      {"2024030", 0},
      {"202403051", 0},
      {"00000305", 0},
      {"20240005", 0},
      {"20240300", 0},
      {"2024ab05", 0},
      {"", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(StrToDateYMD(c.text), c.expected) << c.text;
}

TEST(IsValidDateText, AcceptsEmptyOrCalendarDatesWithinLimits) {
  struct Case {
    std::string text;
    bool valid;
  } cases[] = {
      {"", true},           {"17530101", true},  {"99991231", true},  {"20240229", true},
      {"17521231", false},  {"20240230", false}, {"20230229", false}, {"2024030", false},
      {"202403051", false}, {"abcdefgh", false}, {"2024ab05", false}, {"00010101", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidDateText(c.text), c.valid) << c.text;
}

TEST(FormatDateByType, ShowsThePartsInTheTypesOrder) {
  const qv::TDateTime march5 = EncodeDate(2024, 3, 5);
  struct Case {
    TDateType type;
    std::string separator;
    qv::TDateTime date;
    std::string expected;
  } cases[] = {
      {dt_YYYYMMDD, "/", march5, "2024/03/05"},
      {dt_MMDDYYYY, "/", march5, "03/05/2024"},
      {dt_DDMMYYYY, "/", march5, "05/03/2024"},
      {dt_YYMMDD, "/", march5, "113/03/05"},
      {dt_YYYMMDD, "/", march5, "113/03/05"},
      {dt_YYMMDD, "/", EncodeDate(1920, 3, 5), "09/03/05"},
      {dt_YYYMMDD, "/", EncodeDate(1920, 3, 5), "009/03/05"},
      // Only the first character of the separator counts, and it stays whole.
      {dt_MMDDYYYY, "-x", march5, "03-05-2024"},
      {dt_YYYYMMDD, "", march5, "20240305"},
      {dt_YYYYMMDD, "年月", march5, "2024年03年05"},
      {dt_YYYYMMDD, "/", march5 + 0.75, "2024/03/05"},
      {dt_YYYYMMDD, "/", 0, ""},
      {dt_YYYYMMDD, "/", 1e9, ""},
      {dt_YYYYMMDD, "/", -1e9, ""},
      {dt_YYYYMMDD, "/", std::numeric_limits<double>::quiet_NaN(), ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatDateByType(c.type, c.separator, c.date), c.expected)
        << c.type << " " << c.separator << " " << c.date;
  }
}

TEST(FormatDateByType, NoTypeLeavesTheCallersText) {
  for (int type : {0, 6, -1, 99}) {
    EXPECT_EQ(FormatDateByType(static_cast<TDateType>(type), "/", EncodeDate(2024, 3, 5)),
              std::nullopt);
    EXPECT_EQ(FormatYearMonthByType(static_cast<TDateType>(type), "/", EncodeDate(2024, 3, 5)),
              std::nullopt);
  }
}

TEST(FormatYearMonthByType, ShowsYearAndMonth) {
  const qv::TDateTime march5 = EncodeDate(2024, 3, 5);
  struct Case {
    TDateType type;
    std::string expected;
  } cases[] = {
      {dt_YYYYMMDD, "2024/03"}, {dt_MMDDYYYY, "03/2024"}, {dt_DDMMYYYY, "03/2024"},
      {dt_YYMMDD, "113/03"},    {dt_YYYMMDD, "113/03"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatYearMonthByType(c.type, "/", march5), c.expected);
  EXPECT_EQ(FormatYearMonthByType(dt_YYYYMMDD, "/", 0), "");
  EXPECT_EQ(FormatYearMonthByType(dt_YYMMDD, ".", EncodeDate(1915, 7, 1)), "04.07");
}

TEST(ParseDateByType, ReadsPartsInTheTypesOrder) {
  struct Case {
    std::string text;
    TDateType type;
    std::string separator;
    qv::TDateTime expected;
  } cases[] = {
      {"2024/03/05", dt_YYYYMMDD, "/", EncodeDate(2024, 3, 5)},
      {"03/05/2024", dt_MMDDYYYY, "/", EncodeDate(2024, 3, 5)},
      {"05/03/2024", dt_DDMMYYYY, "/", EncodeDate(2024, 3, 5)},
      {"113/03/05", dt_YYMMDD, "/", EncodeDate(2024, 3, 5)},
      {"113/03/05", dt_YYYMMDD, "/", EncodeDate(2024, 3, 5)},
      {" 2024 / 3 / 5 ", dt_YYYYMMDD, "/", EncodeDate(2024, 3, 5)},
      {"2024::3::5", dt_YYYYMMDD, "::", EncodeDate(2024, 3, 5)},
      // A day past the month's end runs on.
      {"2024/02/30", dt_YYYYMMDD, "/", EncodeDate(2024, 3, 1)},
      {"2024/01/400", dt_YYYYMMDD, "/", EncodeDate(2025, 2, 3)},
      {"2024/0/05", dt_YYYYMMDD, "/", 0},
      {"2024/13/05", dt_YYYYMMDD, "/", 0},
      {"2024/03/-1", dt_YYYYMMDD, "/", 0},
      {"2024/03", dt_YYYYMMDD, "/", 0},
      {"2024/x/05", dt_YYYYMMDD, "/", 0},
      {"2024-03-05", dt_YYYYMMDD, "/", 0},
      {"2024/03/05", dt_NoneCare, "/", 0},
      {"2024/03/05", static_cast<TDateType>(7), "/", 0},
      {"   ", dt_YYYYMMDD, "/", 0},
      {"", dt_YYYYMMDD, "/", 0},
      // Nothing may leave the calendar or overflow.
      {"10000/01/01", dt_YYYYMMDD, "/", 0},
      {"9999/12/32", dt_YYYYMMDD, "/", 0},
      {"9999/12/2147483647", dt_YYYYMMDD, "/", 0},
      {"2147483647/01/01", dt_YYMMDD, "/", 0},
      {"8089/01/01", dt_YYYMMDD, "/", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseDateByType(c.text, c.type, c.separator), c.expected)
        << "'" << c.text << "' type " << c.type;
  }
}

TEST(ShiftDate, MovesByDaysMonthsAndYears) {
  struct Case {
    qv::Variant date;
    std::string unit;
    int count;
    std::string expected;
  } cases[] = {
      {"20240131", "M", 1, "20240229"},
      {"20240131", "M", -2, "20231130"},
      {"20240131", "m", 11, "20241231"},
      {"20240131", "M", 12, "20250131"},
      {"20240115", "M", -1, "20231215"},
      {"20241215", "M", -12, "20231215"},
      {"20240229", "Y", 1, "20250228"},
      {"20240229", "y", 4, "20280229"},
      {"20240229", "Y", -1, "20230228"},
      {"20241231", "D", 1, "20250101"},
      {"20240301", "d", -1, "20240229"},
      {"20240131", "x", 1, ""},
      {"20240131", "", 1, ""},
      {"20240131", "MM", 1, ""},
      {qv::Variant::Narrow("20240131"), "M", 1, "20240229"},
      {qv::Variant::FromDate(EncodeDate(2024, 1, 31) + 0.5), "M", 1, "20240229"},
      {EncodeDate(2024, 1, 31), "D", 1, "20240201"},
      {"2024013", "D", 1, ""},
      {"20240230", "D", 1, ""},
      {qv::Variant(), "D", 1, ""},
      {qv::Variant::Null(), "D", 1, ""},
      {45000, "D", 1, ""},
      {true, "D", 1, ""},
      {qv::Variant::FromDate(0), "D", 1, ""},
      // The result must stay within the years 1 to 9999.
      {"99991231", "D", 1, ""},
      {"00010101", "D", -1, ""},
      {"99991201", "M", 1, ""},
      {"00010101", "M", -1, ""},
      {"99990101", "Y", 1, ""},
      {"20240101", "D", INT_MAX, ""},
      {"20240101", "D", INT_MIN, ""},
      {"20240101", "M", INT_MAX, ""},
      {"20240101", "M", INT_MIN, ""},
      {"20240101", "Y", INT_MAX, ""},
      {"20240101", "Y", INT_MIN, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShiftDate(c.date, c.unit, c.count), c.expected)
        << qv::VarToStr(c.date) << " " << c.unit << " " << c.count;
  }
}

TEST(DaysInMonth, FollowsTheLeapYearRule) {
  struct Case {
    int year, month, expected;
  } cases[] = {
      {2024, 2, 29}, {2023, 2, 28},  {1900, 2, 28},  {2000, 2, 29}, {2024, 1, 31},
      {2024, 4, 30}, {2024, 11, 30}, {2024, 12, 31}, {2024, 0, 0},  {2024, 13, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DaysInMonth(c.year, c.month), c.expected) << c.year << "-" << c.month;
  }
}

}  // namespace
}  // namespace ravlet
