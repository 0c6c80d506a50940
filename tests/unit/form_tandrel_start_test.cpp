// Arming a schedule with Start: the guard, both modes' targets, the roll of
// the date with repeat run, the status texts and the armed look.
#include <gtest/gtest.h>

#include <string>

#include "framework/DateTimeText.h"
#include "framework/Exceptions.h"
#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

constexpr char kTooShort[] = "您的设置可能导致系统在启动后马上关闭,请把递减时间设为大于5分钟!";
constexpr char kExpired[] = "设置的时间已经过期!";

class FormTandrelStart : public FormTandrelFixture {
 protected:
  static bool Armed(TFormTandrel& form) {
    return form.Timer1->Enabled() && !form.BTNStart->Visible() && form.BTNStop->Visible() &&
           !form.GBOption->Visible() && !form.GBSet->Enabled() && form.LabInfo->Visible();
  }
  static bool Idle(TFormTandrel& form) {
    return !form.Timer1->Enabled() && form.BTNStart->Visible() && !form.BTNStop->Visible() &&
           form.GBOption->Visible() && form.GBSet->Enabled();
  }
  int BoxesWith(const std::string& text) {
    int n = 0;
    for (const auto& box : Boxes()) n += box.request.text == text ? 1 : 0;
    return n;
  }
};

