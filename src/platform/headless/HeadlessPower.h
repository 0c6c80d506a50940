// Records every session and power call, with its arguments, for assertions;
// nothing here touches the machine. Failures can be scripted.
#pragma once

#include <string>
#include <vector>

#include "platform/Power.h"

namespace tandrel::platform {

class HeadlessPower : public Power {
 public:
  int PlatformId() override { return platformId; }
  std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t access) override;
  std::optional<Luid> LookupPrivilege(const std::string& name) override;
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
  bool SetSystemPowerState(bool suspend, bool force) override;

  // What the program asked for, in order, e.g. "OpenProcessToken(0x28)",
  // "LookupPrivilegeValue(SeShutdownPrivilege)", "AdjustTokenPrivileges(19,2)",
  // "CloseToken", "ExitWindowsEx(1,0)", "SetSystemPowerState(1,1)".
  std::vector<std::string> calls;

  // Scripted behaviour.
  int platformId = kPlatformWin32Nt;
  bool tokenOpens = true;
  bool privilegeKnown = true;
  std::uint32_t adjustLastError = 0;  // e.g. 1300, ERROR_NOT_ALL_ASSIGNED
  bool exitSucceeds = true;
  bool powerStateSucceeds = true;

  static constexpr Luid kShutdownLuid{19, 0};  // SE_SHUTDOWN_PRIVILEGE's value on Windows
};

}  // namespace tandrel::platform
