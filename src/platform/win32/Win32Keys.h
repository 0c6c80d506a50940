// The shift keys held now, as the framework's shift flags.
#pragma once

#include <windows.h>

#include "platform/WindowSystem.h"

namespace tandrel::platform {

inline unsigned KeyShiftState() {
  unsigned s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= shift::kShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= shift::kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= shift::kAlt;
  return s;
}

}  // namespace tandrel::platform
