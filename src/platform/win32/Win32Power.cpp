#include "platform/win32/Win32Power.h"

#include <windows.h>

#include "platform/Utf.h"

namespace tandrel::platform {
namespace {

// An open token handle, closed with CloseHandle.
class Win32Token : public ProcessToken {
 public:
  explicit Win32Token(HANDLE token) : token_(token) {}
  ~Win32Token() override { CloseHandle(token_); }
  Win32Token(const Win32Token&) = delete;
  Win32Token& operator=(const Win32Token&) = delete;

  AdjustResult AdjustPrivilege(const Luid& luid, std::uint32_t attributes) override {
    TOKEN_PRIVILEGES request{};
    request.PrivilegeCount = 1;
    request.Privileges[0].Luid.LowPart = luid.lowPart;
    request.Privileges[0].Luid.HighPart = luid.highPart;
    request.Privileges[0].Attributes = attributes;
    DWORD returnedLength = 0;
    SetLastError(0);
    const BOOL returned =
        AdjustTokenPrivileges(token_, FALSE, &request, sizeof request, nullptr, &returnedLength);
    const DWORD lastError = GetLastError();
    return AdjustResult{returned != FALSE, lastError};
  }

 private:
  HANDLE token_;
};

}  // namespace

int Win32Power::PlatformId() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&info)) return kPlatformWin32Nt;
#pragma GCC diagnostic pop
  return static_cast<int>(info.dwPlatformId);
}

std::unique_ptr<ProcessToken> Win32Power::OpenProcessToken(std::uint32_t access) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(GetCurrentProcess(), access, &token)) return nullptr;
  return std::make_unique<Win32Token>(token);
}

std::optional<Luid> Win32Power::LookupPrivilege(const std::string& name) {
  const std::u16string wide = Utf8ToUtf16(name);
  LUID luid{};
  if (!LookupPrivilegeValueW(nullptr, reinterpret_cast<const wchar_t*>(wide.c_str()), &luid)) {
    return std::nullopt;
  }
  return Luid{luid.LowPart, luid.HighPart};
}

bool Win32Power::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  return ::ExitWindowsEx(flags, reason) != FALSE;
}

bool Win32Power::SetSystemPowerState(bool suspend, bool force) {
  return ::SetSystemPowerState(suspend ? TRUE : FALSE, force ? TRUE : FALSE) != FALSE;
}

}  // namespace tandrel::platform
