// The local wall clock. Every reading of "now" in the program goes through
// here, so tests can replay any moment (midnight, a missed tick, a resume).
#pragma once

namespace tandrel::platform {

// Local time as Windows' GetLocalTime reports it.
struct LocalTime {
  int year = 1899;
  int month = 12;  // 1..12
  int day = 30;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const LocalTime&, const LocalTime&) = default;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
  // Milliseconds from an arbitrary start, never going backwards (timers use it).
  virtual unsigned long long TickCount() = 0;
};

}  // namespace tandrel::platform
