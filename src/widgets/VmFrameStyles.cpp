// The frame-style catalogue in system colours and in shades of a base colour.
#include "widgets/VmFrameStyles.h"

#include "widgets/VmColors.h"
#include "widgets/VmStrokes.h"

namespace tandrel {
namespace {

TFrameColors OneRing(TColor ul, TColor lr) {
  return TFrameColors{TFrameColors::OneRing, ul, lr, clNone, clNone};
}
TFrameColors TwoRings(TColor outerUl, TColor outerLr, TColor innerUl, TColor innerLr) {
  return TFrameColors{TFrameColors::TwoRings, outerUl, outerLr, innerUl, innerLr};
}
TFrameColors Etched(TColor ul, TColor lr) {
  return TFrameColors{TFrameColors::Etched, ul, lr, clNone, clNone};
}

TRect StrokeFrameColors(TCanvas& canvas, const TRect& bounds, const TFrameColors& colors,
                        TSides sides) {
  switch (colors.shape) {
    case TFrameColors::OneRing:
      return StrokeSides(canvas, bounds, colors.outerUpperLeft, colors.outerLowerRight, sides);
    case TFrameColors::TwoRings: {
      const TRect rest = StrokeBevel(canvas, bounds, colors.outerUpperLeft,
                                     colors.outerLowerRight, sides, 1);
      return StrokeBevel(canvas, rest, colors.innerUpperLeft, colors.innerLowerRight, sides, 1);
    }
    case TFrameColors::Etched:
      return StrokeEtched(canvas, bounds, colors.outerUpperLeft, colors.outerLowerRight, sides);
    case TFrameColors::None:
      break;
  }
  return bounds;
}

}  // namespace

TFrameColors SystemFrameColors(TFrameStyleEx style) {
  switch (style) {
    case fsFlat: return OneRing(cl3DDkShadow, cl3DDkShadow);
    case fsGroove: return Etched(clBtnShadow, clBtnHighlight);
    case fsBump: return Etched(clBtnHighlight, clBtnShadow);
    case fsLowered: return TwoRings(clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
    case fsButtonDown: return TwoRings(clBtnText, clBtnText, clBtnShadow, clBtnShadow);
    case fsRaised: return TwoRings(cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow);
    case fsButtonUp: return TwoRings(clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow);
    case fsStatus: return OneRing(clBtnShadow, clBtnHighlight);
    case fsPopup: return OneRing(clBtnHighlight, clBtnShadow);
    case fsFlatBold: return TwoRings(clBtnShadow, clBtnShadow, clBtnShadow, clBtnShadow);
    case fsNone:
    case fsFlatRounded: break;
  }
  return TFrameColors{};
}

TFrameColors ShadedFrameColors(TColor baseColor, TFrameStyleEx style) {
  auto dark = [baseColor](int amount) { return ShadeDarker(baseColor, amount); };
  auto light = [baseColor](int amount) { return ShadeLighter(baseColor, amount); };
  switch (style) {
    case fsFlat: return OneRing(dark(50), dark(50));
    case fsGroove: return Etched(dark(50), light(100));
    case fsBump: return Etched(light(100), dark(50));
    case fsLowered: return TwoRings(dark(50), light(100), dark(100), light(50));
    case fsButtonDown: return TwoRings(dark(100), dark(100), dark(50), dark(50));
    case fsRaised: return TwoRings(light(50), dark(100), light(100), dark(50));
    case fsButtonUp: return TwoRings(light(100), dark(100), light(40), dark(50));
    case fsStatus: return OneRing(dark(50), light(100));
    case fsPopup: return OneRing(light(100), dark(50));
    case fsFlatBold: return TwoRings(dark(50), dark(50), dark(50), dark(50));
    case fsNone:
    case fsFlatRounded: break;
  }
  return TFrameColors{};
}

int FrameStyleWidth(TFrameStyleEx style) {
  switch (style) {
    case fsNone: return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 2;
  }
}

TRect StrokeCtl3DSides(TCanvas& canvas, const TRect& bounds, bool lowered, TSides sides) {
  return StrokeFrameColors(canvas, bounds, SystemFrameColors(lowered ? fsLowered : fsRaised),
                           sides);
}

TRect StrokeButtonSides(TCanvas& canvas, const TRect& bounds, bool down, TSides sides) {
  return StrokeFrameColors(canvas, bounds,
                           SystemFrameColors(down ? fsButtonDown : fsButtonUp), sides);
}

TRect StrokeColorButtonSides(TCanvas& canvas, const TRect& bounds, TColor baseColor, bool down,
                             TSides sides) {
  return StrokeFrameColors(canvas, bounds,
                           ShadedFrameColors(baseColor, down ? fsButtonDown : fsButtonUp),
                           sides);
}

TRect StrokeFrameStyle(TCanvas& canvas, const TRect& bounds, TFrameStyleEx style, TSides sides) {
  return StrokeFrameColors(canvas, bounds, SystemFrameColors(style), sides);
}

TRect StrokeColorFrameStyle(TCanvas& canvas, const TRect& bounds, TColor baseColor,
                            TFrameStyleEx style, TSides sides) {
  return StrokeFrameColors(canvas, bounds, ShadedFrameColors(baseColor, style), sides);
}

}  // namespace tandrel
