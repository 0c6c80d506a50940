// Painting part of a window at once, as the real platform does on a window
// DC: only while the window can be seen, clipped to the area asked for,
// leaving what is invalid to the next paint.
#include <algorithm>

#include "platform/headless/HeadlessWindowRecord.h"
#include "platform/headless/HeadlessWindowSystem.h"

namespace tandrel::platform {

bool HeadlessWindowSystem::PaintNow(WindowHandle window, const TRect& rect) {
  Window& w = Get(window);
  if (!IsShowing(window) || TopLevelOf(w)->minimized) return false;
  const TSize client = ClientSize(window);
  const TRect area{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, client.cx),
                   std::min(rect.bottom, client.cy)};
  if (area.IsEmpty() || !w.handler) return true;
  std::shared_ptr<Surface> surface =
      platform_.painting().CreateBitmapSurface(area.Width(), area.Height(), false);
  surface->SetViewportOrigin(TPoint{-area.left, -area.top});
  surface->IntersectClip(area);
  w.handler->WindowPaint(*surface, area);
  if (Window* painted = Find(window)) {
    DirectPaints& direct = painted->direct;
    ++direct.count;
    direct.pixels += static_cast<long long>(area.Width()) * area.Height();
    direct.lastArea = area;
    direct.last = std::move(surface);
  }
  return true;
}

const HeadlessWindowSystem::DirectPaints& HeadlessWindowSystem::DirectPainted(
    WindowHandle window) const {
  return Get(window).direct;
}

}  // namespace tandrel::platform
