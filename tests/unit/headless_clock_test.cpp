// The virtual clock that every time-dependent test stands on: carrying
// across day, month and year ends, leap years, and the tick count.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/headless/HeadlessClock.h"

namespace tandrel::platform {
namespace {

LocalTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
             int millisecond = 0) {
  return LocalTime{year, month, day, hour, minute, second, millisecond};
}

TEST(HeadlessClock, AdvanceCarriesThroughEveryField) {
  HeadlessClock clock;
  clock.Set(At(2026, 3, 14, 23, 59, 59, 999));
  clock.Advance(1);
  EXPECT_EQ(clock.Now(), At(2026, 3, 15));
  clock.Advance(59'999);
  EXPECT_EQ(clock.Now(), At(2026, 3, 15, 0, 0, 59, 999));
  clock.Advance(3'600'001);
  EXPECT_EQ(clock.Now(), At(2026, 3, 15, 1, 1, 0, 0));
}

TEST(HeadlessClock, AdvanceCarriesAcrossMonthAndYearEnds) {
  HeadlessClock clock;
  clock.Set(At(2026, 1, 31, 23, 59, 59, 500));
  clock.Advance(500);
  EXPECT_EQ(clock.Now(), At(2026, 2, 1));

  clock.Set(At(2026, 4, 30, 12));
  clock.Advance(86'400'000);
  EXPECT_EQ(clock.Now(), At(2026, 5, 1, 12));

  clock.Set(At(2026, 12, 31, 23, 59, 59, 999));
  clock.Advance(1);
  EXPECT_EQ(clock.Now(), At(2027, 1, 1));

  clock.Set(At(2026, 1, 15, 9, 30));
  clock.Advance(40ULL * 86'400'000);
  EXPECT_EQ(clock.Now(), At(2026, 2, 24, 9, 30));

  clock.Set(At(2026, 12, 1));
  clock.Advance(366ULL * 86'400'000);
  EXPECT_EQ(clock.Now(), At(2027, 12, 2));
}

TEST(HeadlessClock, FebruaryFollowsTheLeapYearRules) {
  HeadlessClock clock;
  const unsigned long long day = 86'400'000;
  clock.Set(At(2026, 2, 28, 8));
  clock.Advance(day);
  EXPECT_EQ(clock.Now(), At(2026, 3, 1, 8));
  clock.Set(At(2028, 2, 28, 8));
  clock.Advance(day);
  EXPECT_EQ(clock.Now(), At(2028, 2, 29, 8));
  clock.Set(At(2100, 2, 28));
  clock.Advance(day);
  EXPECT_EQ(clock.Now(), At(2100, 3, 1)) << "a century is not a leap year";
  clock.Set(At(2000, 2, 28));
  clock.Advance(day);
  EXPECT_EQ(clock.Now(), At(2000, 2, 29)) << "unless it divides by 400";
}

TEST(HeadlessClock, TheTickCountMovesWithTimePassingButNotWithAJump) {
  HeadlessClock clock;
  const unsigned long long start = clock.TickCount();
  clock.Advance(1500);
  EXPECT_EQ(clock.TickCount(), start + 1500);
  clock.Set(At(2020, 1, 1));  // the user sets the clock back
  EXPECT_EQ(clock.Now(), At(2020, 1, 1));
  EXPECT_EQ(clock.TickCount(), start + 1500);
  clock.Advance(250);
  EXPECT_EQ(clock.TickCount(), start + 1750);
  EXPECT_EQ(clock.Now(), At(2020, 1, 1, 0, 0, 0, 250));
}

TEST(HeadlessClock, TimesThatDoNotExistAreRefusedAndChangeNothing) {
  HeadlessClock clock;
  const LocalTime before = clock.Now();
  EXPECT_THROW(clock.Set(At(2026, 2, 29)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 4, 31)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 13, 1)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 0, 1)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 1, 0)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 1, 1, 24)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 1, 1, 0, 60)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 1, 1, 0, 0, 60)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 1, 1, 0, 0, 0, 1000)), std::invalid_argument);
  EXPECT_THROW(clock.Set(At(2026, 1, 1, 0, 0, -1)), std::invalid_argument);
  EXPECT_EQ(clock.Now(), before);
  EXPECT_NO_THROW(clock.Set(At(2028, 2, 29, 23, 59, 59, 999)));
}

}  // namespace
}  // namespace tandrel::platform
