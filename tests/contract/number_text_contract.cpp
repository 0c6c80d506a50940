// Number texts are computed by the framework itself, not by the C library's
// printf and strtod: the same digits, rounding and range errors on the Linux
// and the MinGW runtime.
#include <gtest/gtest.h>

#include "framework/NumberFormat.h"

namespace tandrel::contract {
namespace {

TEST(NumberTextContract, DigitsRoundAndReadBackExactly) {
  const LocaleFormats f;
  EXPECT_EQ(FormatFloat("0.00", 2.005, f), "2.01");  // shortest digits "2.005"
  EXPECT_EQ(FormatFloat("0.000000", 0.1, f), "0.100000");
  EXPECT_EQ(FormatFloat(",0", 123456789012345678.0, f), "123,456,789,012,345,680");
  EXPECT_EQ(FloatToStr(1.0 / 3, f), "0.333333333333333");
  EXPECT_EQ(FloatToStr(-1.5e-7, f), "-1.5E-7");
  for (double v : {0.1, 1e-7, 123456.789, 9.87654321e100, 5e-324}) {
    EXPECT_EQ(StrToFloat(FloatToStr(v, f), f), v) << v;
  }
  EXPECT_EQ(StrToFloat("0.30000000000000004", f), 0.1 + 0.2);
  EXPECT_EQ(StrToFloat("4.9406564584124654E-324", f), 5e-324);  // subnormal: kept
  EXPECT_EQ(StrToFloat("1E-400", f), 0.0);
  EXPECT_FALSE(TryStrToFloat("1E400", f));
  EXPECT_FALSE(TryStrToFloat("-1.8E308", f));
}

}  // namespace
}  // namespace tandrel::contract
