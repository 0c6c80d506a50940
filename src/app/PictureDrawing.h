// What the program's pictures are drawn with: a mask colour for what is
// transparent, a picture in memory, a painter that fills the pixels whose
// centres a predicate accepts, and the two-image glyph strips (normal,
// disabled) of buttons.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

#include "framework/Bitmap.h"
#include "widgets/VmButton.h"

namespace tandrel::pictures {

// Never used in a picture: marks the transparent background.
inline constexpr TColor kMask = 0xFF00FF;

// A picture being drawn: its pixels in memory, all transparent at first,
// handed to a bitmap in one drawing call when done.
class Picture {
 public:
  Picture(int width, int height)
      : width_(width), height_(height),
        pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kMask) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  void Set(int x, int y, TColor color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = color;
  }
  // Onto the top-left of `bitmap`, in one call.
  void PaintOn(TBitmap& bitmap) const {
    bitmap.Canvas().WritePixels(TRect{0, 0, width_, height_}, pixels_);
  }

 private:
  int width_;
  int height_;
  std::vector<TColor> pixels_;
};

// Fills pixels of a size x size cell at `offsetX` of the picture.
class Painter {
 public:
  explicit Painter(Picture& picture, int offsetX = 0) : picture_(picture), offsetX_(offsetX) {}

  // Fills the pixels whose centres `inside(x, y)` accepts.
  template <typename Inside>
  void Fill(int size, TColor color, const Inside& inside) {
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        if (inside(x + 0.5, y + 0.5)) picture_.Set(offsetX_ + x, y, color);
      }
    }
  }

 private:
  Picture& picture_;
  int offsetX_;
};

// A plain square root: std::hypot's care for overflow is wasted on
// pictures of 32 pixels and costs most of their drawing time.
inline double Distance(double x, double y, double cx, double cy) {
  const double dx = x - cx, dy = y - cy;
  return std::sqrt(dx * dx + dy * dy);
}

// The greys a disabled picture uses in place of its colours: darker
// colours stay darker.
inline TColor DisabledGray(TColor color) {
  const int r = color & 0xFF, g = (color >> 8) & 0xFF, b = (color >> 16) & 0xFF;
  const int level = 96 + (r * 30 + g * 59 + b * 11) / 100 * 120 / 255;
  return RGB(level, level, level);
}

// A 32 x 16 strip of two pictures, normal then disabled; its bottom-left
// pixel, the mask colour, marks what is transparent.
inline void SetStripGlyph(TVmBitBtn& button, void (*draw)(Picture&, int, bool)) {
  Picture strip(32, 16);
  draw(strip, 0, true);
  draw(strip, 16, false);
  TBitmap glyph(strip.Width(), strip.Height());
  strip.PaintOn(glyph);
  button.SetGlyph(glyph);
  button.SetNumGlyphs(2);
}

}  // namespace tandrel::pictures
