// Date-time values: calendar encoding over the whole valid range, the time of
// day to the millisecond, the sign rule before 1899-12-30, and "now" taken
// from the platform clock.
#include <gtest/gtest.h>

#include <cmath>

#include "framework/DateTime.h"
#include "framework/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel {
namespace {

TEST(DateTime, EncodesKnownDayNumbers) {
  // Day numbers counted independently of the code under test.
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(EncodeDate(1899, 12, 29), -1.0);
  EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
  EXPECT_EQ(EncodeDate(2024, 2, 29), 45351.0);
  EXPECT_EQ(EncodeDate(2026, 12, 8), 46364.0);
  EXPECT_EQ(EncodeDate(1800, 3, 1), -36463.0);
  EXPECT_EQ(EncodeDate(1, 1, 1), static_cast<double>(kMinDayNumber));
  EXPECT_EQ(EncodeDate(9999, 12, 31), static_cast<double>(kMaxDayNumber));
}

TEST(DateTime, RejectsDatesThatDoNotExist) {
  EXPECT_FALSE(TryEncodeDate(2026, 2, 29));
  EXPECT_TRUE(TryEncodeDate(2024, 2, 29));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29));  // century, not leap
  EXPECT_TRUE(TryEncodeDate(2000, 2, 29));   // 400-year rule
  EXPECT_FALSE(TryEncodeDate(2026, 4, 31));
  EXPECT_FALSE(TryEncodeDate(2026, 13, 1));
  EXPECT_FALSE(TryEncodeDate(2026, 0, 1));
  EXPECT_FALSE(TryEncodeDate(2026, 1, 0));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1));
  EXPECT_FALSE(TryEncodeDate(10000, 1, 1));
  EXPECT_THROW(EncodeDate(2026, 2, 30), EConvertError);
}

TEST(DateTime, EveryDayOfFourCenturiesRoundTrips) {
  // One full Gregorian cycle, plus its edges: consecutive days must get
  // consecutive numbers and decode to the same fields.
  double expected = EncodeDate(1900, 1, 1);
  for (int year = 1900; year < 2300; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (int day = 1; day <= DaysInMonth(year, month); ++day) {
        const double value = EncodeDate(year, month, day);
        ASSERT_EQ(value, expected) << year << "-" << month << "-" << day;
        ASSERT_EQ(DecodeDate(value), (DateParts{year, month, day}));
        expected += 1;
      }
    }
  }
}

TEST(DateTime, EncodesAndDecodesTimesToTheMillisecond) {
  EXPECT_EQ(EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0));
  EXPECT_FALSE(TryEncodeTime(23, 60, 0, 0));
  EXPECT_FALSE(TryEncodeTime(23, 59, 60, 0));
  EXPECT_FALSE(TryEncodeTime(23, 59, 59, 1000));
  EXPECT_FALSE(TryEncodeTime(-1, 0, 0, 0));
  EXPECT_THROW(EncodeTime(25, 0, 0, 0), EConvertError);
  for (int ms = 0; ms < 86'400'000; ms += 997) {  // a prime stride hits every field value
    const TimeParts t{ms / 3'600'000, ms / 60'000 % 60, ms / 1000 % 60, ms % 1000};
    const double value = EncodeDate(2026, 12, 8) + EncodeTime(t.hour, t.minute, t.second,
                                                              t.millisecond);
    const DateTimeParts parts = DecodeDateTime(value);
    ASSERT_EQ(parts.time, t) << ms;
    ASSERT_EQ(parts.date, (DateParts{2026, 12, 8})) << ms;
  }
}

TEST(DateTime, ATimeThatRoundsToMidnightCarriesIntoTheNextDay) {
  const double lastMoment = EncodeDate(2026, 12, 31) + 0.99999999999;
  const DateTimeParts parts = DecodeDateTime(lastMoment);
  EXPECT_EQ(parts.date, (DateParts{2027, 1, 1}));
  EXPECT_EQ(parts.time, (TimeParts{0, 0, 0, 0}));
  EXPECT_FALSE(TryDecodeDateTime(static_cast<double>(kMaxDayNumber) + 0.99999999999));
}

