// The regional formats of a Simplified Chinese Windows, which the date and
// time texts of the settings file follow. Both backends must report them
// alike (Wine runs with the zh_CN locale).
#include <gtest/gtest.h>

#include <memory>

#include "contract/ContractSupport.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

TEST(LocaleContract, ChineseFormatsAndSeparators) {
  auto platform = platform::CreatePlatform();
  const platform::LocaleFormats formats = platform->locale().Formats();
  EXPECT_EQ(formats.shortDate, "yyyy/M/d");
  EXPECT_EQ(formats.longTime, "HH:mm:ss");
  EXPECT_EQ(formats.dateSeparator, "/");
  EXPECT_EQ(formats.timeSeparator, ":");
  EXPECT_EQ(formats.timeAm, "上午");
  EXPECT_EQ(formats.timePm, "下午");
  EXPECT_EQ(formats.decimalSeparator, ".");
  EXPECT_EQ(formats.thousandSeparator, ",");
}

TEST(LocaleContract, SeparatorsAreThoseTheFormatsUse) {
  auto platform = platform::CreatePlatform();
  const platform::LocaleFormats formats = platform->locale().Formats();
  EXPECT_NE(formats.shortDate.find(formats.dateSeparator), std::string::npos);
  EXPECT_NE(formats.longTime.find(formats.timeSeparator), std::string::npos);
  EXPECT_NE(formats.decimalSeparator, formats.thousandSeparator);
}

// The formats are kept between calls (the clock asks twice a second); the
// setting-change broadcast is what makes them read again.
TEST(LocaleContract, ChangedSettingsAreReadAfterTheNotice) {
  auto platform = platform::CreatePlatform();
  const std::string before = platform->locale().Formats().shortDate;
  {
    auto changed = ChangeUserShortDate(*platform, "yyyy-MM-dd");
    platform->locale().SettingsChanged();
    EXPECT_EQ(platform->locale().Formats().shortDate, "yyyy-MM-dd");
  }
  platform->locale().SettingsChanged();
  EXPECT_EQ(platform->locale().Formats().shortDate, before);
}

}  // namespace
}  // namespace tandrel::contract
