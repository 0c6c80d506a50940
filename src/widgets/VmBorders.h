// Composite borders: the outer and inner frames of a framed panel or group
// box, and the non-client frame of an edit control.
#pragma once

#include "framework/Canvas.h"
#include "platform/Geometry.h"
#include "widgets/VmDrawTypes.h"

namespace tandrel {

// Everything a panel border is drawn from.
struct TInnerOuterBorder {
  TFrameStyleEx borderOuter = fsNone;
  bool transparent = false;
  TColor parentBackColor = clBtnFace;  // the parent control's colour
  TColor color = clBtnFace;            // the panel's own colour
  int flatColorAdjustment = 0;
  TColor flatColor = clBtnShadow;
  TColor darkEdgeColor = clBtnShadow;   // upper-left of fsStatus
  TColor lightEdgeColor = clBtnHighlight;
  TColor borderColor = clBtnFace;
  int bevelWidth = 1;  // used by fsStatus and fsPopup only
  TSides borderSides = kAllSides;
  int borderWidth = 0;
  TFrameStyleEx borderInner = fsNone;
};

// Outer frame, then BorderWidth rings in BorderColor, then the inner frame;
// returns what remains inside.
TRect StrokeInnerOuter(TCanvas& canvas, const TRect& bounds, const TInnerOuterBorder& border);

// The frame of an edit in its two-pixel non-client band, on (0, 0, width,
// height): unless skipped, the band is first repainted in the control's
// colour; then the style in system colours when that colour is exactly
// clWindow, else in shades of it.
TRect StrokeControlFrame(TCanvas& canvas, int width, int height, bool skipBackgroundRing,
                         TSides sides, TColor frameColor, TColor backgroundColor,
                         TFrameStyleEx style);

}  // namespace tandrel
