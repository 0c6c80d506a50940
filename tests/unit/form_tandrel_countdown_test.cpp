// The armed schedule's ticks: the countdown label and tray hint, firing and
// its repeats, the missed moment, the hand-over to the warning window, Stop.
#include <gtest/gtest.h>

#include <string>

#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

class FormTandrelCountdown : public FormTandrelFixture {
 protected:
  // Countdown mode with `minutes`, armed at 10:00:00.250. The wall clock
  // then moves on by half a second, so every tick (10:00:01.750, ...) lies
  // half a second away from a whole-second boundary of the target: the
  // truncated counts are then free of rounding doubts.
  TFormTandrel& ArmCountdown(int minutes, const std::string& more = "") {
    WriteIni("[CB]\r\nRBFS=0\r\n" + more + "[Set]\r\nFZ=" + std::to_string(minutes) + "\r\n");
    TFormTandrel& form = CreateAndShow();
    form.BTNStart->Click();
    SetClock(2026, 3, 10, 10, 0, 0, 750);
    return form;
  }
  int ActionRequests() {
    int n = 0;
    for (const std::string& call : env_.platform().power().calls) {
      n += call.rfind("ExitWindowsEx", 0) == 0 ? 1 : 0;
    }
    return n;
  }
  void Tick() { windows().AdvanceIdle(1000); }
  // Whether the GUI thread asks the system to stay awake, and how many
  // times the program has called about it.
  bool Awake() { return env_.platform().executionState().KeepsSystemAwake(); }
  std::size_t AwakeCalls() { return env_.platform().executionState().calls.size(); }
};

TEST_F(FormTandrelCountdown, TheSystemIsKeptAwakeFromArmingUntilStop) {
  WriteIni("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=60\r\n");
  TFormTandrel& form = CreateAndShow();
  EXPECT_EQ(AwakeCalls(), 0u);
  form.BTNStart->Click();
  EXPECT_TRUE(Awake());
  EXPECT_EQ(env_.platform().executionState().State(),
            platform::kEsContinuous | platform::kEsSystemRequired);
  // Re-arming while armed asks once only; the display may still turn off.
  form.BTNStart->Click();
  Tick();
  EXPECT_EQ(AwakeCalls(), 1u);
  form.BTNStop->Click();
  EXPECT_FALSE(Awake());
  EXPECT_EQ(env_.platform().executionState().State(), platform::kEsContinuous);
  form.BTNStop->Click();
  EXPECT_EQ(AwakeCalls(), 2u);
}

TEST_F(FormTandrelCountdown, KeepAwakeEndsOnceNothingCanFireAnyMore) {
  // Fired without the warning: held while the action repeats, released at
  // the first tick 5 seconds or more past the target.
  TFormTandrel& form = ArmCountdown(1);
  for (int i = 0; i < 60; ++i) Tick();  // 0.5 s past: fired
  EXPECT_EQ(ActionRequests(), 1);
  for (int i = 0; i < 4; ++i) Tick();  // 4.5 s past
  EXPECT_TRUE(Awake());
  Tick();  // 5.5 s past
  EXPECT_FALSE(Awake());
  EXPECT_TRUE(form.Timer1->Enabled());

  // Missed while asleep: released at the first tick.
  DropForms();
  SetClock(2026, 3, 10, 10, 0, 0, 250);
  ArmCountdown(1);
  SetClock(2026, 3, 10, 10, 1, 6, 750);
  ASSERT_TRUE(Awake());
  Tick();
  EXPECT_FALSE(Awake());

  // Missed by 12 seconds with the warning: the warning window still fires,
  // so it is released only when its count has run out and fired.
  DropForms();
  SetClock(2026, 3, 10, 10, 0, 0, 250);
  ArmCountdown(1, "Warn=1\r\n");
  SetClock(2026, 3, 10, 10, 1, 11, 750);
  const int firedBefore = ActionRequests();
  Tick();
  ASSERT_TRUE(FormWarn->Visible());
  EXPECT_TRUE(Awake());
  for (int i = 0; i < 11; ++i) Tick();  // shows 11 down to 1
  EXPECT_EQ(ActionRequests(), firedBefore);
  EXPECT_TRUE(Awake());
  Tick();
  EXPECT_EQ(ActionRequests(), firedBefore + 1);
  EXPECT_FALSE(Awake());
}

