// TPen and TBrush.
#include "framework/PenBrush.h"

#include "framework/Bitmap.h"
#include "framework/Color.h"

namespace tandrel {

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 1) width = 1;
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::Assign(const TPen& other) {
  if (color_ == other.color_ && width_ == other.width_ && style_ == other.style_) return;
  color_ = other.color_;
  width_ = other.width_;
  style_ = other.style_;
  Changed();
}

void TPen::Changed() {
  OnChange(this);
}

void TBrush::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::SetPattern(const TBitmap& bitmap) {
  if (bitmap.Empty()) {
    ClearPattern();
    return;
  }
  Pattern pixels{};
  const TCanvas& canvas = bitmap.Canvas();
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      pixels[static_cast<std::size_t>(y * 8 + x)] =
          canvas.Pixels(x % bitmap.Width(), y % bitmap.Height());
    }
  }
  SetPattern(pixels);
}

void TBrush::SetPattern(const Pattern& pixels) {
  if (hasPattern_ && pixels == pattern_) return;
  pattern_ = pixels;
  hasPattern_ = true;
  Changed();
}

void TBrush::ClearPattern() {
  if (!hasPattern_) return;
  hasPattern_ = false;
  pattern_ = Pattern{};
  Changed();
}

void TBrush::Assign(const TBrush& other) {
  if (color_ == other.color_ && style_ == other.style_ && hasPattern_ == other.hasPattern_ &&
      pattern_ == other.pattern_) {
    return;
  }
  color_ = other.color_;
  style_ = other.style_;
  hasPattern_ = other.hasPattern_;
  pattern_ = other.pattern_;
  Changed();
}

void TBrush::Changed() {
  OnChange(this);
}

}  // namespace tandrel
