// The off-screen bitmap through which every custom-drawn window paints: the
// update area is drawn there whole (background first) and copied to the
// window in one block, so no erased or half-drawn state is ever seen. One
// small buffer is shared by all windows for the frequent small paints, so a
// clock second or a hover allocates nothing; a large area is painted
// through a buffer made for that paint alone.
#pragma once

#include <memory>

#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace tandrel {

class TPaintBuffer {
 public:
  // A surface of at least `size` pixels, borrowed until the lease ends. A
  // paint that starts while the shared buffer is lent out (a window painting
  // another one synchronously) gets a buffer of its own.
  class Lease {
   public:
    explicit Lease(TSize size);
    ~Lease();
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;
    platform::Surface& Surface() { return *surface_; }

   private:
    std::unique_ptr<platform::Surface> own_;
    platform::Surface* surface_ = nullptr;
    bool shared_ = false;
  };

  // Size of the shared buffer now (0 x 0 before the first paint); for tests
  // and benchmarks.
  static TSize SharedSize();
  // The largest area, in pixels, the shared buffer grows to.
  static long long SharedPixelLimit();
};

}  // namespace tandrel
