#include "app/Spans.h"

#include <cmath>
#include <limits>

namespace tandrel {
namespace {

std::int64_t TruncateToInt64(double value) {
  // The product is stored as a double first, so it is never formed in a wider
  // format on any compiler.
  volatile double product = value;
  const double truncated = std::trunc(product);
  if (std::isnan(truncated)) return 0;
  if (truncated >= 9223372036854775807.0) return std::numeric_limits<std::int64_t>::max();
  if (truncated <= -9223372036854775808.0) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(truncated);
}

std::int32_t Low32(std::int64_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(value)));
}

std::int32_t WrapSubtract(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

std::int32_t WrapMultiply(std::int32_t factor, std::int32_t value) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(factor) *
                                   static_cast<std::uint32_t>(value));
}

}  // namespace

double DaysApart(double a, double b) { return a < b ? b - a : a - b; }

std::int64_t WholeHoursApart(double a, double b) { return TruncateToInt64(DaysApart(a, b) * 24.0); }

std::int64_t WholeMinutesApart(double a, double b) {
  return TruncateToInt64(DaysApart(a, b) * 1440.0);
}

std::int64_t WholeSecondsApart(double a, double b) {
  return TruncateToInt64(DaysApart(a, b) * 86400.0);
}

CountdownParts SplitSpan(double target, double now) {
  CountdownParts parts;
  parts.hours = Low32(WholeHoursApart(target, now));
  parts.minutes = WrapSubtract(Low32(WholeMinutesApart(target, now)), WrapMultiply(60, parts.hours));
  parts.seconds = WrapSubtract(
      WrapSubtract(Low32(WholeSecondsApart(target, now)), WrapMultiply(3600, parts.hours)),
      WrapMultiply(60, parts.minutes));
  return parts;
}

}  // namespace tandrel
