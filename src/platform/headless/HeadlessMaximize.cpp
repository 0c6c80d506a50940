// Maximised forms of the simulation: a maximised form fills the work area
// and restoring puts it back where it was.
#include "platform/headless/HeadlessWindowRecord.h"

namespace tandrel::platform {

void HeadlessWindowSystem::ShowMaximized(Window& w) {
  if (!w.maximized) {
    w.maximized = true;
    w.restoredBounds = w.bounds;
    SetBounds(w.handle, WorkArea());
  }
  if (Window* again = Find(w.handle)) Show(again->handle, ShowCommand::Show);
}

void HeadlessWindowSystem::RestoreFromMaximized(Window& w) {
  w.maximized = false;
  SetBounds(w.handle, w.restoredBounds);
}

bool HeadlessWindowSystem::IsWindowMaximized(WindowHandle window) {
  const Window& w = Get(window);
  return w.maximized && !w.minimized;
}

}  // namespace tandrel::platform
