// Painting as Windows does it by itself after invalidations: each window on
// its own, only within what was invalidated.
#include <vector>

#include "platform/headless/HeadlessWindowRecord.h"
#include "platform/headless/HeadlessWindowSystem.h"

namespace tandrel::platform {

void HeadlessWindowSystem::PaintInvalidParts(WindowHandle window) {
  Window& w = Get(window);
  const std::vector<std::uintptr_t> children = w.children;
  if (w.invalidations > 0) {
    const TRect r = w.invalid;
    if (!r.IsEmpty() && w.handler && IsShowing(window)) {
      auto surface = platform_.painting().CreateBitmapSurface(r.Width(), r.Height(), false);
      surface->SetViewportOrigin(TPoint{-r.left, -r.top});
      surface->IntersectClip(r);
      if (w.erase) Guard([&] { w.handler->WindowEraseBackground(*surface); });
      if (Find(window)) Guard([&] { w.handler->WindowPaint(*surface, r); });
      if (Window* painted = Find(window)) ++painted->paints;
    }
    if (Window* again = Find(window)) {
      again->invalidations = 0;
      again->invalid = TRect{};
      again->erase = false;
    }
  }
  for (auto c : children) {
    if (Find(WindowHandle{c})) PaintInvalidParts(WindowHandle{c});
  }
}

}  // namespace tandrel::platform
