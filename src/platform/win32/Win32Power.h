// Session and power calls on Windows: advapi32 token work, ExitWindowsEx and
// SetSystemPowerState.
#pragma once

#include "platform/Power.h"

namespace tandrel::platform {

class Win32Power : public Power {
 public:
  int PlatformId() override;
  std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t access) override;
  std::optional<Luid> LookupPrivilege(const std::string& name) override;
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
  bool SetSystemPowerState(bool suspend, bool force) override;
};

}  // namespace tandrel::platform
