#include "platform/system/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/core/exception.h"
#include "platform/system/clock.h"

namespace qv {
namespace {

TEST(DateTimeTest, EncodesKnownDayNumbers) {
  const struct {
    int y, m, d;
    double serial;
  } cases[] = {
      {1899, 12, 30, 0},   {1900, 1, 1, 2},         {1970, 1, 1, 25569},
      {2000, 1, 1, 36526}, {2024, 2, 29, 45351},    {1899, 12, 29, -1},
      {1, 1, 1, -693593},  {9999, 12, 31, 2958465}, {1600, 3, 1, -109511},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial);
    int y = 0, m = 0, d = 0;
    DecodeDate(c.serial, y, m, d);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(m, c.m);
    EXPECT_EQ(d, c.d);
  }
}

TEST(DateTimeTest, DecodeInvertsEncodeAcrossTheWholeRange) {
  for (double day = -693593; day <= 2958465; day += 997) {
    int y = 0, m = 0, d = 0;
    DecodeDate(day, y, m, d);
    ASSERT_EQ(EncodeDate(y, m, d), day) << y << "-" << m << "-" << d;
  }
}

TEST(DateTimeTest, RejectsInvalidDatesAndTimes) {
  const struct {
    int y, m, d;
  } badDates[] = {{2023, 2, 29}, {1900, 2, 29}, {2024, 4, 31}, {2024, 13, 1},
                  {2024, 0, 1},  {2024, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
  for (const auto& c : badDates) {
    TDateTime out = 123;
    EXPECT_FALSE(TryEncodeDate(c.y, c.m, c.d, out)) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(out, 123);
    EXPECT_THROW(EncodeDate(c.y, c.m, c.d), EConvertError);
  }
  EXPECT_TRUE(IsValidDate(2000, 2, 29));
  EXPECT_EQ(DaysInAMonth(2100, 2), 28);
  EXPECT_EQ(DaysInAMonth(2024, 13), 0);

  const struct {
    int h, n, s, ms;
  } badTimes[] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}, {-1, 0, 0, 0}};
  for (const auto& c : badTimes) {
    TDateTime out = 0;
    EXPECT_FALSE(TryEncodeTime(c.h, c.n, c.s, c.ms, out));
    EXPECT_THROW(EncodeTime(c.h, c.n, c.s, c.ms), EConvertError);
  }
}

TEST(DateTimeTest, DecodesTimeRoundedToMilliseconds) {
  int h = 0, n = 0, s = 0, ms = 0;
  DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
  EXPECT_EQ((std::array{h, n, s, ms}), (std::array{23, 59, 59, 999}));

  // Half a millisecond before midnight belongs to the next day.
  TDateTime almostNextDay = EncodeDate(2024, 3, 5) + (MSecsPerDay - 0.4) / MSecsPerDay;
  int y = 0, m = 0, d = 0;
  DecodeDateTime(almostNextDay, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array{y, m, d, h, n, s, ms}), (std::array{2024, 3, 6, 0, 0, 0, 0}));
}

TEST(DateTimeTest, DatesBeforeDayZeroKeepAnAbsoluteTimeOfDay) {
  TDateTime value = EncodeDateTime(1899, 12, 29, 6, 0, 0, 0);
  EXPECT_EQ(value, -1.25);
  int y = 0, m = 0, d = 0, h = 0, n = 0, s = 0, ms = 0;
  DecodeDateTime(value, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array{y, m, d, h}), (std::array{1899, 12, 29, 6}));
  // -0.5 is noon of day zero, not of the day before.
  DecodeDateTime(-0.5, y, m, d, h, n, s, ms);
  EXPECT_EQ((std::array{y, m, d, h}), (std::array{1899, 12, 30, 12}));
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
  EXPECT_EQ(DateOf(-1.25), -1);
  EXPECT_EQ(TimeOf(-1.25), 0.25);
}

TEST(DateTimeTest, NonFiniteValuesDecodeAsZeroWithoutFailing) {
  for (double bad : {std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity(), 1e300, -1e300}) {
    int y = 1, m = 1, d = 1, h = 1, n = 1, s = 1, ms = 1;
    DecodeDateTime(bad, y, m, d, h, n, s, ms);
    EXPECT_EQ((std::array{y, m, d, h, n, s, ms}), (std::array{0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(DayOfWeek(bad), 0);
    EXPECT_NO_THROW(FormatDateTime("dddd mmmm yyyy", bad));
  }
}

TEST(DateTimeTest, DayOfWeekCountsFromSunday) {
  EXPECT_EQ(DayOfWeek(0), 7);                       // 1899-12-30, a Saturday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);  // Sunday
  EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 5) + 0.9), 3);
  EXPECT_EQ(DayOfWeek(-1.5), 6);                 // 1899-12-29, a Friday
  EXPECT_EQ(DayOfWeek(EncodeDate(1, 1, 1)), 2);  // Monday
}

