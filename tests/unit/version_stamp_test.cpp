// The caption's version stamp.
#include <gtest/gtest.h>

#include "app/UPub_Version.h"

namespace tandrel {
namespace {

TEST(StampVersion, ReplacesThePlaceholderInTheStoredCaption) {
  EXPECT_EQ(StampVersion("Velmora V$V$(定时关机)", kVersionText), "Velmora V2.9(定时关机)");
}

TEST(StampVersion, MatchesAnyCaseAndEveryOccurrence) {
  EXPECT_EQ(StampVersion("$v$ and $V$ and $v$", "2.9"), "2.9 and 2.9 and 2.9");
  EXPECT_EQ(StampVersion("$v$$V$", "x"), "xx");
}

TEST(StampVersion, LeavesTextWithoutThePlaceholderAlone) {
  EXPECT_EQ(StampVersion("Velmora V1.0(定时关机)", "2.9"), "Velmora V1.0(定时关机)");
  EXPECT_EQ(StampVersion("$V", "2.9"), "$V");
  EXPECT_EQ(StampVersion("V$", "2.9"), "V$");
  EXPECT_EQ(StampVersion("", "2.9"), "");
  // A replacement that itself looks like a placeholder is not replaced again.
  EXPECT_EQ(StampVersion("$V$", "$V$"), "$V$");
}

}  // namespace
}  // namespace tandrel
