// Every finite double is significand x 2^power with whole numbers, so its
// decimal expansion is finite: significand x 2^power for power >= 0, and
// significand x 5^-power / 10^-power below. A small big-integer type gives the
// digits exactly; reading text back compares the text with the exact values of
// doubles, so no step ever rounds.
#include "framework/DecimalDigits.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace tandrel {
namespace {

// An unsigned big integer, 32-bit limbs, the least significant first.
using BigInteger = std::vector<std::uint32_t>;

void MultiplySmall(BigInteger& n, std::uint32_t factor) {
  std::uint64_t carry = 0;
  for (std::uint32_t& limb : n) {
    const std::uint64_t product = std::uint64_t{limb} * factor + carry;
    limb = static_cast<std::uint32_t>(product);
    carry = product >> 32;
  }
  if (carry != 0) n.push_back(static_cast<std::uint32_t>(carry));
}

void ShiftLeft(BigInteger& n, int bits) {
  n.insert(n.begin(), static_cast<std::size_t>(bits / 32), 0);
  bits %= 32;
  if (bits == 0) return;
  std::uint32_t carry = 0;
  for (std::uint32_t& limb : n) {
    const std::uint32_t out = limb >> (32 - bits);
    limb = (limb << bits) | carry;
    carry = out;
  }
  if (carry != 0) n.push_back(carry);
}

// The decimal digits of n without leading zeros ("" for 0); n is consumed.
std::string DecimalText(BigInteger n) {
  constexpr std::uint32_t kChunk = 1000000000;  // nine digits at a time
  std::string reversed;
  while (!n.empty() && n.back() == 0) n.pop_back();
  while (!n.empty()) {
    std::uint64_t remainder = 0;
    for (std::size_t i = n.size(); i-- > 0;) {
      const std::uint64_t current = (remainder << 32) | n[i];
      n[i] = static_cast<std::uint32_t>(current / kChunk);
      remainder = current % kChunk;
    }
    while (!n.empty() && n.back() == 0) n.pop_back();
    for (int k = 0; k < 9; ++k) {
      reversed.push_back(static_cast<char>('0' + remainder % 10));
      remainder /= 10;
    }
  }
  while (!reversed.empty() && reversed.back() == '0') reversed.pop_back();
  return std::string(reversed.rbegin(), reversed.rend());
}

void Normalise(DecimalNumber& number) {
  const std::size_t last = number.digits.find_last_not_of('0');
  number.digits.erase(last == std::string::npos ? 0 : last + 1);
  if (number.digits.empty()) number.exponent = 0;
}

// The exact decimal of significand x 2^power.
DecimalNumber ExactBinary(std::uint64_t significand, int power) {
  BigInteger n{static_cast<std::uint32_t>(significand), static_cast<std::uint32_t>(significand >> 32)};
  long long pointShift = 0;
  if (power >= 0) {
    ShiftLeft(n, power);
  } else {
    constexpr int kStep = 13;  // 5^13 is the largest power of five in 32 bits
    for (int left = -power; left > 0; left -= kStep) {
      std::uint32_t factor = 1;
      for (int k = 0; k < std::min(left, kStep); ++k) factor *= 5;
      MultiplySmall(n, factor);
    }
    pointShift = power;
  }
  DecimalNumber number;
  number.digits = DecimalText(std::move(n));
  number.exponent = static_cast<long long>(number.digits.size()) + pointShift;
  Normalise(number);
  return number;
}

// A non-negative finite double as significand x 2^power, from its bits.
struct BinaryParts {
  std::uint64_t significand;
  int power;
};

constexpr int kFractionBits = 52;
constexpr std::uint64_t kHiddenBit = std::uint64_t{1} << kFractionBits;
constexpr std::uint64_t kInfinityBits = std::uint64_t{0x7FF} << kFractionBits;

BinaryParts Decompose(std::uint64_t bits) {
  const int biased = static_cast<int>(bits >> kFractionBits);
  const std::uint64_t fraction = bits & (kHiddenBit - 1);
  if (biased == 0) return {fraction, -1074};  // subnormal (or zero)
  return {fraction | kHiddenBit, biased - 1075};
}

int Compare(const DecimalNumber& a, const DecimalNumber& b) {
  if (a.digits.empty() || b.digits.empty()) {
    return static_cast<int>(!a.digits.empty()) - static_cast<int>(!b.digits.empty());
  }
  if (a.exponent != b.exponent) return a.exponent < b.exponent ? -1 : 1;
  // Same power, no trailing zeros: the text order is the numeric order.
  const int order = a.digits.compare(b.digits);
  return (order > 0) - (order < 0);
}

}  // namespace

