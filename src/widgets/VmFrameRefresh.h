// Repainting a control's non-client frame after one of its frame
// properties changed.
#pragma once

#include "platform/Geometry.h"
#include "platform/WindowSystem.h"

namespace tandrel {

// Has the frame within `bounds` (window coordinates) painted again, when any
// part of the window can be seen; a hidden or covered window is left alone.
void RefreshNonClientFrame(platform::WindowHandle window, const TRect& bounds);

}  // namespace tandrel
