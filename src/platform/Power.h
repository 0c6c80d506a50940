// Session and power calls: the process token and its privileges, ending the
// session (ExitWindowsEx) and suspend or hibernate (SetSystemPowerState).
// Headless only records them; under Wine they end only the Wine session.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace tandrel::platform {

inline constexpr int kPlatformWin32Nt = 2;  // VER_PLATFORM_WIN32_NT

inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t kTokenQuery = 0x08;
inline constexpr std::uint32_t kSePrivilegeEnabled = 2;

inline constexpr std::uint32_t kEwxLogoff = 0;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;
inline constexpr std::uint32_t kEwxForce = 4;

struct Luid {
  std::uint32_t lowPart = 0;
  std::int32_t highPart = 0;
  friend bool operator==(const Luid&, const Luid&) = default;
};

// AdjustTokenPrivileges' own result and the last-error code read right after it.
struct AdjustResult {
  bool returned = false;
  std::uint32_t lastError = 0;
};

// An open process token; the handle closes when this is destroyed.
class ProcessToken {
 public:
  virtual ~ProcessToken() = default;
  // AdjustTokenPrivileges(DisableAllPrivileges = FALSE, one privilege with
  // the given attributes, no previous-state buffer).
  virtual AdjustResult AdjustPrivilege(const Luid& luid, std::uint32_t attributes) = 0;
};

class Power {
 public:
  virtual ~Power() = default;
  // dwPlatformId as GetVersionEx reports it.
  virtual int PlatformId() = 0;
  // OpenProcessToken(GetCurrentProcess(), access); null when refused.
  virtual std::unique_ptr<ProcessToken> OpenProcessToken(std::uint32_t access) = 0;
  // LookupPrivilegeValue on the local system; empty when the name is unknown.
  virtual std::optional<Luid> LookupPrivilege(const std::string& name) = 0;
  virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
  virtual bool SetSystemPowerState(bool suspend, bool force) = 0;
};

}  // namespace tandrel::platform
