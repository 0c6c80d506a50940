// Virtual local time kept as milliseconds since 1970-01-01 (local), so that
// carrying across days, months and years is plain calendar arithmetic.
#include "platform/headless/HeadlessClock.h"

#include <chrono>
#include <stdexcept>

namespace tandrel::platform {
namespace {

using namespace std::chrono;

constexpr long long kMillisecondsPerDay = 86'400'000;

long long ToMilliseconds(const LocalTime& t) {
  const year_month_day date{year{t.year}, month{static_cast<unsigned>(t.month)},
                            day{static_cast<unsigned>(t.day)}};
  const bool timeValid = t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 &&
                         t.second >= 0 && t.second < 60 && t.millisecond >= 0 &&
                         t.millisecond < 1000;
  if (t.month < 1 || t.month > 12 || t.day < 1 || !date.ok() || !timeValid || t.year < 1601 ||
      t.year > 30827) {
    throw std::invalid_argument("HeadlessClock: not a valid local time");
  }
  const long long days = sys_days{date}.time_since_epoch().count();
  return days * kMillisecondsPerDay +
         ((t.hour * 60LL + t.minute) * 60LL + t.second) * 1000LL + t.millisecond;
}

LocalTime FromMilliseconds(long long ms) {
  long long days = ms / kMillisecondsPerDay;
  long long rest = ms % kMillisecondsPerDay;
  if (rest < 0) {  // before 1970: floor, not truncate
    rest += kMillisecondsPerDay;
    --days;
  }
  const year_month_day date{sys_days{std::chrono::days{days}}};
  LocalTime t;
  t.year = static_cast<int>(date.year());
  t.month = static_cast<int>(static_cast<unsigned>(date.month()));
  t.day = static_cast<int>(static_cast<unsigned>(date.day()));
  t.hour = static_cast<int>(rest / 3'600'000);
  t.minute = static_cast<int>(rest / 60'000 % 60);
  t.second = static_cast<int>(rest / 1000 % 60);
  t.millisecond = static_cast<int>(rest % 1000);
  return t;
}

}  // namespace

HeadlessClock::HeadlessClock()
    : millisecondsSinceEpoch_(ToMilliseconds(LocalTime{2026, 1, 15, 9, 30, 0, 0})) {}

LocalTime HeadlessClock::Now() { return FromMilliseconds(millisecondsSinceEpoch_); }

unsigned long long HeadlessClock::TickCount() { return tickCount_; }

void HeadlessClock::Set(const LocalTime& time) { millisecondsSinceEpoch_ = ToMilliseconds(time); }

void HeadlessClock::Advance(unsigned long long milliseconds) {
  millisecondsSinceEpoch_ += static_cast<long long>(milliseconds);
  tickCount_ += milliseconds;
}

}  // namespace tandrel::platform
