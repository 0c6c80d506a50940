// A virtual clock that only moves when a test sets or advances it, so any
// moment (midnight, a month end, a missed tick) can be replayed exactly.
#pragma once

#include "platform/Clock.h"

namespace tandrel::platform {

class HeadlessClock final : public Clock {
 public:
  // 2026-01-15 09:30:00.000, a plain weekday morning; tick count 0.
  HeadlessClock();

  LocalTime Now() override;
  unsigned long long TickCount() override;

  // Jumps the wall clock, as a user or time sync would; the tick count does
  // not move. Throws std::invalid_argument for a date or time that does not
  // exist (month 13, 31 April, 29 February of a common year, hour 24, ...).
  void Set(const LocalTime& time);
  // Lets time pass: the wall clock carries into seconds, days, months and
  // years, and the tick count moves by the same amount.
  void Advance(unsigned long long milliseconds);

 private:
  long long millisecondsSinceEpoch_;  // local time, from 1970-01-01 00:00
  unsigned long long tickCount_ = 0;
};

}  // namespace tandrel::platform
