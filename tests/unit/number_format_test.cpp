// Number texts: section format strings with the locale's separators, the
// general format, and text back to a number.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel {
namespace {

LocaleFormats Point() { return LocaleFormats{}; }  // "." decimals, "," thousands

LocaleFormats Comma() {
  LocaleFormats f;
  f.decimalSeparator = ",";
  f.thousandSeparator = ".";
  return f;
}

TEST(NumberFormat, TheMinutesFieldFormat) {
  const LocaleFormats f = Point();
  const char* format = ",0;(,0)";
  EXPECT_EQ(FormatFloat(format, 30, f), "30");
  EXPECT_EQ(FormatFloat(format, 0, f), "0");
  EXPECT_EQ(FormatFloat(format, 1234, f), "1,234");
  EXPECT_EQ(FormatFloat(format, 10000, f), "10,000");
  EXPECT_EQ(FormatFloat(format, 999, f), "999");
  EXPECT_EQ(FormatFloat(format, 1234567, f), "1,234,567");
  EXPECT_EQ(FormatFloat(format, -5, f), "(5)");
  EXPECT_EQ(FormatFloat(format, -1234, f), "(1,234)");
  EXPECT_EQ(FormatFloat(format, 2.5, f), "3");  // half away from zero
  EXPECT_EQ(FormatFloat(format, 3.5, f), "4");
  EXPECT_EQ(FormatFloat(format, 0.49, f), "0");
  EXPECT_EQ(FormatFloat(format, -0.4, f), "0");  // rounds to zero: no parentheses
  EXPECT_EQ(FormatFloat(format, -0.5, f), "(1)");
  EXPECT_EQ(FormatFloat(format, 999.5, f), "1,000");  // the carry grows a group
  EXPECT_EQ(FormatFloat(format, 123456789012345678.0, f), "123,456,789,012,345,680");
  EXPECT_EQ(FormatFloat(format, 10000, Comma()), "10.000");
  LocaleFormats chinese = Point();
  chinese.thousandSeparator = "，";  // multi-byte separator
  EXPECT_EQ(FormatFloat(format, -1234567, chinese), "(1，234，567)");
}

TEST(NumberFormat, PlaceholdersDecimalsAndSections) {
  const LocaleFormats f = Point();
  EXPECT_EQ(FormatFloat("0.00", 3.14159, f), "3.14");
  EXPECT_EQ(FormatFloat("0.00", 2.005, f), "2.01");  // shortest text "2.005", rounded up
  EXPECT_EQ(FormatFloat("0.00", 0.5, f), "0.50");
  EXPECT_EQ(FormatFloat("#.##", 0.5, f), ".5");
  EXPECT_EQ(FormatFloat("#.##", 2, f), "2");
  EXPECT_EQ(FormatFloat("0.0#", 2.1, f), "2.1");
  EXPECT_EQ(FormatFloat("0.0#", 2.156, f), "2.16");
  EXPECT_EQ(FormatFloat("000", 7, f), "007");
  EXPECT_EQ(FormatFloat("#", 0, f), "");
  EXPECT_EQ(FormatFloat("0", 98765, f), "98765");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, f), "1,234,567.89");
  EXPECT_EQ(FormatFloat("#,##0.00", 1234567.891, Comma()), "1.234.567,89");
  EXPECT_EQ(FormatFloat(".00", 12.5, f), "12.50");
  EXPECT_EQ(FormatFloat("0", -5, f), "-5");
  EXPECT_EQ(FormatFloat("0;", -5, f), "-5");
  EXPECT_EQ(FormatFloat("0;-0;'zero'", 0, f), "zero");
  EXPECT_EQ(FormatFloat("0;-0;'zero'", 0.0001, f), "zero");
  EXPECT_EQ(FormatFloat("0;(0);", 0, f), "0");
  EXPECT_EQ(FormatFloat("'n;o' 0 \"#\"", 5, f), "n;o 5 #");
  EXPECT_EQ(FormatFloat("0 min", 30, f), "30 min");
  EXPECT_EQ(FormatFloat("abc", 30, f), "abc");
  EXPECT_EQ(FormatFloat("0.00", 1e-300, f), "0.00");
}

