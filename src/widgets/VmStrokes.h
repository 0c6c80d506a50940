// One-pixel stroke routines: sides in an upper-left and a lower-right colour,
// bevels, etched grooves, boxes, focus dots and rounded flat outlines. Each
// sets a solid one-pixel pen and returns the rectangle left inside what it
// drew. A colour of clNone leaves its sides undrawn, but they still count.
#pragma once

#include "framework/Canvas.h"
#include "platform/Geometry.h"
#include "widgets/VmDrawTypes.h"

namespace tandrel {

TRect StrokeSides(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                  TColor lowerRightColor, TSides sides = kAllSides);

// StrokeSides applied `width` times inwards.
TRect StrokeBevel(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                  TColor lowerRightColor, TSides sides, int width);
TRect StrokeBevel(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                  TColor lowerRightColor, int width);

// Two-line grooves (UL dark) and bumps (UL light).
TRect StrokeEtched(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                   TColor lowerRightColor, TSides sides = kAllSides);

TRect StrokeBox(TCanvas& canvas, const TRect& bounds, TColor color);

// A dotted one-pixel outline (black dots on every other pixel).
TRect StrokeFocusDots(TCanvas& canvas, const TRect& bounds);

// A flat outline whose corners are cut by one pixel on the outside and
// filled in on the inside.
TRect StrokeRoundedFlat(TCanvas& canvas, const TRect& bounds, TColor color,
                        TSides sides = kAllSides);

}  // namespace tandrel
