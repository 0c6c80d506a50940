// Span arithmetic of the countdown: symmetry, truncation without correction,
// and the split into hours, minutes and seconds in 32 bits.
#include <gtest/gtest.h>

#include <cmath>

#include "app/Spans.h"

namespace tandrel {
namespace {

constexpr double kSecond = 1.0 / 86400.0;
const double kToday = 46364.0;  // 2026-12-08

TEST(Spans, AreSymmetricAndAbsolute) {
  const double a = kToday + 10.0 / 24.0;
  const double b = a + 3909.5 * kSecond;  // 1 h 5 min 9.5 s
  EXPECT_DOUBLE_EQ(DaysApart(a, b), DaysApart(b, a));
  EXPECT_EQ(WholeHoursApart(a, b), 1);
  EXPECT_EQ(WholeHoursApart(b, a), 1);
  EXPECT_EQ(WholeMinutesApart(a, b), 65);
  EXPECT_EQ(WholeSecondsApart(b, a), 3909);
  EXPECT_EQ(DaysApart(a, a), 0.0);
  EXPECT_EQ(WholeSecondsApart(a, a), 0);
}

TEST(Spans, TruncateWithoutCorrectionJustBelowAWholeSecond) {
  // Find whole-second distances whose product, as a double, lands just below
  // the whole number: they must count one less (no rounding term is added).
  int below = 0;
  const double base = kToday + 0.3;
  for (int k = 1; k < 4000; ++k) {
    const double later = base + k * kSecond;
    const double product = DaysApart(base, later) * 86400.0;
    if (product < k) {
      EXPECT_EQ(WholeSecondsApart(base, later), k - 1) << "k=" << k;
      ++below;
    } else {
      EXPECT_EQ(WholeSecondsApart(base, later), static_cast<std::int64_t>(std::trunc(product)));
    }
  }
  EXPECT_GT(below, 0) << "the sample must contain products just below a whole number";
}

TEST(Spans, SplitGivesTheLabelCounts) {
  const double now = kToday + 10.0 / 24.0;
  // Whole seconds plus a little, so that truncation is not at a boundary.
  const double target = now + (3909 + 0.5) * kSecond;
  EXPECT_EQ(SplitSpan(target, now), (CountdownParts{1, 5, 9}));
  EXPECT_EQ(SplitSpan(now, target), (CountdownParts{1, 5, 9}));  // a missed target counts up
  EXPECT_EQ(SplitSpan(now + 7.5 * kSecond, now), (CountdownParts{0, 0, 7}));
  EXPECT_EQ(SplitSpan(now, now), (CountdownParts{0, 0, 0}));
}

TEST(Spans, SplitWrapsConsistentlyIn32Bits) {
  // 30000 days: the seconds count no longer fits in 32 bits, yet the wrapped
  // differences still come out as whole hours.
  const double now = kToday;
  const double target = now + 30000.0;
  EXPECT_EQ(WholeSecondsApart(target, now), 2592000000LL);
  EXPECT_EQ(SplitSpan(target, now), (CountdownParts{720000, 0, 0}));
}

TEST(Spans, SaturateOutsideTheRange) {
  EXPECT_EQ(WholeSecondsApart(0.0, 1e300), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(WholeSecondsApart(0.0, std::nan("")), 0);
}

}  // namespace
}  // namespace tandrel