DecimalNumber ExactDecimal(double value) {
  const BinaryParts parts = Decompose(std::bit_cast<std::uint64_t>(std::fabs(value)));
  return ExactBinary(parts.significand, parts.power);
}

DecimalNumber RoundSignificant(DecimalNumber number, int count) {
  const auto kept = static_cast<std::size_t>(count);
  if (number.digits.size() <= kept) return number;
  const char next = number.digits[kept];
  // Without trailing zeros, any digit after `next` makes the rest nonzero.
  const bool beyondHalf = number.digits.size() > kept + 1;
  number.digits.resize(kept);
  const bool oddLast = (number.digits.back() - '0') % 2 == 1;
  if (next > '5' || (next == '5' && (beyondHalf || oddLast))) {
    std::size_t k = kept;
    while (k > 0 && number.digits[k - 1] == '9') number.digits[--k] = '0';
    if (k == 0) {
      number.digits.insert(number.digits.begin(), '1');
      ++number.exponent;
    } else {
      ++number.digits[k - 1];
    }
  }
  Normalise(number);
  return number;
}

DecimalNumber ShortestDecimal(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(std::fabs(value));
  const DecimalNumber exact = ExactDecimal(value);
  if (exact.digits.empty()) return exact;
  // Texts strictly between the midpoints to the neighbouring doubles read
  // back as the value; a midpoint itself reads as the even significand.
  const BinaryParts parts = Decompose(bits);
  const bool lowerGapHalved = parts.significand == kHiddenBit && (bits >> kFractionBits) > 1;
  const DecimalNumber above = ExactBinary(2 * parts.significand + 1, parts.power - 1);
  const DecimalNumber below = lowerGapHalved
                                  ? ExactBinary(4 * parts.significand - 1, parts.power - 2)
                                  : ExactBinary(2 * parts.significand - 1, parts.power - 1);
  const bool even = parts.significand % 2 == 0;
  DecimalNumber candidate;
  for (int count = 1; count <= 17; ++count) {
    candidate = RoundSignificant(exact, count);
    const int toAbove = Compare(candidate, above);
    const int toBelow = Compare(candidate, below);
    if ((toAbove < 0 || (toAbove == 0 && even)) && (toBelow > 0 || (toBelow == 0 && even))) break;
  }
  return candidate;
}

double NearestDouble(const DecimalNumber& number) {
  if (number.digits.empty()) return 0.0;
  // Beyond these powers no double is near: 1E309 overflows, 1E-324 is below
  // half the smallest subnormal (about 2.47E-324).
  if (number.exponent > 310) return std::numeric_limits<double>::infinity();
  if (number.exponent < -323) return 0.0;
  // Bit patterns of non-negative doubles are ordered as their values: find the
  // largest whose value is at most the number.
  std::uint64_t atMost = 0;
  std::uint64_t above = kInfinityBits;
  while (above - atMost > 1) {
    const std::uint64_t middle = atMost + (above - atMost) / 2;
    const BinaryParts parts = Decompose(middle);
    if (Compare(ExactBinary(parts.significand, parts.power), number) <= 0) {
      atMost = middle;
    } else {
      above = middle;
    }
  }
  // The next pattern lies one unit of atMost's power higher.
  const BinaryParts parts = Decompose(atMost);
  const int toMidpoint = Compare(number, ExactBinary(2 * parts.significand + 1, parts.power - 1));
  const bool up = toMidpoint > 0 || (toMidpoint == 0 && parts.significand % 2 == 1);
  return std::bit_cast<double>(up ? atMost + 1 : atMost);
}

}  // namespace tandrel
