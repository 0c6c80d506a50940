// What the world does to an armed schedule: the clock jumping an hour or a
// day either way, the time zone changing, the taskbar restarting, the session
// ending while the warning counts, no notification area at start, and a
// settings file another program holds locked. The program keeps working,
// fires only as its rules say and loses nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

namespace mb = platform::mb;
using platform::LocalTime;

class FormTandrelFaults : public FormTandrelFixture {
 protected:
  // Armed at 10:00:00.250; the clock then reads half a second later, so each
  // tick lies half a second off the target's whole seconds.
  TFormTandrel& Arm(const std::string& ini) {
    WriteIni(ini);
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
  void Tick(int count = 1) { windows().AdvanceIdle(1000ULL * static_cast<unsigned>(count)); }
  bool TaskbarButton() { return windows().IsVisible(app().Handle()); }
};

constexpr char kCountdown10[] = "[CB]\r\nRBFS=0\r\n[Set]\r\nFZ=10\r\n";                    // 10:10:00.250
constexpr char kAtNoon[] = "[CB]\r\nRBFS=1\r\n[Set]\r\nRQ=2026/3/10\r\nSJ=12:00:00\r\n";  // 12:00:00

TEST_F(FormTandrelFaults, ClockJumpsWhileArmedCountToTheSameTargetAndFireOnlyWithinFiveSeconds) {
  struct Case {
    const char* name;
    const char* ini;
    LocalTime jumpTo;
    const char* label;   // at the first tick after the jump
    int ticksToTarget;   // 0: the target has passed and must never fire
  };
  const std::vector<Case> cases = {
      {"countdown, an hour on", kCountdown10, {2026, 3, 10, 11, 0, 0, 750}, "0小时50分1秒", 0},
      {"countdown, a day on", kCountdown10, {2026, 3, 11, 10, 0, 0, 750}, "23小时50分1秒", 0},
      {"countdown, an hour back", kCountdown10, {2026, 3, 10, 9, 0, 0, 750}, "1小时9分58秒", 4199},
      {"countdown, a day back", kCountdown10, {2026, 3, 9, 10, 0, 0, 750}, "24小时9分58秒", -1},
      {"set time, an hour on", kAtNoon, {2026, 3, 10, 11, 0, 0, 750}, "0小时59分58秒", 3599},
      {"set time, a day on", kAtNoon, {2026, 3, 11, 10, 0, 0, 750}, "22小时0分1秒", 0},
      {"set time, an hour back", kAtNoon, {2026, 3, 10, 9, 0, 0, 750}, "2小时59分58秒", 10799},
      {"set time, a day back", kAtNoon, {2026, 3, 9, 10, 0, 0, 750}, "25小时59分58秒", -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* warn : {"0", "1"}) {
      SCOPED_TRACE(std::string("Warn=") + warn);
      DropForms();
      env_.platform().power().calls.clear();
      SetClock(2026, 3, 10, 10, 0, 0, 250);
      // Both files open with "[CB]\r\n"; the warning joins that section.
      TFormTandrel& form = Arm("[CB]\r\nWarn=" + std::string(warn) + "\r\n" + (c.ini + 6));
      env_.clock().Set(c.jumpTo);
      Tick();
      EXPECT_EQ(form.LabInfo->Caption(), std::string("距离关机还有") + c.label);
      EXPECT_EQ(form.TrayIcon->Hint(), std::string("Velmora (定时关机)\r距离关机还有") + c.label);
      if (c.ticksToTarget == 0) {
        // Missed by far more than five seconds: armed for good, never fired,
        // no hand-over to the warning.
        Tick(10);
        EXPECT_EQ(ActionRequests(), 0);
        EXPECT_FALSE(FormWarn->Visible());
        EXPECT_TRUE(form.Timer1->Enabled());
      } else if (c.ticksToTarget > 0 && warn[0] == '0') {
        Tick(c.ticksToTarget - 1);
        EXPECT_EQ(ActionRequests(), 0);
        Tick();
        EXPECT_EQ(ActionRequests(), 1);
        Tick(10);
        EXPECT_EQ(ActionRequests(), 5);  // once a tick while under five seconds back
      } else if (c.ticksToTarget > 0) {
        Tick(c.ticksToTarget + 30);
        EXPECT_EQ(ActionRequests(), 1);  // the warning window's, once
      }
    }
  }
}

TEST_F(FormTandrelFaults, TimeZoneChangeMovesTheLocalClockAndTheScheduleFollowsIt) {
  // 10:00 in UTC+8 becomes 11:00 in UTC+9: the same instant, a local clock an
  // hour on. The target is a local moment, so noon comes an hour sooner.
  TFormTandrel& form = Arm(kAtNoon);
  const std::string pane = form.VmStatusPane2->Caption();
  Tick();
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有1小时59分58秒");
  env_.clock().Set(LocalTime{2026, 3, 10, 11, 0, 1, 750});
  Tick();
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时59分57秒");
  EXPECT_EQ(form.TrayIcon->Hint(), "Velmora (定时关机)\r距离关机还有0小时59分57秒");
  EXPECT_EQ(form.VmStatusPane2->Caption(), pane);
  Tick(3597);
  EXPECT_EQ(ActionRequests(), 0);
  Tick(12);
  EXPECT_EQ(ActionRequests(), 5);

  // Westward during a countdown: the local clock goes back an hour, the
  // local target stays, the count is an hour longer and still fires.
  DropForms();
  env_.platform().power().calls.clear();
  SetClock(2026, 3, 10, 10, 0, 0, 250);
  TFormTandrel& countdown = Arm(kCountdown10);
  env_.clock().Set(LocalTime{2026, 3, 10, 9, 0, 0, 750});
  Tick();
  EXPECT_EQ(countdown.LabInfo->Caption(), "距离关机还有1小时9分58秒");
  Tick(4198 + 10);
  EXPECT_EQ(ActionRequests(), 5);
}

TEST_F(FormTandrelFaults, TaskbarRestartWhileArmedBringsTheIconBackWithTheCurrentCountdown) {
  TFormTandrel& form = Arm(kCountdown10);
  Tick(3);
  auto& shell = env_.platform().shell();
  shell.DropAllIcons();
  windows().Send(form.TrayIcon->Handle(), windows().RegisterMessage("TaskbarCreated"), 0, 0);
  ASSERT_EQ(shell.tray.size(), 1u);
  EXPECT_EQ(shell.tray.begin()->second.data.tip, u"Velmora (定时关机)\r距离关机还有0小时9分56秒");
  Tick();
  EXPECT_EQ(shell.tray.begin()->second.data.tip, u"Velmora (定时关机)\r距离关机还有0小时9分55秒");
  EXPECT_FALSE(TaskbarButton());
}

TEST_F(FormTandrelFaults, SessionEndingWhileTheWarningCountsAsksAndNoLetsTheCountFinish) {
  TFormTandrel& form = Arm("[CB]\r\nRBFS=0\r\nWarn=1\r\n[Set]\r\nFZ=1\r\n");
  Tick(29);
  ASSERT_TRUE(FormWarn->Visible());
  windows().ScriptMessageBox(mb::kIdNo);
  EXPECT_FALSE(windows().EndSession());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, form.FMsgConfirmExit);
  EXPECT_EQ(env_.platform().shell().tray.size(), 1u);
  Tick(31);
  EXPECT_EQ(ActionRequests(), 1);

