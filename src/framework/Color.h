// Colour resolution: system colours (0xFF000000 + index) become RGB through
// the installed platform; every other value keeps its low three bytes, as
// GDI reads a COLORREF.
#pragma once

#include "platform/Geometry.h"

namespace tandrel {

TColor ColorToRGB(TColor color);

}  // namespace tandrel
