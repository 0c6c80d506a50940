// Section format strings and float text conversion.
#include "framework/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "framework/DecimalDigits.h"
#include "framework/Exceptions.h"
#include "platform/Platform.h"

namespace tandrel {
namespace {

constexpr double kFormatLimit = 1e18;

// Splits the format at ";" outside quotes; at most three sections matter.
std::vector<std::string_view> SplitSections(std::string_view format) {
  std::vector<std::string_view> sections;
  std::size_t start = 0;
  char quote = 0;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char c = format[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '\'' || c == '"') {
      quote = c;
    } else if (c == ';') {
      sections.push_back(format.substr(start, i - start));
      start = i + 1;
      if (sections.size() == 3) return sections;
    }
  }
  sections.push_back(format.substr(start));
  return sections;
}

struct SectionLayout {
  int integerPlaceholders = 0;
  int minIntegerDigits = 0;
  int decimalPlaceholders = 0;
  int minDecimals = 0;
  bool thousands = false;
};

SectionLayout Analyse(std::string_view section) {
  SectionLayout layout;
  bool afterPoint = false;
  int firstZero = -1;
  char quote = 0;
  for (char c : section) {
    if (quote != 0) {
      if (c == quote) quote = 0;
      continue;
    }
    switch (c) {
      case '\'':
      case '"':
        quote = c;
        break;
      case '0':
      case '#':
        if (afterPoint) {
          ++layout.decimalPlaceholders;
          if (c == '0') layout.minDecimals = layout.decimalPlaceholders;
        } else {
          if (c == '0' && firstZero < 0) firstZero = layout.integerPlaceholders;
          ++layout.integerPlaceholders;
        }
        break;
      case '.':
        afterPoint = true;
        break;
      case ',':
        layout.thousands = true;
        break;
      default:
        break;
    }
  }
  if (firstZero >= 0) layout.minIntegerDigits = layout.integerPlaceholders - firstZero;
  return layout;
}

// The digits of |value| rounded to a number of decimals, half away from zero,
// on the shortest decimal text that reads back as value. value < 1E18.
struct RoundedDigits {
  std::string integer;   // no leading zeros; empty for an integer part of 0
  std::string decimals;  // exactly the requested count
  bool IsZero() const {
    return integer.empty() && decimals.find_first_not_of('0') == std::string::npos;
  }
};

RoundedDigits RoundDecimal(double magnitude, int decimals) {
  const DecimalNumber shortest = ShortestDecimal(magnitude);
  if (shortest.digits.empty()) {
    return RoundedDigits{"", std::string(static_cast<std::size_t>(decimals), '0')};
  }
  const std::string& digits = shortest.digits;
  const long long exponent = shortest.exponent - 1;  // the power of the first digit
  // Digit k of `digits` has the power exponent - k.
  const auto digitAt = [&](long long power) -> char {
    const long long k = exponent - power;
    return k >= 0 && k < static_cast<long long>(digits.size()) ? digits[static_cast<std::size_t>(k)]
                                                               : '0';
  };
  std::string all;  // integer and decimal digits, most significant first
  const long long top = exponent > 0 ? exponent : 0;
  for (long long power = top; power >= -static_cast<long long>(decimals); --power) {
    all.push_back(digitAt(power));
  }
  if (digitAt(-static_cast<long long>(decimals) - 1) >= '5') {
    std::size_t k = all.size();
    while (k > 0) {
      --k;
      if (all[k] == '9') {
        all[k] = '0';
      } else {
        ++all[k];
        break;
      }
      if (k == 0) all.insert(all.begin(), '1');
    }
  }
  RoundedDigits rounded;
  const std::size_t integerCount = all.size() - static_cast<std::size_t>(decimals);
  rounded.integer = all.substr(0, integerCount);
  rounded.decimals = all.substr(integerCount);
  const std::size_t nonZero = rounded.integer.find_first_not_of('0');
  rounded.integer.erase(0, nonZero == std::string::npos ? rounded.integer.size() : nonZero);
  return rounded;
}

std::string FormatSection(std::string_view section, const RoundedDigits& rounded,
                          const LocaleFormats& formats) {
  const SectionLayout layout = Analyse(section);
  std::string integer = rounded.integer;
  if (static_cast<int>(integer.size()) < layout.minIntegerDigits) {
    integer.insert(0, static_cast<std::size_t>(layout.minIntegerDigits) - integer.size(), '0');
  }
  std::string decimals = rounded.decimals;
  while (static_cast<int>(decimals.size()) > layout.minDecimals && decimals.back() == '0') {
    decimals.pop_back();
  }

  std::string out;
  const auto length = static_cast<long long>(integer.size());
  const auto appendIntegerDigit = [&](long long index) {
    out.push_back(integer[static_cast<std::size_t>(index)]);
    const long long fromRight = length - 1 - index;
    if (layout.thousands && fromRight > 0 && fromRight % 3 == 0) out += formats.thousandSeparator;
  };
  const auto appendAllInteger = [&] {
    for (long long k = 0; k < length; ++k) appendIntegerDigit(k);
  };

  int integerSeen = 0;
  int decimalSeen = 0;
  bool afterPoint = false;
  char quote = 0;
  for (char c : section) {
    if (quote != 0) {
      if (c == quote) {
        quote = 0;
      } else {
        out.push_back(c);
      }
      continue;
    }
    switch (c) {
      case '\'':
      case '"':
        quote = c;
        break;
      case '0':
      case '#':
        if (afterPoint) {
          if (decimalSeen < static_cast<int>(decimals.size())) {
            out.push_back(decimals[static_cast<std::size_t>(decimalSeen)]);
          }
          ++decimalSeen;
        } else {
          // The first placeholder also takes the digits that have none.
          const long long index = length - layout.integerPlaceholders + integerSeen;
          if (integerSeen == 0) {
            for (long long k = 0; k < index; ++k) appendIntegerDigit(k);
          }
          if (index >= 0) appendIntegerDigit(index);
          ++integerSeen;
        }
        break;
      case '.':
        if (!afterPoint) {
          afterPoint = true;
          if (layout.integerPlaceholders == 0) appendAllInteger();
          if (!decimals.empty()) out += formats.decimalSeparator;
        }
        break;
      case ',':
        break;
      default:
        out.push_back(c);
        break;
    }
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FloatToStr(double value, const LocaleFormats& formats) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  // printf's "%.15g" with the locale's separator and a shorter exponent.
  std::string out = std::signbit(value) ? "-" : "";
  const DecimalNumber rounded = RoundSignificant(ExactDecimal(value), 15);
  const std::string& digits = rounded.digits;
  if (digits.empty()) return out + "0";
  const long long power = rounded.exponent - 1;  // of the first digit
  if (power < -4 || power >= 15) {
    out.push_back(digits[0]);
    if (digits.size() > 1) out.append(formats.decimalSeparator).append(digits, 1);
    out.append("E").append(std::to_string(power));
  } else if (power < 0) {
    out.append("0").append(formats.decimalSeparator);
    out.append(static_cast<std::size_t>(-power - 1), '0').append(digits);
  } else {
    const auto integerCount = static_cast<std::size_t>(power + 1);
    out.append(digits, 0, integerCount);
    if (digits.size() < integerCount) out.append(integerCount - digits.size(), '0');
    if (digits.size() > integerCount) {
      out.append(formats.decimalSeparator).append(digits, integerCount);
    }
  }
  return out;
}

std::string FormatFloat(std::string_view format, double value, const LocaleFormats& formats) {
  if (format.empty() || !std::isfinite(value) || std::fabs(value) >= kFormatLimit) {
    return FloatToStr(value, formats);
  }
  const std::vector<std::string_view> sections = SplitSections(format);
  const bool negative = value < 0;
  std::string_view section = sections[0];
  bool needsMinus = negative;
  if (negative && sections.size() > 1 && !sections[1].empty()) {
    section = sections[1];
    needsMinus = false;
  }
  const RoundedDigits rounded = RoundDecimal(std::fabs(value), Analyse(section).decimalPlaceholders);
  if (rounded.IsZero()) {
    const std::string_view zeroSection =
        sections.size() > 2 && !sections[2].empty() ? sections[2] : sections[0];
    return FormatSection(zeroSection,
                         RoundDecimal(0.0, Analyse(zeroSection).decimalPlaceholders), formats);
  }
  std::string text = FormatSection(section, rounded, formats);
  return needsMinus ? "-" + text : text;
}

std::optional<double> TryStrToFloat(std::string_view text, const LocaleFormats& formats) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  text = text.substr(begin, end - begin);

  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  DecimalNumber number;
  long long integerDigits = 0;
  bool point = false;
  const std::string_view separator = formats.decimalSeparator;
  while (i < text.size()) {
    const char c = text[i];
    if (IsDigit(c)) {
      number.digits.push_back(c);
      if (!point) ++integerDigits;
      ++i;
    } else if (!point && !separator.empty() && text.substr(i, separator.size()) == separator) {
      point = true;
      i += separator.size();
    } else {
      break;
    }
  }
  if (number.digits.empty()) return std::nullopt;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negativeExponent = text[i] == '-';
      ++i;
    }
    int exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
      if (exponent < 1000000) exponent = exponent * 10 + (text[i] - '0');  // saturates
      ++exponentDigits;
      ++i;
    }
    if (exponentDigits == 0) return std::nullopt;
    if (negativeExponent) exponent = -exponent;
  }
  if (i != text.size()) return std::nullopt;

  // 0.digits x 10^exponent, without leading or trailing zeros.
  const std::size_t first = number.digits.find_first_not_of('0');
  if (first == std::string::npos) return negative ? -0.0 : 0.0;
  number.digits.erase(0, first);
  number.exponent = integerDigits - static_cast<long long>(first) + exponent;
  number.digits.erase(number.digits.find_last_not_of('0') + 1);
  const double value = NearestDouble(number);
  if (std::isinf(value)) return std::nullopt;  // too large for a double
  return negative ? -value : value;
}

double StrToFloat(std::string_view text, const LocaleFormats& formats) {
  if (auto value = TryStrToFloat(text, formats)) return *value;
  throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}

std::string FormatFloat(std::string_view format, double value) {
  return FormatFloat(format, value, platform::Current().locale().Formats());
}
std::string FloatToStr(double value) {
  return FloatToStr(value, platform::Current().locale().Formats());
}
double StrToFloat(std::string_view text) {
  return StrToFloat(text, platform::Current().locale().Formats());
}

}  // namespace tandrel
