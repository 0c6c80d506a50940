// Splits a date or time format string, as the regional settings spell them
// (yyyy/M/d, HH:mm:ss, tt h:mm:ss, d.M.yyyy, ...), into fields and literal
// text. Letters follow the Windows picture syntax and are case-sensitive:
//   y yy yyyy   year without century (no padding), two digits, full year
//   M MM        month, without and with a leading zero; MMM MMMM month names
//   d dd        day, without and with a leading zero; ddd dddd day names
//   H HH        hour 0..23; h hh hour 1..12
//   m mm        minute; s ss second
//   t tt AMPM   first character of, or the whole, AM/PM designator
//   g gg        era: left out (the program never needs it)
//   c C         the general date-time format (only where allowed)
//   '...' "..." quoted literal text ('' inside single quotes is one quote)
// Every other character, unknown letters included, is literal text. That
// includes "/" and ":": the regional formats already spell out the user's
// separators, and the date-time pickers show them the same way.
// All fields that count years, months and days are Gregorian.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tandrel::datefmt {

enum class Field {
  Literal,
  Year,       // width 1, 2 or 4
  Month,      // width 1 or 2
  MonthName,  // width 3 (abbreviated) or 4 (full)
  Day,        // width 1 or 2
  DayName,    // width 3 or 4
  Hour24,     // width 1 or 2
  Hour12,     // width 1 or 2
  Minute,     // width 1 or 2
  Second,     // width 1 or 2
  AmPm,       // width 1 (first character) or 2 (whole designator)
  General,
};

struct Token {
  Field field = Field::Literal;
  int width = 0;
  std::string text;  // literal text
};

// allowGeneral: whether "c" stands for the general format (top-level format
// strings) or is a literal letter (the regional formats themselves).
std::vector<Token> Tokenize(std::string_view format, bool allowGeneral);

// The first UTF-8 character of text, for the one-letter designator "t"; a
// sequence cut short by the end of the text is returned as far as it goes.
std::string_view FirstCharacter(std::string_view text);

// The designator a "t" (width 1) or "tt" (width 2) field shows, without the
// blanks (space, tab) around it.
std::string_view Designator(std::string_view designator, int width);

// Whether the AM/PM fields of the format tell the two halves of the day
// apart: there is one, and its morning and afternoon texts are both present
// and differ (ignoring ASCII case and surrounding blanks). When they do not,
// 12-hour fields are written and read on the 24-hour clock, so that a
// written time never loses its half of the day.
bool TellsHalfOfDay(const std::vector<Token>& tokens, std::string_view am, std::string_view pm);

}  // namespace tandrel::datefmt
