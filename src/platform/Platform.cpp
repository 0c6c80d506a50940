// Holds the installed platform.
#include "platform/Platform.h"

#include <cstdio>
#include <cstdlib>

#include "platform/PlatformError.h"

namespace tandrel::platform {
namespace {
Platform* g_current = nullptr;
}

Platform& Current() {
  if (g_current == nullptr) {
    std::fputs("tandrel: no platform installed\n", stderr);
    std::abort();
  }
  return *g_current;
}

void Install(Platform* platform) { g_current = platform; }

WindowSystem& Platform::windows() { throw PlatformError("this platform has no window system"); }
TaskScheduler& Platform::taskScheduler() {
  throw PlatformError("this platform has no task scheduler");
}
ExecutionState& Platform::executionState() {
  throw PlatformError("this platform has no execution state");
}

}  // namespace tandrel::platform
