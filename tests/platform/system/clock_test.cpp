#include "platform/system/clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qv {
namespace {

TEST(ClockTest, ScopedClockFixesNowAndRestoresThePreviousClock) {
  const TDateTime fixed = EncodeDateTime(2024, 3, 5, 14, 7, 9, 45);
  {
    ScopedClock outer(fixed);
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(Date(), EncodeDate(2024, 3, 5));
    EXPECT_DOUBLE_EQ(Time(), EncodeTime(14, 7, 9, 45));
    {
      ScopedClock inner(EncodeDate(2001, 1, 1));
      EXPECT_EQ(Date(), EncodeDate(2001, 1, 1));
    }
    EXPECT_EQ(Now(), fixed);
  }
  // Back on the system clock: a real, recent date.
  EXPECT_GT(Now(), EncodeDate(2020, 1, 1));
}

TEST(ClockTest, SetClockTakesAFunctionThatMayAdvance) {
  TDateTime current = EncodeDate(2024, 12, 31) + EncodeTime(23, 59, 59, 0);
  SetClock([&current] { return current; });
  EXPECT_EQ(Date(), EncodeDate(2024, 12, 31));
  current += EncodeTime(0, 0, 2, 0);
  EXPECT_EQ(Date(), EncodeDate(2025, 1, 1));
  ResetClock();
  EXPECT_NE(Date(), EncodeDate(2025, 1, 1));
}

TEST(ClockTest, SystemClockAgreesWithTheOperatingSystem) {
  std::time_t seconds = std::time(nullptr);
  std::tm local{};
  localtime_r(&seconds, &local);
  TDateTime expected = EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                      local.tm_hour, local.tm_min, local.tm_sec, 0);
  // Within a minute: the two readings are moments apart.
  EXPECT_LT(std::fabs(Now() - expected), 1.0 / (24 * 60));
}

}  // namespace
}  // namespace qv
