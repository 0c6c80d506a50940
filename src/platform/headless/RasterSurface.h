// The headless surface: a 32-bit pixel buffer drawn on by GDI's pixel rules
// (exclusive right and bottom edges, lines without their end point, pattern
// brushes aligned to the device origin, even-odd polygon fill, clip regions
// as rectangle lists) and the fixed headless font.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/LiveObjects.h"
#include "platform/Surface.h"
#include "platform/headless/ClipRegion.h"

namespace tandrel::platform {

struct LaidLine;

class RasterSurface final : public Surface {
 public:
  // A surface of width x height pixels filled with `fill` (RGB); a
  // monochrome surface stores only black and white.
  RasterSurface(int width, int height, bool monochrome = false, TColor fill = clBlack);

  int SurfaceWidth() const override { return width_; }
  int SurfaceHeight() const override { return height_; }
  bool IsMonochrome() const override { return monochrome_; }

  void SetPenSpec(const PenSpec& pen) override { state_.pen = pen; }
  void SetBrushSpec(const BrushSpec& brush) override { state_.brush = brush; }
  void SetFontSpec(const FontSpec& font) override { state_.font = font; }
  void SetTextColorRgb(TColor rgb) override { state_.textColor = rgb & 0xFFFFFF; }
  void SetBackgroundRgb(TColor rgb) override { state_.backColor = rgb & 0xFFFFFF; }
  void SetBackgroundOpaque(bool opaque) override { state_.backOpaque = opaque; }
  void SetTextAlignFlags(unsigned flags) override { state_.textAlign = flags; }
  unsigned TextAlignFlags() const override { return state_.textAlign; }

  TColor GetPixelAt(int x, int y) const override;
  void SetPixelAt(int x, int y, TColor rgb) override;
  void WritePixels(int x, int y, int width, int height, std::span<const TColor> rgb) override;

  void MoveToPoint(int x, int y) override { state_.position = TPoint{x, y}; }
  void LineToPoint(int x, int y) override;
  TPoint CurrentPosition() const override { return state_.position; }

  void FillRectangle(const TRect& r) override;
  void DrawRectangle(const TRect& r) override;
  void DrawPolygon(std::span<const TPoint> points) override;

  void TextOutAt(int x, int y, std::string_view text, const TRect* clip,
                 bool opaqueFill) override;
  TSize MeasureText(std::string_view text) const override;
  int FormatText(std::string_view text, TRect& rect, unsigned format) override;

  void ExcludeClip(const TRect& r) override;
  void IntersectClip(const TRect& r) override;
  void RemoveClip() override;
  TRect ClipBounds() const override;

  void SetViewportOrigin(TPoint origin) override { state_.viewport = origin; }
  TPoint ViewportOrigin() const override { return state_.viewport; }

  int SaveState() override;
  bool RestoreState(int id) override;

  void CopyFrom(const TRect& destRect, const Surface& source, const TRect& srcRect,
                RasterOp op, Mirror mirror) override;
  void CopyTransparent(const TRect& destRect, const Surface& source, const TRect& srcRect,
                       TColor transparentRgb) override;
  void CopyMasked(const TRect& destRect, const Surface& source, const TRect& srcRect,
                  const Surface& mask) override;

  // Direct access for tests and image writers: device pixels, unclipped.
  TColor RawPixel(int x, int y) const;
  void SetRawPixel(int x, int y, TColor rgb);
  const std::vector<std::uint32_t>& Pixels() const { return pixels_; }
  // Counts this surface as a device context as well (one handed out for drawing).
  void CountAsDeviceContext() { deviceContext_.emplace(LiveKind::DeviceContext); }
  TColor BackgroundRgb() const { return state_.backColor; }
  TColor TextColorRgb() const { return state_.textColor; }

 private:
  struct DeviceState {
    PenSpec pen;
    BrushSpec brush;
    FontSpec font;
    TColor textColor = clBlack;
    TColor backColor = clWhite;
    bool backOpaque = true;
    unsigned textAlign = 0;
    TPoint viewport;
    TPoint position;
    bool clipped = false;
    ClipRegion clip;  // device pixels, meaningful while clipped
  };

  bool Visible(int dx, int dy) const;  // device coordinates
  TColor StoreFormat(TColor rgb) const;
  void PlotDevice(int dx, int dy, TColor rgb);
  void PlotPen(int dx, int dy);
  void BrushSpan(int dy, int dxFrom, int dxTo);  // device row, [from, to)
  void FillDeviceRect(const TRect& device);
  void FillVisibleRect(const TRect& device);  // inside the surface and the clip
  void DrawLineDevice(TPoint from, TPoint to);
  // Text: one laid-out line with its top-left at device (dx, dy), and an
  // area filled with the background colour, both cut to `deviceClip`.
  void InkLine(int dx, int dy, const LaidLine& line, const TRect* deviceClip);
  void FillBackground(const TRect& device, const TRect* deviceClip);
  void PlotClipped(int dx, int dy, TColor rgb, const TRect* deviceClip);
  TRect ToDevice(const TRect& r) const;
  // The source pixel at device (sx, sy) for a copy, converted to this
  // surface's format; `raster` is `source` when it is a raster surface.
  TColor ConvertFrom(const Surface& source, const RasterSurface* raster, int sx, int sy) const;
  // A pixel of raster surface `source` converted to this surface's format.
  TColor ConvertFormat(TColor pixel, const RasterSurface& source) const;
  // The parts of a device rectangle inside the surface and the clip.
  std::vector<TRect> VisiblePieces(const TRect& device) const;
  // SrcCopy between raster surfaces, same size, not mirrored: whole row
  // pieces at a time, converted when the formats differ.
  void CopyRows(const TRect& deviceDest, const RasterSurface& source, TPoint deviceSource);
  template <typename PixelFn>
  void ForEachCopyPixel(const TRect& destRect, const Surface& source, const TRect& srcRect,
                        Mirror mirror, PixelFn fn);

  int width_;
  int height_;
  bool monochrome_;
  std::vector<std::uint32_t> pixels_;
  DeviceState state_;
  std::vector<DeviceState> saved_;
  LiveObject bitmap_{LiveKind::Bitmap};
  std::optional<LiveObject> deviceContext_;
};

}  // namespace tandrel::platform
