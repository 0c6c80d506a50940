// GdiSurface: the Surface operations mapped onto GDI calls.
#include "platform/win32/GdiSurface.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/win32/WideText.h"

namespace tandrel::platform {
namespace {

RECT ToRect(const TRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

DWORD RopOf(RasterOp op) {
  switch (op) {
    case RasterOp::SrcCopy: return SRCCOPY;
    case RasterOp::SrcAnd: return SRCAND;
    case RasterOp::SrcPaint: return SRCPAINT;
    case RasterOp::SrcInvert: return SRCINVERT;
    case RasterOp::NotSrcCopy: return NOTSRCCOPY;
  }
  return SRCCOPY;
}

// 0x00BBGGRR to the 0x00RRGGBB of a 32-bit DIB pixel.
DWORD DibPixel(TColor rgb) {
  return (static_cast<DWORD>(GetRValue(rgb)) << 16) | (static_cast<DWORD>(GetGValue(rgb)) << 8) |
         static_cast<DWORD>(GetBValue(rgb));
}

ScopedBrush CreatePatternBrush8x8(const std::array<TColor, 64>& pattern) {
  struct PackedDib {
    BITMAPINFOHEADER header;
    DWORD bits[64];
  } dib{};
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = 8;
  dib.header.biHeight = 8;  // bottom-up: the last row comes first
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 32;
  dib.header.biCompression = BI_RGB;
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      dib.bits[(7 - y) * 8 + x] = DibPixel(pattern[static_cast<std::size_t>(y * 8 + x)]);
    }
  }
  return ScopedBrush(CreateDIBPatternBrushPt(&dib, DIB_RGB_COLORS));
}

}  // namespace

