// Exact decimal digits of doubles and correctly rounded doubles of decimal
// digits, computed here rather than by the C library's printf and strtod: the
// results are then the same on every platform, and the MinGW executable does
// without its own printf and strtod (some 40 KB).
#pragma once

#include <string>

namespace tandrel {

// A non-negative decimal number 0.d1d2d3... x 10^exponent.
struct DecimalNumber {
  std::string digits;      // no leading or trailing zeros; empty for zero
  long long exponent = 0;  // the power of ten of the point before the first digit
};

// The exact value of |value|; value is finite.
DecimalNumber ExactDecimal(double value);

// The number rounded to at most `count` (>= 1) significant digits, an exact
// tie to an even last digit, as printf rounds.
DecimalNumber RoundSignificant(DecimalNumber number, int count);

// The fewest significant digits (at most 17) that read back as |value|, each
// count tried as printf rounds it; value is finite.
DecimalNumber ShortestDecimal(double value);

// The double nearest to the number, an exact tie to the one with an even
// significand, as strtod rounds: infinity beyond the largest double's
// rounding range, 0 below half the smallest subnormal.
double NearestDouble(const DecimalNumber& number);

}  // namespace tandrel