TEST(NumberFormat, FallsBackToTheGeneralFormat) {
  const LocaleFormats f = Point();
  EXPECT_EQ(FormatFloat("", 2.5, f), "2.5");
  EXPECT_EQ(FormatFloat(",0", 1e20, f), "1E20");
  EXPECT_EQ(FormatFloat(",0", std::numeric_limits<double>::quiet_NaN(), f), "NAN");
  EXPECT_EQ(FormatFloat(",0", -INFINITY, f), "-INF");
  EXPECT_EQ(FloatToStr(0, f), "0");
  EXPECT_EQ(FloatToStr(-2.5, Comma()), "-2,5");
  EXPECT_EQ(FloatToStr(0.1, f), "0.1");
  EXPECT_EQ(FloatToStr(1.0 / 3, f), "0.333333333333333");
  EXPECT_EQ(FloatToStr(1.5e-7, f), "1.5E-7");
  EXPECT_EQ(FloatToStr(123456789012345.0, f), "123456789012345");
  EXPECT_EQ(FloatToStr(1e15, f), "1E15");
  EXPECT_EQ(FloatToStr(INFINITY, f), "INF");
}

TEST(NumberFormat, ReadsNumbers) {
  const LocaleFormats f = Point();
  EXPECT_EQ(StrToFloat("30", f), 30);
  EXPECT_EQ(StrToFloat(" -1.5 ", f), -1.5);
  EXPECT_EQ(StrToFloat("+7", f), 7);
  EXPECT_EQ(StrToFloat("1E3", f), 1000);
  EXPECT_EQ(StrToFloat("-1E-3", f), -0.001);
  EXPECT_EQ(StrToFloat("1e+3", f), 1000);
  EXPECT_EQ(StrToFloat(".5", f), 0.5);
  EXPECT_EQ(StrToFloat("5.", f), 5);
  EXPECT_EQ(StrToFloat("0001234", f), 1234);
  EXPECT_EQ(StrToFloat("2,5", Comma()), 2.5);
  EXPECT_EQ(StrToFloat("1E-400", f), 0.0);  // too small: zero
  EXPECT_EQ(StrToFloat("0.000000000000000000000000000000001E-300", f), 0.0);
}

TEST(NumberFormat, RefusesWhatIsNotANumber) {
  const LocaleFormats f = Point();
  for (const char* text : {"", " ", "abc", "1E", "1E+", "E5", "-", "+", ".", "1.2.3", "1,234",
                           "(5)", "5-", "--5", "1 2", "0x10", "1E400", "-1E400", "nan", "inf",
                           "1E99999999999999999999999"}) {
    EXPECT_FALSE(TryStrToFloat(text, f)) << text;
  }
  EXPECT_FALSE(TryStrToFloat("2.5", Comma()));
  try {
    StrToFloat("1E", f);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'1E' is not a valid floating point value");
  }
}

TEST(NumberFormat, GeneralTextReadsBack) {
  const LocaleFormats f = Comma();
  for (double v : {0.0, 1.0, -2.5, 1e-7, 123456.789, 1e15, -9.87654321e100, 30.0}) {
    EXPECT_EQ(StrToFloat(FloatToStr(v, f), f), v) << v;
  }
}

TEST(NumberFormat, ConvenienceFormsUseThePlatformLocale) {
  platform::HeadlessPlatform headless;
  platform::Install(&headless);
  headless.locale().SetFormats(Comma());
  EXPECT_EQ(FormatFloat(",0;(,0)", -12345), "(12.345)");
  EXPECT_EQ(StrToFloat("1,5"), 1.5);
  EXPECT_EQ(FloatToStr(1.5), "1,5");
  platform::Install(nullptr);
}

}  // namespace
}  // namespace tandrel
