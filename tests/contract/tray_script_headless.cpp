// Tray scripts for the headless backend: its simulated windows.
#ifndef _WIN32

#include <stdexcept>

#include "contract/TrayScript.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::contract {

void BroadcastTaskbarCreated(platform::Platform& platform) {
  auto* headless = dynamic_cast<platform::HeadlessPlatform*>(&platform);
  if (headless == nullptr) throw std::logic_error("tray scripts expect the headless platform");
  auto& windows = headless->windows();
  const unsigned message = windows.RegisterMessage("TaskbarCreated");
  for (platform::WindowHandle window : windows.TopLevelWindows()) {
    windows.Post(window, message, 0, 0);
  }
  windows.ProcessPending();
}

}  // namespace tandrel::contract

#endif  // _WIN32