TEST(DateTime, ValuesBeforeTheEpochCountTheTimeOfDayForward) {
  // -1.25 is 1899-12-29 06:00, not 18:00.
  const DateTimeParts parts = DecodeDateTime(-1.25);
  EXPECT_EQ(parts.date, (DateParts{1899, 12, 29}));
  EXPECT_EQ(parts.time, (TimeParts{6, 0, 0, 0}));
  EXPECT_EQ(ComposeDateTime(EncodeDate(1899, 12, 29), EncodeTime(6, 0, 0, 0)), -1.25);
  EXPECT_EQ(DateOf(-1.25), -1.0);
  EXPECT_EQ(TimeOf(-1.25), 0.25);
  EXPECT_EQ(IncDay(-1.25), 0.25);
  EXPECT_EQ(IncDay(0.25, -1), -1.25);
}

TEST(DateTime, RejectsValuesOutsideTheCalendar) {
  EXPECT_FALSE(TryDecodeDateTime(std::nan("")));
  EXPECT_FALSE(TryDecodeDateTime(INFINITY));
  EXPECT_FALSE(TryDecodeDateTime(-INFINITY));
  EXPECT_FALSE(TryDecodeDateTime(static_cast<double>(kMinDayNumber) - 1));
  EXPECT_FALSE(TryDecodeDateTime(static_cast<double>(kMaxDayNumber) + 1));
  EXPECT_FALSE(TryDecodeDateTime(1e300));
  EXPECT_THROW(DecodeDate(1e300), EConvertError);
}

TEST(DateTime, DatePartTimePartAndDays) {
  const double value = EncodeDate(2026, 2, 28) + EncodeTime(23, 30, 0, 0);
  EXPECT_EQ(DateOf(value), EncodeDate(2026, 2, 28));
  EXPECT_NEAR(TimeOf(value), EncodeTime(23, 30, 0, 0), 1e-9);  // well below 1 ms
  EXPECT_EQ(DecodeDateTime(IncDay(value)).date, (DateParts{2026, 3, 1}));
  EXPECT_EQ(DecodeDateTime(IncDay(value)).time, (TimeParts{23, 30, 0, 0}));
  EXPECT_EQ(DecodeDateTime(IncDay(value, -59)).date, (DateParts{2025, 12, 31}));
}

class DateTimeNow : public ::testing::Test {
 protected:
  void SetUp() override { platform::Install(&platform_); }
  void TearDown() override { platform::Install(nullptr); }
  platform::HeadlessPlatform platform_;
};

TEST_F(DateTimeNow, ReadsThePlatformClockWithMilliseconds) {
  platform_.clock().Set(platform::LocalTime{2026, 12, 8, 10, 0, 0, 250});
  const DateTimeParts parts = DecodeDateTime(Now());
  EXPECT_EQ(parts.date, (DateParts{2026, 12, 8}));
  EXPECT_EQ(parts.time, (TimeParts{10, 0, 0, 250}));
  EXPECT_EQ(Date(), EncodeDate(2026, 12, 8));
  EXPECT_EQ(Time(), EncodeTime(10, 0, 0, 250));

  platform_.clock().Advance(14 * 3'600'000 - 250);  // to the next midnight
  EXPECT_EQ(Now(), EncodeDate(2026, 12, 9));
  EXPECT_EQ(Time(), 0.0);
}

TEST(DateTime, LocalTimeWithImpossibleFieldsIsAConversionError) {
  EXPECT_THROW(LocalTimeToDateTime(platform::LocalTime{2026, 2, 30, 0, 0, 0, 0}), EConvertError);
  EXPECT_THROW(LocalTimeToDateTime(platform::LocalTime{2026, 2, 1, 24, 0, 0, 0}), EConvertError);
}

}  // namespace
}  // namespace tandrel
