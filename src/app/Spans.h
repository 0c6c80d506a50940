// Span arithmetic between two date-time values (days since 1899-12-30), on
// which the countdown texts and every threshold of the countdown rest.
#pragma once

#include <cstdint>

namespace tandrel {

// |b - a| in days.
double DaysApart(double a, double b);

// DaysApart scaled to whole hours/minutes/seconds: the product rounded to a
// double, then truncated toward zero, with no correction term. Values
// outside the 64-bit range saturate (they cannot arise from real dates).
std::int64_t WholeHoursApart(double a, double b);
std::int64_t WholeMinutesApart(double a, double b);
std::int64_t WholeSecondsApart(double a, double b);

// The countdown's hours, minutes and seconds: three separately truncated
// counts in 32 bits, minutes and seconds as differences (not remainders),
// neither clamped. Arithmetic wraps in 32 bits.
struct CountdownParts {
  std::int32_t hours = 0;
  std::int32_t minutes = 0;
  std::int32_t seconds = 0;
  friend bool operator==(const CountdownParts&, const CountdownParts&) = default;
};
CountdownParts SplitSpan(double target, double now);

}  // namespace tandrel
