#include "app/PowerActions.h"

namespace tandrel {

bool ShutdownWindows(platform::Power& power, std::uint32_t flags) {
  if (power.PlatformId() == platform::kPlatformWin32Nt) {
    if (auto token =
            power.OpenProcessToken(platform::kTokenAdjustPrivileges | platform::kTokenQuery)) {
      if (auto luid = power.LookupPrivilege("SeShutdownPrivilege")) {
        token->AdjustPrivilege(*luid, platform::kSePrivilegeEnabled);
      }
    }  // the token closes here, before the session is asked to end
  }
  return power.ExitWindowsEx(flags, 0);
}

bool SetShutdownPrivilege(platform::Power& power, bool enable) {
  auto token = power.OpenProcessToken(platform::kTokenAdjustPrivileges);
  if (!token) return false;
  const auto luid = power.LookupPrivilege("SeShutDownPrivilege");
  if (!luid) return false;
  const auto result =
      token->AdjustPrivilege(*luid, enable ? platform::kSePrivilegeEnabled : 0);
  return result.lastError == 0;
}

void ExecutePowerAction(platform::Power& power, std::int32_t action) {
  switch (action) {
    case paShutdown:
      ShutdownWindows(power, platform::kEwxShutdown);
      break;
    case paLogoff:
      ShutdownWindows(power, platform::kEwxLogoff);
      break;
    case paRestart:
      ShutdownWindows(power, platform::kEwxReboot);
      break;
    case paForcedShutdown:
      // The force flag alone would be a forced log-off; the user chose a shutdown.
      ShutdownWindows(power, platform::kEwxShutdown | platform::kEwxForce);
      break;
    case paSuspend:
      if (SetShutdownPrivilege(power, true)) power.SetSystemPowerState(true, true);
      break;
    case paHibernate:
      if (SetShutdownPrivilege(power, true)) power.SetSystemPowerState(false, true);
      break;
    default:
      break;
  }
}

}  // namespace tandrel