ScopedFont CreateFontFromSpec(const FontSpec& params) {
  const std::wstring face = ToWide(params.name);
  return ScopedFont(CreateFontW(params.height, 0, 0, 0, params.bold ? FW_BOLD : FW_NORMAL,
                                params.italic ? TRUE : FALSE, params.underline ? TRUE : FALSE, FALSE,
                                DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

GdiSurface::GdiSurface(HDC dc, int width, int height)
    : dc_(dc), width_(width), height_(height), monochrome_(false) {}

GdiSurface::GdiSurface(ScopedMemoryDc dc, ScopedBitmap bitmap, int width, int height,
                       bool monochrome)
    : ownedDc_(std::move(dc)),
      bitmap_(std::move(bitmap)),
      dc_(ownedDc_.Get()),
      width_(width),
      height_(height),
      monochrome_(monochrome) {
  if (bitmap_) originalBitmap_ = SelectObject(dc_, bitmap_.Get());
}

std::unique_ptr<GdiSurface> GdiSurface::CreateOffscreen(int width, int height, bool monochrome) {
  ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return nullptr;
  ScopedBitmap bitmap;
  if (width > 0 && height > 0) {
    if (monochrome) {
      // A monochrome device-dependent bitmap: blits to and from it follow
      // the text and background colours, which masks rely on (a 1-bit DIB
      // section would match colours against its palette instead).
      bitmap.Reset(CreateBitmap(width, height, 1, 1, nullptr));
    } else {
      BITMAPINFO info{};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = width;
      info.bmiHeader.biHeight = -height;  // top-down
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      info.bmiHeader.biCompression = BI_RGB;
      void* bits = nullptr;
      bitmap.Reset(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    if (!bitmap) return nullptr;
  } else {
    width = 0;
    height = 0;
  }
  std::unique_ptr<GdiSurface> surface(
      new GdiSurface(std::move(dc), std::move(bitmap), width, height, monochrome));
  if (width > 0) PatBlt(surface->dc_, 0, 0, width, height, BLACKNESS);
  return surface;
}

void GdiSurface::RememberOriginals() {
  if (originalsKnown_) return;
  originalsKnown_ = true;
  originalPen_ = GetCurrentObject(dc_, OBJ_PEN);
  originalBrush_ = GetCurrentObject(dc_, OBJ_BRUSH);
  originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
}

GdiSurface::~GdiSurface() {
  if (!savedLevels_.empty()) RestoreDC(dc_, savedLevels_.front());
  if (originalsKnown_) {
    SelectObject(dc_, originalPen_);
    SelectObject(dc_, originalBrush_);
    SelectObject(dc_, originalFont_);
  }
  if (originalBitmap_ != nullptr) SelectObject(dc_, originalBitmap_);
  // The tools, bitmap_ and ownedDc_ are deleted now that nothing selects them.
}

void GdiSurface::SelectTool(HGDIOBJ object, ScopedGdiObject owned) {
  if (object == nullptr) return;
  RememberOriginals();
  SelectObject(dc_, object);
  if (owned) tools_.push_back(std::move(owned));
  DropUnselectedTools();
}

// A handful of each kind covers the paints that repeat; a gradient makes
// many brushes once.
constexpr std::size_t kKeptPerKind = 6;

template <typename Key, typename Make>
HGDIOBJ GdiSurface::KeptFor(std::vector<KeptTool<Key>>& kept, const Key& key, Make make) {
  const auto found = std::find_if(kept.begin(), kept.end(),
                                  [&](const KeptTool<Key>& tool) { return tool.key == key; });
  if (found != kept.end()) {
    // The most recently used last: the oldest go first.
    std::rotate(found, found + 1, kept.end());
    return kept.back().object.Get();
  }
  ScopedGdiObject made(make());
  const HGDIOBJ object = made.Get();
  if (object != nullptr) kept.push_back(KeptTool<Key>{key, std::move(made)});
  return object;
}

template <typename Key>
void GdiSurface::TrimKept(std::vector<KeptTool<Key>>& kept, std::span<const HGDIOBJ> selected) {
  for (auto it = kept.begin(); kept.size() > kKeptPerKind && it != kept.end();) {
    if (std::find(selected.begin(), selected.end(), it->object.Get()) == selected.end()) {
      it = kept.erase(it);
    } else {
      ++it;
    }
  }
}

void GdiSurface::DropUnselectedTools() {
  // A saved DC state may select an older tool again when restored, so tools
  // live until no state is saved.
  if (!savedLevels_.empty()) return;
  const bool overfull = pens_.size() > kKeptPerKind || solidBrushes_.size() > kKeptPerKind ||
                        fonts_.size() > kKeptPerKind;
  if (tools_.empty() && !overfull) return;
  const HGDIOBJ pen = GetCurrentObject(dc_, OBJ_PEN);
  const HGDIOBJ brush = GetCurrentObject(dc_, OBJ_BRUSH);
  const HGDIOBJ font = GetCurrentObject(dc_, OBJ_FONT);
  if (overfull) {
    const HGDIOBJ selected[] = {pen, brush, font};
    TrimKept(pens_, selected);
    TrimKept(solidBrushes_, selected);
    TrimKept(fonts_, selected);
  }
  std::vector<ScopedGdiObject> kept;
  for (ScopedGdiObject& tool : tools_) {
    if (tool.Get() == pen || tool.Get() == brush || tool.Get() == font) {
      kept.push_back(std::move(tool));
    }
  }
  tools_ = std::move(kept);
}

void GdiSurface::SetPenSpec(const PenSpec& pen) {
  if (pen.style == PenStyle::Clear) {
    SelectTool(GetStockObject(NULL_PEN), ScopedGdiObject());
    return;
  }
  const PenSpec key{pen.color & 0xFFFFFF, pen.width < 1 ? 1 : pen.width, PenStyle::Solid};
  SelectTool(KeptFor(pens_, key, [&] { return CreatePen(PS_SOLID, key.width, key.color); }),
             ScopedGdiObject());
}

void GdiSurface::SetBrushSpec(const BrushSpec& brush) {
  switch (brush.style) {
    case BrushStyle::Clear:
      SelectTool(GetStockObject(NULL_BRUSH), ScopedGdiObject());
      return;
    case BrushStyle::Solid: {
      const TColor color = brush.color & 0xFFFFFF;
      SelectTool(KeptFor(solidBrushes_, color, [&] { return CreateSolidBrush(color); }),
                 ScopedGdiObject());
      return;
    }
    case BrushStyle::Pattern: {
      HBRUSH created = CreatePatternBrush8x8(brush.pattern).Release();
      SelectTool(created, ScopedGdiObject(created));
      return;
    }
  }
}

void GdiSurface::SetFontSpec(const FontSpec& font) {
  SelectTool(KeptFor(fonts_, font, [&] { return CreateFontFromSpec(font).Release(); }),
             ScopedGdiObject());
}

void GdiSurface::SetTextColorRgb(TColor rgb) { SetTextColor(dc_, rgb & 0xFFFFFF); }

void GdiSurface::SetBackgroundRgb(TColor rgb) { SetBkColor(dc_, rgb & 0xFFFFFF); }

void GdiSurface::SetBackgroundOpaque(bool opaque) {
  SetBkMode(dc_, opaque ? OPAQUE : TRANSPARENT);
}

void GdiSurface::SetTextAlignFlags(unsigned flags) { SetTextAlign(dc_, flags); }

unsigned GdiSurface::TextAlignFlags() const { return GetTextAlign(dc_); }

TColor GdiSurface::GetPixelAt(int x, int y) const {
  const COLORREF c = GetPixel(dc_, x, y);
  return c == CLR_INVALID ? kInvalidColor : static_cast<TColor>(c & 0xFFFFFF);
}

void GdiSurface::SetPixelAt(int x, int y, TColor rgb) { SetPixelV(dc_, x, y, rgb & 0xFFFFFF); }

void GdiSurface::WritePixels(int x, int y, int width, int height, std::span<const TColor> rgb) {
  if (width <= 0 || height <= 0) return;
  const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (rgb.size() < count) return;
  if (monochrome_) {
    // A two-colour bitmap matches a DIB's colours against its own palette;
    // pixel by pixel it takes each colour as SetPixelAt does.
    for (int j = 0; j < height; ++j) {
      for (int i = 0; i < width; ++i) {
        SetPixelV(dc_, x + i, y + j, rgb[static_cast<std::size_t>(j) * static_cast<std::size_t>(width) + static_cast<std::size_t>(i)] & 0xFFFFFF);
      }
    }
    return;
  }
  // A 32-bit DIB pixel is blue, green, red from its low byte up: a COLORREF
  // with red and blue swapped.
  std::vector<std::uint32_t> bgr(count);
  for (std::size_t i = 0; i < count; ++i) {
    const TColor c = rgb[i];
    bgr[i] = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc_, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                    static_cast<UINT>(height), bgr.data(), &info, DIB_RGB_COLORS);
}

void GdiSurface::MoveToPoint(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiSurface::LineToPoint(int x, int y) { LineTo(dc_, x, y); }

TPoint GdiSurface::CurrentPosition() const {
  POINT p{};
  GetCurrentPositionEx(dc_, &p);
  return TPoint{p.x, p.y};
}

void GdiSurface::FillRectangle(const TRect& r) {
  if (r.IsEmpty()) return;
  const RECT rect = ToRect(r);
  FillRect(dc_, &rect, static_cast<HBRUSH>(GetCurrentObject(dc_, OBJ_BRUSH)));
}

void GdiSurface::DrawRectangle(const TRect& r) { Rectangle(dc_, r.left, r.top, r.right, r.bottom); }

void GdiSurface::DrawPolygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  std::vector<POINT> native;
  native.reserve(points.size());
  for (const TPoint& p : points) native.push_back(POINT{p.x, p.y});
  SetPolyFillMode(dc_, ALTERNATE);
  Polygon(dc_, native.data(), static_cast<int>(native.size()));
}

void GdiSurface::TextOutAt(int x, int y, std::string_view text, const TRect* clip,
                           bool opaqueFill) {
  const std::wstring wide = ToWide(text);
  RECT rect{};
  UINT options = 0;
  if (clip != nullptr) {
    rect = ToRect(*clip);
    options |= ETO_CLIPPED;
    if (opaqueFill) options |= ETO_OPAQUE;
  }
  ExtTextOutW(dc_, x, y, options, clip != nullptr ? &rect : nullptr, wide.c_str(),
              static_cast<UINT>(wide.size()), nullptr);
}

TSize GdiSurface::MeasureText(std::string_view text) const {
  const std::wstring wide = ToWide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc_, wide.c_str(), static_cast<int>(wide.size()), &size);
  return TSize{size.cx, size.cy};
}

int GdiSurface::FormatText(std::string_view text, TRect& rect, unsigned format) {
  std::wstring wide = ToWide(text);
  RECT native = ToRect(rect);
  const int height =
      DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &native, format);
  rect = TRect{native.left, native.top, native.right, native.bottom};
  return height;
}

void GdiSurface::ExcludeClip(const TRect& r) {
  ExcludeClipRect(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiSurface::IntersectClip(const TRect& r) {
  IntersectClipRect(dc_, r.left, r.top, r.right, r.bottom);
}

void GdiSurface::RemoveClip() { SelectClipRgn(dc_, nullptr); }

TRect GdiSurface::ClipBounds() const {
  RECT box{};
  const int kind = GetClipBox(dc_, &box);
  if (kind == NULLREGION || kind == ERROR) return TRect{};
  return TRect{box.left, box.top, box.right, box.bottom};
}

void GdiSurface::SetViewportOrigin(TPoint origin) {
  SetViewportOrgEx(dc_, origin.x, origin.y, nullptr);
}

TPoint GdiSurface::ViewportOrigin() const {
  POINT p{};
  GetViewportOrgEx(dc_, &p);
  return TPoint{p.x, p.y};
}

int GdiSurface::SaveState() {
  const int id = SaveDC(dc_);
  if (id > 0) savedLevels_.push_back(id);
  return id;
}

bool GdiSurface::RestoreState(int id) {
  if (RestoreDC(dc_, id) == FALSE) return false;
  // The restored level and every later one are gone.
  if (id < 0) {
    const auto drop = std::min(savedLevels_.size(), static_cast<std::size_t>(-id));
    savedLevels_.resize(savedLevels_.size() - drop);
  } else {
    std::erase_if(savedLevels_, [id](int level) { return level >= id; });
  }
  DropUnselectedTools();
  return true;
}

void GdiSurface::Blit(const TRect& destRect, HDC source, const TRect& srcRect, DWORD rop,
                      Mirror mirror) {
  int dx = destRect.left;
  int dy = destRect.top;
  int dw = destRect.Width();
  int dh = destRect.Height();
  const int sw = srcRect.Width();
  const int sh = srcRect.Height();
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  if (mirror == Mirror::None && dw == sw && dh == sh) {
    BitBlt(dc_, dx, dy, dw, dh, source, srcRect.left, srcRect.top, rop);
    return;
  }
  // A negative extent mirrors; the destination then starts at its last
  // pixel (not one past it), which puts the mirrored picture exactly on
  // destRect.
  if (mirror == Mirror::Horizontal || mirror == Mirror::Both) {
    dx += dw - 1;
    dw = -dw;
  }
  if (mirror == Mirror::Vertical || mirror == Mirror::Both) {
    dy += dh - 1;
    dh = -dh;
  }
  // Stretched copies pick pixels instead of blending them, as the headless
  // surface does.
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, dx, dy, dw, dh, source, srcRect.left, srcRect.top, sw, sh, rop);
}

void GdiSurface::CopyFrom(const TRect& destRect, const Surface& source, const TRect& srcRect,
                          RasterOp op, Mirror mirror) {
  Blit(destRect, Of(source).dc_, srcRect, RopOf(op), mirror);
}

void GdiSurface::CopyTransparent(const TRect& destRect, const Surface& source,
                                 const TRect& srcRect, TColor transparentRgb) {
  if (destRect.IsEmpty() || srcRect.IsEmpty()) return;
  SetStretchBltMode(dc_, COLORONCOLOR);
  GdiTransparentBlt(dc_, destRect.left, destRect.top, destRect.Width(), destRect.Height(), Of(source).dc_,
                 srcRect.left, srcRect.top, srcRect.Width(), srcRect.Height(),
                 transparentRgb & 0xFFFFFF);
}

void GdiSurface::CopyMasked(const TRect& destRect, const Surface& source, const TRect& srcRect,
                            const Surface& mask) {
  const GdiSurface* gdi = &Of(source);
  const GdiSurface* gdiMask = &Of(mask);
  // D ^ S, then & mask (white keeps, black clears), then ^ S again: the
  // destination where the mask is white, the source where it is black.
  Blit(destRect, gdi->dc_, srcRect, SRCINVERT, Mirror::None);
  const COLORREF text = SetTextColor(dc_, RGB(0, 0, 0));
  const COLORREF back = SetBkColor(dc_, RGB(255, 255, 255));
  Blit(destRect, gdiMask->dc_, TRect{0, 0, srcRect.Width(), srcRect.Height()}, SRCAND,
       Mirror::None);
  SetTextColor(dc_, text);
  SetBkColor(dc_, back);
  Blit(destRect, gdi->dc_, srcRect, SRCINVERT, Mirror::None);
}

}  // namespace tandrel::platform
