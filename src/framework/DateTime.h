// Date-time values: a double counting days since 1899-12-30 in local time,
// the fraction being the time of day. Dates before 1899-12-30 are negative;
// their time of day is the absolute value of the fraction (so -1.25 is
// 1899-12-29 06:00), as the classic encoding has it.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/Clock.h"

namespace tandrel {

using TDateTime = double;

inline constexpr int kHoursPerDay = 24;
inline constexpr int kMinsPerDay = 24 * 60;
inline constexpr int kSecsPerDay = 24 * 60 * 60;
inline constexpr std::int64_t kMSecsPerDay = 24LL * 60 * 60 * 1000;

// Day numbers of 0001-01-01 and 9999-12-31, the range of valid dates.
inline constexpr std::int64_t kMinDayNumber = -693593;
inline constexpr std::int64_t kMaxDayNumber = 2958465;

struct DateParts {
  int year = 1899;
  int month = 12;
  int day = 30;
  friend bool operator==(const DateParts&, const DateParts&) = default;
};

struct TimeParts {
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  friend bool operator==(const TimeParts&, const TimeParts&) = default;
};

struct DateTimeParts {
  DateParts date;
  TimeParts time;
  friend bool operator==(const DateTimeParts&, const DateTimeParts&) = default;
};

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
bool IsValidDate(int year, int month, int day);
bool IsValidTime(int hour, int minute, int second, int millisecond);

// Empty for an invalid date or time; the throwing forms raise EConvertError.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);
std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeTime(int hour, int minute, int second, int millisecond);

// A date (whole days) and a time of day (fraction) joined into one value,
// respecting the sign rule above.
TDateTime ComposeDateTime(TDateTime date, TDateTime time);

// Splits a value into calendar fields, the time rounded to the millisecond.
// A time that rounds up to 24:00:00.000 carries into the next day rather than
// reporting hour 24. Empty for NaN, infinities and values outside years
// 1..9999.
std::optional<DateTimeParts> TryDecodeDateTime(TDateTime value);
// Throwing forms: EConvertError for a value TryDecodeDateTime rejects.
DateTimeParts DecodeDateTime(TDateTime value);
DateParts DecodeDate(TDateTime value);
TimeParts DecodeTime(TDateTime value);

// Date part (midnight of the value's day) and time part (time of day, >= 0).
TDateTime DateOf(TDateTime value);
TDateTime TimeOf(TDateTime value);

// The same time of day, days later (or earlier for a negative count).
TDateTime IncDay(TDateTime value, int days = 1);

// The platform's local time as a value; EConvertError if its fields are out
// of range.
TDateTime LocalTimeToDateTime(const platform::LocalTime& time);

// The current local moment, date and time from the installed platform's clock,
// milliseconds included.
TDateTime Now();
TDateTime Date();
TDateTime Time();

}  // namespace tandrel
