// Reading a displayed number back, whatever separators, parentheses or
// signs the display format put around it.
#include <cmath>
#include <string>

#include "framework/NumberFormat.h"
#include "widgets/VmEdit.h"

namespace tandrel {

Extended ParseNumericText(std::string_view text, const platform::LocaleFormats& formats) {
  if (text.empty()) return 0;
  // An exponent may be written in either case; its sign is not the number's.
  const std::size_t exponent = text.find_first_of("Ee");
  const std::size_t minus = text.find('-');
  const bool hasMinus = minus != std::string_view::npos;
  const bool hasExponent = exponent != std::string_view::npos;
  const bool negative = (hasMinus && (!hasExponent || minus < exponent)) ||
                        text.find('(') != std::string_view::npos;

  const std::string& decimal = formats.decimalSeparator;
  std::string digits;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c >= '0' && c <= '9') || c == 'E' || c == 'e') {
      digits += c;
    } else if (c == '-' && i > 0 && (text[i - 1] == 'E' || text[i - 1] == 'e')) {
      digits += c;
    } else if (!decimal.empty() && text.substr(i, decimal.size()) == decimal) {
      digits += decimal;
      i += decimal.size() - 1;
    }
  }
  if (digits.empty()) return 0;
  if (negative) digits.insert(0, "-");
  std::optional<double> value = TryStrToFloat(digits, formats);
  return value ? static_cast<Extended>(*value) : 0;
}

long long RoundTiesToEven(Extended value) {
  // The default rounding mode rounds halves to the even neighbour.
  return std::llrint(value);
}

}  // namespace tandrel
