// Rectangle-list clip regions.
#include "platform/headless/ClipRegion.h"

#include <algorithm>

namespace tandrel::platform {

TRect IntersectRects(const TRect& a, const TRect& b) {
  TRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
  if (r.IsEmpty()) return TRect{};
  return r;
}

ClipRegion::ClipRegion(const TRect& whole) {
  if (!whole.IsEmpty()) rects_.push_back(whole);
}

bool ClipRegion::Contains(int x, int y) const {
  return std::any_of(rects_.begin(), rects_.end(),
                     [&](const TRect& r) { return r.Contains(TPoint{x, y}); });
}

void ClipRegion::Exclude(const TRect& cut) {
  if (cut.IsEmpty()) return;
  std::vector<TRect> kept;
  kept.reserve(rects_.size() + 4);
  for (const TRect& r : rects_) {
    const TRect overlap = IntersectRects(r, cut);
    if (overlap.IsEmpty()) {
      kept.push_back(r);
      continue;
    }
    // Up to four pieces around the overlap: above, below, left, right.
    const TRect pieces[] = {
        {r.left, r.top, r.right, overlap.top},
        {r.left, overlap.bottom, r.right, r.bottom},
        {r.left, overlap.top, overlap.left, overlap.bottom},
        {overlap.right, overlap.top, r.right, overlap.bottom},
    };
    for (const TRect& piece : pieces) {
      if (!piece.IsEmpty()) kept.push_back(piece);
    }
  }
  rects_ = std::move(kept);
}

void ClipRegion::Intersect(const TRect& with) {
  std::vector<TRect> kept;
  for (const TRect& r : rects_) {
    const TRect overlap = IntersectRects(r, with);
    if (!overlap.IsEmpty()) kept.push_back(overlap);
  }
  rects_ = std::move(kept);
}

TRect ClipRegion::Bounds() const {
  if (rects_.empty()) return TRect{};
  TRect b = rects_.front();
  for (const TRect& r : rects_) {
    b.left = std::min(b.left, r.left);
    b.top = std::min(b.top, r.top);
    b.right = std::max(b.right, r.right);
    b.bottom = std::max(b.bottom, r.bottom);
  }
  return b;
}

}  // namespace tandrel::platform
