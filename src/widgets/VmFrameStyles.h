// The frame-style catalogue: each TFrameStyle drawn either in the system's
// 3-D colours or in shades of one base colour, plus the two-ring 3-D and
// button borders it is built from. All return the rectangle inside the frame.
#pragma once

#include "framework/Canvas.h"
#include "platform/Geometry.h"
#include "widgets/VmDrawTypes.h"

namespace tandrel {

// How a style is stroked and in which colours (UL = left and top sides,
// LR = right and bottom; outer on the edge, inner one pixel inside).
struct TFrameColors {
  enum Shape { None, OneRing, TwoRings, Etched };
  Shape shape = None;
  TColor outerUpperLeft = clNone;
  TColor outerLowerRight = clNone;
  TColor innerUpperLeft = clNone;
  TColor innerLowerRight = clNone;
  friend bool operator==(const TFrameColors&, const TFrameColors&) = default;
};

// The catalogue rows. fsFlatRounded (panel borders only) has no row: None.
TFrameColors SystemFrameColors(TFrameStyleEx style);
TFrameColors ShadedFrameColors(TColor baseColor, TFrameStyleEx style);

// Width of a style on each chosen side.
int FrameStyleWidth(TFrameStyleEx style);

TRect StrokeCtl3DSides(TCanvas& canvas, const TRect& bounds, bool lowered,
                       TSides sides = kAllSides);
TRect StrokeButtonSides(TCanvas& canvas, const TRect& bounds, bool down,
                        TSides sides = kAllSides);
TRect StrokeColorButtonSides(TCanvas& canvas, const TRect& bounds, TColor baseColor, bool down,
                             TSides sides = kAllSides);

TRect StrokeFrameStyle(TCanvas& canvas, const TRect& bounds, TFrameStyleEx style,
                       TSides sides = kAllSides);
TRect StrokeColorFrameStyle(TCanvas& canvas, const TRect& bounds, TColor baseColor,
                            TFrameStyleEx style, TSides sides = kAllSides);

}  // namespace tandrel
