// Time texts: arbitrary bytes read under long time formats with 24-hour and
// 12-hour clocks. A text that reads must give a whole second of one day, and
// what it writes back must read as the same time.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/DateTimeText.h"

namespace {

using tandrel::LocaleFormats;

void Check(bool condition) {
  if (!condition) std::abort();
}

LocaleFormats WithTime(const char* longTime, const char* am, const char* pm) {
  LocaleFormats f;
  f.longTime = longTime;
  f.timeAm = am;
  f.timePm = pm;
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const LocaleFormats kFormats[] = {
      WithTime("HH:mm:ss", "上午", "下午"),   WithTime("h:mm:ss tt", "AM", "PM"),
      WithTime("tt h:mm:ss", "上午", "下午"), WithTime("H:m:s", "", ""),
      WithTime("hh:mm:ss t", "AM", "PM"),     WithTime("HH'时'mm'分'ss'秒'", "", ""),
      WithTime("h:mm:ss tt", "", "")};
  const LocaleFormats& f = kFormats[data[0] % (sizeof kFormats / sizeof kFormats[0])];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto value = tandrel::TryStrToTime(text, f);
  if (!value) return 0;
  Check(*value >= 0 && *value < 1);
  const double seconds = *value * 86400;
  Check(std::fabs(seconds - std::round(seconds)) < 1e-6);
  const std::string written = tandrel::TimeToStr(*value, f);
  const auto again = tandrel::TryStrToTime(written, f);
  Check(again.has_value() && *again == *value);
  return 0;
}
