// The exact platform calls each power action makes, in order, including the
// failure paths where the privilege cannot be enabled.
#include <gtest/gtest.h>

#include "app/PowerActions.h"
#include "platform/headless/HeadlessPower.h"

namespace tandrel {
namespace {

using Calls = std::vector<std::string>;

const Calls kShutdownPrivilegeOnNt = {
    "OpenProcessToken(0x28)", "LookupPrivilegeValue(SeShutdownPrivilege)",
    "AdjustTokenPrivileges(19,2)", "CloseToken"};

Calls WithExit(const std::string& exitCall) {
  Calls calls = kShutdownPrivilegeOnNt;
  calls.push_back(exitCall);
  return calls;
}

const Calls kPowerStatePrivilege = {"OpenProcessToken(0x20)",
                                    "LookupPrivilegeValue(SeShutDownPrivilege)",
                                    "AdjustTokenPrivileges(19,2)", "CloseToken"};

TEST(PowerActions, SessionActionsEnablePrivilegeThenExitWithTheirFlags) {
  const std::pair<std::int32_t, std::string> cases[] = {
      {paShutdown, "ExitWindowsEx(1,0)"},
      {paLogoff, "ExitWindowsEx(0,0)"},
      {paRestart, "ExitWindowsEx(2,0)"},
      // Shutdown and force together: force alone would only log off.
      {paForcedShutdown, "ExitWindowsEx(5,0)"},
  };
  for (const auto& [action, exitCall] : cases) {
    platform::HeadlessPower power;
    ExecutePowerAction(power, action);
    EXPECT_EQ(power.calls, WithExit(exitCall)) << "action " << action;
  }
}

TEST(PowerActions, SuspendAndHibernatePassTheRightSuspendFlag) {
  platform::HeadlessPower suspend;
  ExecutePowerAction(suspend, paSuspend);
  Calls expected = kPowerStatePrivilege;
  expected.push_back("SetSystemPowerState(1,1)");
  EXPECT_EQ(suspend.calls, expected);

  platform::HeadlessPower hibernate;
  ExecutePowerAction(hibernate, paHibernate);
  expected.back() = "SetSystemPowerState(0,1)";
  EXPECT_EQ(hibernate.calls, expected);
}

TEST(PowerActions, CodesOutsideTheRangeDoNothing) {
  for (std::int32_t action : {0, 7, -1, 9}) {
    platform::HeadlessPower power;
    ExecutePowerAction(power, action);
    EXPECT_TRUE(power.calls.empty()) << "action " << action;
  }
}

TEST(PowerActions, PowerStateIsNotRequestedWhenThePrivilegeIsNotGranted) {
  platform::HeadlessPower notAssigned;
  notAssigned.adjustLastError = 1300;  // ERROR_NOT_ALL_ASSIGNED
  ExecutePowerAction(notAssigned, paSuspend);
  EXPECT_EQ(notAssigned.calls, kPowerStatePrivilege);
  EXPECT_FALSE(SetShutdownPrivilege(notAssigned, true));

  platform::HeadlessPower noToken;
  noToken.tokenOpens = false;
  ExecutePowerAction(noToken, paHibernate);
  EXPECT_EQ(noToken.calls, Calls{"OpenProcessToken(0x20)"});

  platform::HeadlessPower unknownPrivilege;
  unknownPrivilege.privilegeKnown = false;
  ExecutePowerAction(unknownPrivilege, paSuspend);
  EXPECT_EQ(unknownPrivilege.calls,
            (Calls{"OpenProcessToken(0x20)", "LookupPrivilegeValue(SeShutDownPrivilege)",
                   "CloseToken"}));
}

TEST(PowerActions, DisablingThePrivilegeClearsTheAttribute) {
  platform::HeadlessPower power;
  EXPECT_TRUE(SetShutdownPrivilege(power, false));
  EXPECT_EQ(power.calls[2], "AdjustTokenPrivileges(19,0)");
}

TEST(PowerActions, SessionIsEndedEvenWithoutTokenWork) {
  platform::HeadlessPower noToken;
  noToken.tokenOpens = false;
  EXPECT_TRUE(ShutdownWindows(noToken, platform::kEwxShutdown));
  EXPECT_EQ(noToken.calls, (Calls{"OpenProcessToken(0x28)", "ExitWindowsEx(1,0)"}));

  platform::HeadlessPower unknownPrivilege;
  unknownPrivilege.privilegeKnown = false;
  ShutdownWindows(unknownPrivilege, platform::kEwxReboot);
  EXPECT_EQ(unknownPrivilege.calls,
            (Calls{"OpenProcessToken(0x28)", "LookupPrivilegeValue(SeShutdownPrivilege)",
                   "CloseToken", "ExitWindowsEx(2,0)"}));

  // Not NT: no token work at all, and the power-state actions find no token.
  platform::HeadlessPower win9x;
  win9x.platformId = 1;
  win9x.tokenOpens = false;
  ExecutePowerAction(win9x, paShutdown);
  EXPECT_EQ(win9x.calls, Calls{"ExitWindowsEx(1,0)"});

  platform::HeadlessPower refused;
  refused.exitSucceeds = false;
  EXPECT_FALSE(ShutdownWindows(refused, platform::kEwxLogoff));
}

}  // namespace
}  // namespace tandrel
