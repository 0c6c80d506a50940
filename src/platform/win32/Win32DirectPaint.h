// Painting part of a window at once, on a DC from GetDC, rather than
// invalidating it and waiting for WM_PAINT: a change drawn this way costs
// no update region, no paint message and no BeginPaint/EndPaint.
#pragma once

#include <windows.h>

#include "platform/WindowSystem.h"

namespace tandrel::platform {

// Runs `handler`'s WindowPaint for `rect` of `window`'s client area on a
// DC clipped to `rect`. False, painting nothing, when nothing of the window
// can be seen now (hidden, or inside a minimised window).
bool PaintClientNow(HWND window, WindowHandler& handler, const TRect& rect);

}  // namespace tandrel::platform
