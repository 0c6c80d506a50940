// Masked bitmap drawing: a stretched colour copy and a monochrome mask built
// from it, both freed by their owners on every path.
#include "widgets/VmMaskedBitmap.h"

#include "framework/Color.h"

namespace tandrel {

void PaintMaskedBitmap(TCanvas& canvas, const TBitmap& bitmap, const TRect& destRect,
                       const TRect& sourceRect, TColor transparentColor) {
  const int w = destRect.Width();
  const int h = destRect.Height();
  if (w <= 0 || h <= 0 || bitmap.Empty()) return;
  const TRect cell{0, 0, w, h};

  TBitmap picture(w, h);
  picture.Canvas().CopyRect(cell, bitmap, sourceRect);

  // Colour to monochrome: the source's background colour becomes white
  // (keep the canvas), every other colour black (take the picture).
  TBitmap mask(w, h, true);
  picture.Surface()->SetBackgroundRgb(ColorToRGB(transparentColor));
  mask.Canvas().CopyRect(cell, picture.Canvas(), cell);

  canvas.MaskedCopy(destRect, picture.Canvas(), cell, mask.Canvas());
}

}  // namespace tandrel
