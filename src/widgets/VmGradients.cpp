// Gradient fills and the highlight ring.
#include "widgets/VmGradients.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "framework/Bitmap.h"
#include "framework/Color.h"
#include "widgets/VmDrawGlobals.h"

namespace tandrel {
namespace {

constexpr int kStrip = 8;

// A colour walked from `first` towards `target` in `steps` equal 16.16
// fixed-point increments (each truncated toward zero, so the walk stops a
// little short of the target).
class ColorWalk {
 public:
  ColorWalk(TColor first, TColor target, int steps) {
    const TColor a = ColorToRGB(first);
    const TColor b = ColorToRGB(target);
    const std::array<int, 3> from{GetRValue(a), GetGValue(a), GetBValue(a)};
    const std::array<int, 3> to{GetRValue(b), GetGValue(b), GetBValue(b)};
    for (int c = 0; c < 3; ++c) {
      value_[c] = from[c] << 16;
      increment_[c] = steps > 0 ? ((to[c] << 16) - value_[c]) / steps : 0;
    }
  }
  TColor Color() const { return RGB(value_[0] >> 16, value_[1] >> 16, value_[2] >> 16); }
  void Step() {
    for (int c = 0; c < 3; ++c) value_[c] += increment_[c];
  }

 private:
  std::array<std::int32_t, 3> value_{};
  std::array<std::int32_t, 3> increment_{};
};

// Fills bands of one colour with one brush each: consecutive lines of the
// same colour are collected and filled together when the colour changes.
class BandFiller {
 public:
  explicit BandFiller(TCanvas& canvas) : canvas_(canvas) {}
  ~BandFiller() = default;
  BandFiller(const BandFiller&) = delete;
  BandFiller& operator=(const BandFiller&) = delete;

  // Adds one line (rect) of `color`; rect must be adjacent to the open band.
  void Add(const TRect& line, TColor color) {
    if (open_ && color == color_) {
      band_ = TRect{std::min(band_.left, line.left), std::min(band_.top, line.top),
                    std::max(band_.right, line.right), std::max(band_.bottom, line.bottom)};
      return;
    }
    Flush();
    open_ = true;
    color_ = color;
    band_ = line;
  }
  void Flush() {
    if (!open_) return;
    canvas_.Brush.SetColor(color_);
    canvas_.FillRect(band_);
    open_ = false;
  }

