// The headless surface: state, pixels, clipping, fills and block copies.
// Lines and polygons are in RasterShapes.cpp, text in RasterText.cpp.
#include "platform/headless/RasterSurface.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace tandrel::platform {

RasterSurface::RasterSurface(int width, int height, bool monochrome, TColor fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), monochrome_(monochrome) {
  if (static_cast<long long>(width_) * height_ > (1LL << 28)) {
    throw std::length_error("RasterSurface: too large");
  }
  pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                 StoreFormat(fill));
}

TColor RasterSurface::StoreFormat(TColor rgb) const {
  rgb &= 0xFFFFFF;
  if (!monochrome_) return rgb;
  // A two-colour device takes the nearer of black and white.
  const int sum = GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb);
  return sum * 2 >= 3 * 255 ? clWhite : clBlack;
}

TColor RasterSurface::RawPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColor;
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

void RasterSurface::SetRawPixel(int x, int y, TColor rgb) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
          static_cast<std::size_t>(x)] = StoreFormat(rgb);
}

bool RasterSurface::Visible(int dx, int dy) const {
  if (dx < 0 || dy < 0 || dx >= width_ || dy >= height_) return false;
  return !state_.clipped || state_.clip.Contains(dx, dy);
}

void RasterSurface::PlotDevice(int dx, int dy, TColor rgb) {
  if (Visible(dx, dy)) SetRawPixel(dx, dy, rgb);
}

TRect RasterSurface::ToDevice(const TRect& r) const {
  return TRect{r.left + state_.viewport.x, r.top + state_.viewport.y,
               r.right + state_.viewport.x, r.bottom + state_.viewport.y};
}

TColor RasterSurface::GetPixelAt(int x, int y) const {
  const int dx = x + state_.viewport.x;
  const int dy = y + state_.viewport.y;
  if (!Visible(dx, dy)) return kInvalidColor;
  return RawPixel(dx, dy);
}

void RasterSurface::SetPixelAt(int x, int y, TColor rgb) {
  PlotDevice(x + state_.viewport.x, y + state_.viewport.y, rgb);
}

void RasterSurface::BrushSpan(int dy, int dxFrom, int dxTo) {
  const BrushSpec& brush = state_.brush;
  if (brush.style == BrushStyle::Clear) return;
  for (int dx = dxFrom; dx < dxTo; ++dx) {
    const TColor color = brush.style == BrushStyle::Pattern
                             ? brush.pattern[static_cast<std::size_t>((dy & 7) * 8 + (dx & 7))]
                             : brush.color;
    PlotDevice(dx, dy, color);
  }
}

void RasterSurface::FillDeviceRect(const TRect& device) {
  if (state_.brush.style == BrushStyle::Clear) return;
  for (const TRect& piece : VisiblePieces(device)) FillVisibleRect(piece);
}

void RasterSurface::FillVisibleRect(const TRect& r) {
  if (r.IsEmpty()) return;
  const BrushSpec& brush = state_.brush;
  const TColor solid = StoreFormat(brush.color);
  for (int dy = r.top; dy < r.bottom; ++dy) {
    std::uint32_t* row = pixels_.data() + static_cast<std::size_t>(dy) * static_cast<std::size_t>(width_);
    if (brush.style != BrushStyle::Pattern) {
      std::fill(row + r.left, row + r.right, solid);
      continue;
    }
    for (int dx = r.left; dx < r.right; ++dx) {
      row[dx] = StoreFormat(brush.pattern[static_cast<std::size_t>((dy & 7) * 8 + (dx & 7))]);
    }
  }
}

