// What the program's pictures are drawn with: a mask colour for what is
// transparent, a painter that fills the pixels whose centres a predicate
// accepts, and the two-image glyph strips (normal, disabled) of buttons.
#pragma once

#include <cmath>
#include <functional>

#include "framework/Bitmap.h"
#include "widgets/VmButton.h"

namespace tandrel::pictures {

// Never used in a picture: marks the transparent background.
inline constexpr TColor kMask = 0xFF00FF;

// Fills pixels of a size x size cell at `offsetX` of the bitmap.
class Painter {
 public:
  explicit Painter(TBitmap& bitmap, int offsetX = 0) : bitmap_(bitmap), offsetX_(offsetX) {}

  void Fill(int size, TColor color, const std::function<bool(double, double)>& inside) {
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        if (inside(x + 0.5, y + 0.5)) bitmap_.Canvas().SetPixels(offsetX_ + x, y, color);
      }
    }
  }

 private:
  TBitmap& bitmap_;
  int offsetX_;
};

inline double Distance(double x, double y, double cx, double cy) { return std::hypot(x - cx, y - cy); }

inline void Clear(TBitmap& bitmap) {
  bitmap.Canvas().Brush.SetColor(kMask);
  bitmap.Canvas().FillRect(TRect{0, 0, bitmap.Width(), bitmap.Height()});
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
inline void SetStripGlyph(TVmBitBtn& button, void (*draw)(TBitmap&, int, bool)) {
  TBitmap strip(32, 16);
  Clear(strip);
  draw(strip, 0, true);
  draw(strip, 16, false);
  button.SetGlyph(strip);
  button.SetNumGlyphs(2);
}

}  // namespace tandrel::pictures
