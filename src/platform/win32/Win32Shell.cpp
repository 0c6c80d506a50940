#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32Painting.h"

namespace tandrel::platform {
namespace {

HWND ToHwnd(WindowHandle window) { return reinterpret_cast<HWND>(window.value); }

// Record sizes of the two layouts: the first one (64-character tip) and the
// one with balloon fields (128-character tip).
constexpr DWORD kShortLayoutSize = NOTIFYICONDATAW_V1_SIZE;
constexpr DWORD kExtendedLayoutSize = NOTIFYICONDATAW_V2_SIZE;

}  // namespace

int Win32Shell::MajorVersion() {
  // Only a shell library that is already loaded counts; nothing is loaded here.
  HMODULE shell = GetModuleHandleW(L"shell32.dll");
  if (shell == nullptr) return 0;
  using GetVersionFn = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
  const auto getVersion =
      reinterpret_cast<GetVersionFn>(reinterpret_cast<void*>(GetProcAddress(shell, "DllGetVersion")));
  if (getVersion == nullptr) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;  // 20
  if (FAILED(getVersion(&info))) return 0;
  return static_cast<int>(info.dwMajorVersion);
}

bool Win32Shell::NotifyIcon(unsigned message, const NotifyIconData& data) {
  NOTIFYICONDATAW record{};
  record.cbSize = data.extendedLayout ? kExtendedLayoutSize : kShortLayoutSize;
  record.hWnd = ToHwnd(data.window);
  record.uID = data.id;
  record.uFlags = data.flags;
  record.uCallbackMessage = data.callbackMessage;
  if (data.icon != nullptr) record.hIcon = NativeIcon(*data.icon);
  // The caller cut the tip to fit its layout; cut again defensively so the
  // record is always zero-terminated within the size it declares.
  const std::size_t capacity = data.extendedLayout ? 128 : 64;
  const std::size_t length = std::min(data.tip.size(), capacity - 1);
  std::copy_n(data.tip.begin(), length, record.szTip);
  record.szTip[length] = L'\0';
  return Shell_NotifyIconW(message, &record) != FALSE;
}

void Win32Shell::Execute(WindowHandle owner, const std::string& operation, const std::string& file,
                         const std::string& parameters, const std::string& directory,
                         int showCommand) {
  const std::wstring op = ToWide(operation), target = ToWide(file), params = ToWide(parameters),
                     dir = ToWide(directory);
  ShellExecuteW(ToHwnd(owner), op.empty() ? nullptr : op.c_str(), target.c_str(),
                params.empty() ? nullptr : params.c_str(), dir.empty() ? nullptr : dir.c_str(),
                showCommand);
}

}  // namespace tandrel::platform
