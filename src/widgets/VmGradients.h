// Gradient fills in ten directions and the two-pixel hot-tracking ring.
// Ramps are drawn off-screen and copied in one operation; runs of lines of
// the same colour share one brush, one-dimensional ramps are computed on an
// 8-pixel strip and widened by doubling copies, box ramps are computed on
// one quarter and mirrored.
#pragma once

#include "framework/Canvas.h"
#include "platform/Geometry.h"
#include "widgets/VmDrawTypes.h"

namespace tandrel {

// Runs from startColor to stopColor: for the End directions stopColor is at
// the bottom row (right column), for the Center directions in the middle,
// for the box directions in the centre. colorStep 1 merges only lines of
// equal colour; larger values hold each colour for colorStep lines.
void PaintColorRamp(TCanvas& canvas, const TRect& bounds, TGradientDirection direction,
                    int colorStep, TColor stopColor, TColor startColor);

// The outer two pixels of a ramp over bounds (nothing on a palette display).
// Leaves the canvas without a clip region.
void StrokeHighlightRing(TCanvas& canvas, const TRect& bounds, TGradientDirection direction,
                         TColor stopColor, TColor startColor);

}  // namespace tandrel
