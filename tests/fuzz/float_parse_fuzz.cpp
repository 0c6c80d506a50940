// Float texts: arbitrary bytes read with point and comma decimal separators.
// A number that reads is finite, its general text reads back to it, and the
// minutes field's format writes it without fault. Arbitrary format strings
// must format any number safely.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "framework/NumberFormat.h"

namespace {

using tandrel::LocaleFormats;

void Check(bool condition) {
  if (!condition) std::abort();
}

LocaleFormats Separators(const char* decimal, const char* thousand) {
  LocaleFormats f;
  f.decimalSeparator = decimal;
  f.thousandSeparator = thousand;
  return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static const LocaleFormats kFormats[] = {Separators(".", ","), Separators(",", "."),
                                           Separators("٫", "٬"), Separators(".", "")};
  const LocaleFormats& f = kFormats[data[0] % 4];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] < 128) {
    const auto value = tandrel::TryStrToFloat(text, f);
    if (!value) return 0;
    Check(std::isfinite(*value));
    const std::string general = tandrel::FloatToStr(*value, f);
    const auto back = tandrel::TryStrToFloat(general, f);
    Check(back.has_value());
    Check(*back == *value || std::fabs(*back - *value) <= std::fabs(*value) * 1e-14);
    const std::string shown = tandrel::FormatFloat(",0;(,0)", *value, f);
    Check(!shown.empty());
  } else {
    // The first eight bytes are the number, the rest the format.
    if (text.size() < 8) return 0;
    double value = 0;
    std::memcpy(&value, text.data(), sizeof value);
    const std::string_view format = text.substr(8);
    const std::string out = tandrel::FormatFloat(format, value, f);
    Check(out.size() <= format.size() * 40 + 400);
  }
  return 0;
}
