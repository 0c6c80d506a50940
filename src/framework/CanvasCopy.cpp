// TCanvas: drawing bitmaps and block copies between canvases.
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Color.h"
#include "platform/Platform.h"

namespace tandrel {

void TCanvas::DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TRect& src) {
  auto* s = Prepare(false, true, true);
  const platform::Surface* source = bitmap.Surface();
  if (s == nullptr || source == nullptr) return;
  if (bitmap.Monochrome()) {
    // A monochrome picture keeps its black and white, whatever the canvas's
    // font and brush colours.
    s->SetTextColorRgb(clBlack);
    s->SetBackgroundRgb(clWhite);
    fontDirty_ = true;
    brushDirty_ = true;
  }
  if (bitmap.Transparent()) {
    s->CopyTransparent(dest, *source, src, bitmap.TransparentColor());
  } else {
    s->CopyFrom(dest, *source, src, CopyMode, platform::Mirror::None);
  }
  Changed();
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  DrawBitmap(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap,
             TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap) {
  if (bitmap.Empty()) return;
  DrawBitmap(dest, bitmap, TRect{0, 0, bitmap.Width(), bitmap.Height()});
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& src) {
  auto* s = Prepare(false, true, true);
  const auto* from = source.Prepare(false, true, false);
  if (s == nullptr || from == nullptr) return;
  s->CopyFrom(dest, *from, src, CopyMode, platform::Mirror::None);
  Changed();
}

void TCanvas::CopyRect(const TRect& dest, const TBitmap& source, const TRect& src) {
  if (source.Empty()) return;
  CopyRect(dest, source.Canvas(), src);
}

void TCanvas::CopyRectMirrored(const TRect& dest, const TCanvas& source, const TRect& src,
                               platform::Mirror mirror) {
  auto* s = Prepare(false, true, true);
  const auto* from = source.Prepare(false, true, false);
  if (s == nullptr || from == nullptr) return;
  s->CopyFrom(dest, *from, src, CopyMode, mirror);
  Changed();
}

void TCanvas::BrushCopy(const TRect& dest, const TBitmap& source, const TRect& src,
                        TColor transparent) {
  auto* s = Prepare(false, true, true);
  const platform::Surface* from = source.Surface();
  if (s == nullptr || from == nullptr || src.IsEmpty()) return;
  // A mask of the transparent pixels: fill with the brush, then copy the
  // other pixels over it.
  auto mask = platform::Current().painting().CreateBitmapSurface(src.Width(), src.Height(), true);
  const TCanvas& sourceCanvas = source.Canvas();
  sourceCanvas.surface_->SetBackgroundRgb(ColorToRGB(transparent));
  mask->CopyFrom(TRect{0, 0, src.Width(), src.Height()}, *from, src, platform::RasterOp::SrcCopy,
                 platform::Mirror::None);
  sourceCanvas.brushDirty_ = true;  // its background colour is reselected when next needed
  s->FillRectangle(dest);
  s->CopyMasked(dest, *from, src, *mask);
  Changed();
}

void TCanvas::TransparentCopy(const TRect& dest, const TCanvas& source, const TRect& src,
                              TColor transparent) {
  auto* s = Prepare(false, true, true);
  const auto* from = source.Prepare(false, true, false);
  if (s == nullptr || from == nullptr) return;
  s->CopyTransparent(dest, *from, src, ColorToRGB(transparent));
  Changed();
}

void TCanvas::MaskedCopy(const TRect& dest, const TCanvas& source, const TRect& src,
                         const TCanvas& mask) {
  auto* s = Prepare(false, true, true);
  const auto* from = source.Prepare(false, true, false);
  const auto* maskSurface = mask.Surface();
  if (s == nullptr || from == nullptr || maskSurface == nullptr) return;
  s->CopyMasked(dest, *from, src, *maskSurface);
  Changed();
}

}  // namespace tandrel
