// One-pixel stroke routines.
#include "widgets/VmStrokes.h"

namespace tandrel {
namespace {

void UseOnePixelPen(TCanvas& canvas, TColor color) {
  canvas.Pen.SetWidth(1);
  canvas.Pen.SetStyle(psSolid);
  canvas.Pen.SetColor(color);
}

// Lines run over the half-open ranges of a side; a range that is empty
// (a rectangle already used up by earlier rings) draws nothing, where a bare
// LineTo would paint backwards outside the rectangle.
void VerticalLine(TCanvas& canvas, int x, int top, int bottom) {
  if (bottom <= top) return;
  canvas.MoveTo(x, top);
  canvas.LineTo(x, bottom);
}

void HorizontalLine(TCanvas& canvas, int y, int left, int right) {
  if (right <= left) return;
  canvas.MoveTo(left, y);
  canvas.LineTo(right, y);
}

void SetPixelUnlessNone(TCanvas& canvas, int x, int y, TColor color) {
  if (color != clNone) canvas.SetPixels(x, y, color);
}

}  // namespace

TRect StrokeSides(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                  TColor lowerRightColor, TSides sides) {
  const TRect& b = bounds;
  const bool drawable = !b.IsEmpty();
  canvas.Pen.SetWidth(1);
  canvas.Pen.SetStyle(psSolid);
  if (upperLeftColor != clNone && drawable) {
    canvas.Pen.SetColor(upperLeftColor);
    if (sides.Contains(sdLeft)) VerticalLine(canvas, b.left, b.top, b.bottom);
    if (sides.Contains(sdTop)) HorizontalLine(canvas, b.top, b.left, b.right);
  }
  if (lowerRightColor != clNone && drawable) {
    canvas.Pen.SetColor(lowerRightColor);
    if (sides.Contains(sdRight)) VerticalLine(canvas, b.right - 1, b.top, b.bottom);
    if (sides.Contains(sdBottom)) HorizontalLine(canvas, b.bottom - 1, b.left, b.right);
  }
  TRect inner = b;
  if (sides.Contains(sdLeft)) ++inner.left;
  if (sides.Contains(sdTop)) ++inner.top;
  if (sides.Contains(sdRight)) --inner.right;
  if (sides.Contains(sdBottom)) --inner.bottom;
  return inner;
}

TRect StrokeBevel(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                  TColor lowerRightColor, TSides sides, int width) {
  canvas.Pen.SetWidth(1);
  TRect rest = bounds;
  for (int i = 0; i < width; ++i) {
    rest = StrokeSides(canvas, rest, upperLeftColor, lowerRightColor, sides);
  }
  return rest;
}

TRect StrokeBevel(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                  TColor lowerRightColor, int width) {
  return StrokeBevel(canvas, bounds, upperLeftColor, lowerRightColor, kAllSides, width);
}

TRect StrokeEtched(TCanvas& canvas, const TRect& bounds, TColor upperLeftColor,
                   TColor lowerRightColor, TSides sides) {
  const int l = bounds.left, t = bounds.top, r = bounds.right, b = bounds.bottom;
  const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
  const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
  const TColor ul = upperLeftColor, lr = lowerRightColor;
  // The two corner pixels that neither line reaches, and the line ends that
  // an absent side would otherwise leave in the wrong colour.
  if (!bounds.IsEmpty()) {
    if (right) SetPixelUnlessNone(canvas, r - 1, t, lr);
    if (top && !right) SetPixelUnlessNone(canvas, r - 1, t, ul);
    if (bottom) SetPixelUnlessNone(canvas, l, b - 1, lr);
    if (left && !bottom) SetPixelUnlessNone(canvas, l, b - 1, ul);
    if (top && !left) SetPixelUnlessNone(canvas, l, t + 1, lr);
    if (left && !top) SetPixelUnlessNone(canvas, l + 1, t, lr);
    if (bottom && !right) SetPixelUnlessNone(canvas, r - 1, b - 2, ul);
    if (right && !bottom) SetPixelUnlessNone(canvas, r - 2, b - 1, ul);
  }
  StrokeSides(canvas, TRect{l + 1, t + 1, r, b}, lr, lr, sides);
  StrokeSides(canvas, TRect{l, t, r - 1, b - 1}, ul, ul, sides);
  TRect inner = bounds;
  if (left) inner.left += 2;
  if (top) inner.top += 2;
  if (right) inner.right -= 2;
  if (bottom) inner.bottom -= 2;
  return inner;
}

TRect StrokeBox(TCanvas& canvas, const TRect& bounds, TColor color) {
  return StrokeSides(canvas, bounds, color, color, kAllSides);
}

TRect StrokeFocusDots(TCanvas& canvas, const TRect& bounds) {
  const int l = bounds.left, t = bounds.top, r = bounds.right, b = bounds.bottom;
  if (!bounds.IsEmpty()) {
    for (int y = t + 1; y < b; y += 2) canvas.SetPixels(l, y, clBlack);
    for (int y = t + 1; y < b; y += 2) canvas.SetPixels(r - 1, y, clBlack);
    for (int x = l + 1; x < r; x += 2) canvas.SetPixels(x, t, clBlack);
    for (int x = l + 1; x < r; x += 2) canvas.SetPixels(x, b - 1, clBlack);
  }
  return TRect{l + 1, t + 1, r - 1, b - 1};
}

TRect StrokeRoundedFlat(TCanvas& canvas, const TRect& bounds, TColor color, TSides sides) {
  const int l = bounds.left, t = bounds.top, r = bounds.right, b = bounds.bottom;
  const bool left = sides.Contains(sdLeft), top = sides.Contains(sdTop);
  const bool right = sides.Contains(sdRight), bottom = sides.Contains(sdBottom);
  const int innerTop = top ? t + 2 : t;
  const int innerBottom = bottom ? b - 2 : b;
  const int innerLeft = left ? l + 2 : l;
  const int innerRight = right ? r - 2 : r;
  if (color != clNone && !bounds.IsEmpty()) {
    UseOnePixelPen(canvas, color);
    if (left) VerticalLine(canvas, l, innerTop, innerBottom);
    if (top) HorizontalLine(canvas, t, innerLeft, innerRight);
    if (right) VerticalLine(canvas, r - 1, innerTop, innerBottom);
    if (bottom) HorizontalLine(canvas, b - 1, innerLeft, innerRight);
    if (left && top) canvas.SetPixels(l + 1, t + 1, color);
    if (top && right) canvas.SetPixels(r - 2, t + 1, color);
    if (right && bottom) canvas.SetPixels(r - 2, b - 2, color);
    if (left && bottom) canvas.SetPixels(l + 1, b - 2, color);
  }
  return TRect{innerLeft, innerTop, innerRight, innerBottom};
}

}  // namespace tandrel