TEST_F(FormTandrelCountdown, LabelAndHintCountDownAndTheActionRepeatsWhileUnderFiveSecondsBack) {
  TFormTandrel& form = ArmCountdown(1);
  EXPECT_EQ(form.LabInfo->Caption(), "");
  Tick();  // 58.5 s left
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时0分58秒");
  EXPECT_EQ(form.TrayIcon->Hint(), "Velmora (定时关机)\r距离关机还有0小时0分58秒");
  for (int i = 0; i < 58; ++i) Tick();  // 0.5 s left
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时0分0秒");
  EXPECT_EQ(ActionRequests(), 0);
  EXPECT_FALSE(form.FActionFired);
  Tick();  // the first tick after the target
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时0分0秒");
  EXPECT_EQ(ActionRequests(), 1);
  EXPECT_TRUE(form.FActionFired);
  for (int i = 0; i < 10; ++i) Tick();
  EXPECT_EQ(ActionRequests(), 5);  // 0.5 .. 4.5 seconds back
  EXPECT_TRUE(form.Timer1->Enabled());
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时0分10秒");
}

TEST_F(FormTandrelCountdown, HoursMinutesAndSecondsAreSeparateTruncatedCounts) {
  TFormTandrel& form = ArmCountdown(66);
  SetClock(2026, 3, 10, 10, 0, 49, 750);  // the tick comes 1 h 5 min 9.5 s before 11:06:00.250
  Tick();
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有1小时5分9秒");
}

TEST_F(FormTandrelCountdown, AMissedMomentNeverFiresAndCountsUpward) {
  TFormTandrel& form = ArmCountdown(1);
  SetClock(2026, 3, 10, 10, 1, 6, 750);
  Tick();  // 7.5 seconds past the target
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时0分7秒");
  Tick();
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时0分8秒");
  EXPECT_EQ(ActionRequests(), 0);
  EXPECT_TRUE(form.Timer1->Enabled());
  form.BTNStop->Click();
  EXPECT_FALSE(form.Timer1->Enabled());
}

TEST_F(FormTandrelCountdown, WarningTakesTheLastThirtySecondsAndFiresOnce) {
  TFormTandrel& form = ArmCountdown(1, "Warn=1\r\n");
  for (int i = 0; i < 28; ++i) Tick();
  EXPECT_FALSE(FormWarn->Visible());
  Tick();  // 30.5 s: 30 whole seconds left
  EXPECT_FALSE(form.Timer1->Enabled());
  EXPECT_FALSE(form.Visible());
  ASSERT_TRUE(FormWarn->Visible());
  EXPECT_TRUE(FormWarn->Timer1->Enabled());
  EXPECT_EQ(FormWarn->LabSec->Caption(), "离系统关机还有30秒,请注意保存尚未保存的文件...");
  EXPECT_EQ(FormWarn->ProgressBar1->Position(), 0);
  EXPECT_EQ(FormWarn->FSecondsLeft, 29);
  for (int i = 0; i < 29; ++i) Tick();
  EXPECT_EQ(FormWarn->LabSec->Caption(), "离系统关机还有1秒,请注意保存尚未保存的文件...");
  EXPECT_EQ(FormWarn->ProgressBar1->Position(), 29);
  EXPECT_EQ(ActionRequests(), 0);
  Tick();
  EXPECT_EQ(ActionRequests(), 1);
  EXPECT_FALSE(FormWarn->Timer1->Enabled());
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(ActionRequests(), 1);
}

TEST_F(FormTandrelCountdown, WarningSwitchedOnLateHandsOverAtTheNextTick) {
  TFormTandrel& form = ArmCountdown(1);
  for (int i = 0; i < 40; ++i) Tick();  // 19.5 seconds left
  form.CBWarn->SetChecked(true);
  EXPECT_FALSE(FormWarn->Visible());
  EXPECT_FALSE(FormWarn->HandleAllocated());  // its windows wait for this moment
  Tick();
  ASSERT_TRUE(FormWarn->Visible());
  EXPECT_EQ(FormWarn->LabSec->Caption(), "离系统关机还有18秒,请注意保存尚未保存的文件...");
  EXPECT_EQ(FormWarn->ProgressBar1->Position(), 12);
  // Set before the bar had a window, shown by the window made afterwards.
  EXPECT_TRUE(windows().IsShowing(FormWarn->Handle()));
  const auto bar = windows().Progress(FormWarn->ProgressBar1->Handle());
  EXPECT_EQ(bar.max, 29);
  EXPECT_EQ(bar.position, 12);
}

