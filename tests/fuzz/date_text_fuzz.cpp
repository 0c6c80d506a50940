// Date texts: arbitrary bytes read under the regional date formats the
// program meets, and under arbitrary format strings. A text that reads must
// give a real date, and what it writes back must read as the same day.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"

namespace {

using tandrel::LocaleFormats;

void Check(bool condition) {
  if (!condition) std::abort();
}

LocaleFormats WithDate(const char* shortDate) {
  LocaleFormats f;
  f.shortDate = shortDate;
  return f;
}

void CheckReadBack(std::string_view text, const LocaleFormats& f, bool fullYear) {
  const auto value = tandrel::TryStrToDate(text, f);
  if (!value) return;
  Check(*value == static_cast<double>(static_cast<long long>(*value)));
  Check(*value >= tandrel::kMinDayNumber && *value <= tandrel::kMaxDayNumber);
  const std::string written = tandrel::DateToStr(*value, f);
  const auto again = tandrel::TryStrToDate(written, f);
  Check(again.has_value());
  if (fullYear) {
    Check(*again == *value);
  } else {
    Check(tandrel::DateToStr(*again, f) == written);  // two-digit years settle after one pass
  }
  Check(tandrel::TryStrToDateTime(written, f) == again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  static const LocaleFormats kFullYear[] = {
      WithDate("yyyy/M/d"),   WithDate("M/d/yyyy"),         WithDate("d.M.yyyy"),
      WithDate("yyyyMMdd"),   WithDate("yyyy'年'M'月'd'日'"), WithDate("dddd, MMMM d, yyyy"),
      WithDate("MMM d yyyy"), WithDate("yyyy-MM-dd (dd)")};
  static const LocaleFormats kShortYear[] = {WithDate("dd.MM.yy"), WithDate("yy/M/d"),
                                             WithDate("yyMMdd")};
  const std::uint8_t selector = data[0];
  constexpr std::size_t kFull = sizeof kFullYear / sizeof kFullYear[0];
  constexpr std::size_t kShort = sizeof kShortYear / sizeof kShortYear[0];
  if (selector < 128) {
    CheckReadBack(input, kFullYear[selector % kFull], true);
  } else if (selector < 192) {
    CheckReadBack(input, kShortYear[selector % kShort], false);
  } else {
    // Arbitrary format (up to the first newline) and text: only safety and
    // a valid result are required, since a format may be ambiguous.
    const std::size_t split = input.find('\n');
    if (split == std::string_view::npos) return 0;
    LocaleFormats f;
    f.shortDate = std::string(input.substr(0, split));
    f.longTime = f.shortDate;
    const std::string_view text = input.substr(split + 1);
    if (const auto value = tandrel::TryStrToDate(text, f)) {
      Check(*value >= tandrel::kMinDayNumber && *value <= tandrel::kMaxDayNumber);
      Check(tandrel::DateToStr(*value, f).size() <= f.shortDate.size() * 16 + 16);
    }
    (void)tandrel::TryStrToTime(text, f);
    (void)tandrel::TryStrToDateTime(text, f);
    const double day = static_cast<double>(text.size() * 7919 % 3000000) - 693593.0 + 0.3;
    // "c" repeats the whole date format, so long formats grow quadratically:
    // keep them short for speed.
    if (day <= tandrel::kMaxDayNumber && f.shortDate.size() <= 64) {
      (void)tandrel::FormatDateTime(f.shortDate, day, f);
    }
  }
  return 0;
}