  // Asked again before the count ends, Yes lets the session end: the icon
  // leaves the tray, and nothing was executed by the ending itself.
  DropForms();
  env_.platform().power().calls.clear();
  SetClock(2026, 3, 10, 10, 0, 0, 250);
  Arm("[CB]\r\nRBFS=0\r\nWarn=1\r\n[Set]\r\nFZ=1\r\n");
  Tick(35);
  ASSERT_TRUE(FormWarn->Visible());
  windows().ScriptMessageBox(mb::kIdYes);
  EXPECT_TRUE(windows().EndSession());
  EXPECT_TRUE(env_.platform().shell().tray.empty());
  EXPECT_EQ(ActionRequests(), 0);
  EXPECT_FALSE(FormTandrel->FActionFired);
}

TEST_F(FormTandrelFaults, WithoutANotificationAreaStartKeepsTheTaskbarButtonAndTheWindowComesBack) {
  env_.platform().shell().addSucceeds = false;
  TFormTandrel& form = Arm(kCountdown10);
  EXPECT_FALSE(form.TrayIcon->Enabled());
  EXPECT_TRUE(app().Minimized());
  EXPECT_TRUE(TaskbarButton());
  Tick();
  EXPECT_EQ(form.LabInfo->Caption(), "距离关机还有0小时9分58秒");
  windows().UserRestore(app().Handle());
  EXPECT_FALSE(app().Minimized());
  EXPECT_TRUE(windows().IsShowing(form.Handle()));
  EXPECT_TRUE(form.Timer1->Enabled());
}

TEST_F(FormTandrelFaults, ASaveIntoALockedFileShowsTheErrorOnceAndKeepsTheFieldsValue) {
  TFormTandrel& form = CreateAndShow();
  const std::string before = IniBytes();
  env_.platform().profileFiles().Lock(IniPath().string());
  windows().ClickWindow(form.CBWarn->Handle());
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].request.text, "Unable to write to " + IniPath().string() + ".");
  EXPECT_EQ(Boxes()[0].request.flags, mb::kOk | mb::kIconError);
  EXPECT_TRUE(form.FWarn);
  EXPECT_TRUE(form.CBWarn->Checked());
  env_.platform().profileFiles().Unlock(IniPath().string());
  EXPECT_EQ(IniBytes(), before);
  // The program goes on: the next change is written.
  windows().ClickWindow(form.CBWarn->Handle());
  EXPECT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Stored("CB", "Warn"), "0");
}

}  // namespace
}  // namespace tandrel::testing
