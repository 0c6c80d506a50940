// Exact decimal digits and correctly rounded reading, checked against glibc's
// printf and strtod (which round correctly) over random doubles and texts and
// at the hard cases: ties, subnormals and the ends of the range.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "framework/DecimalDigits.h"

namespace tandrel {
namespace {

// printf's "%.*e" shape of a number rounded to `count` digits.
std::string AsScientific(const DecimalNumber& number, int count) {
  std::string digits = number.digits.empty() ? "0" : number.digits;
  digits.resize(static_cast<std::size_t>(count), '0');
  std::string out(1, digits[0]);
  if (count > 1) out += "." + digits.substr(1);
  const long long power = number.digits.empty() ? 0 : number.exponent - 1;
  char exponent[32];
  std::snprintf(exponent, sizeof exponent, "e%c%02lld", power < 0 ? '-' : '+', std::llabs(power));
  return out + exponent;
}

std::string Printf(int count, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", count - 1, value);
  return buffer;
}

// "d.ddde+XX" (or plain digits) as a DecimalNumber.
DecimalNumber Parse(const std::string& text) {
  DecimalNumber number;
  long long integerDigits = 0;
  bool point = false;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] == '.') {
      point = true;
    } else {
      number.digits.push_back(text[i]);
      if (!point) ++integerDigits;
    }
  }
  const long long exponent = i < text.size() ? std::stoll(text.substr(i + 1)) : 0;
  const std::size_t first = number.digits.find_first_not_of('0');
  if (first == std::string::npos) return DecimalNumber{};
  number.digits.erase(0, first);
  number.digits.erase(number.digits.find_last_not_of('0') + 1);
  number.exponent = integerDigits - static_cast<long long>(first) + exponent;
  return number;
}

double RandomFinite(std::mt19937_64& random) {
  for (;;) {
    const double value = std::bit_cast<double>(random() & ~(std::uint64_t{1} << 63));
    if (std::isfinite(value)) return value;
  }
}

TEST(DecimalDigits, RoundsAsPrintfDoes) {
  EXPECT_EQ(ExactDecimal(0.1).digits,
            "1000000000000000055511151231257827021181583404541015625");
  EXPECT_EQ(ExactDecimal(5e-324).exponent, -323);
  EXPECT_EQ(AsScientific(RoundSignificant(ExactDecimal(0.125), 2), 2), "1.2e-01");  // tie: even
  EXPECT_EQ(AsScientific(RoundSignificant(ExactDecimal(0.375), 2), 2), "3.8e-01");
  EXPECT_EQ(AsScientific(RoundSignificant(ExactDecimal(9.96), 2), 2), "1.0e+01");  // carry
  std::mt19937_64 random(15);
  for (int n = 0; n < 3000; ++n) {
    const double value = RandomFinite(random);
    const int count = 1 + n % 17;
    ASSERT_EQ(AsScientific(RoundSignificant(ExactDecimal(value), count), count),
              Printf(count, value))
        << value;
  }
}

TEST(DecimalDigits, ShortestReadsBackWithTheFewestDigits) {
  std::mt19937_64 random(16);
  for (int n = 0; n < 2000; ++n) {
    const double value = n < 4 ? std::vector<double>{2.005, 0.3, 5e-324, 1.7976931348623157e308}[n]
                               : RandomFinite(random);
    int count = 1;
    while (count < 17 && std::strtod(Printf(count, value).c_str(), nullptr) != value) ++count;
    ASSERT_EQ(AsScientific(ShortestDecimal(value), count), Printf(count, value)) << value;
  }
}

TEST(DecimalDigits, ReadsTheNearestDoubleAsStrtodDoes) {
  const char* const hard[] = {
      "9007199254740993",          // halfway between 2^53 and its successor: even
      "9007199254740995",          // halfway again, up to the even one
      "2.4703282292062327e-324",   // just under half the smallest subnormal: 0
      "2.4703282292062328e-324",   // just over: the smallest subnormal
      "1.7976931348623158e308",    // rounds to the largest double
      "1.7976931348623159e308",    // beyond its rounding range: infinity
      "2.2250738585072011e-308",   // the largest subnormal's neighbourhood
      "0.1", "1e23", "8.98846567431158e307", "4.9406564584124654e-324"};
  for (const char* text : hard) {
    EXPECT_EQ(NearestDouble(Parse(text)), std::strtod(text, nullptr)) << text;
  }
  EXPECT_EQ(NearestDouble(Parse("1e400")), std::numeric_limits<double>::infinity());
  EXPECT_EQ(NearestDouble(Parse("1e-400")), 0.0);
  std::mt19937_64 random(17);
  for (int n = 0; n < 300; ++n) {
    std::string text(1, static_cast<char>('1' + random() % 9));
    text += '.';
    const int digits = static_cast<int>(random() % 25);
    for (int k = 0; k < digits; ++k) text.push_back(static_cast<char>('0' + random() % 10));
    text += "e" + std::to_string(static_cast<int>(random() % 640) - 325);
    ASSERT_EQ(NearestDouble(Parse(text)), std::strtod(text.c_str(), nullptr)) << text;
  }
}

}  // namespace
}  // namespace tandrel
