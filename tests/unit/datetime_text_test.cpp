// Date and time texts in the user's regional formats: writing them, reading
// back what was written under the same formats, and refusing everything
// else with the conversion error.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

LocaleFormats ChineseFormats() { return LocaleFormats{}; }  // yyyy/M/d, HH:mm:ss, 上午/下午

LocaleFormats UsFormats() {
  LocaleFormats f;
  f.shortDate = "M/d/yyyy";
  f.longTime = "h:mm:ss tt";
  f.timeAm = "AM";
  f.timePm = "PM";
  return f;
}

LocaleFormats GermanFormats() {
  LocaleFormats f;
  f.shortDate = "dd.MM.yy";
  f.longTime = "HH:mm:ss";
  f.dateSeparator = ".";
  return f;
}

double At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return EncodeDate(y, mo, d) + EncodeTime(h, mi, s, ms);
}

TEST(DateTimeText, WritesTheChineseDefaults) {
  const LocaleFormats f = ChineseFormats();
  EXPECT_EQ(DateToStr(At(2026, 12, 8, 15, 4, 5), f), "2026/12/8");
  EXPECT_EQ(DateToStr(At(2026, 1, 5), f), "2026/1/5");
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 9, 5, 3), f), "09:05:03");
  EXPECT_EQ(TimeToStr(At(2026, 12, 8), f), "00:00:00");
  EXPECT_EQ(DateTimeToStr(At(2026, 12, 8, 9, 5, 3), f), "2026/12/8 09:05:03");
}

TEST(DateTimeText, DateTimeLeavesOutAMidnightTimeToTheSecond) {
  const LocaleFormats f = ChineseFormats();
  EXPECT_EQ(DateTimeToStr(At(2026, 12, 8), f), "2026/12/8");
  EXPECT_EQ(DateTimeToStr(At(2026, 12, 8, 0, 0, 0, 400), f), "2026/12/8");  // milliseconds do not count
  EXPECT_EQ(DateTimeToStr(At(2026, 12, 8, 0, 0, 1), f), "2026/12/8 00:00:01");
  EXPECT_EQ(DateTimeToStr(At(2026, 12, 8, 0, 1, 0), f), "2026/12/8 00:01:00");
  EXPECT_EQ(FormatDateTime("c", At(2026, 12, 8, 13, 0, 0), f), "2026/12/8 13:00:00");
  EXPECT_EQ(FormatDateTime("c", At(2026, 12, 8), f), "2026/12/8");
}

TEST(DateTimeText, WritesTwelveHourClocksAndDesignators) {
  const LocaleFormats us = UsFormats();
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 13, 5, 9), us), "1:05:09 PM");
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 0, 30, 0), us), "12:30:00 AM");
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 12, 0, 0), us), "12:00:00 PM");
  EXPECT_EQ(DateToStr(At(2026, 12, 8), us), "12/8/2026");
  LocaleFormats zh = ChineseFormats();
  zh.longTime = "tt h:mm:ss";
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 13, 5, 9), zh), "下午 1:05:09");
  EXPECT_EQ(FormatDateTime("t hh", At(2026, 12, 8, 9, 0, 0), zh), "上 09");
  EXPECT_EQ(FormatDateTime("HH:mm AMPM", At(2026, 12, 8, 21, 7, 0), us), "21:07 PM");
}

TEST(DateTimeText, WritesOtherFieldsQuotesAndUnknownLetters) {
  const LocaleFormats f = ChineseFormats();
  const double v = At(2026, 12, 8, 7, 8, 9);
  EXPECT_EQ(FormatDateTime("dd.MM.yy", v, f), "08.12.26");
  EXPECT_EQ(FormatDateTime("y|yy|yyyy|yyyyy", At(2005, 3, 4), f), "5|05|2005|2005");
  EXPECT_EQ(FormatDateTime("yyyy", At(987, 3, 4), f), "0987");
  EXPECT_EQ(FormatDateTime("yyyy'年'M'月'd'日'", v, f), "2026年12月8日");
  EXPECT_EQ(FormatDateTime("\"d\" d 'it''s'", v, f), "d 8 it's");
  EXPECT_EQ(FormatDateTime("'unclosed d", v, f), "unclosed d");
  EXPECT_EQ(FormatDateTime("dddd, MMMM d; ddd MMM", v, f), "Tuesday, December 8; Tue Dec");
  EXPECT_EQ(FormatDateTime("H:m:s qz", v, f), "7:8:9 qz");
  EXPECT_EQ(FormatDateTime("gg yyyy", v, f), " 2026");
  EXPECT_EQ(FormatDateTime("", v, f), "");
}

