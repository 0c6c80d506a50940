// The headless painting service: raster surfaces for off-screen bitmaps,
// the classic Windows colour scheme for system colours, and a screen whose
// colour depth a test may change.
#pragma once

#include <array>

#include "platform/Surface.h"

namespace tandrel::platform {

class HeadlessPainting final : public Painting {
 public:
  HeadlessPainting();

  std::unique_ptr<Surface> CreateBitmapSurface(int width, int height, bool monochrome) override;
  TColor ResolveSystemColor(int index) override;
  int ScreenNumColors() override { return numColors_; }
  std::unique_ptr<IconHandle> CreateIcon(const Surface& color, const Surface& mask) override;
  // 32 x 32: a blue disc with a white rim, transparent outside the rim.
  std::unique_ptr<IconHandle> LoadApplicationIcon() override;

  // Test controls.
  void SetSystemColor(int index, TColor rgb);
  void SetScreenNumColors(int numColors) { numColors_ = numColors; }

 private:
  std::array<TColor, 31> colors_;
  int numColors_ = -1;  // a true-colour screen
};

}  // namespace tandrel::platform
