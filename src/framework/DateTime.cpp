// Calendar arithmetic on date-time values (proleptic Gregorian calendar).
#include "framework/DateTime.h"

#include <cmath>

#include "framework/Exceptions.h"
#include "platform/Platform.h"

namespace tandrel {
namespace {

// 1970-01-01 counted from 1899-12-30.
constexpr std::int64_t kUnixEpochDay = 25569;

// Days since 1970-01-01 of a civil date (valid for any year of int range).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

DateParts CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
  return DateParts{year, month, day};
}

TimeParts TimeFromMilliseconds(std::int64_t ms) {
  TimeParts t;
  t.millisecond = static_cast<int>(ms % 1000);
  ms /= 1000;
  t.second = static_cast<int>(ms % 60);
  ms /= 60;
  t.minute = static_cast<int>(ms % 60);
  t.hour = static_cast<int>(ms / 60);
  return t;
}

}  // namespace

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= DaysInMonth(year, month);
}

bool IsValidTime(int hour, int minute, int second, int millisecond) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
         millisecond >= 0 && millisecond < 1000;
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return std::nullopt;
  return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochDay);
}

std::optional<TDateTime> TryEncodeTime(int hour, int minute, int second, int millisecond) {
  if (!IsValidTime(hour, minute, second, millisecond)) return std::nullopt;
  const std::int64_t ms = ((hour * 60LL + minute) * 60 + second) * 1000 + millisecond;
  return static_cast<double>(ms) / static_cast<double>(kMSecsPerDay);
}

TDateTime EncodeDate(int year, int month, int day) {
  if (auto value = TryEncodeDate(year, month, day)) return *value;
  throw EConvertError("Invalid argument to date encode");
}

TDateTime EncodeTime(int hour, int minute, int second, int millisecond) {
  if (auto value = TryEncodeTime(hour, minute, second, millisecond)) return *value;
  throw EConvertError("Invalid argument to time encode");
}

TDateTime ComposeDateTime(TDateTime date, TDateTime time) {
  const double day = std::trunc(date);
  const double fraction = std::fabs(time - std::trunc(time));
  return day < 0 ? day - fraction : day + fraction;
}

std::optional<DateTimeParts> TryDecodeDateTime(TDateTime value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double whole = std::trunc(value);
  if (whole < static_cast<double>(kMinDayNumber) || whole > static_cast<double>(kMaxDayNumber)) {
    return std::nullopt;
  }
  std::int64_t day = static_cast<std::int64_t>(whole);
  std::int64_t ms = std::llround(std::fabs(value - whole) * static_cast<double>(kMSecsPerDay));
  if (ms >= kMSecsPerDay) {  // 23:59:59.9995 and later is the next midnight
    ms -= kMSecsPerDay;
    ++day;
    if (day > kMaxDayNumber) return std::nullopt;
  }
  return DateTimeParts{CivilFromDays(day - kUnixEpochDay), TimeFromMilliseconds(ms)};
}

DateTimeParts DecodeDateTime(TDateTime value) {
  if (auto parts = TryDecodeDateTime(value)) return *parts;
  throw EConvertError("Invalid date-time value");
}

DateParts DecodeDate(TDateTime value) { return DecodeDateTime(value).date; }
TimeParts DecodeTime(TDateTime value) { return DecodeDateTime(value).time; }

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

TDateTime TimeOf(TDateTime value) { return std::fabs(value - std::trunc(value)); }

TDateTime IncDay(TDateTime value, int days) {
  return ComposeDateTime(DateOf(value) + days, TimeOf(value));
}

TDateTime LocalTimeToDateTime(const platform::LocalTime& t) {
  const auto date = TryEncodeDate(t.year, t.month, t.day);
  const auto time = TryEncodeTime(t.hour, t.minute, t.second, t.millisecond);
  if (!date || !time) throw EConvertError("Invalid date-time value");
  return ComposeDateTime(*date, *time);
}

TDateTime Now() { return LocalTimeToDateTime(platform::Current().clock().Now()); }
TDateTime Date() { return DateOf(Now()); }

// From the clock's fields, not from Now(): the fraction of a large day
// number has lost a few bits.
TDateTime Time() {
  const platform::LocalTime t = platform::Current().clock().Now();
  if (auto time = TryEncodeTime(t.hour, t.minute, t.second, t.millisecond)) return *time;
  throw EConvertError("Invalid date-time value");
}

}  // namespace tandrel
