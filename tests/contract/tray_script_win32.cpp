// Tray scripts for the Windows backend: a real broadcast.
#ifdef _WIN32

#include <windows.h>

#include "contract/TrayScript.h"
#include "contract/WindowScript.h"

namespace tandrel::contract {

void BroadcastTaskbarCreated(platform::Platform& platform) {
  const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  PostMessageW(HWND_BROADCAST, message, 0, 0);
  RunIdle(platform, 300);
}

}  // namespace tandrel::contract

#endif  // _WIN32
