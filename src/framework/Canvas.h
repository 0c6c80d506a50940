// TCanvas: drawing with a pen, a brush and a font on a platform surface (a
// window being painted or an off-screen bitmap). Colours may be system
// colours; the canvas resolves them before they reach the surface. Pixel
// rules are GDI's: right and bottom edges are exclusive and LineTo leaves
// out its end point.
#pragma once

#include <span>
#include <string_view>

#include "framework/DrawTextFlags.h"
#include "framework/Events.h"
#include "framework/Font.h"
#include "framework/PenBrush.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace tandrel {

class TBitmap;

class TCanvas : public TObject {
 public:
  TCanvas();
  // Draws on `surface` (not owned; it must outlive its use here).
  explicit TCanvas(platform::Surface* surface);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas() override;

  // Binds the canvas to a surface (or unbinds with nullptr). Tools are
  // selected again into the new surface before the next drawing call.
  void SetSurface(platform::Surface* surface);  // not owned
  platform::Surface* Surface() const { return surface_; }
  // True while bound to a surface; drawing on an unbound canvas does nothing.
  bool HandleAllocated() const { return surface_ != nullptr; }

  TPen Pen;
  TBrush Brush;
  TFont Font;

  // How CopyRect combines source and destination (default copy).
  platform::RasterOp CopyMode = platform::RasterOp::SrcCopy;

  // Lines.
  TPoint PenPos() const;
  void SetPenPos(TPoint p);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(std::span<const TPoint> points);

  // Areas. FillRect fills with the brush; FrameRect draws a one-pixel
  // border with the brush colour; Rectangle outlines with the pen and fills
  // with the brush; Polygon likewise (alternate fill rule).
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void Rectangle(const TRect& r);
  void Rectangle(int left, int top, int right, int bottom);
  void Polygon(std::span<const TPoint> points);

  // Pixels. Pixels() resolves to RGB; outside the surface it is clNone.
  TColor Pixels(int x, int y) const;
  void SetPixels(int x, int y, TColor color);
  // A block of RGB pixels (no system colours), row by row, filling `area`;
  // one drawing call where SetPixels would take one per pixel.
  void WritePixels(const TRect& area, std::span<const TColor> rgb);

  // Text in the font and font colour. TextOut fills the text's cell with
  // the brush colour unless the brush is clear, and moves PenPos to
  // (x + TextWidth, y). TextRect clips to `r` and fills `r` with the brush
  // unless the brush is clear.
  void TextOut(int x, int y, std::string_view text);
  void TextRect(const TRect& r, int x, int y, std::string_view text);
  TSize TextExtent(std::string_view text) const;
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;
  // DrawText with DT_* flags; with DT_CALCRECT `r` receives the extent.
  // Fills behind the text with the brush colour unless the brush is clear.
  // Returns the text height.
  int DrawText(std::string_view text, TRect& r, unsigned format);
  unsigned TextAlign() const;
  void SetTextAlign(unsigned flags);

  // Clipping in logical coordinates; RemoveClipRegion drops all clipping.
  void ExcludeClipRect(const TRect& r);
  void IntersectClipRect(const TRect& r);
  void RemoveClipRegion();
  TRect ClipRect() const;

  // Viewport origin: logical (0, 0) is drawn at device pixel `origin`.
  TPoint ViewportOrigin() const;
  void SetViewportOrigin(TPoint origin);
  void OffsetViewportOrigin(int dx, int dy);

  // Save and restore of the whole device state (tools, clip, viewport).
  // RestoreState(-1) restores the latest save.
  int SaveState();
  void RestoreState(int id = -1);

  // Bitmaps and block copies. Copying from a monochrome source paints its
  // white pixels in this canvas's brush colour and its black ones in the
  // font colour (Draw and StretchDraw use white and black instead); copying
  // a colour source onto a monochrome canvas turns the pixels of the
  // source's brush colour white and all others black.
  // Draw: the bitmap at (x, y), with its transparent colour left out when
  // the bitmap is Transparent.
  void Draw(int x, int y, const TBitmap& bitmap);
  void StretchDraw(const TRect& dest, const TBitmap& bitmap);
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& src);
  void CopyRect(const TRect& dest, const TBitmap& source, const TRect& src);
  // A copy mirrored left-right, top-bottom or both (dest and src the same size
  // or stretched).
  void CopyRectMirrored(const TRect& dest, const TCanvas& source, const TRect& src,
                        platform::Mirror mirror);
  // Copies `src` of `source` to `dest`, replacing pixels of `transparent`
  // with the brush colour.
  void BrushCopy(const TRect& dest, const TBitmap& source, const TRect& src, TColor transparent);
  // Stretched copy leaving the canvas unchanged where the source has
  // `transparent`.
  void TransparentCopy(const TRect& dest, const TCanvas& source, const TRect& src,
                       TColor transparent);
  // Stretched copy through a monochrome mask the size of `src`: white mask
  // pixels keep the canvas, black ones take the source.
  void MaskedCopy(const TRect& dest, const TCanvas& source, const TRect& src,
                  const TCanvas& mask);

  // Fired (sender: this canvas) after every drawing call; a bitmap uses it
  // for its own OnChange.
  TNotifyEvent OnChange;

 private:
  void HookTools();
  // Selects the tools asked for into the surface when they changed; null
  // when unbound.
  platform::Surface* Prepare(bool pen, bool brush, bool font) const;
  void MarkAllDirty() const;
  void DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TRect& src);
  void Changed();

  platform::Surface* surface_ = nullptr;  // not owned
  mutable bool penDirty_ = true;
  mutable bool brushDirty_ = true;
  mutable bool fontDirty_ = true;
};

}  // namespace tandrel