 private:
  TCanvas& canvas_;
  bool open_ = false;
  TColor color_ = clNone;
  TRect band_{};
};

enum class Axis { Rows, Columns };

// One run of a one-dimensional ramp: `count` lines starting at line `first`
// and going towards line 0, coloured from `from` towards `to` in `steps`.
void PaintRun(BandFiller& bands, Axis axis, int stripExtent, int first, int count, TColor from,
              TColor to, int steps, int colorStep) {
  if (count <= 0) return;
  ColorWalk walk(from, to, steps);
  TColor color = walk.Color();
  for (int k = 0; k < count; ++k) {
    if (k % colorStep == 0) color = walk.Color();
    const int line = first - k;
    const TRect rect = axis == Axis::Rows ? TRect{0, line, stripExtent, line + 1}
                                          : TRect{line, 0, line + 1, stripExtent};
    bands.Add(rect, color);
    walk.Step();
  }
  bands.Flush();
}

// Copies the strip at the start of the bitmap across it, doubling the copied
// extent each time.
void WidenStrip(TCanvas& ramp, Axis axis, int width, int height) {
  const int total = axis == Axis::Rows ? width : height;
  for (int done = std::min(kStrip, total); done < total;) {
    const int n = std::min(done, total - done);
    if (axis == Axis::Rows) {
      ramp.CopyRect(TRect{done, 0, done + n, height}, ramp, TRect{0, 0, n, height});
    } else {
      ramp.CopyRect(TRect{0, done, width, done + n}, ramp, TRect{0, 0, width, n});
    }
    done += n;
  }
}

void PaintLinearRamp(TCanvas& ramp, TGradientDirection direction, int width, int height,
                     int colorStep, TColor stopColor, TColor startColor) {
  const bool rows = direction == gdHorizontalEnd || direction == gdHorizontalCenter;
  const Axis axis = rows ? Axis::Rows : Axis::Columns;
  const int lines = rows ? height : width;
  const int strip = std::min(kStrip, rows ? width : height);
  BandFiller bands(ramp);
  if (direction == gdHorizontalEnd || direction == gdVerticalEnd) {
    PaintRun(bands, axis, strip, lines - 1, lines, stopColor, startColor, lines, colorStep);
  } else {
    const int middle = lines / 2;
    PaintRun(bands, axis, strip, middle, middle + 1, stopColor, startColor, middle + 1,
             colorStep);
    const int outer = lines - middle - 1;
    PaintRun(bands, axis, strip, lines - 1, outer, startColor, stopColor, outer, colorStep);
  }
  WidenStrip(ramp, axis, width, height);
}

// The edge sweeps the rectangle in `half` position steps per half; position
// i of a half lies i/half of the way along each side it cuts.
void PaintDiagonalRamp(TCanvas& ramp, TGradientDirection direction, int width, int height,
                       TColor stopColor, TColor startColor) {
  // Neighbouring bands share their edges, so each pixel is filled once.
  const int w = width;
  const int h = height;
  const int steps =
      static_cast<int>(std::sqrt(static_cast<double>(width) * width +
                                 static_cast<double>(height) * height)) + 1;
  const int half = std::max(steps / 2, 1);
  const bool up = direction == gdDiagonalUp;
  ColorWalk walk(up ? startColor : stopColor, up ? stopColor : startColor, steps);
  auto along = [half](int extent, int i) {
    return static_cast<int>(static_cast<std::int64_t>(extent) * i / half);
  };
  // The band between positions a and b of one half, as a quadrilateral.
  auto band = [&](int part, int a, int b) -> std::array<TPoint, 4> {
    const int xa = along(w, a), ya = along(h, a), xb = along(w, b), yb = along(h, b);
    if (up && part == 0) return {{{0, h - ya}, {xa, h}, {xb, h}, {0, h - yb}}};
    if (up) return {{{xa, 0}, {w, h - ya}, {w, h - yb}, {xb, 0}}};
    if (part == 0) return {{{w - xa, h}, {w, h - ya}, {w, h - yb}, {w - xb, h}}};
    return {{{0, h - ya}, {w - xa, 0}, {w - xb, 0}, {0, h - yb}}};
  };
  for (int part = 0; part < 2; ++part) {
    int bandStart = 0;
    TColor color = walk.Color();
    for (int i = 0; i < half; ++i) {
      const TColor next = walk.Color();
      if (next != color) {
        ramp.Brush.SetColor(color);
        const auto points = band(part, bandStart, i);
        ramp.Polygon(points);
        bandStart = i;
        color = next;
      }
      walk.Step();
    }
    ramp.Brush.SetColor(color);
    const auto points = band(part, bandStart, half);
    ramp.Polygon(points);
  }
}

void PaintBoxRamp(TCanvas& ramp, TGradientDirection direction, int width, int height,
                  TColor stopColor, TColor startColor) {
  const int hw = (width - 1) / 2;
  const int hh = (height - 1) / 2;
  int xi = 0, yi = 0;
  if (direction == gdHorizontalBox || direction == gdBigSquareBox) xi = width / 4;
  if (direction == gdVerticalBox || direction == gdBigSquareBox) yi = height / 4;
  const int x0Start = hw - xi;
  const int y0Start = hh - yi;
  const int steps = std::max(x0Start, y0Start) + 1;
  ColorWalk walk(stopColor, startColor, steps);
  std::int32_t cornerX = x0Start << 16;
  std::int32_t cornerY = y0Start << 16;
  const std::int32_t dx = cornerX / steps;
  const std::int32_t dy = cornerY / steps;
  int x0 = hw + 1;  // the inner corner of the band being drawn
  int y0 = hh + 1;
  // The corner reaches (0, 0) after `steps` moves; one band per move.
  for (int k = 0; k <= steps; ++k) {
    const int x1 = std::max(cornerX >> 16, 0);
    const int y1 = std::max(cornerY >> 16, 0);
    ramp.Brush.SetColor(walk.Color());
    const TRect topArm{x1, y1, hw + 1, y0};
    const TRect leftArm{x1, y0, x0, hh + 1};
    if (!topArm.IsEmpty()) ramp.FillRect(topArm);
    if (!leftArm.IsEmpty()) ramp.FillRect(leftArm);
    x0 = x1;
    y0 = y1;
    if (x1 == 0 && y1 == 0) break;
    cornerX -= dx;
    cornerY -= dy;
    walk.Step();
  }
  // Mirror the quarter down, then the left half across. The middle line of
  // an odd size is its own mirror image, so it is left out of the copies,
  // which then never read what they write.
  ramp.CopyRectMirrored(TRect{0, hh + 1, hw + 1, height}, ramp,
                        TRect{0, 0, hw + 1, height - 1 - hh}, platform::Mirror::Vertical);
  ramp.CopyRectMirrored(TRect{hw + 1, 0, width, height}, ramp,
                        TRect{0, 0, width - 1 - hw, height}, platform::Mirror::Horizontal);
}

void FillSolid(TCanvas& ramp, const TRect& area, TColor color) {
  ramp.Brush.SetColor(color);
  ramp.FillRect(area);
}

}  // namespace

void PaintColorRamp(TCanvas& canvas, const TRect& bounds, TGradientDirection direction,
                    int colorStep, TColor stopColor, TColor startColor) {
  const int width = std::abs(bounds.right - bounds.left);
  const int height = std::abs(bounds.bottom - bounds.top);
  if (width == 0 || height == 0) return;
  colorStep = std::max(colorStep, 1);

  TBitmap bitmap(width, height);
  TCanvas& ramp = bitmap.Canvas();
  ramp.Pen.SetStyle(psClear);
  ramp.Brush.SetStyle(bsSolid);
  const TColor stop = ColorToRGB(stopColor);
  const TColor start = ColorToRGB(startColor);
  switch (direction) {
    case gdHorizontalEnd:
    case gdHorizontalCenter:
    case gdVerticalEnd:
    case gdVerticalCenter:
      PaintLinearRamp(ramp, direction, width, height, colorStep, stop, start);
      break;
    case gdDiagonalUp:
    case gdDiagonalDown:
      if (stop == start) {
        FillSolid(ramp, TRect{0, 0, width, height}, start);
      } else {
        PaintDiagonalRamp(ramp, direction, width, height, stop, start);
      }
      break;
    case gdHorizontalBox:
    case gdVerticalBox:
    case gdSquareBox:
    case gdBigSquareBox:
      if (stop == start || width <= 4 || height <= 4) {
        FillSolid(ramp, TRect{0, 0, width + 1, height + 1}, start);
        break;
      }
      if (direction == gdHorizontalBox || direction == gdSquareBox) {
        FillSolid(ramp, TRect{0, 0, width, height}, start);
      }
      PaintBoxRamp(ramp, direction, width, height, stop, start);
      break;
  }
  // A rectangle given right-to-left or bottom-to-top still fills itself.
  canvas.Draw(std::min(bounds.left, bounds.right), std::min(bounds.top, bounds.bottom), bitmap);
}

void StrokeHighlightRing(TCanvas& canvas, const TRect& bounds, TGradientDirection direction,
                         TColor stopColor, TColor startColor) {
  if (!FullColorDisplay()) return;
  canvas.ExcludeClipRect(
      TRect{bounds.left + 2, bounds.top + 2, bounds.right - 2, bounds.bottom - 2});
  PaintColorRamp(canvas, bounds, direction, 1, stopColor, startColor);
  canvas.RemoveClipRegion();
}

}  // namespace tandrel
