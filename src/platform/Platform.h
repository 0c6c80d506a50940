// The platform seam: everything the program asks of the operating system,
// grouped by service. Only src/platform/win32 includes <windows.h>; the
// headless backend simulates the same services for tests.
#pragma once

#include <memory>

#include "platform/Clock.h"
#include "platform/ExecutionState.h"
#include "platform/Locale.h"
#include "platform/Mutex.h"
#include "platform/Power.h"
#include "platform/Process.h"
#include "platform/ProfileFiles.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Surface.h"
#include "platform/TaskScheduler.h"
#include "platform/WindowSystem.h"

namespace tandrel::platform {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual Clock& clock() = 0;
  virtual ProfileFiles& profileFiles() = 0;
  virtual Registry& registry() = 0;
  virtual Locale& locale() = 0;
  virtual Mutexes& mutexes() = 0;
  virtual Process& process() = 0;
  virtual Painting& painting() = 0;
  virtual Power& power() = 0;
  virtual Shell& shell() = 0;
  // Until a backend provides them, asking for these throws std::logic_error.
  virtual WindowSystem& windows();
  virtual TaskScheduler& taskScheduler();
  virtual ExecutionState& executionState();
};

// The platform the program runs on. Install() makes one current (not owned);
// Current() aborts when none is installed, which is a programming error.
Platform& Current();
void Install(Platform* platform);

// Created by whichever backend is linked in (one factory file per backend).
std::unique_ptr<Platform> CreatePlatform();

}  // namespace tandrel::platform