TEST(DateTimeTest, IncMonthClampsTheDayAndKeepsTheTime) {
  const struct {
    int y, m, d, months, ry, rm, rd;
  } cases[] = {
      {2024, 1, 31, 1, 2024, 2, 29},    {2023, 1, 31, 1, 2023, 2, 28},
      {2024, 3, 31, -1, 2024, 2, 29},   {2024, 12, 15, 1, 2025, 1, 15},
      {2024, 1, 15, -13, 2022, 12, 15}, {2024, 5, 31, 0, 2024, 5, 31},
      {2024, 8, 31, 25, 2026, 9, 30},
  };
  const TDateTime time = EncodeTime(10, 30, 0, 0);
  for (const auto& c : cases) {
    TDateTime result = IncMonth(EncodeDate(c.y, c.m, c.d) + time, c.months);
    EXPECT_EQ(result, EncodeDate(c.ry, c.rm, c.rd) + time)
        << c.y << "-" << c.m << "-" << c.d << " " << c.months;
  }
  EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
  EXPECT_EQ(IncDay(EncodeDate(2024, 2, 28), 2), EncodeDate(2024, 3, 1));
}

class FormatDateTimeTest : public ::testing::Test {
 protected:
  FormatDateTimeTest() : settings_(TFormatSettings{}) {}
  const TDateTime afternoon_ = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  const TDateTime morning_ = EncodeDateTime(2024, 11, 25, 0, 5, 0, 0);

 private:
  ScopedFormatSettings settings_;
};

TEST_F(FormatDateTimeTest, FormatsEveryCode) {
  const struct {
    const char* format;
    const char* afternoon;
    const char* morning;
  } cases[] = {
      {"yyyy-mm-dd", "2024-03-05", "2024-11-25"},
      {"yy/m/d", "24/3/5", "24/11/25"},
      {"YYYY-MM-DD HH:NN:SS", "2024-03-05 14:07:09", "2024-11-25 00:05:00"},
      {"mmm mmmm", "Mar March", "Nov November"},
      {"ddd dddd", "Tue Tuesday", "Mon Monday"},
      {"h:n:s", "14:7:9", "0:5:0"},
      {"hh:nn:ss.zzz", "14:07:09.045", "00:05:00.000"},
      {"z", "45", "0"},
      {"hh:mm", "14:07", "00:05"},
      {"h:mm d/m", "14:07 5/3", "0:05 25/11"},
      {"h:nn am/pm", "2:07 pm", "12:05 am"},
      {"hh:nn AM/PM", "02:07 PM", "12:05 AM"},
      {"h a/p", "2 p", "12 a"},
      {"hh:nn ampm", "02:07 PM", "12:05 AM"},
      {"'yyyy' yyyy", "yyyy 2024", "yyyy 2024"},
      {"\"at\" hh 'o''clock'", "at 14 oclock", "at 00 oclock"},
      {"c", "2024/03/05 14:07:09", "2024/11/25 00:05:00"},
      {"ddddd", "2024/03/05", "2024/11/25"},
      {"t|tt", "14:07|14:07:09", "00:05|00:05:00"},
      {"", "2024/03/05 14:07:09", "2024/11/25 00:05:00"},
      {"[x]#", "[x]#", "[x]#"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDateTime(c.format, afternoon_), c.afternoon) << c.format;
    EXPECT_EQ(FormatDateTime(c.format, morning_), c.morning) << c.format;
  }
}

TEST_F(FormatDateTimeTest, SeparatorsComeFromTheSettings) {
  TFormatSettings dashed;
  dashed.DateSeparator = '-';
  dashed.TimeSeparator = '.';
  dashed.ShortDateFormat = "dd/mm/yyyy";
  ScopedFormatSettings scope(dashed);
  EXPECT_EQ(FormatDateTime("yyyy/mm/dd hh:nn", afternoon_), "2024-03-05 14.07");
  EXPECT_EQ(DateToStr(afternoon_), "05-03-2024");
  EXPECT_EQ(TimeToStr(afternoon_), "14.07.09");
  EXPECT_EQ(FormatDateTime("'a/b' yyyy", afternoon_), "a/b 2024");
}

TEST_F(FormatDateTimeTest, DateTimeToStrLeavesOutMidnight) {
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5)), "2024/03/05");
  EXPECT_EQ(DateTimeToStr(afternoon_), "2024/03/05 14:07:09");
  EXPECT_EQ(DateToStr(afternoon_), "2024/03/05");
  EXPECT_EQ(TimeToStr(afternoon_), "14:07:09");
}

