#include "platform/win32/Win32Process.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/ScopedHandle.h"
#include "platform/win32/WideText.h"

namespace tandrel::platform {

std::string Win32Process::ExecutablePath() {
  // MAX_PATH is not a limit for long paths: grow until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return FromWide(path);
    }
    if (path.size() >= 32768) return {};  // beyond the longest path Windows has
    path.resize(path.size() * 2);
  }
}

std::vector<std::string> Win32Process::Arguments() {
  int count = 0;
  ScopedLocalMemory<LPWSTR> arguments(CommandLineToArgvW(GetCommandLineW(), &count));
  std::vector<std::string> result;
  if (!arguments) return result;
  for (int i = 1; i < count; ++i) result.push_back(FromWide(arguments.Get()[i]));
  return result;
}

}  // namespace tandrel::platform