void RasterSurface::WritePixels(int x, int y, int width, int height,
                                std::span<const TColor> rgb) {
  if (width <= 0 || height <= 0 ||
      rgb.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
    return;
  }
  const TRect block{x + state_.viewport.x, y + state_.viewport.y,
                    x + state_.viewport.x + width, y + state_.viewport.y + height};
  for (const TRect& r : VisiblePieces(block)) {
    for (int dy = r.top; dy < r.bottom; ++dy) {
      const TColor* from = rgb.data() +
                           static_cast<std::size_t>(dy - block.top) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(r.left - block.left);
      std::uint32_t* to = pixels_.data() + static_cast<std::size_t>(dy) * static_cast<std::size_t>(width_);
      if (!monochrome_) {
        for (int dx = r.left; dx < r.right; ++dx) to[dx] = *from++ & 0xFFFFFF;
        continue;
      }
      for (int dx = r.left; dx < r.right; ++dx) to[dx] = StoreFormat(*from++);
    }
  }
}

std::vector<TRect> RasterSurface::VisiblePieces(const TRect& device) const {
  std::vector<TRect> pieces;
  const TRect inside = IntersectRects(device, TRect{0, 0, width_, height_});
  if (inside.IsEmpty()) return pieces;
  if (!state_.clipped) {
    pieces.push_back(inside);
    return pieces;
  }
  for (const TRect& r : state_.clip.Rects()) {
    const TRect piece = IntersectRects(inside, r);
    if (!piece.IsEmpty()) pieces.push_back(piece);
  }
  return pieces;
}

void RasterSurface::FillRectangle(const TRect& r) { FillDeviceRect(ToDevice(r)); }

void RasterSurface::DrawRectangle(const TRect& logical) {
  TRect r = ToDevice(logical);
  if (r.left > r.right) std::swap(r.left, r.right);
  if (r.top > r.bottom) std::swap(r.top, r.bottom);
  const bool pen = state_.pen.style != PenStyle::Clear;
  if (!pen) {
    // Without a pen GDI fills one pixel less on the right and at the bottom.
    FillDeviceRect(TRect{r.left, r.top, r.right - 1, r.bottom - 1});
    return;
  }
  if (r.Width() < 1 || r.Height() < 1) return;
  FillDeviceRect(TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1});
  for (int x = r.left; x < r.right; ++x) {
    PlotPen(x, r.top);
    PlotPen(x, r.bottom - 1);
  }
  for (int y = r.top + 1; y < r.bottom - 1; ++y) {
    PlotPen(r.left, y);
    PlotPen(r.right - 1, y);
  }
}

void RasterSurface::ExcludeClip(const TRect& r) {
  if (!state_.clipped) {
    state_.clip = ClipRegion(TRect{0, 0, width_, height_});
    state_.clipped = true;
  }
  state_.clip.Exclude(ToDevice(r));
}

void RasterSurface::IntersectClip(const TRect& r) {
  if (!state_.clipped) {
    state_.clip = ClipRegion(TRect{0, 0, width_, height_});
    state_.clipped = true;
  }
  state_.clip.Intersect(ToDevice(r));
}

void RasterSurface::RemoveClip() {
  state_.clipped = false;
  state_.clip = ClipRegion();
}

TRect RasterSurface::ClipBounds() const {
  TRect device = TRect{0, 0, width_, height_};
  if (state_.clipped) device = IntersectRects(state_.clip.Bounds(), device);
  if (device.IsEmpty()) return TRect{};
  return TRect{device.left - state_.viewport.x, device.top - state_.viewport.y,
               device.right - state_.viewport.x, device.bottom - state_.viewport.y};
}

int RasterSurface::SaveState() {
  saved_.push_back(state_);
  return static_cast<int>(saved_.size());
}

bool RasterSurface::RestoreState(int id) {
  const int count = static_cast<int>(saved_.size());
  const int level = id < 0 ? count + 1 + id : id;
  if (level < 1 || level > count) return false;
  state_ = saved_[static_cast<std::size_t>(level - 1)];
  saved_.resize(static_cast<std::size_t>(level - 1));
  return true;
}

