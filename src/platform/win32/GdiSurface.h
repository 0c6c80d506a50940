// A Surface over a Windows device context: either a borrowed one (a paint
// DC, released by whoever got it) or an owned memory DC with a DIB section
// selected, for off-screen bitmaps. Pens, solid brushes and fonts are made
// from their specs once and kept for the surface's life, a few of each: the
// shared paint buffer draws the same clock pane every second, and making and
// deleting its tools each time was most of the GDI calls of that paint.
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "platform/Surface.h"
#include "platform/win32/GdiObjects.h"

namespace tandrel::platform {

class GdiSurface final : public Surface {
 public:
  // Every surface of this platform is a GdiSurface.
  static const GdiSurface& Of(const Surface& surface) { return static_cast<const GdiSurface&>(surface); }
  static GdiSurface& Of(Surface& surface) { return static_cast<GdiSurface&>(surface); }

  // Draws on `dc` (not owned) whose drawable area is width x height pixels.
  GdiSurface(HDC dc, int width, int height);
  // An off-screen surface: a top-down 32-bit DIB section (colour) or a
  // 1-bit one with a black-and-white palette (monochrome), initially black.
  static std::unique_ptr<GdiSurface> CreateOffscreen(int width, int height, bool monochrome);
  ~GdiSurface() override;
  GdiSurface(const GdiSurface&) = delete;
  GdiSurface& operator=(const GdiSurface&) = delete;

  HDC Dc() const { return dc_; }
  // The selected bitmap of an off-screen surface (null for a borrowed DC).
  HBITMAP Bitmap() const { return bitmap_.Get(); }

  int SurfaceWidth() const override { return width_; }
  int SurfaceHeight() const override { return height_; }
  bool IsMonochrome() const override { return monochrome_; }

  void SetPenSpec(const PenSpec& pen) override;
  void SetBrushSpec(const BrushSpec& brush) override;
  void SetFontSpec(const FontSpec& font) override;
  void SetTextColorRgb(TColor rgb) override;
  void SetBackgroundRgb(TColor rgb) override;
  void SetBackgroundOpaque(bool opaque) override;
  void SetTextAlignFlags(unsigned flags) override;
  unsigned TextAlignFlags() const override;

  TColor GetPixelAt(int x, int y) const override;
  void SetPixelAt(int x, int y, TColor rgb) override;
  void WritePixels(int x, int y, int width, int height, std::span<const TColor> rgb) override;

  void MoveToPoint(int x, int y) override;
  void LineToPoint(int x, int y) override;
  TPoint CurrentPosition() const override;

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

  void SetViewportOrigin(TPoint origin) override;
  TPoint ViewportOrigin() const override;

  int SaveState() override;
  bool RestoreState(int id) override;

  void CopyFrom(const TRect& destRect, const Surface& source, const TRect& srcRect,
                RasterOp op, Mirror mirror) override;
  void CopyTransparent(const TRect& destRect, const Surface& source, const TRect& srcRect,
                       TColor transparentRgb) override;
  void CopyMasked(const TRect& destRect, const Surface& source, const TRect& srcRect,
                  const Surface& mask) override;

 private:
  GdiSurface(ScopedMemoryDc dc, ScopedBitmap bitmap, int width, int height, bool monochrome);
  // The pen, brush and font the DC had, put back at the end; read at the
  // first tool selected, as a surface that only takes a copy selects none.
  void RememberOriginals();
  // Selects `object`; `owned` is null for stock and kept objects.
  void SelectTool(HGDIOBJ object, ScopedGdiObject owned);
  void DropUnselectedTools();
  template <typename Key>
  struct KeptTool {
    Key key;
    ScopedGdiObject object;
  };
  // The kept tool for `key`, made by `make` when there is none.
  template <typename Key, typename Make>
  HGDIOBJ KeptFor(std::vector<KeptTool<Key>>& kept, const Key& key, Make make);
  // Frees the oldest kept tools past a few of the kind, except `selected`.
  template <typename Key>
  static void TrimKept(std::vector<KeptTool<Key>>& kept, std::span<const HGDIOBJ> selected);
  // Block copy with GDI's own stretching and mirroring.
  void Blit(const TRect& destRect, HDC source, const TRect& srcRect, DWORD rop, Mirror mirror);

  ScopedMemoryDc ownedDc_;  // empty for a borrowed DC
  ScopedBitmap bitmap_;
  HDC dc_;  // not owned when borrowed
  int width_;
  int height_;
  bool monochrome_;
  HGDIOBJ originalBitmap_ = nullptr;  // not owned
  HGDIOBJ originalPen_ = nullptr;     // not owned
  HGDIOBJ originalBrush_ = nullptr;   // not owned
  HGDIOBJ originalFont_ = nullptr;    // not owned
  bool originalsKnown_ = false;
  std::vector<KeptTool<PenSpec>> pens_;
  std::vector<KeptTool<TColor>> solidBrushes_;
  std::vector<KeptTool<FontSpec>> fonts_;
  std::vector<ScopedGdiObject> tools_;  // pattern brushes, freed once unselected
  // The DC levels this surface saved, oldest first (a borrowed DC may hold
  // levels saved by others below them).
  std::vector<int> savedLevels_;
};

}  // namespace tandrel::platform
