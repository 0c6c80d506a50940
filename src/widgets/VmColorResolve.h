// Turns any colour the widgets are given into plain RGB: system colours are
// looked up through the platform, clNone and other flagged values keep only
// their low three bytes, as GDI would read them.
#pragma once

#include "platform/Geometry.h"

namespace tandrel {

TColor ResolveColor(TColor color);

}  // namespace tandrel
