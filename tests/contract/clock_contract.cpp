// The clock reports a real calendar moment and a tick count that never goes
// back.
#include <gtest/gtest.h>

#include <memory>

#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

TEST(ClockContract, NowIsAValidLocalTime) {
  auto platform = platform::CreatePlatform();
  const platform::LocalTime now = platform->clock().Now();
  EXPECT_GE(now.year, 2000);
  ASSERT_GE(now.month, 1);
  ASSERT_LE(now.month, 12);
  EXPECT_GE(now.day, 1);
  EXPECT_LE(now.day, DaysInMonth(now.year, now.month));
  EXPECT_GE(now.hour, 0);
  EXPECT_LT(now.hour, 24);
  EXPECT_GE(now.minute, 0);
  EXPECT_LT(now.minute, 60);
  EXPECT_GE(now.second, 0);
  EXPECT_LT(now.second, 60);
  EXPECT_GE(now.millisecond, 0);
  EXPECT_LT(now.millisecond, 1000);
}

TEST(ClockContract, TheTickCountNeverGoesBack) {
  auto platform = platform::CreatePlatform();
  unsigned long long previous = platform->clock().TickCount();
  for (int i = 0; i < 1000; ++i) {
    const unsigned long long next = platform->clock().TickCount();
    ASSERT_GE(next, previous);
    previous = next;
  }
}

}  // namespace
}  // namespace tandrel::contract
