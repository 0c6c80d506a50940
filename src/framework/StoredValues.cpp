// Stored integer and Boolean texts.
#include "framework/StoredValues.h"

namespace tandrel {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Digits only, to the end of the text; the magnitude limit keeps the
// accumulator far from overflow.
std::optional<std::uint64_t> ReadDigits(std::string_view digits, unsigned base,
                                        std::uint64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0 || static_cast<unsigned>(digit) >= base) return std::nullopt;
    value = value * base + static_cast<unsigned>(digit);
    if (value > limit) return std::nullopt;
  }
  return value;
}

}  // namespace

std::optional<std::int32_t> TryReadStoredInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    const auto value = ReadDigits(text.substr(2), 16, 0xFFFFFFFFULL);
    if (!value) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(*value));
  }
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i < text.size() && text[i] == '$') {
    const auto value = ReadDigits(text.substr(i + 1), 16, 0xFFFFFFFFULL);
    if (!value) return std::nullopt;
    const auto bits = static_cast<std::uint32_t>(*value);
    return static_cast<std::int32_t>(negative ? 0U - bits : bits);
  }
  const auto value = ReadDigits(text.substr(i), 10, negative ? 2147483648ULL : 2147483647ULL);
  if (!value) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(*value)
                                            : static_cast<std::int64_t>(*value));
}

std::int32_t ReadStoredInteger(std::string_view text, std::int32_t defaultValue) {
  return TryReadStoredInteger(text).value_or(defaultValue);
}

bool ReadStoredBool(std::string_view text, bool defaultValue) {
  return ReadStoredInteger(text, defaultValue ? 1 : 0) != 0;
}

std::string StoredIntegerText(std::int32_t value) { return std::to_string(value); }

std::string StoredBoolText(bool value) { return value ? "1" : "0"; }

}  // namespace tandrel