TEST_F(FormTandrelStart, GuardNeedsAutorunRepeatAndAtMostFiveMinutesInBothModes) {
  struct Case {
    const char* file;
    bool guarded;
  } cases[] = {
      {"[CB]\r\nAutoRun=1\r\nCBCF=1\r\nRBFS=0\r\n[Set]\r\nFZ=5\r\n", true},
      {"[CB]\r\nAutoRun=1\r\nCBCF=1\r\nRBFS=1\r\n[Set]\r\nFZ=5\r\nSJ=23:00:00\r\n", true},
      {"[CB]\r\nAutoRun=1\r\nCBCF=1\r\nRBFS=0\r\n[Set]\r\nFZ=-3\r\n", true},
      {"[CB]\r\nAutoRun=1\r\nCBCF=1\r\nRBFS=0\r\n[Set]\r\nFZ=6\r\n", false},
      {"[CB]\r\nAutoRun=0\r\nCBCF=1\r\nRBFS=0\r\n[Set]\r\nFZ=1\r\n", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    DropForms();
    const std::size_t boxesBefore = Boxes().size();
    WriteIni(c.file);
    // The first showing activates the window; repeat run presses Start.
    TFormTandrel& form = CreateAndShow();
    if (c.guarded) {
      ASSERT_EQ(Boxes().size(), boxesBefore + 1);
      EXPECT_EQ(Boxes().back().request.text, kTooShort);
      EXPECT_EQ(Boxes().back().request.caption, "Velmora");
      EXPECT_EQ(Boxes().back().request.flags, 0u);
      EXPECT_EQ(form.VMFenZhong->IntegerValue(), 10);
      EXPECT_EQ(form.FMinutes, 10);
      EXPECT_EQ(Stored("Set", "FZ"), "10");
      EXPECT_TRUE(Idle(form));
    } else {
      EXPECT_EQ(Boxes().size(), boxesBefore);
      EXPECT_TRUE(Armed(form));
    }
  }
}

TEST_F(FormTandrelStart, GuardBoxShowsOnceAndALaterActivationPressesStartAgain) {
  WriteIni("[CB]\r\nAutoRun=1\r\nCBCF=1\r\nRBFS=0\r\n[Set]\r\nFZ=2\r\n");
  // The box's answer sets the field back to 2 before Start runs again, so a
  // second guard box would follow if the activation after the box pressed Start.
  TFormTandrel& form = CreateAndShow();
  EXPECT_EQ(BoxesWith(kTooShort), 1);
  EXPECT_EQ(Stored("Set", "FZ"), "10");
  // An independent activation later (the warning window hands the focus back).
  FormWarn->Show();
  form.VMFenZhong->SetIntegerValue(3);
  form.Show();
  EXPECT_EQ(BoxesWith(kTooShort), 2);
  EXPECT_EQ(Stored("Set", "FZ"), "10");
}

TEST_F(FormTandrelStart, RepeatRunPastMidnightTakesYesterdaysDateAsToday) {
  // Loaded before midnight, started after it (a suspend in the evening).
  struct Case {
    int hour, minute;
    DateParts target;
  } cases[] = {{9, 0, {2026, 3, 11}}, {23, 30, {2026, 3, 12}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hour);
    DropForms();
    SetClock(2026, 3, 10, 22, 0, 0);
    WriteIni("[CB]\r\nCBCF=1\r\n[Set]\r\nRQ=2026/3/10\r\nSJ=23:00:00\r\n");
    TFormTandrel& form = Create();
    SetClock(2026, 3, 11, c.hour, c.minute, 0);
    app().Run();
    EXPECT_EQ(BoxesWith(kExpired), 0);
    ASSERT_TRUE(Armed(form));
    EXPECT_EQ(DecodeDateTime(form.FTarget), (DateTimeParts{c.target, {23, 0, 0, 0}}));
    EXPECT_EQ(DecodeDate(form.DateTimePicker1->Date()), c.target);
    EXPECT_EQ(DecodeDate(StrToDate(form.FDateText)), c.target);
    // The roll lives in the field and the picker only.
    EXPECT_EQ(Stored("Set", "RQ"), "2026/3/10");
  }
}

TEST_F(FormTandrelStart, CountdownTargetKeepsTheMillisecondsOfNow) {
  WriteIni("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=30\r\n");
  TFormTandrel& form = CreateAndShow();
  form.BTNStart->Click();
  EXPECT_EQ(DecodeDateTime(form.FTarget),
            (DateTimeParts{{2026, 3, 10}, {10, 30, 0, 250}}));
  EXPECT_EQ(form.FActionName, "关机");
  EXPECT_EQ(form.VmStatusPane1->Caption(), "定时任务执行中...");
  EXPECT_EQ(form.VmStatusPane2->Caption(), "关机:2026/3/10 10:30:00");
  EXPECT_TRUE(Armed(form));
  EXPECT_EQ(form.LabInfo->Caption(), "");
  EXPECT_TRUE(app().Minimized());
  // Arming writes nothing.
  EXPECT_EQ(Stored("Set", "RQ"), "<absent>");
}

TEST_F(FormTandrelStart, CountdownReadsTheFieldNotTheStoredMinutes) {
  WriteIni("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=30\r\n");
  TFormTandrel& form = CreateAndShow();
  form.FMinutes = 500;
  form.BTNStart->Click();
  EXPECT_EQ(DecodeDateTime(form.FTarget).time, (TimeParts{10, 30, 0, 250}));
}

TEST_F(FormTandrelStart, RepeatRunRollsAPassedTimeOfTodayToTomorrow) {
  SetClock(2026, 3, 10, 7, 0, 0);
  WriteIni("[CB]\r\nCBCF=1\r\n[Set]\r\nRQ=2026/3/10\r\nSJ=08:00:00\r\n");
  TFormTandrel& form = CreateAndShow();
  // At 07:00 the moment is still ahead: today.
  EXPECT_EQ(DecodeDateTime(form.FTarget), (DateTimeParts{{2026, 3, 10}, {8, 0, 0, 0}}));
  EXPECT_EQ(form.FDateText, "2026/3/10");

  SetClock(2026, 3, 10, 9, 0, 0);
  form.BTNStart->Click();
  EXPECT_EQ(DecodeDateTime(form.FTarget), (DateTimeParts{{2026, 3, 11}, {8, 0, 0, 0}}));
  EXPECT_EQ(form.FDateText, "2026/3/11");
  EXPECT_EQ(DecodeDate(form.DateTimePicker1->Date()), (DateParts{2026, 3, 11}));
  EXPECT_EQ(form.VmStatusPane2->Caption(), "关机:2026/3/11 08:00:00");
  // The roll lives in the field and the picker only.
  EXPECT_EQ(Stored("Set", "RQ"), "2026/3/10");
}

TEST_F(FormTandrelStart, NoRollForADateAheadOrWithTheDateInputShown) {
  WriteIni("[CB]\r\nCBCF=1\r\n[Set]\r\nRQ=2026/3/13\r\nSJ=08:00:00\r\n");
  TFormTandrel& form = CreateAndShow();
  EXPECT_EQ(DecodeDateTime(form.FTarget), (DateTimeParts{{2026, 3, 13}, {8, 0, 0, 0}}));

  // Date input shown: a moment one minute ago is refused, not rolled.
  DropForms();
  WriteIni("[Set]\r\nRQ=2026/3/10\r\nSJ=10:01:00\r\n");
  TFormTandrel& shown = CreateAndShow();
  SetClock(2026, 3, 10, 10, 2, 0);
  shown.BTNStart->Click();
  EXPECT_EQ(BoxesWith(kExpired), 1);
  EXPECT_EQ(shown.FDateText, "2026/3/10");
  EXPECT_EQ(DecodeTime(shown.DateTimePicker1->DateTime()), (TimeParts{10, 1, 0, 0}));
  EXPECT_TRUE(Idle(shown));
}

TEST_F(FormTandrelStart, ACandidateEqualToNowIsAccepted) {
  WriteIni("[Set]\r\nRQ=2026/3/10\r\nSJ=10:01:00\r\n");
  TFormTandrel& form = CreateAndShow();
  SetClock(2026, 3, 10, 10, 1, 0, 0);
  form.BTNStart->Click();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_TRUE(Armed(form));
  SetClock(2026, 3, 10, 10, 1, 0, 1);
  form.BTNStop->Click();
  form.BTNStart->Click();
  EXPECT_EQ(BoxesWith(kExpired), 1);
}

TEST_F(FormTandrelStart, StatusTextsNameTheActionAndMidnightShowsOnlyTheDate) {
  WriteIni("[Set]\r\nRQ=2026/3/11\r\nSJ=00:00:00\r\nSD=5\r\n");
  TFormTandrel& form = CreateAndShow();
  form.BTNStart->Click();
  EXPECT_EQ(form.FActionName, "挂起");
  EXPECT_EQ(form.VmStatusPane2->Caption(), "挂起:2026/3/11");

  // An unknown code keeps the name it had.
  form.FAction = 9;
  form.BTNStart->Click();
  EXPECT_EQ(form.VmStatusPane2->Caption(), "挂起:2026/3/11");
  form.BTNStop->Click();
  form.BTNStart->Click();
  EXPECT_EQ(form.VmStatusPane2->Caption(), ":2026/3/11");
}

TEST_F(FormTandrelStart, ACountdownBeforeYearOneIsRefusedWithoutAHalfArmedWindow) {
  WriteIni("[CB]\r\nRBFS=0\r\n");
  TFormTandrel& form = CreateAndShow();
  form.VMFenZhong->SetIntegerValue(-2147483648LL);
  EXPECT_THROW(form.BTNStart->Click(), EConvertError);
  EXPECT_TRUE(Idle(form));
  EXPECT_EQ(form.VmStatusPane1->Caption(), "无定时任务");
  EXPECT_EQ(form.VmStatusPane2->Caption(), "");
  EXPECT_EQ(form.FActionName, "");
  EXPECT_EQ(form.FTarget, 0.0);
  // The largest count still arms, some four thousand years ahead.
  form.VMFenZhong->SetIntegerValue(2147483647);
  form.BTNStart->Click();
  EXPECT_TRUE(Armed(form));
}

TEST_F(FormTandrelStart, ActionNamesFollowTheCodes) {
  const char* names[] = {"关机", "注销", "重启", "强行关机", "挂起", "休眠"};
  WriteIni("[CB]\r\nRBFS=0\r\n");
  TFormTandrel& form = CreateAndShow();
  for (int code = 1; code <= 6; ++code) {
    form.FAction = code;
    form.BTNStart->Click();
    EXPECT_EQ(form.FActionName, names[code - 1]);
  }
}

}  // namespace
}  // namespace tandrel::testing
