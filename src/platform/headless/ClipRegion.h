// A clip region as a list of disjoint rectangles in device pixels, enough
// for the rectangle exclusions and intersections that painting uses.
#pragma once

#include <vector>

#include "platform/Geometry.h"
#include "platform/LiveObjects.h"

namespace tandrel::platform {

class ClipRegion {
 public:
  ClipRegion() = default;
  explicit ClipRegion(const TRect& whole);

  bool Contains(int x, int y) const;
  void Exclude(const TRect& r);
  void Intersect(const TRect& r);
  bool IsEmpty() const { return rects_.empty(); }
  TRect Bounds() const;
  const std::vector<TRect>& Rects() const { return rects_; }

 private:
  std::vector<TRect> rects_;  // disjoint, none empty
  LiveObject live_{LiveKind::Region};
};

TRect IntersectRects(const TRect& a, const TRect& b);

}  // namespace tandrel::platform
