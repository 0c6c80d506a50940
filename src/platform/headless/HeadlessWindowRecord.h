// What the simulation keeps of one window; shared by the files that make up
// HeadlessWindowSystem.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/headless/HeadlessWindowSystem.h"

namespace tandrel::platform {

struct HeadlessWindowSystem::Window {
  WindowHandle handle;
  WindowSpec params;
  WindowHandler* handler = nullptr;  // not owned
  TRect bounds;
  std::string text;
  bool visible = false;
  bool enabled = true;
  bool minimized = false;
  bool maximized = false;
  TRect restoredBounds;  // while maximised
  bool hiddenByOwner = false;  // an owned form hidden while its owner is minimised
  bool topMost = false;
  std::uintptr_t parent = 0;  // controls
  std::uintptr_t owner = 0;   // top-level windows
  std::vector<std::uintptr_t> children;  // back to front
  FontSpec font;
  ProgressState progress;
  LocalTime picker;
  int invalidations = 0;
  TRect invalid{};  // bounds of the invalidated client area, as a paint's rcPaint
  bool erase = false;
  int paints = 0;
  DirectPaints direct;
  int frameRedraws = 0;
  bool trackLeave = false;
};

}  // namespace tandrel::platform
