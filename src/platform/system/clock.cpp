#include "platform/system/clock.h"

#include <sys/time.h>

#include <cmath>
#include <ctime>
#include <mutex>

namespace qv {
namespace {

std::mutex& ClockMutex() {
  static std::mutex mutex;
  return mutex;
}

std::function<TDateTime()>& InjectedClock() {
  static std::function<TDateTime()> clock;
  return clock;
}

TDateTime SystemNow() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::tm local{};
  time_t seconds = tv.tv_sec;
  localtime_r(&seconds, &local);
  TDateTime value = 0;
  TryEncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                    local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
                    static_cast<int>(tv.tv_usec / 1000), value);
  return value;
}

std::function<TDateTime()> ExchangeClock(std::function<TDateTime()> clock) {
  std::lock_guard<std::mutex> lock(ClockMutex());
  std::swap(InjectedClock(), clock);
  return clock;
}

}  // namespace

TDateTime Now() {
  std::function<TDateTime()> clock;
  {
    std::lock_guard<std::mutex> lock(ClockMutex());
    clock = InjectedClock();
  }
  return clock ? clock() : SystemNow();
}

TDateTime Date() {
  return DateOf(Now());
}

TDateTime Time() {
  return TimeOf(Now());
}

void SetClock(std::function<TDateTime()> clock) {
  ExchangeClock(std::move(clock));
}

void ResetClock() {
  ExchangeClock(nullptr);
}

ScopedClock::ScopedClock(TDateTime fixed) : ScopedClock([fixed] { return fixed; }) {}

ScopedClock::ScopedClock(std::function<TDateTime()> clock)
    : previous_(ExchangeClock(std::move(clock))) {}

ScopedClock::~ScopedClock() {
  ExchangeClock(std::move(previous_));
}

}  // namespace qv
