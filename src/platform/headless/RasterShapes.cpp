// Lines and polygons of the headless surface, by GDI's rules for cosmetic
// pens: Bresenham steps along the major axis, the end point is left out,
// and a polygon is filled by the even-odd rule before its outline is drawn.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/headless/RasterSurface.h"

namespace tandrel::platform {
namespace {

// Which octants step the minor axis when the true line passes exactly
// half-way between two pixels. Bit index: (yMajor << 2) | (stepX < 0) << 1 |
// (stepY < 0). GDI rounds such ties toward the smaller minor coordinate, so
// lines stepping up (x-major) or left (y-major) take the step at once:
// octants 1 and 3 (x-major, y falling) and 6 and 7 (y-major, x falling).
constexpr unsigned kTieStepsMinor = (1u << 1) | (1u << 3) | (1u << 6) | (1u << 7);

bool StepsOnTie(bool yMajor, int stepX, int stepY) {
  const unsigned octant = (yMajor ? 4u : 0u) | (stepX < 0 ? 2u : 0u) | (stepY < 0 ? 1u : 0u);
  return ((kTieStepsMinor >> octant) & 1u) != 0;
}

// ceil(num / den) for den > 0.
long long CeilDiv(long long num, long long den) {
  return num >= 0 ? (num + den - 1) / den : -((-num) / den);
}

}  // namespace

void RasterSurface::PlotPen(int dx, int dy) {
  const PenSpec& pen = state_.pen;
  if (pen.style == PenStyle::Clear) return;
  if (pen.width <= 1) {
    PlotDevice(dx, dy, pen.color);
    return;
  }
  // Wide pens: a square nib centred on the point (not pixel-exact with GDI's
  // geometric pens, which the program does not use).
  const int before = (pen.width - 1) / 2;
  for (int y = dy - before; y < dy - before + pen.width; ++y) {
    for (int x = dx - before; x < dx - before + pen.width; ++x) PlotDevice(x, y, pen.color);
  }
}

void RasterSurface::DrawLineDevice(TPoint from, TPoint to) {
  int x = from.x;
  int y = from.y;
  const int adx = std::abs(to.x - from.x);
  const int ady = std::abs(to.y - from.y);
  const int sx = to.x >= from.x ? 1 : -1;
  const int sy = to.y >= from.y ? 1 : -1;
  if (adx >= ady) {
    const bool tieStep = StepsOnTie(false, sx, sy);
    long long err = 2LL * ady - adx;
    for (int i = 0; i < adx; ++i) {
      PlotPen(x, y);
      if (err > 0 || (err == 0 && tieStep)) {
        y += sy;
        err -= 2LL * adx;
      }
      err += 2LL * ady;
      x += sx;
    }
  } else {
    const bool tieStep = StepsOnTie(true, sx, sy);
    long long err = 2LL * adx - ady;
    for (int i = 0; i < ady; ++i) {
      PlotPen(x, y);
      if (err > 0 || (err == 0 && tieStep)) {
        x += sx;
        err -= 2LL * ady;
      }
      err += 2LL * adx;
      y += sy;
    }
  }
}

void RasterSurface::LineToPoint(int x, int y) {
  const TPoint from{state_.position.x + state_.viewport.x, state_.position.y + state_.viewport.y};
  const TPoint to{x + state_.viewport.x, y + state_.viewport.y};
  if (state_.pen.style != PenStyle::Clear) DrawLineDevice(from, to);
  state_.position = TPoint{x, y};
}

void RasterSurface::DrawPolygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  std::vector<TPoint> device;
  device.reserve(points.size());
  for (const TPoint& p : points) {
    device.push_back(TPoint{p.x + state_.viewport.x, p.y + state_.viewport.y});
  }
  if (state_.brush.style != BrushStyle::Clear && device.size() >= 3) {
    int top = device.front().y;
    int bottom = device.front().y;
    for (const TPoint& p : device) {
      top = std::min(top, p.y);
      bottom = std::max(bottom, p.y);
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, height_);
    std::vector<long long> crossings;
    for (int row = top; row < bottom; ++row) {
      // Sample points are the integer pixel coordinates; an edge covers the
      // rows from its upper end up to, not including, its lower end.
      crossings.clear();
      for (std::size_t i = 0; i < device.size(); ++i) {
        const TPoint a = device[i];
        const TPoint b = device[(i + 1) % device.size()];
        if (a.y == b.y) continue;
        const TPoint upper = a.y < b.y ? a : b;
        const TPoint lower = a.y < b.y ? b : a;
        if (row < upper.y || row >= lower.y) continue;
        // First pixel column at or right of the crossing.
        const long long num = static_cast<long long>(upper.x) * (lower.y - upper.y) +
                              static_cast<long long>(row - upper.y) * (lower.x - upper.x);
        crossings.push_back(CeilDiv(num, lower.y - upper.y));
      }
      std::sort(crossings.begin(), crossings.end());
      for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
        const long long from = std::max<long long>(crossings[i], 0);
        const long long to = std::min<long long>(crossings[i + 1], width_);
        if (from < to) BrushSpan(row, static_cast<int>(from), static_cast<int>(to));
      }
    }
  }
  if (state_.pen.style != PenStyle::Clear) {
    for (std::size_t i = 0; i < device.size(); ++i) {
      DrawLineDevice(device[i], device[(i + 1) % device.size()]);
    }
  }
}

}  // namespace tandrel::platform
