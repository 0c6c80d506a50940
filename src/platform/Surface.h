// The painting seam: a device surface that behaves like a GDI device context,
// and the painting service that makes off-screen surfaces and resolves
// system colours. All colours crossing this interface are plain RGB
// (0x00BBGGRR); the framework resolves system colours before it gets here.
//
// Member names avoid the Windows API names that <windows.h> turns into
// macros (TextOut, DrawText, ...), so backends can include both.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "platform/Geometry.h"

namespace tandrel::platform {

// A pixel value for "outside the surface" or "no colour" from GetPixelAt.
inline constexpr TColor kInvalidColor = 0xFFFFFFFF;

enum class PenStyle { Solid, Clear };

struct PenSpec {
  TColor color = clBlack;  // RGB
  int width = 1;           // 0 and 1 both draw one-pixel cosmetic lines
  PenStyle style = PenStyle::Solid;
  friend bool operator==(const PenSpec&, const PenSpec&) = default;
};

enum class BrushStyle { Solid, Clear, Pattern };

struct BrushSpec {
  BrushStyle style = BrushStyle::Solid;
  TColor color = clWhite;  // RGB, used by Solid
  // Used by Pattern: row-major 8 x 8 RGB pixels. The pattern is aligned to
  // the device origin (pixel (x, y) of the device takes entry
  // (y & 7) * 8 + (x & 7)), whatever the viewport origin.
  std::array<TColor, 64> pattern{};
  friend bool operator==(const BrushSpec&, const BrushSpec&) = default;
};

struct FontSpec {
  std::string name = "Tahoma";
  // As CreateFont takes it: negative is the character height in pixels,
  // positive the cell height; 0 picks a default.
  int height = -11;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// DrawText format bits; the values are those of the Windows DT_* flags.
namespace text_format {
inline constexpr unsigned kLeft = 0x0;
inline constexpr unsigned kCenter = 0x1;
inline constexpr unsigned kRight = 0x2;
inline constexpr unsigned kVCenter = 0x4;
inline constexpr unsigned kBottom = 0x8;
inline constexpr unsigned kWordBreak = 0x10;
inline constexpr unsigned kSingleLine = 0x20;
inline constexpr unsigned kExpandTabs = 0x40;
inline constexpr unsigned kNoClip = 0x100;
inline constexpr unsigned kCalcRect = 0x400;
inline constexpr unsigned kNoPrefix = 0x800;
inline constexpr unsigned kEndEllipsis = 0x8000;
inline constexpr unsigned kRtlReading = 0x20000;
}  // namespace text_format

// SetTextAlign bits; the values are those of the Windows TA_* flags.
namespace text_align {
inline constexpr unsigned kLeft = 0;
inline constexpr unsigned kRight = 2;
inline constexpr unsigned kCenter = 6;
inline constexpr unsigned kTop = 0;
inline constexpr unsigned kBottom = 8;
inline constexpr unsigned kBaseline = 24;
inline constexpr unsigned kUpdateCp = 1;
inline constexpr unsigned kRtlReading = 256;
}  // namespace text_align

// Raster operations of block copies (the common GDI ternary codes).
enum class RasterOp {
  SrcCopy,    // D = S
  SrcAnd,     // D = D & S
  SrcPaint,   // D = D | S
  SrcInvert,  // D = D ^ S
  NotSrcCopy, // D = ~S
};

// How a copy mirrors its source into the destination rectangle.
enum class Mirror { None, Horizontal, Vertical, Both };

// One device: a window's client area while painting, or an off-screen bitmap.
// Coordinates are logical (the viewport origin is added to reach device
// pixels); rectangles have exclusive right and bottom edges.
class Surface {
 public:
  virtual ~Surface() = default;

  // Size in device pixels and colour format.
  virtual int SurfaceWidth() const = 0;
  virtual int SurfaceHeight() const = 0;
  virtual bool IsMonochrome() const = 0;

  // Drawing tools, as selected into a DC. A new surface starts with a black
  // solid pen, a white solid brush, the default font, black text on an
  // opaque white background, text align left|top and no clip region.
  virtual void SetPenSpec(const PenSpec& pen) = 0;
  virtual void SetBrushSpec(const BrushSpec& brush) = 0;
  virtual void SetFontSpec(const FontSpec& font) = 0;
  virtual void SetTextColorRgb(TColor rgb) = 0;
  // Background colour and mode: used behind text when opaque, and by copies
  // between monochrome and colour surfaces (SetBkColor / SetBkMode).
  virtual void SetBackgroundRgb(TColor rgb) = 0;
  virtual void SetBackgroundOpaque(bool opaque) = 0;
  virtual void SetTextAlignFlags(unsigned flags) = 0;
  virtual unsigned TextAlignFlags() const = 0;

  // Pixels; GetPixelAt gives kInvalidColor outside the surface or the clip.
  virtual TColor GetPixelAt(int x, int y) const = 0;
  virtual void SetPixelAt(int x, int y, TColor rgb) = 0;
  // A block of width x height RGB pixels, row by row, with its top-left at
  // (x, y): what SetPixelAt would do for each, in one call. Does nothing
  // when `rgb` holds fewer than width x height pixels.
  virtual void WritePixels(int x, int y, int width, int height, std::span<const TColor> rgb) = 0;

