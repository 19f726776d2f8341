#pragma once
// The one source of "now" and "today" for the whole program, replaceable so
// that anything depending on the current time can be tested.

#include <functional>

#include "platform/system/date_time.h"

namespace qv {

// Local date and time.
TDateTime Now();
// Today at midnight.
TDateTime Date();
// The time of day alone.
TDateTime Time();

// Replaces the clock; an empty function restores the system clock.
void SetClock(std::function<TDateTime()> clock);
void ResetClock();

// Fixes the clock for its lifetime and restores the previous one afterwards.
class ScopedClock {
 public:
  explicit ScopedClock(TDateTime fixed);
  explicit ScopedClock(std::function<TDateTime()> clock);
  ~ScopedClock();
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  std::function<TDateTime()> previous_;
};

}  // namespace qv
