// What the screen shows of one window during a scripted sequence. After
// each step the window is rendered again only when it was repainted during
// the step or still asks for a repaint; otherwise the old picture stays, as
// it would on Windows. A state change that forgot to invalidate then shows
// up as a stale pixel.
#pragma once

#include <memory>

#include "platform/headless/HeadlessWindowSystem.h"

namespace tandrel::testing {

class ScreenProbe {
 public:
  ScreenProbe(platform::HeadlessWindowSystem& windows, platform::WindowHandle window)
      : windows_(windows), window_(window) {
    picture_ = windows_.Render(window_);
    paints_ = windows_.PaintCount(window_);
  }

  // Call after every step; true when the window was brought up to date.
  bool Step() {
    const bool asked = windows_.PaintCount(window_) != paints_ || windows_.PendingInvalidations(window_) > 0;
    if (asked) picture_ = windows_.Render(window_);
    paints_ = windows_.PaintCount(window_);
    return asked;
  }

  TColor Pixel(int x, int y) const { return picture_->GetPixelAt(x, y); }

 private:
  platform::HeadlessWindowSystem& windows_;
  platform::WindowHandle window_;
  std::unique_ptr<platform::Surface> picture_;
  int paints_ = 0;
};

}  // namespace tandrel::testing
