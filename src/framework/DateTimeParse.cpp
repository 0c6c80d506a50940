// Date and time texts back to values, walking the format that wrote them
// (the rules are listed in DateTimeText.h).
#include <array>
#include <optional>
#include <utility>

#include "framework/DateFormatTokens.h"
#include "framework/DateNames.h"
#include "framework/DateTimeText.h"

namespace tandrel {
namespace {

using datefmt::Field;
using datefmt::Token;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  }
  return true;
}

bool IsNumberField(Field field) {
  switch (field) {
    case Field::Year:
    case Field::Month:
    case Field::Day:
    case Field::Hour24:
    case Field::Hour12:
    case Field::Minute:
    case Field::Second:
      return true;
    default:
      return false;
  }
}

struct Fields {
  std::optional<int> year, month, day, hour24, hour12, minute, second;
  std::optional<bool> pm;
};

// Stores a field; false when it was already set to another value.
bool Assign(std::optional<int>& slot, int value) {
  if (slot && *slot != value) return false;
  slot = value;
  return true;
}

class TokenReader {
 public:
  TokenReader(std::string_view text, const LocaleFormats& formats)
      : text_(text), formats_(formats) {}

  void SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  }
  bool AtEnd() const { return pos_ == text_.size(); }
  std::size_t Position() const { return pos_; }
  void Rewind(std::size_t pos) { pos_ = pos; }
  bool NextIsBlank() const { return pos_ < text_.size() && IsBlank(text_[pos_]); }

  // Reads the tokens into fields. With allowOmittedSeconds the literal in
  // front of a seconds field and the field may both be missing.
  bool Read(const std::vector<Token>& tokens, Fields& fields, bool allowOmittedSeconds) {
    for (std::size_t i = 0; i < tokens.size(); ++i) {
      const Token& token = tokens[i];
      const bool secondsFollow = i + 1 < tokens.size() && tokens[i + 1].field == Field::Second;
      if (token.field == Field::Literal && secondsFollow && allowOmittedSeconds) {
        const std::size_t mark = pos_;
        std::optional<int> seconds;
        if (MatchLiteral(token.text) && ReadNumber(2, seconds)) {
          if (!Assign(fields.second, *seconds)) return false;
        } else {
          pos_ = mark;  // seconds left out
        }
        ++i;
        continue;
      }
      const bool numberFollows = i + 1 < tokens.size() && IsNumberField(tokens[i + 1].field);
      if (!ReadToken(token, numberFollows, fields)) return false;
    }
    return true;
  }

 private:
  bool ReadToken(const Token& token, bool numberFollows, Fields& fields) {
    std::optional<int> value;
    switch (token.field) {
      case Field::Literal:
        return MatchLiteral(token.text);
      case Field::Year: {
        const int maxDigits = numberFollows ? (token.width == 4 ? 4 : 2) : 4;
        const std::size_t start = pos_;
        if (!ReadNumber(maxDigits, value)) return false;
        int year = *value;
        if (pos_ - start <= 2) year += year < 50 ? 2000 : 1900;
        return Assign(fields.year, year);
      }
      case Field::Month:
        return ReadNumber(2, value) && Assign(fields.month, *value);
      case Field::MonthName:
        return ReadMonthName(fields);
      case Field::Day:
        return ReadNumber(2, value) && Assign(fields.day, *value);
      case Field::DayName:
        return SkipDayName();
      case Field::Hour24:
        return ReadNumber(2, value) && Assign(fields.hour24, *value);
      case Field::Hour12:
        return ReadNumber(2, value) && Assign(fields.hour12, *value);
      case Field::Minute:
        return ReadNumber(2, value) && Assign(fields.minute, *value);
      case Field::Second:
        return ReadNumber(2, value) && Assign(fields.second, *value);
      case Field::AmPm:
        return ReadDesignator(token.width, fields);
      case Field::General:
        return false;  // never produced for the regional formats
    }
    return false;
  }

  bool MatchLiteral(std::string_view literal) {
    std::size_t i = 0;
    while (i < literal.size()) {
      if (IsBlank(literal[i])) {
        while (i < literal.size() && IsBlank(literal[i])) ++i;
        SkipBlanks();
        continue;
      }
      if (pos_ >= text_.size() || text_[pos_] != literal[i]) return false;
      ++pos_;
      ++i;
    }
    return true;
  }

  // One to maxDigits (at most 4, so no overflow) ASCII digits.
  bool ReadNumber(int maxDigits, std::optional<int>& value) {
    int result = 0;
    int count = 0;
    while (count < maxDigits && pos_ < text_.size() && IsDigit(text_[pos_])) {
      result = result * 10 + (text_[pos_] - '0');
      ++pos_;
      ++count;
    }
    if (count == 0) return false;
    value = result;
    return true;
  }

  // The longest of the names that starts the rest of the text; -1 if none.
  template <std::size_t N>
  int MatchName(const std::array<std::string_view, N>& full,
                const std::array<std::string_view, N>& abbreviated, std::size_t& length) {
    int found = -1;
    length = 0;
    const std::string_view rest = text_.substr(pos_);
    for (std::size_t k = 0; k < N; ++k) {
      for (std::string_view name : {full[k], abbreviated[k]}) {
        if (name.size() > length && StartsWithIgnoringAsciiCase(rest, name)) {
          found = static_cast<int>(k);
          length = name.size();
        }
      }
    }
    return found;
  }

  bool ReadMonthName(Fields& fields) {
    std::size_t length = 0;
    const int month = MatchName(datefmt::kMonthNames, datefmt::kMonthAbbreviations, length);
    if (month < 0) return false;
    pos_ += length;
    return Assign(fields.month, month + 1);
  }

  bool SkipDayName() {
    std::size_t length = 0;
    if (MatchName(datefmt::kDayNames, datefmt::kDayAbbreviations, length) < 0) return false;
    pos_ += length;
    return true;
  }

  // A missing designator is allowed (the hour is then read as 24-hour).
  bool ReadDesignator(int width, Fields& fields) {
    const std::string_view am = datefmt::Designator(formats_.timeAm, width);
    const std::string_view pm = datefmt::Designator(formats_.timePm, width);
    const std::pair<std::string_view, bool> candidates[] = {
        {am, false}, {pm, true}, {width == 1 ? "A" : "AM", false}, {width == 1 ? "P" : "PM", true}};
    const std::size_t mark = pos_;
    SkipBlanks();
    const std::string_view rest = text_.substr(pos_);
    std::size_t best = 0;
    std::optional<bool> isPm;
    for (const auto& [designator, meansPm] : candidates) {
      if (designator.size() > best && StartsWithIgnoringAsciiCase(rest, designator)) {
        best = designator.size();
        isPm = meansPm;
      }
    }
    if (!isPm) {
      pos_ = mark;
      return true;
    }
    if (fields.pm && *fields.pm != *isPm) return false;
    fields.pm = isPm;
    pos_ += best;
    SkipBlanks();
    return true;
  }

  std::string_view text_;
  const LocaleFormats& formats_;
  std::size_t pos_ = 0;
};

