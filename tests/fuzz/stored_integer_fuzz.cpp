// Stored integers: arbitrary bytes either give the default or a number that
// an independent reading of the same text confirms; written numbers read
// back.
#include <cctype>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "framework/StoredValues.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

bool AllDigits(std::string_view text, int base) {
  if (text.empty()) return false;
  for (char c : text) {
    const bool ok = base == 10 ? std::isdigit(static_cast<unsigned char>(c)) != 0
                               : std::isxdigit(static_cast<unsigned char>(c)) != 0;
    if (!ok) return false;
  }
  return true;
}

// The magnitude of a digit string, or -1 when it does not fit 64 bits.
long long Magnitude(std::string_view digits, int base) {
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string_view::npos) return 0;
  digits.remove_prefix(first);
  unsigned long long value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
  if (result.ec != std::errc() || value > 0x7FFFFFFFFFFFFFFFULL) return -1;
  return static_cast<long long>(value);
}

// The value the text must have, or empty when it must give the default.
std::optional<std::int32_t> Expected(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const std::string_view digits = text.substr(2);
    if (!AllDigits(digits, 16)) return std::nullopt;
    const long long m = Magnitude(digits, 16);
    if (m < 0 || m > 0xFFFFFFFFLL) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(m));
  }
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (!text.empty() && text.front() == '$') {
    text.remove_prefix(1);
    if (!AllDigits(text, 16)) return std::nullopt;
    const long long m = Magnitude(text, 16);
    if (m < 0 || m > 0xFFFFFFFFLL) return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(m);
    return static_cast<std::int32_t>(negative ? 0U - bits : bits);
  }
  if (!AllDigits(text, 10)) return std::nullopt;
  const long long m = Magnitude(text, 10);
  if (m < 0) return std::nullopt;
  const long long v = negative ? -m : m;
  if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto value = tandrel::TryReadStoredInteger(text);
  Check(value == Expected(text));
  Check(tandrel::ReadStoredBool(text, true) == (value ? *value != 0 : true));
  if (value) {
    Check(tandrel::ReadStoredInteger(tandrel::StoredIntegerText(*value), *value ^ 1) == *value);
  }
  return 0;
}