TEST_F(FormatDateTimeTest, SelfReferringFormatsDoNotRecurseForever) {
  TFormatSettings looping;
  looping.ShortDateFormat = "ddddd c";
  looping.LongTimeFormat = "tt";
  ScopedFormatSettings scope(looping);
  EXPECT_NO_THROW(DateTimeToStr(afternoon_));
}

class StrToDateTest : public ::testing::Test {
 protected:
  StrToDateTest() : settings_(TFormatSettings{}), clock_(EncodeDate(2030, 6, 15)) {}

 private:
  ScopedFormatSettings settings_;
  ScopedClock clock_;
};

TEST_F(StrToDateTest, ReadsInTheOrderOfTheShortDateFormat) {
  const struct {
    const char* shortFormat;
    char separator;
    const char* text;
    int y, m, d;  // y == 0: not a date
  } cases[] = {
      {"yyyy/mm/dd", '/', "2024/3/5", 2024, 3, 5},
      {"yyyy/mm/dd", '/', " 2024 / 03 / 05 ", 2024, 3, 5},
      {"yyyy/mm/dd", '/', "3/5", 2030, 3, 5},
      {"yyyy/mm/dd", '/', "24/3/5", 2024, 3, 5},
      {"yyyy/mm/dd", '/', "79/3/5", 2079, 3, 5},
      {"yyyy/mm/dd", '/', "80/3/5", 1980, 3, 5},
      {"yyyy/mm/dd", '/', "0024/3/5", 24, 3, 5},
      {"yyyy/mm/dd", '/', "2024-03-05", 0, 0, 0},
      {"yyyy/mm/dd", '/', "2024/02/30", 0, 0, 0},
      {"yyyy/mm/dd", '/', "2024/3/5x", 0, 0, 0},
      {"yyyy/mm/dd", '/', "20245/1/1", 0, 0, 0},
      {"yyyy/mm/dd", '/', "2024", 0, 0, 0},
      {"yyyy/mm/dd", '/', "", 0, 0, 0},
      {"dd.mm.yyyy", '.', "05.03.2024", 2024, 3, 5},
      {"dd.mm.yyyy", '.', "5.3", 2030, 3, 5},
      {"m/d/yyyy", '/', "3/5/2024", 2024, 3, 5},
      {"m/d/yyyy", '/', "13/5/2024", 0, 0, 0},
  };
  for (const auto& c : cases) {
    TFormatSettings settings;
    settings.ShortDateFormat = c.shortFormat;
    settings.DateSeparator = c.separator;
    ScopedFormatSettings scope(settings);
    TDateTime date = -7;
    bool ok = TryStrToDate(c.text, date);
    SCOPED_TRACE(std::string(c.shortFormat) + " \"" + c.text + "\"");
    if (c.y == 0) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(date, -7);
      EXPECT_THROW(StrToDate(c.text), EConvertError);
    } else {
      ASSERT_TRUE(ok);
      EXPECT_EQ(date, EncodeDate(c.y, c.m, c.d));
    }
  }
}

TEST_F(StrToDateTest, ReadsDatesWithTimesAndTimesAlone) {
  const TDateTime day = EncodeDate(2024, 3, 5);
  const struct {
    const char* text;
    bool ok;
    TDateTime expected;
  } cases[] = {
      {"2024/03/05", true, day},
      {"2024/03/05 14:07:09", true, day + EncodeTime(14, 7, 9, 0)},
      {"2024/03/05 14:07", true, day + EncodeTime(14, 7, 0, 0)},
      {"2024/03/05 2:07 PM", true, day + EncodeTime(14, 7, 0, 0)},
      {"2024/03/05 12:00 am", true, day},
      {"2024/03/05 12:00:00.5", true, day + EncodeTime(12, 0, 0, 500)},
      {"2024/03/05 12:00:00.045", true, day + EncodeTime(12, 0, 0, 45)},
      {"14:07", true, EncodeTime(14, 7, 0, 0)},
      {"2024/03/05 25:00", false, 0},
      {"2024/03/05 13:00 PM", false, 0},
      {"2024/03/05 14", false, 0},
      {"2024/03/05 14:07 x", false, 0},
      {"1899/12/29 06:00", true, -1.25},
  };
  for (const auto& c : cases) {
    TDateTime value = -7;
    EXPECT_EQ(TryStrToDateTime(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.expected) << c.text;
    }
  }
  EXPECT_EQ(StrToTime("2:07:09 pm"), EncodeTime(14, 7, 9, 0));
  EXPECT_THROW(StrToDateTime("nonsense"), EConvertError);
}

TEST_F(StrToDateTest, FormattedTextReadsBack) {
  const TDateTime value = EncodeDateTime(1987, 10, 4, 23, 1, 2, 0);
  TDateTime back = 0;
  ASSERT_TRUE(TryStrToDateTime(DateTimeToStr(value), back));
  EXPECT_DOUBLE_EQ(back, value);
}

}  // namespace
}  // namespace qv