std::optional<TDateTime> DateFromFields(const Fields& f) {
  if (!f.year || !f.month || !f.day) return std::nullopt;
  return TryEncodeDate(*f.year, *f.month, *f.day);
}

// twelveHour: whether the format's designators tell the halves of the day
// apart; when not, they are written but carry no meaning.
std::optional<TDateTime> TimeFromFields(const Fields& f, bool twelveHour) {
  std::optional<int> hour = f.hour24;
  if (f.hour12) {
    int h = *f.hour12;
    if (f.pm && twelveHour) {
      if (h < 0 || h > 12) return std::nullopt;
      h = h % 12 + (*f.pm ? 12 : 0);
    }
    if (hour && *hour != h) return std::nullopt;
    hour = h;
  }
  if (!hour) return std::nullopt;
  return TryEncodeTime(*hour, f.minute.value_or(0), f.second.value_or(0), 0);
}

bool TellsHalfOfDay(std::string_view format, const LocaleFormats& formats) {
  return datefmt::TellsHalfOfDay(datefmt::Tokenize(format, false), formats.timeAm, formats.timePm);
}

std::optional<Fields> ReadWhole(std::string_view text, std::string_view format,
                                const LocaleFormats& formats, bool allowOmittedSeconds) {
  TokenReader reader(text, formats);
  Fields fields;
  reader.SkipBlanks();
  if (!reader.Read(datefmt::Tokenize(format, false), fields, allowOmittedSeconds)) {
    return std::nullopt;
  }
  reader.SkipBlanks();
  if (!reader.AtEnd()) return std::nullopt;
  return fields;
}

}  // namespace

std::optional<TDateTime> TryStrToDate(std::string_view text, const LocaleFormats& formats) {
  const auto fields = ReadWhole(text, formats.shortDate, formats, false);
  return fields ? DateFromFields(*fields) : std::nullopt;
}

std::optional<TDateTime> TryStrToTime(std::string_view text, const LocaleFormats& formats) {
  const auto fields = ReadWhole(text, formats.longTime, formats, true);
  return fields ? TimeFromFields(*fields, TellsHalfOfDay(formats.longTime, formats)) : std::nullopt;
}

std::optional<TDateTime> TryStrToDateTime(std::string_view text, const LocaleFormats& formats) {
  TokenReader reader(text, formats);
  Fields dateFields;
  reader.SkipBlanks();
  if (!reader.Read(datefmt::Tokenize(formats.shortDate, false), dateFields, false)) {
    return std::nullopt;
  }
  const auto date = DateFromFields(dateFields);
  if (!date) return std::nullopt;
  TDateTime time = 0;
  if (reader.NextIsBlank()) {
    reader.SkipBlanks();
    if (!reader.AtEnd()) {
      Fields timeFields;
      if (!reader.Read(datefmt::Tokenize(formats.longTime, false), timeFields, true)) {
        return std::nullopt;
      }
      const auto parsed = TimeFromFields(timeFields, TellsHalfOfDay(formats.longTime, formats));
      if (!parsed) return std::nullopt;
      time = *parsed;
      reader.SkipBlanks();
    }
  }
  if (!reader.AtEnd()) return std::nullopt;
  return ComposeDateTime(*date, time);
}

}  // namespace tandrel