TColor RasterSurface::ConvertFrom(const Surface& source, const RasterSurface* raster, int sx,
                                  int sy) const {
  if (raster != nullptr) {
    const TColor pixel = raster->RawPixel(sx, sy);
    return pixel == kInvalidColor ? kInvalidColor : ConvertFormat(pixel, *raster);
  }
  const TPoint origin = source.ViewportOrigin();
  const TColor pixel = source.GetPixelAt(sx - origin.x, sy - origin.y);
  if (pixel == kInvalidColor) return kInvalidColor;
  if (source.IsMonochrome() && !monochrome_) {
    return pixel == clWhite ? state_.backColor : state_.textColor;
  }
  if (!source.IsMonochrome() && monochrome_) return pixel == clWhite ? clWhite : clBlack;
  return pixel;
}

TColor RasterSurface::ConvertFormat(TColor pixel, const RasterSurface& source) const {
  if (source.monochrome_ && !monochrome_) {
    return pixel == clWhite ? state_.backColor : state_.textColor;
  }
  if (!source.monochrome_ && monochrome_) {
    return pixel == source.BackgroundRgb() ? clWhite : clBlack;
  }
  return pixel;
}

template <typename PixelFn>
void RasterSurface::ForEachCopyPixel(const TRect& destRect, const Surface& source,
                                     const TRect& srcRect, Mirror mirror, PixelFn fn) {
  const TRect d = ToDevice(destRect);
  const TPoint sourceOrigin = source.ViewportOrigin();
  const int sw = srcRect.Width();
  const int sh = srcRect.Height();
  const int dw = d.Width();
  const int dh = d.Height();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0) return;
  const bool flipX = mirror == Mirror::Horizontal || mirror == Mirror::Both;
  const bool flipY = mirror == Mirror::Vertical || mirror == Mirror::Both;
  // Each destination pixel takes the source pixel under its centre:
  // ((2i + 1) * sw) / (2 * dw), counted from the far side when mirrored.
  for (int j = 0; j < dh; ++j) {
    int sj = static_cast<int>((2LL * j + 1) * sh / (2LL * dh));
    if (flipY) sj = sh - 1 - sj;
    for (int i = 0; i < dw; ++i) {
      if (!Visible(d.left + i, d.top + j)) continue;
      int si = static_cast<int>((2LL * i + 1) * sw / (2LL * dw));
      if (flipX) si = sw - 1 - si;
      fn(d.left + i, d.top + j, srcRect.left + sourceOrigin.x + si,
         srcRect.top + sourceOrigin.y + sj, si, sj);
    }
  }
}

void RasterSurface::CopyRows(const TRect& d, const RasterSurface& source, TPoint s) {
  // The part of the destination whose source pixels exist.
  TRect area = IntersectRects(d, TRect{0, 0, width_, height_});
  area = IntersectRects(area, TRect{d.left + (0 - s.x), d.top + (0 - s.y),
                                    d.left + (source.width_ - s.x),
                                    d.top + (source.height_ - s.y)});
  if (area.IsEmpty()) return;
  const std::vector<TRect> pieces = VisiblePieces(area);
  // Within one surface, rows are taken in the order that reads each source
  // row before it is overwritten (memmove handles the overlap along a row).
  const bool upward = &source == this && d.top > s.y;
  for (const TRect& piece : pieces) {
    const auto count = static_cast<std::size_t>(piece.Width());
    for (int i = 0; i < piece.Height(); ++i) {
      const int y = upward ? piece.bottom - 1 - i : piece.top + i;
      const int sy = s.y + (y - d.top);
      const int sx = s.x + (piece.left - d.left);
      const std::uint32_t* from =
          source.pixels_.data() + static_cast<std::size_t>(sy) * static_cast<std::size_t>(source.width_) +
          static_cast<std::size_t>(sx);
      std::uint32_t* to = pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(piece.left);
      if (source.monochrome_ == monochrome_) {
        std::memmove(to, from, count * sizeof(std::uint32_t));
        continue;
      }
      for (std::size_t k = 0; k < count; ++k) to[k] = StoreFormat(ConvertFormat(from[k], source));
    }
  }
}