TEST(DateTimeText, RefusesToWriteValuesOutsideTheCalendar) {
  EXPECT_THROW(DateToStr(1e12, ChineseFormats()), EConvertError);
  EXPECT_THROW(TimeToStr(std::nan(""), ChineseFormats()), EConvertError);
}

TEST(DateTimeText, ReadsBackEveryDayItWrote) {
  for (const LocaleFormats& f : {ChineseFormats(), UsFormats(), GermanFormats()}) {
    for (double day = EncodeDate(1950, 1, 1); day <= EncodeDate(2049, 12, 31); day += 1) {
      const std::string text = DateToStr(day, f);
      const auto back = TryStrToDate(text, f);
      ASSERT_TRUE(back) << f.shortDate << " " << text;
      ASSERT_EQ(*back, day) << f.shortDate << " " << text;
    }
  }
  for (const char* format : {"yyyyMMdd", "d.M.yyyy", "yyyy-MM-dd", "yyyy'年'M'月'd'日'",
                             "dddd, MMMM d, yyyy", "MMM d yyyy"}) {
    LocaleFormats f;
    f.shortDate = format;
    for (double day = EncodeDate(1, 1, 1); day <= EncodeDate(9999, 12, 31); day += 997) {
      const std::string text = DateToStr(day, f);
      ASSERT_EQ(TryStrToDate(text, f), day) << format << " " << text;
    }
  }
}

TEST(DateTimeText, ReadsBackEveryTimeItWrote) {
  LocaleFormats chineseTwelve = ChineseFormats();
  chineseTwelve.longTime = "tt h:mm:ss";
  LocaleFormats shortHour = ChineseFormats();
  shortHour.longTime = "H:m:s";
  for (const LocaleFormats& f : {ChineseFormats(), UsFormats(), chineseTwelve, shortHour}) {
    for (int second = 0; second < 86400; second += 7) {
      const double time = EncodeTime(second / 3600, second / 60 % 60, second % 60, 0);
      const std::string text = TimeToStr(time, f);
      const auto back = TryStrToTime(text, f);
      ASSERT_TRUE(back) << f.longTime << " " << text;
      ASSERT_EQ(*back, time) << f.longTime << " " << text;
    }
  }
}

TEST(DateTimeText, ReadsWithSomeLatitude) {
  const LocaleFormats zh = ChineseFormats();
  EXPECT_EQ(StrToDate("  2026/12/8 ", zh), EncodeDate(2026, 12, 8));
  EXPECT_EQ(StrToDate("2026/01/08", zh), EncodeDate(2026, 1, 8));
  EXPECT_EQ(StrToDate("26/12/8", zh), EncodeDate(2026, 12, 8));  // two-digit year
  EXPECT_EQ(StrToTime("15:30", zh), EncodeTime(15, 30, 0, 0));   // seconds left out
  EXPECT_EQ(StrToTime("5:03:09", zh), EncodeTime(5, 3, 9, 0));
  const LocaleFormats us = UsFormats();
  EXPECT_EQ(StrToTime("3:15 PM", us), EncodeTime(15, 15, 0, 0));
  EXPECT_EQ(StrToTime("03:15:00 pm", us), EncodeTime(15, 15, 0, 0));
  EXPECT_EQ(StrToTime("3:15:00PM", us), EncodeTime(15, 15, 0, 0));
  EXPECT_EQ(StrToTime("15:15:00", us), EncodeTime(15, 15, 0, 0));  // no designator: 24-hour
  EXPECT_EQ(StrToTime("12:00:00 AM", us), 0.0);
  EXPECT_EQ(StrToTime("12:00:00 PM", us), 0.5);
  LocaleFormats zhTwelve = ChineseFormats();
  zhTwelve.longTime = "tt h:mm:ss";
  EXPECT_EQ(StrToTime("下午 3:15:00", zhTwelve), EncodeTime(15, 15, 0, 0));
  EXPECT_EQ(StrToTime("PM 3:15:00", zhTwelve), EncodeTime(15, 15, 0, 0));
}

