#include "framework/PaintBuffer.h"

#include <algorithm>

#include "platform/Platform.h"

namespace tandrel {
namespace {

struct SharedBuffer {
  std::unique_ptr<platform::Surface> surface;
  // The painting service that made it: a test that installs a new platform
  // gets a buffer of that platform.
  platform::Painting* maker = nullptr;
  bool lent = false;
};

SharedBuffer& Shared() {
  static SharedBuffer buffer;
  return buffer;
}

// The shared buffer serves the frequent small paints (a clock second, a
// hover ring, a changed label); a larger area (a whole window shown or
// restored) gets a buffer of its own for that paint only, so a program that
// sits in the tray for weeks does not keep a window-sized bitmap.
constexpr long long kSharedPixelLimit = 16 * 1024;

long long Pixels(int width, int height) { return static_cast<long long>(width) * height; }

}  // namespace

TPaintBuffer::Lease::Lease(TSize size) {
  size.cx = std::max(1, size.cx);
  size.cy = std::max(1, size.cy);
  platform::Painting& painting = platform::Current().painting();
  SharedBuffer& shared = Shared();
  if (shared.lent || Pixels(size.cx, size.cy) > kSharedPixelLimit) {
    own_ = painting.CreateBitmapSurface(size.cx, size.cy, false);
    surface_ = own_.get();
  } else {
    if (!shared.surface || shared.maker != &painting || shared.surface->SurfaceWidth() < size.cx ||
        shared.surface->SurfaceHeight() < size.cy) {
      int w = size.cx, h = size.cy;
      if (shared.surface && shared.maker == &painting) {
        const int grownWidth = std::max(w, shared.surface->SurfaceWidth());
        const int grownHeight = std::max(h, shared.surface->SurfaceHeight());
        // Growing both ways may pass the limit (a wide strip, then a tall
        // one): then the buffer takes this paint's size instead.
        if (Pixels(grownWidth, grownHeight) <= kSharedPixelLimit) {
          w = grownWidth;
          h = grownHeight;
        }
      }
      shared.surface.reset();
      shared.surface = painting.CreateBitmapSurface(w, h, false);
      shared.maker = &painting;
    }
    shared.lent = true;
    shared_ = true;
    surface_ = shared.surface.get();
  }
  surface_->SaveState();
}

TPaintBuffer::Lease::~Lease() {
  surface_->RestoreState(-1);
  if (shared_) Shared().lent = false;
}

TSize TPaintBuffer::SharedSize() {
  const SharedBuffer& shared = Shared();
  if (!shared.surface) return TSize{0, 0};
  return TSize{shared.surface->SurfaceWidth(), shared.surface->SurfaceHeight()};
}

long long TPaintBuffer::SharedPixelLimit() { return kSharedPixelLimit; }

}  // namespace tandrel
