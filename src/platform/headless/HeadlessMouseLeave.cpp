// Mouse-leave notices: asked for per window, delivered (and forgotten) when
// the mouse moves to another window.
#include "platform/headless/HeadlessWindowRecord.h"
#include "platform/headless/HeadlessWindowSystem.h"

namespace tandrel::platform {

void HeadlessWindowSystem::TrackMouseLeave(WindowHandle window) {
  if (Window* w = Find(window)) w->trackLeave = true;
}

bool HeadlessWindowSystem::TracksMouseLeave(WindowHandle window) const {
  const Window* w = Find(window);
  return w && w->trackLeave;
}

}  // namespace tandrel::platform