TEST(DateTimeText, DesignatorsThatCannotTellTheHalvesApartGiveA24HourClock) {
  LocaleFormats noDesignators = UsFormats();
  noDesignators.timeAm = "";
  noDesignators.timePm = "";
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 17, 3, 0), noDesignators), "17:03:00 ");
  EXPECT_EQ(StrToTime("17:03:00", noDesignators), EncodeTime(17, 3, 0, 0));
  LocaleFormats sameFirstLetter = ChineseFormats();
  sameFirstLetter.longTime = "t h:mm:ss";
  sameFirstLetter.timeAm = "오전";
  sameFirstLetter.timePm = "오후";
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 17, 3, 0), sameFirstLetter), "오 17:03:00");
  EXPECT_EQ(StrToTime("오 17:03:00", sameFirstLetter), EncodeTime(17, 3, 0, 0));
  sameFirstLetter.longTime = "tt h:mm:ss";  // the whole designators differ
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 17, 3, 0), sameFirstLetter), "오후 5:03:00");
  EXPECT_EQ(StrToTime("오후 5:03:00", sameFirstLetter), EncodeTime(17, 3, 0, 0));
  LocaleFormats padded = UsFormats();
  padded.longTime = "h:mm:sstt";
  padded.timeAm = " AM";
  padded.timePm = " PM";
  EXPECT_EQ(TimeToStr(At(2026, 12, 8, 0, 30, 0), padded), "12:30:00 AM");
  EXPECT_EQ(StrToTime("12:30:00 AM", padded), EncodeTime(0, 30, 0, 0));
  EXPECT_EQ(StrToTime("12:30:00  PM ", padded), EncodeTime(12, 30, 0, 0));
}

TEST(DateTimeText, TwoDigitYearsFallIn1950To2049) {
  const LocaleFormats de = GermanFormats();
  EXPECT_EQ(StrToDate("08.12.49", de), EncodeDate(2049, 12, 8));
  EXPECT_EQ(StrToDate("08.12.50", de), EncodeDate(1950, 12, 8));
  EXPECT_EQ(StrToDate("08.12.00", de), EncodeDate(2000, 12, 8));
  EXPECT_EQ(StrToDate("08.12.1949", de), EncodeDate(1949, 12, 8));
  EXPECT_EQ(StrToDate("08.12.0049", de), EncodeDate(49, 12, 8));
}

TEST(DateTimeText, RefusesJunkWithTheConversionError) {
  const LocaleFormats zh = ChineseFormats();
  for (const char* text : {"", " ", "abc", "2026/2/30", "2026/2/29", "2026/13/1", "2026/0/1",
                           "0000/1/1", "2026/12/8x", "2026/12/8 15:00:00", "2026-12-8", "2026/12",
                           "2026/012/8", "02026/1/1", "２０２６/12/8", "2026//8", "/12/8",
                           "-2026/12/8", "+2026/12/8", "2026/12/8/"}) {
    EXPECT_FALSE(TryStrToDate(text, zh)) << text;
  }
  for (const char* text : {"", "25:00:00", "24:00:00", "12:60:00", "12:00:60", "12", "12:",
                           "12:00:", "12:00:00:00", "12.00.00", "noon", "12:00:00 PM",
                           "-1:00:00", "1:2:3 4"}) {
    EXPECT_FALSE(TryStrToTime(text, zh)) << text;
  }
  const LocaleFormats us = UsFormats();
  for (const char* text : {"13:00:00 PM", "0:00:00 XM", "3:15 PM PM", "3:15 AMX"}) {
    EXPECT_FALSE(TryStrToTime(text, us)) << text;
  }
}

