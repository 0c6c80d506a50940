// Date-time values as text in the user's regional formats, and back.
//
// Output uses the format tokens of DateFormatTokens.h. Month and day names
// (MMM, MMMM, ddd, dddd) are English: the regional settings the program reads
// carry no names, and no Windows short date or long time format of the target
// users uses them.
//
// Reading a text back walks the same format that writes it:
//  - Leading and trailing blanks (space, tab) of the text are ignored; a run
//    of blanks in the format matches any run of blanks, also none.
//  - Other literal text must be matched byte for byte.
//  - A numeric field takes one digit up to its width (2, the year 4) of ASCII
//    digits; a year field directly followed by another number field takes no
//    more digits than its width, so "yyMMdd" texts read back too. A year of
//    one or two digits is taken as 1950..2049; three or four digits are the
//    year itself.
//  - A time text may leave out the seconds together with the literal text in
//    front of them ("15:30" under HH:mm:ss, "3:15 PM" under h:mm:ss tt); the
//    seconds are then 0.
//  - The AM/PM designator matches the regional designators (without their
//    surrounding blanks) or the English "AM"/"PM", without regard to ASCII
//    case. When it is missing, a 12-hour field is read as a 24-hour one (so
//    "15:30:00" reads under h:mm:ss tt).
//  - Where the regional designators cannot tell morning from afternoon (one
//    is empty, or both look the same, as the first letters of some pairs
//    do), 12-hour fields are written and read on the 24-hour clock: a stored
//    time must never lose its half of the day.
//  - Day names are checked only for being a day name.
//  - A field that occurs twice must hold the same value both times.
//  - The result must be a real date (2026/2/30 is refused) or a real time of
//    day (25:00:00 is refused). A date needs year, month and day fields in the
//    format; a time needs an hour field (missing minutes or seconds are 0).
// Anything else is refused: the Try forms return empty, the others raise
// EConvertError "'<text>' is not a valid date" (or "time", "date and time").
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/DateTime.h"
#include "platform/Locale.h"

namespace tandrel {

using platform::LocaleFormats;

// Formats value with a format string; "c" is the general format. Raises
// EConvertError for a value outside years 1..9999.
std::string FormatDateTime(std::string_view format, TDateTime value, const LocaleFormats& formats);

// Short date; long time; the general format: date, then one blank and the
// time unless hour, minute and second are all zero.
std::string DateToStr(TDateTime value, const LocaleFormats& formats);
std::string TimeToStr(TDateTime value, const LocaleFormats& formats);
std::string DateTimeToStr(TDateTime value, const LocaleFormats& formats);

// A date text (short date) gives midnight of that day; a time text (long
// time) gives a time of day in [0, 1). A date-time text is a date text,
// optionally followed by blanks and a time text.
std::optional<TDateTime> TryStrToDate(std::string_view text, const LocaleFormats& formats);
std::optional<TDateTime> TryStrToTime(std::string_view text, const LocaleFormats& formats);
std::optional<TDateTime> TryStrToDateTime(std::string_view text, const LocaleFormats& formats);
TDateTime StrToDate(std::string_view text, const LocaleFormats& formats);
TDateTime StrToTime(std::string_view text, const LocaleFormats& formats);
TDateTime StrToDateTime(std::string_view text, const LocaleFormats& formats);

// The same, with the formats of the installed platform's locale.
std::string FormatDateTime(std::string_view format, TDateTime value);
std::string DateToStr(TDateTime value);
std::string TimeToStr(TDateTime value);
std::string DateTimeToStr(TDateTime value);
TDateTime StrToDate(std::string_view text);
TDateTime StrToTime(std::string_view text);
TDateTime StrToDateTime(std::string_view text);

}  // namespace tandrel
