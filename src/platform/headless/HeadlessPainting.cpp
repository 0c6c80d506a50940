// Headless painting service and icons.
#include "platform/headless/HeadlessPainting.h"

#include "platform/headless/RasterSurface.h"

namespace tandrel::platform {
namespace {

// The classic Windows scheme ("Windows Standard" of Windows 2000, kept as
// "Windows Classic" since): what GetSysColor gives on a classic desktop.
// Wine's defaults differ in places, so cross-platform tests use RGB colours.
constexpr std::array<TColor, 31> kClassicScheme = {
    RGB(212, 208, 200),  //  0 scroll bar
    RGB(58, 110, 165),   //  1 desktop
    RGB(10, 36, 106),    //  2 active caption
    RGB(128, 128, 128),  //  3 inactive caption
    RGB(212, 208, 200),  //  4 menu
    RGB(255, 255, 255),  //  5 window
    RGB(0, 0, 0),        //  6 window frame
    RGB(0, 0, 0),        //  7 menu text
    RGB(0, 0, 0),        //  8 window text
    RGB(255, 255, 255),  //  9 caption text
    RGB(212, 208, 200),  // 10 active border
    RGB(212, 208, 200),  // 11 inactive border
    RGB(128, 128, 128),  // 12 application workspace
    RGB(10, 36, 106),    // 13 highlight
    RGB(255, 255, 255),  // 14 highlight text
    RGB(212, 208, 200),  // 15 button face
    RGB(128, 128, 128),  // 16 button shadow
    RGB(128, 128, 128),  // 17 grey text
    RGB(0, 0, 0),        // 18 button text
    RGB(212, 208, 200),  // 19 inactive caption text
    RGB(255, 255, 255),  // 20 button highlight
    RGB(64, 64, 64),     // 21 3-D dark shadow
    RGB(212, 208, 200),  // 22 3-D light
    RGB(0, 0, 0),        // 23 tooltip text
    RGB(255, 255, 225),  // 24 tooltip background
    RGB(181, 181, 181),  // 25 (unnamed)
    RGB(0, 0, 128),      // 26 hot-tracked item
    RGB(166, 202, 240),  // 27 active caption gradient
    RGB(192, 192, 192),  // 28 inactive caption gradient
    RGB(10, 36, 106),    // 29 menu highlight
    RGB(212, 208, 200),  // 30 menu bar
};

class HeadlessIcon final : public IconHandle {
 public:
  HeadlessIcon(const Surface& color, const Surface& mask)
      : color_(color.SurfaceWidth(), color.SurfaceHeight(), false),
        mask_(mask.SurfaceWidth(), mask.SurfaceHeight(), true) {
    const TRect whole{0, 0, color.SurfaceWidth(), color.SurfaceHeight()};
    color_.CopyFrom(whole, color, whole, RasterOp::SrcCopy, Mirror::None);
    const TRect maskWhole{0, 0, mask.SurfaceWidth(), mask.SurfaceHeight()};
    mask_.CopyFrom(maskWhole, mask, maskWhole, RasterOp::SrcCopy, Mirror::None);
  }

  int IconWidth() const override { return color_.SurfaceWidth(); }
  int IconHeight() const override { return color_.SurfaceHeight(); }
  void DrawOn(Surface& target, int x, int y) const override {
    const TRect whole{0, 0, IconWidth(), IconHeight()};
    target.CopyMasked(Bounds(x, y, IconWidth(), IconHeight()), color_, whole, mask_);
  }
  std::unique_ptr<IconHandle> Clone() const override {
    return std::make_unique<HeadlessIcon>(color_, mask_);
  }

 private:
  RasterSurface color_;
  RasterSurface mask_;
  LiveObject live_{LiveKind::Icon};
};

}  // namespace

HeadlessPainting::HeadlessPainting() : colors_(kClassicScheme) {}

std::unique_ptr<Surface> HeadlessPainting::CreateBitmapSurface(int width, int height,
                                                               bool monochrome) {
  auto surface = std::make_unique<RasterSurface>(width, height, monochrome, clBlack);
  surface->CountAsDeviceContext();
  return surface;
}

TColor HeadlessPainting::ResolveSystemColor(int index) {
  if (index < 0 || index >= static_cast<int>(colors_.size())) return clBlack;
  return colors_[static_cast<std::size_t>(index)];
}

void HeadlessPainting::SetSystemColor(int index, TColor rgb) {
  if (index < 0 || index >= static_cast<int>(colors_.size())) return;
  colors_[static_cast<std::size_t>(index)] = rgb & 0xFFFFFF;
}

std::unique_ptr<IconHandle> HeadlessPainting::CreateIcon(const Surface& color,
                                                         const Surface& mask) {
  return std::make_unique<HeadlessIcon>(color, mask);
}

std::unique_ptr<IconHandle> HeadlessPainting::LoadApplicationIcon() {
  constexpr int kSize = 32;
  RasterSurface color(kSize, kSize, false, clBlack);
  RasterSurface mask(kSize, kSize, true, clWhite);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const int dx = 2 * x + 1 - kSize;
      const int dy = 2 * y + 1 - kSize;
      const int distance = dx * dx + dy * dy;  // in half pixels, squared
      if (distance > kSize * kSize) continue;
      mask.SetRawPixel(x, y, clBlack);
      color.SetRawPixel(x, y, distance > (kSize - 6) * (kSize - 6) ? clWhite : RGB(0, 64, 192));
    }
  }
  return std::make_unique<HeadlessIcon>(color, mask);
}

}  // namespace tandrel::platform