TEST(DateTimeText, ConversionErrorsQuoteTheText) {
  const LocaleFormats zh = ChineseFormats();
  try {
    StrToDate("2026/2/30", zh);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'2026/2/30' is not a valid date");
  }
  try {
    StrToTime("25:00:00", zh);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'25:00:00' is not a valid time");
  }
  try {
    StrToTime("", zh);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "'' is not a valid time");
  }
}

TEST(DateTimeText, AFieldWrittenTwiceMustAgree) {
  LocaleFormats f;
  f.shortDate = "yyyy/M/d (d)";
  EXPECT_EQ(StrToDate("2026/12/8 (8)", f), EncodeDate(2026, 12, 8));
  EXPECT_FALSE(TryStrToDate("2026/12/8 (9)", f));
}

TEST(DateTimeText, AFormatWithoutAYearCannotBeRead) {
  LocaleFormats f;
  f.shortDate = "M/d";
  EXPECT_EQ(DateToStr(At(2026, 12, 8), f), "12/8");
  EXPECT_FALSE(TryStrToDate("12/8", f));
}

TEST(DateTimeText, ReadsDateTimeTexts) {
  const LocaleFormats zh = ChineseFormats();
  EXPECT_EQ(StrToDateTime("2026/12/8 15:30:05", zh), At(2026, 12, 8, 15, 30, 5));
  EXPECT_EQ(StrToDateTime("2026/12/8", zh), At(2026, 12, 8));
  EXPECT_EQ(StrToDateTime("2026/12/8 15:30", zh), At(2026, 12, 8, 15, 30));
  EXPECT_FALSE(TryStrToDateTime("2026/12/815:30:05", zh));
  EXPECT_FALSE(TryStrToDateTime("2026/12/8 25:30:05", zh));
  EXPECT_THROW(StrToDateTime("x", zh), EConvertError);
  const double v = At(2031, 7, 1, 23, 59, 59);
  EXPECT_EQ(StrToDateTime(DateTimeToStr(v, UsFormats()), UsFormats()), v);
}

class DateTimeTextWithPlatform : public ::testing::Test {
 protected:
  void SetUp() override { platform::Install(&platform_); }
  void TearDown() override { platform::Install(nullptr); }
  platform::HeadlessPlatform platform_;
};

TEST_F(DateTimeTextWithPlatform, FollowsTheUsersRegionalSettings) {
  const double v = At(2026, 12, 8, 13, 5, 9);
  EXPECT_EQ(DateTimeToStr(v), "2026/12/8 13:05:09");
  platform_.locale().SetFormats(UsFormats());
  EXPECT_EQ(DateToStr(v), "12/8/2026");
  EXPECT_EQ(TimeToStr(v), "1:05:09 PM");
  EXPECT_EQ(FormatDateTime("c", v), "12/8/2026 1:05:09 PM");
  EXPECT_EQ(StrToDate("12/8/2026"), EncodeDate(2026, 12, 8));
  EXPECT_EQ(StrToTime("1:05:09 PM"), EncodeTime(13, 5, 9, 0));
  // A text written under the old settings no longer reads.
  EXPECT_THROW(StrToDate("2026/12/8"), EConvertError);
}

// Windows broadcasts a setting change when the user changes the regional
// settings; the formats are read afresh only after it.
TEST(DateTimeTextWithApplication, TheSettingChangeBroadcastReachesTheLocale) {
  testing::HeadlessApp env;
  env.windows().Send(env.app().Handle(), platform::msg::kSettingChange, 0, 0);
  EXPECT_EQ(env.platform().locale().SettingsNotices(), 1);
}

}  // namespace
}  // namespace tandrel
