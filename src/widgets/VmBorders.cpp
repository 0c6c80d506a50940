// Panel borders and edit frames.
#include "widgets/VmBorders.h"

#include "widgets/VmColors.h"
#include "widgets/VmFrameStyles.h"
#include "widgets/VmStrokes.h"

namespace tandrel {
namespace {

TRect Ring(TCanvas& canvas, const TRect& bounds, TColor color, TSides sides) {
  return StrokeSides(canvas, bounds, color, color, sides);
}

// The flat and bevelled cases shared by the outer and inner frame.
bool StrokeFlatOrEdge(TCanvas& canvas, TRect& rest, TFrameStyleEx style,
                      const TInnerOuterBorder& border, TColor flat) {
  const TSides sides = border.borderSides;
  switch (style) {
    case fsFlat:
      rest = StrokeBevel(canvas, rest, flat, flat, sides, 1);
      return true;
    case fsFlatBold:
      rest = StrokeBevel(canvas, rest, flat, flat, sides, 2);
      return true;
    case fsStatus:
      rest = StrokeBevel(canvas, rest, border.darkEdgeColor, border.lightEdgeColor, sides,
                         border.bevelWidth);
      return true;
    case fsPopup:
      rest = StrokeBevel(canvas, rest, border.lightEdgeColor, border.darkEdgeColor, sides,
                         border.bevelWidth);
      return true;
    default:
      return false;
  }
}

}  // namespace

TRect StrokeInnerOuter(TCanvas& canvas, const TRect& bounds, const TInnerOuterBorder& border) {
  const TColor flat = ShadeBy(border.flatColor, border.flatColorAdjustment);
  const TSides sides = border.borderSides;
  const bool hasBorderBand = border.borderWidth > 0 || border.borderInner != fsNone;
  TRect rest = bounds;

  if (border.borderOuter == fsFlatRounded) {
    // The cut-off corners show what lies behind the ring: the parent's
    // colour outside, the border (or panel) colour inside.
    const TRect inside = border.transparent
                             ? StrokeSides(canvas, bounds, clNone, clNone, sides)
                             : Ring(canvas, bounds, border.parentBackColor, sides);
    if (!border.transparent || hasBorderBand) {
      Ring(canvas, inside, hasBorderBand ? border.borderColor : border.color, sides);
    }
    rest = StrokeRoundedFlat(canvas, bounds, flat, sides);
  } else if (!StrokeFlatOrEdge(canvas, rest, border.borderOuter, border, flat)) {
    rest = StrokeFrameStyle(canvas, rest, border.borderOuter, sides);
  }

  if (border.borderWidth > 0) {
    rest = StrokeBevel(canvas, rest, border.borderColor, border.borderColor, sides,
                       border.borderWidth);
  }

  if (border.borderInner == fsFlatRounded) {
    const TRect inside = Ring(canvas, rest, border.borderColor, sides);
    if (!border.transparent) Ring(canvas, inside, border.color, sides);
    rest = StrokeRoundedFlat(canvas, rest, flat, sides);
  } else if (!StrokeFlatOrEdge(canvas, rest, border.borderInner, border, flat)) {
    rest = StrokeFrameStyle(canvas, rest, border.borderInner, sides);
  }
  return rest;
}

TRect StrokeControlFrame(TCanvas& canvas, int width, int height, bool skipBackgroundRing,
                         TSides sides, TColor frameColor, TColor backgroundColor,
                         TFrameStyleEx style) {
  const TRect bounds{0, 0, width, height};
  if (!skipBackgroundRing) {
    StrokeBevel(canvas, bounds, backgroundColor, backgroundColor, kAllSides, 2);
  }
  switch (style) {
    case fsFlat:
      return StrokeSides(canvas, bounds, frameColor, frameColor, sides);
    case fsFlatBold:
      return StrokeBevel(canvas, bounds, frameColor, frameColor, sides, 2);
    default:
      if (backgroundColor == clWindow) return StrokeFrameStyle(canvas, bounds, style, sides);
      return StrokeColorFrameStyle(canvas, bounds, backgroundColor, style, sides);
  }
}

}  // namespace tandrel
