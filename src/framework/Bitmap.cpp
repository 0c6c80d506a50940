// TBitmap: size, format, transparency and change notification. Reading
// .bmp data is in BitmapBmp.cpp.
#include "framework/Bitmap.h"

#include <algorithm>

#include "framework/Color.h"
#include "platform/Platform.h"

namespace tandrel {

TBitmap::TBitmap() { canvas_.OnChange = [this](TObject*) { Changed(); }; }

TBitmap::TBitmap(int width, int height, bool monochrome) : TBitmap() {
  Reallocate(width, height, monochrome);
}

TBitmap::~TBitmap() {
  canvas_.OnChange = nullptr;
  canvas_.SetSurface(nullptr);
}

void TBitmap::Changed() { OnChange(this); }

void TBitmap::Reallocate(int width, int height, bool monochrome) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  std::unique_ptr<platform::Surface> fresh;
  if (width > 0 && height > 0) {
    fresh = platform::Current().painting().CreateBitmapSurface(width, height, monochrome);
    // New pixels are white; what both sizes share is kept.
    platform::BrushSpec white;
    white.color = clWhite;
    fresh->SetBrushSpec(white);
    fresh->FillRectangle(TRect{0, 0, width, height});
    if (surface_ != nullptr) {
      const TRect shared{0, 0, std::min(width, width_), std::min(height, height_)};
      // Between formats: white stays white, every other colour turns black.
      fresh->SetTextColorRgb(clBlack);
      fresh->SetBackgroundRgb(clWhite);
      surface_->SetBackgroundRgb(clWhite);
      fresh->CopyFrom(shared, *surface_, shared, platform::RasterOp::SrcCopy,
                      platform::Mirror::None);
    }
  }
  canvas_.SetSurface(fresh.get());
  surface_ = std::move(fresh);
  // An empty bitmap keeps the size asked for (16 x 0 stays 16 wide).
  width_ = width;
  height_ = height;
  monochrome_ = monochrome;
}

void TBitmap::SetWidth(int width) { SetSize(width, height_); }

void TBitmap::SetHeight(int height) { SetSize(width_, height); }

void TBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  Reallocate(width, height, monochrome_);
  Changed();
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == monochrome_) return;
  Reallocate(width_, height_, monochrome);
  Changed();
}

TCanvas& TBitmap::Canvas() { return canvas_; }

const TCanvas& TBitmap::Canvas() const { return canvas_; }

void TBitmap::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

TColor TBitmap::TransparentColor() const {
  if (transparentColor_ != clDefault) return ColorToRGB(transparentColor_);
  if (monochrome_) return clWhite;
  if (surface_ == nullptr) return clNone;
  // The bottom-left pixel, unclipped and whatever the canvas's viewport.
  const TPoint origin = surface_->ViewportOrigin();
  const int saved = surface_->SaveState();
  surface_->RemoveClip();
  const TColor pixel = surface_->GetPixelAt(-origin.x, height_ - 1 - origin.y);
  surface_->RestoreState(saved);
  return pixel;
}

void TBitmap::SetTransparentColor(TColor color) {
  if (color == transparentColor_) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == tmAuto) {
    SetTransparentColor(clDefault);
  } else {
    SetTransparentColor(TransparentColor());
  }
}

void TBitmap::MakeMask(TBitmap& mask, TColor transparent) const {
  mask.SetMonochrome(true);
  mask.SetSize(width_, height_);
  if (surface_ == nullptr || mask.surface_ == nullptr) return;
  // A colour-to-monochrome copy turns the source's background colour white.
  const TRect whole{0, 0, width_, height_};
  const TPoint origin = surface_->ViewportOrigin();
  surface_->SetBackgroundRgb(ColorToRGB(transparent));
  mask.surface_->CopyFrom(whole, *surface_, TRect{-origin.x, -origin.y, width_ - origin.x,
                                                  height_ - origin.y},
                          platform::RasterOp::SrcCopy, platform::Mirror::None);
  // What the canvas selected for its brush.
  surface_->SetBackgroundRgb(ColorToRGB(canvas_.Brush.Color()));
  mask.Changed();
}

void TBitmap::Assign(const TBitmap& other) {
  if (this == &other) return;
  surface_.reset();
  width_ = 0;
  height_ = 0;
  Reallocate(other.width_, other.height_, other.monochrome_);
  if (surface_ != nullptr && other.surface_ != nullptr) {
    const TRect whole{0, 0, width_, height_};
    const int saved = surface_->SaveState();
    surface_->RemoveClip();
    surface_->SetViewportOrigin(TPoint{});
    const TPoint otherOrigin = other.surface_->ViewportOrigin();
    const TRect from{-otherOrigin.x, -otherOrigin.y, width_ - otherOrigin.x,
                     height_ - otherOrigin.y};
    surface_->CopyFrom(whole, *other.surface_, from, platform::RasterOp::SrcCopy,
                       platform::Mirror::None);
    surface_->RestoreState(saved);
  }
  transparent_ = other.transparent_;
  transparentColor_ = other.transparentColor_;
  transparentMode_ = other.transparentMode_;
  Changed();
}

}  // namespace tandrel
