// Date-time values to text.
#include "framework/DateTimeText.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/DateFormatTokens.h"
#include "framework/DateNames.h"
#include "framework/Exceptions.h"
#include "platform/Platform.h"

namespace tandrel {
namespace {

using datefmt::Field;
using datefmt::Token;

void AppendNumber(std::string& out, int value, int minDigits) {
  std::string digits = std::to_string(value);
  if (static_cast<int>(digits.size()) < minDigits) {
    out.append(static_cast<std::size_t>(minDigits) - digits.size(), '0');
  }
  out += digits;
}

// 0 = Sunday. Day 0 (1899-12-30) was a Saturday.
int DayOfWeek(const DateParts& date) {
  const auto day = static_cast<std::int64_t>(*TryEncodeDate(date.year, date.month, date.day));
  return static_cast<int>(((day + 6) % 7 + 7) % 7);
}

void AppendTokens(std::string& out, const std::vector<Token>& tokens, const DateTimeParts& p,
                  const LocaleFormats& formats);

// The tokens of a format, kept for the last few formats: the clock pane
// formats the same ones twice a second. Shared, so that a nested general
// format may push out the entry its caller is still reading.
std::shared_ptr<const std::vector<Token>> TokensOf(std::string_view format, bool allowGeneral) {
  struct Kept {
    std::string format;
    bool allowGeneral = false;
    std::shared_ptr<const std::vector<Token>> tokens;
  };
  static std::array<Kept, 4> kept;
  static std::size_t next = 0;
  for (const Kept& k : kept) {
    if (k.tokens && k.allowGeneral == allowGeneral && k.format == format) return k.tokens;
  }
  // Not make_shared: its control block brings the runtime's shared-pointer
  // module (some 4 KB) into the executable.
  std::shared_ptr<const std::vector<Token>> tokens(
      new std::vector<Token>(datefmt::Tokenize(format, allowGeneral)));
  Kept& slot = kept[next];
  next = (next + 1) % kept.size();
  slot.format.assign(format);
  slot.allowGeneral = allowGeneral;
  slot.tokens = tokens;
  return tokens;
}

void AppendGeneral(std::string& out, const DateTimeParts& p, const LocaleFormats& formats) {
  AppendTokens(out, *TokensOf(formats.shortDate, false), p, formats);
  const TimeParts& t = p.time;
  if (t.hour != 0 || t.minute != 0 || t.second != 0) {
    out.push_back(' ');
    AppendTokens(out, *TokensOf(formats.longTime, false), p, formats);
  }
}

void AppendTokens(std::string& out, const std::vector<Token>& tokens, const DateTimeParts& p,
                  const LocaleFormats& formats) {
  const DateParts& d = p.date;
  const TimeParts& t = p.time;
  const bool twelveHour = datefmt::TellsHalfOfDay(tokens, formats.timeAm, formats.timePm);
  for (const Token& token : tokens) {
    switch (token.field) {
      case Field::Literal:
        out += token.text;
        break;
      case Field::Year:
        if (token.width == 4) {
          AppendNumber(out, d.year, 4);
        } else {
          AppendNumber(out, d.year % 100, token.width);
        }
        break;
      case Field::Month:
        AppendNumber(out, d.month, token.width);
        break;
      case Field::MonthName:
        out += (token.width == 3 ? datefmt::kMonthAbbreviations : datefmt::kMonthNames)[d.month - 1];
        break;
      case Field::Day:
        AppendNumber(out, d.day, token.width);
        break;
      case Field::DayName:
        out += (token.width == 3 ? datefmt::kDayAbbreviations : datefmt::kDayNames)[DayOfWeek(d)];
        break;
      case Field::Hour24:
        AppendNumber(out, t.hour, token.width);
        break;
      case Field::Hour12:
        if (twelveHour) {
          AppendNumber(out, t.hour % 12 == 0 ? 12 : t.hour % 12, token.width);
        } else {
          AppendNumber(out, t.hour, token.width);
        }
        break;
      case Field::Minute:
        AppendNumber(out, t.minute, token.width);
        break;
      case Field::Second:
        AppendNumber(out, t.second, token.width);
        break;
      case Field::AmPm: {
        const std::string& designator = t.hour < 12 ? formats.timeAm : formats.timePm;
        out += token.width == 1 ? datefmt::Designator(designator, 1) : std::string_view(designator);
        break;
      }
      case Field::General:
        AppendGeneral(out, p, formats);
        break;
    }
  }
}

}  // namespace

std::string FormatDateTime(std::string_view format, TDateTime value, const LocaleFormats& formats) {
  const DateTimeParts parts = DecodeDateTime(value);
  std::string out;
  AppendTokens(out, *TokensOf(format, true), parts, formats);
  return out;
}

std::string DateToStr(TDateTime value, const LocaleFormats& formats) {
  const DateTimeParts parts = DecodeDateTime(value);
  std::string out;
  AppendTokens(out, *TokensOf(formats.shortDate, false), parts, formats);
  return out;
}

std::string TimeToStr(TDateTime value, const LocaleFormats& formats) {
  const DateTimeParts parts = DecodeDateTime(value);
  std::string out;
  AppendTokens(out, *TokensOf(formats.longTime, false), parts, formats);
  return out;
}

std::string DateTimeToStr(TDateTime value, const LocaleFormats& formats) {
  const DateTimeParts parts = DecodeDateTime(value);
  std::string out;
  AppendGeneral(out, parts, formats);
  return out;
}

TDateTime StrToDate(std::string_view text, const LocaleFormats& formats) {
  if (auto value = TryStrToDate(text, formats)) return *value;
  throw EConvertError("'" + std::string(text) + "' is not a valid date");
}

TDateTime StrToTime(std::string_view text, const LocaleFormats& formats) {
  if (auto value = TryStrToTime(text, formats)) return *value;
  throw EConvertError("'" + std::string(text) + "' is not a valid time");
}

TDateTime StrToDateTime(std::string_view text, const LocaleFormats& formats) {
  if (auto value = TryStrToDateTime(text, formats)) return *value;
  throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
}

std::string FormatDateTime(std::string_view format, TDateTime value) {
  return FormatDateTime(format, value, platform::Current().locale().Formats());
}
std::string DateToStr(TDateTime value) {
  return DateToStr(value, platform::Current().locale().Formats());
}
std::string TimeToStr(TDateTime value) {
  return TimeToStr(value, platform::Current().locale().Formats());
}
std::string DateTimeToStr(TDateTime value) {
  return DateTimeToStr(value, platform::Current().locale().Formats());
}
TDateTime StrToDate(std::string_view text) {
  return StrToDate(text, platform::Current().locale().Formats());
}
TDateTime StrToTime(std::string_view text) {
  return StrToTime(text, platform::Current().locale().Formats());
}
TDateTime StrToDateTime(std::string_view text) {
  return StrToDateTime(text, platform::Current().locale().Formats());
}

}  // namespace tandrel