  // Lines with the pen; LineToPoint leaves out its end point and moves the
  // current position there.
  virtual void MoveToPoint(int x, int y) = 0;
  virtual void LineToPoint(int x, int y) = 0;
  virtual TPoint CurrentPosition() const = 0;

  // Fills with the brush only (no outline).
  virtual void FillRectangle(const TRect& r) = 0;
  // Outline with the pen, interior with the brush (GDI Rectangle).
  virtual void DrawRectangle(const TRect& r) = 0;
  // Closed polygon: outline with the pen, interior with the brush, the
  // interior chosen by the alternate (even-odd) rule.
  virtual void DrawPolygon(std::span<const TPoint> points) = 0;

  // Text in UTF-8, in the text colour, placed per the text-align flags.
  // With `clip` the text is cut to that rectangle; with `opaqueFill` the
  // clip rectangle (or the text's cell) is first filled with the background
  // colour (ExtTextOut with ETO_CLIPPED / ETO_OPAQUE).
  virtual void TextOutAt(int x, int y, std::string_view text, const TRect* clip,
                         bool opaqueFill) = 0;
  // Width and height of one line of text in the current font (no tabs).
  virtual TSize MeasureText(std::string_view text) const = 0;
  // DrawText: lays out and draws text in `rect` by `format` (text_format
  // bits). With kCalcRect nothing is drawn and `rect` is set to the extent.
  // Returns the height of the text drawn.
  virtual int FormatText(std::string_view text, TRect& rect, unsigned format) = 0;

  // Clipping, in logical coordinates. RemoveClip drops the clip region.
  virtual void ExcludeClip(const TRect& r) = 0;
  virtual void IntersectClip(const TRect& r) = 0;
  virtual void RemoveClip() = 0;
  // Bounding box of the visible area in logical coordinates (GetClipBox);
  // empty when nothing is visible.
  virtual TRect ClipBounds() const = 0;

  // Viewport origin: logical (0, 0) lands on device pixel `origin`.
  virtual void SetViewportOrigin(TPoint origin) = 0;
  virtual TPoint ViewportOrigin() const = 0;

  // SaveDC / RestoreDC: saves tools, colours, align, clip, viewport and
  // position. RestoreState(-1) restores the latest saved state; a positive
  // id restores that one and drops the ones saved after it.
  virtual int SaveState() = 0;
  virtual bool RestoreState(int id) = 0;

  // Block copy from `source` (another surface, or this one) at srcRect,
  // stretched to destRect and mirrored as asked. Colour to monochrome: the
  // source's background colour becomes white, every other colour black.
  // Monochrome to colour: white becomes this surface's background colour,
  // black its text colour.
  virtual void CopyFrom(const TRect& destRect, const Surface& source, const TRect& srcRect,
                        RasterOp op = RasterOp::SrcCopy, Mirror mirror = Mirror::None) = 0;
  // Copies `source` at srcRect stretched to destRect, leaving the destination
  // unchanged where the source has `transparentRgb` (TransparentBlt).
  virtual void CopyTransparent(const TRect& destRect, const Surface& source,
                               const TRect& srcRect, TColor transparentRgb) = 0;
  // Copies `source` through a monochrome `mask` of the same size as srcRect
  // (aligned with srcRect's top-left): where the mask is white the
  // destination stays, where it is black the source is copied.
  virtual void CopyMasked(const TRect& destRect, const Surface& source, const TRect& srcRect,
                          const Surface& mask) = 0;
};

// An icon the platform can show (in the tray, on a window); opaque.
class IconHandle {
 public:
  virtual ~IconHandle() = default;
  virtual int IconWidth() const = 0;
  virtual int IconHeight() const = 0;
  // Draws the icon with its mask onto `target` at (x, y).
  virtual void DrawOn(Surface& target, int x, int y) const = 0;
  virtual std::unique_ptr<IconHandle> Clone() const = 0;
};

// The painting service of the platform.
class Painting {
 public:
  virtual ~Painting() = default;
  // An off-screen surface (a bitmap selected into a memory DC); a colour
  // surface is 32 bits per pixel and starts black, a monochrome one black.
  virtual std::unique_ptr<Surface> CreateBitmapSurface(int width, int height,
                                                       bool monochrome) = 0;
  // GetSysColor: the RGB value of system colour `index` (COLOR_* index).
  virtual TColor ResolveSystemColor(int index) = 0;
  // GetDeviceCaps(NUMCOLORS) of the screen: -1 on displays with more than
  // 256 colours, else the palette size.
  virtual int ScreenNumColors() = 0;
  // An icon from a colour picture and a monochrome mask of the same size
  // (mask white = transparent, black = opaque).
  virtual std::unique_ptr<IconHandle> CreateIcon(const Surface& color, const Surface& mask) = 0;
  // The program's own icon (resource 1 on Windows, at the system's large
  // icon size; a generated 32 x 32 picture headless). Never null: without
  // the resource, the system's default application icon.
  virtual std::unique_ptr<IconHandle> LoadApplicationIcon() = 0;
};

}  // namespace tandrel::platform