TEST_F(FormTandrelCountdown, MissedByTwelveSecondsWithTheWarningCountsTheSecondsSince) {
  ArmCountdown(1, "Warn=1\r\n");
  SetClock(2026, 3, 10, 10, 1, 11, 750);
  Tick();
  ASSERT_TRUE(FormWarn->Visible());
  EXPECT_EQ(FormWarn->LabSec->Caption(), "离系统关机还有12秒,请注意保存尚未保存的文件...");
  EXPECT_EQ(ActionRequests(), 0);
}

TEST_F(FormTandrelCountdown, HandOverWithNothingLeftFiresAtOnceAndOnceMoreAtTheFirstTick) {
  TFormTandrel& form = ArmCountdown(1, "Warn=1\r\n");
  SetClock(2026, 3, 10, 10, 0, 59, 750);
  Tick();  // 0.5 s past the target: 0 whole seconds
  ASSERT_TRUE(FormWarn->Visible());
  // The direct call fired, and so did the main tick's firing test.
  EXPECT_EQ(ActionRequests(), 2);
  EXPECT_TRUE(FormWarn->Timer1->Enabled());
  Tick();
  EXPECT_EQ(ActionRequests(), 3);
  EXPECT_FALSE(FormWarn->Timer1->Enabled());
  EXPECT_FALSE(form.Timer1->Enabled());
  for (int i = 0; i < 5; ++i) Tick();
  EXPECT_EQ(ActionRequests(), 3);
}

TEST_F(FormTandrelCountdown, CancelDisarmsAndShowsTheIdleWindowAgain) {
  TFormTandrel& form = ArmCountdown(1, "Warn=1\r\n");
  for (int i = 0; i < 35; ++i) Tick();
  ASSERT_TRUE(FormWarn->Visible());
  FormWarn->BTNCancel->Click();
  EXPECT_FALSE(FormWarn->Visible());
  EXPECT_FALSE(FormWarn->Timer1->Enabled());
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(form.BTNStart->Visible());
  EXPECT_FALSE(form.Timer1->Enabled());
  for (int i = 0; i < 40; ++i) Tick();
  EXPECT_EQ(ActionRequests(), 0);
}

TEST_F(FormTandrelCountdown, StopRestoresTheIdleLook) {
  TFormTandrel& form = ArmCountdown(5);
  Tick();
  form.BTNStop->Click();
  EXPECT_EQ(form.VmStatusPane1->Caption(), "无定时任务");
  EXPECT_EQ(form.VmStatusPane2->Caption(), "");
  EXPECT_EQ(form.FActionName, "");
  EXPECT_EQ(form.LabInfo->Caption(), "");
  EXPECT_FALSE(form.LabInfo->Visible());
  EXPECT_EQ(form.TrayIcon->Hint(), "Velmora (定时关机)");
  EXPECT_TRUE(form.GBOption->Visible());
  EXPECT_TRUE(form.GBSet->Enabled());
  EXPECT_TRUE(form.BTNStart->Visible());
  EXPECT_FALSE(form.BTNStop->Visible());
  EXPECT_FALSE(form.Timer1->Enabled());
  Tick();
  EXPECT_EQ(form.LabInfo->Caption(), "");
}

TEST_F(FormTandrelCountdown, AnUnknownActionLeavesTheNameOutAndExecutesNothing) {
  WriteIni("[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=1\r\nSD=9\r\n");
  TFormTandrel& form = CreateAndShow();
  form.BTNStart->Click();
  SetClock(2026, 3, 10, 10, 0, 0, 750);
  Tick();
  EXPECT_EQ(form.LabInfo->Caption(), "距离还有0小时0分58秒");
  for (int i = 0; i < 60; ++i) Tick();
  EXPECT_TRUE(form.FActionFired);
  EXPECT_TRUE(env_.platform().power().calls.empty());
}

}  // namespace
}  // namespace tandrel::testing
