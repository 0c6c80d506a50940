// Non-client frame refresh through the platform's window system.
#include "widgets/VmFrameRefresh.h"

#include "platform/Platform.h"

namespace tandrel {

void RefreshNonClientFrame(platform::WindowHandle window, const TRect& bounds) {
  if (!window) return;
  platform::Current().windows().RedrawFrame(window, bounds);
}

}  // namespace tandrel
