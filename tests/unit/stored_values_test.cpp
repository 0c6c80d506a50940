// Integers and Booleans as the settings file holds them: every text form the
// reader accepts, and every malformed or out-of-range one falling back to
// the default.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "framework/StoredValues.h"

namespace tandrel {
namespace {

constexpr std::int32_t kDefault = 30;

TEST(StoredValues, ReadsDecimalNumbers) {
  EXPECT_EQ(ReadStoredInteger("5", kDefault), 5);
  EXPECT_EQ(ReadStoredInteger("0", kDefault), 0);
  EXPECT_EQ(ReadStoredInteger("-7", kDefault), -7);
  EXPECT_EQ(ReadStoredInteger("+7", kDefault), 7);
  EXPECT_EQ(ReadStoredInteger("007", kDefault), 7);
  EXPECT_EQ(ReadStoredInteger("  12", kDefault), 12);
  EXPECT_EQ(ReadStoredInteger("2147483647", kDefault), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(ReadStoredInteger("-2147483648", kDefault), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ReadStoredInteger("00000000000000000000000042", kDefault), 42);
}

TEST(StoredValues, ReadsHexadecimalNumbers) {
  EXPECT_EQ(ReadStoredInteger("0x1E", kDefault), 30);
  EXPECT_EQ(ReadStoredInteger("0X1e", kDefault), 30);
  EXPECT_EQ(ReadStoredInteger("0x0", kDefault), 0);
  EXPECT_EQ(ReadStoredInteger("$1E", kDefault), 30);
  EXPECT_EQ(ReadStoredInteger("-$10", kDefault), -16);
  EXPECT_EQ(ReadStoredInteger("0x7FFFFFFF", kDefault), 2147483647);
  EXPECT_EQ(ReadStoredInteger("0xFFFFFFFF", kDefault), -1);  // 32 bits as written
  EXPECT_EQ(ReadStoredInteger("$80000000", kDefault), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ReadStoredInteger("0x00000000000000001", kDefault), 1);
}

TEST(StoredValues, AnythingElseGivesTheDefault) {
  for (const char* text : {"", " ", "abc", "1a", "12 ", "1.5", "1e3", "--1", "+-1", "-", "+",
                           "$", "-$", "0x", "0X", "x1E", "0x1G", "0x-1", " 0x1E", "$ 1",
                           "2147483648", "-2147483649", "99999999999999999999", "0x100000000",
                           "$100000000", "１２", "1\n"}) {
    EXPECT_EQ(ReadStoredInteger(text, kDefault), kDefault) << '"' << text << '"';
    EXPECT_FALSE(TryReadStoredInteger(text)) << '"' << text << '"';
  }
  EXPECT_EQ(ReadStoredInteger(std::string("1\0", 2), kDefault), kDefault);
}

TEST(StoredValues, BooleansAreIntegersNonZeroMeaningTrue) {
  EXPECT_TRUE(ReadStoredBool("1", false));
  EXPECT_TRUE(ReadStoredBool("5", false));
  EXPECT_TRUE(ReadStoredBool("-1", false));
  EXPECT_TRUE(ReadStoredBool("0x10", false));
  EXPECT_FALSE(ReadStoredBool("0", true));
  EXPECT_FALSE(ReadStoredBool("0x0", true));
  EXPECT_TRUE(ReadStoredBool("", true));
  EXPECT_FALSE(ReadStoredBool("", false));
  EXPECT_TRUE(ReadStoredBool("yes", true));  // not a number: the default
  EXPECT_FALSE(ReadStoredBool("true", false));
}

TEST(StoredValues, WrittenTextsReadBack) {
  EXPECT_EQ(StoredBoolText(true), "1");
  EXPECT_EQ(StoredBoolText(false), "0");
  EXPECT_EQ(StoredIntegerText(-42), "-42");
  EXPECT_EQ(StoredIntegerText(30), "30");
  for (std::int32_t v : {0, 1, -1, 10000, std::numeric_limits<std::int32_t>::min(),
                         std::numeric_limits<std::int32_t>::max()}) {
    EXPECT_EQ(ReadStoredInteger(StoredIntegerText(v), v == 7 ? 8 : 7), v);
  }
}

}  // namespace
}  // namespace tandrel
