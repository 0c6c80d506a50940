// Move-only owners of GDI objects (pens, brushes, fonts, bitmaps, regions),
// memory DCs, window DCs and icons, and a scoped SelectObject that puts the
// previous object back.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/Surface.h"
#include "platform/win32/ScopedHandle.h"

namespace tandrel::platform {

template <typename H>
struct GdiObjectTraits {
  using Handle = H;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { DeleteObject(handle); }
};
using ScopedPen = ScopedHandle<GdiObjectTraits<HPEN>>;
using ScopedBrush = ScopedHandle<GdiObjectTraits<HBRUSH>>;
using ScopedFont = ScopedHandle<GdiObjectTraits<HFONT>>;
using ScopedBitmap = ScopedHandle<GdiObjectTraits<HBITMAP>>;
using ScopedRegion = ScopedHandle<GdiObjectTraits<HRGN>>;
using ScopedGdiObject = ScopedHandle<GdiObjectTraits<HGDIOBJ>>;

// A DC made with CreateCompatibleDC.
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static void Close(Handle dc) { DeleteDC(dc); }
};
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;

struct IconTraits {
  using Handle = HICON;
  static Handle Empty() { return nullptr; }
  static void Close(Handle icon) { DestroyIcon(icon); }
};
using ScopedIcon = ScopedHandle<IconTraits>;

// A DC from GetDC, released to its window.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
  ScopedWindowDc(ScopedWindowDc&& other) noexcept
      : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
  ScopedWindowDc& operator=(ScopedWindowDc&&) = delete;

  HDC Get() const { return dc_; }

 private:
  HWND window_;  // not owned
  HDC dc_;
};

// Selects an object into a DC for a scope and selects the previous one back.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelect() {
    if (dc_ != nullptr && previous_ != nullptr && previous_ != HGDI_ERROR) {
      SelectObject(dc_, previous_);
    }
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;
  ScopedSelect(ScopedSelect&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(std::exchange(other.previous_, nullptr)) {}
  ScopedSelect& operator=(ScopedSelect&&) = delete;

 private:
  HDC dc_;             // not owned
  HGDIOBJ previous_;   // not owned
};

// A font as the platform describes it: the height goes to CreateFontW as
// given (negative for the character height in pixels).
ScopedFont CreateFontFromSpec(const FontSpec& params);

}  // namespace tandrel::platform
