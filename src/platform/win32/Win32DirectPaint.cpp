#include "platform/win32/Win32DirectPaint.h"

#include <algorithm>

#include "platform/win32/GdiObjects.h"
#include "platform/win32/GdiSurface.h"

namespace tandrel::platform {

bool PaintClientNow(HWND window, WindowHandler& handler, const TRect& rect) {
  // A minimised window keeps its WS_VISIBLE, and so do its children.
  if (!IsWindowVisible(window) || IsIconic(GetAncestor(window, GA_ROOT))) return false;
  RECT client{};
  GetClientRect(window, &client);
  const TRect area{std::max(rect.left, 0), std::max(rect.top, 0),
                   std::min(rect.right, static_cast<int>(client.right)),
                   std::min(rect.bottom, static_cast<int>(client.bottom))};
  if (area.IsEmpty()) return true;
  ScopedWindowDc dc(window);
  if (!dc.Get()) return false;
  // Windows clips the DC to what can be seen; covered parts are painted by
  // their expose later.
  IntersectClipRect(dc.Get(), area.left, area.top, area.right, area.bottom);
  GdiSurface surface(dc.Get(), client.right, client.bottom);
  handler.WindowPaint(surface, area);
  return true;
}

}  // namespace tandrel::platform
