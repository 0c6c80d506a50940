// Numbers as text with format strings and the locale's separators, and text
// back to numbers.
//
// Format strings: up to three sections separated by ";" - for positive
// numbers, negative numbers and zero. A missing or empty negative section
// means the first section with a leading "-"; a missing or empty zero section
// means the first section. The zero section is chosen when the number rounds
// to zero at the chosen section's precision (so -0.4 under ",0;(,0)" is "0").
// Within a section:
//   0  digit placeholder, always shown (leading or trailing zero)
//   #  digit placeholder, shown only when significant
//   .  the first one marks the decimal point (the locale's decimal separator
//      is written, and only when decimals are shown)
//   ,  anywhere in the section: group the integer digits by thousands with the
//      locale's thousands separator
//   '...' "..."  literal text
// Any other character is copied. Rounding is half away from zero on the
// shortest decimal text of the number. Scientific notation is not supported
// ("E+" is literal text). An empty format, NaN, the infinities and
// magnitudes of 1E18 and above are written in the general format of
// FloatToStr.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Locale.h"

namespace tandrel {

using platform::LocaleFormats;

std::string FormatFloat(std::string_view format, double value, const LocaleFormats& formats);

// General format: up to 15 significant digits, scientific ("1.5E-7", "1E20")
// below 1E-4 and from 1E15 on; "NAN", "INF", "-INF".
std::string FloatToStr(double value, const LocaleFormats& formats);

// Optional blanks, an optional sign, digits with at most one locale decimal
// separator (at least one digit in all), an optional exponent (E or e, an
// optional sign, digits), optional blanks. No thousands separators. A number
// too large for a double is refused; one too small becomes 0.
std::optional<double> TryStrToFloat(std::string_view text, const LocaleFormats& formats);
// EConvertError "'<text>' is not a valid floating point value".
double StrToFloat(std::string_view text, const LocaleFormats& formats);

// The same, with the formats of the installed platform's locale.
std::string FormatFloat(std::string_view format, double value);
std::string FloatToStr(double value);
double StrToFloat(std::string_view text);

}  // namespace tandrel