void RasterSurface::CopyFrom(const TRect& destRect, const Surface& source, const TRect& srcRect,
                             RasterOp op, Mirror mirror) {
  const auto* raster = dynamic_cast<const RasterSurface*>(&source);
  if (raster != nullptr && op == RasterOp::SrcCopy && mirror == Mirror::None &&
      destRect.Width() == srcRect.Width() &&
      destRect.Height() == srcRect.Height() &&
      // Clip pieces of one surface could overwrite each other's source rows.
      !(raster == this && state_.clipped)) {
    if (destRect.IsEmpty()) return;
    const TPoint origin = raster->ViewportOrigin();
    CopyRows(ToDevice(destRect), *raster,
             TPoint{srcRect.left + origin.x, srcRect.top + origin.y});
    return;
  }
  // Copying within one surface reads a snapshot, as GDI copies overlapping
  // areas without smearing.
  std::unique_ptr<RasterSurface> snapshot;
  const RasterSurface* from = raster;
  if (&source == this) {
    snapshot = std::make_unique<RasterSurface>(*this);
    from = snapshot.get();
  }
  const Surface& reading = from != nullptr ? static_cast<const Surface&>(*from) : source;
  ForEachCopyPixel(destRect, reading, srcRect, mirror,
                   [&](int dx, int dy, int sx, int sy, int, int) {
                     const TColor s = ConvertFrom(reading, from, sx, sy);
                     if (s == kInvalidColor) return;
                     const TColor d = RawPixel(dx, dy);
                     TColor result = s;
                     switch (op) {
                       case RasterOp::SrcCopy: result = s; break;
                       case RasterOp::SrcAnd: result = d & s; break;
                       case RasterOp::SrcPaint: result = d | s; break;
                       case RasterOp::SrcInvert: result = d ^ s; break;
                       case RasterOp::NotSrcCopy: result = ~s & 0xFFFFFF; break;
                     }
                     SetRawPixel(dx, dy, result);
                   });
}

void RasterSurface::CopyTransparent(const TRect& destRect, const Surface& source,
                                    const TRect& srcRect, TColor transparentRgb) {
  const auto* raster = dynamic_cast<const RasterSurface*>(&source);
  ForEachCopyPixel(destRect, source, srcRect, Mirror::None,
                   [&](int dx, int dy, int sx, int sy, int, int) {
                     const TPoint origin = source.ViewportOrigin();
                     const TColor raw = raster != nullptr
                                            ? raster->RawPixel(sx, sy)
                                            : source.GetPixelAt(sx - origin.x, sy - origin.y);
                     if (raw == kInvalidColor || raw == (transparentRgb & 0xFFFFFF)) return;
                     const TColor s = ConvertFrom(source, raster, sx, sy);
                     SetRawPixel(dx, dy, s);
                   });
}

void RasterSurface::CopyMasked(const TRect& destRect, const Surface& source,
                               const TRect& srcRect, const Surface& mask) {
  const auto* rasterMask = dynamic_cast<const RasterSurface*>(&mask);
  const auto* sourceRaster = dynamic_cast<const RasterSurface*>(&source);
  const TPoint maskOrigin = mask.ViewportOrigin();
  ForEachCopyPixel(destRect, source, srcRect, Mirror::None,
                   [&](int dx, int dy, int sx, int sy, int si, int sj) {
                     const TColor m = rasterMask != nullptr
                                          ? rasterMask->RawPixel(si + maskOrigin.x,
                                                                 sj + maskOrigin.y)
                                          : mask.GetPixelAt(si, sj);
                     if (m == kInvalidColor || (m & 0xFFFFFF) == clWhite) return;
                     const TColor s = ConvertFrom(source, sourceRaster, sx, sy);
                     if (s != kInvalidColor) SetRawPixel(dx, dy, s);
                   });
}

}  // namespace tandrel::platform
