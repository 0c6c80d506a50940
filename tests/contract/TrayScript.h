// What the tray contract needs of the desktop beyond the seam, done per
// backend (tray_script_headless.cpp, tray_script_win32.cpp): the taskbar
// announcing that it has started again.
#pragma once

#include "platform/Platform.h"

namespace tandrel::contract {

// Broadcasts the registered "TaskbarCreated" message to every top-level
// window, as a restarted taskbar does, and handles what follows.
void BroadcastTaskbarCreated(platform::Platform& platform);

}  // namespace tandrel::contract
