// Win32 painting service and icons.
#include "platform/win32/Win32Painting.h"

#include <vector>

#include "platform/PlatformError.h"
#include "platform/win32/GdiSurface.h"

namespace tandrel::platform {

Win32Icon::Win32Icon(ScopedIcon icon, int width, int height)
    : icon_(std::move(icon)), width_(width), height_(height) {}

void Win32Icon::DrawOn(Surface& target, int x, int y) const {
  DrawIconEx(GdiSurface::Of(target).Dc(), x, y, icon_.Get(), width_, height_, 0, nullptr, DI_NORMAL);
}

std::unique_ptr<IconHandle> Win32Icon::Clone() const {
  ScopedIcon copy(CopyIcon(icon_.Get()));
  if (!copy) return nullptr;
  return std::make_unique<Win32Icon>(std::move(copy), width_, height_);
}

HICON NativeIcon(const IconHandle& icon) {
  // Every icon of this platform is a Win32Icon.
  return static_cast<const Win32Icon&>(icon).Handle();
}

std::unique_ptr<IconHandle> Win32Painting::LoadApplicationIcon() {
  const int width = GetSystemMetrics(SM_CXICON);
  const int height = GetSystemMetrics(SM_CYICON);
  // LoadImage without LR_SHARED gives an icon of our own to destroy.
  ScopedIcon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1),
                                                IMAGE_ICON, width, height, 0)));
  if (!icon) {
    // A program built without the resource (a test executable): a copy of
    // the shared system icon.
    icon.Reset(CopyIcon(LoadIconW(nullptr, IDI_APPLICATION)));
  }
  if (!icon) throw PlatformError("Out of system resources");
  return std::make_unique<Win32Icon>(std::move(icon), width, height);
}

std::unique_ptr<Surface> Win32Painting::CreateBitmapSurface(int width, int height,
                                                           bool monochrome) {
  auto surface = GdiSurface::CreateOffscreen(width, height, monochrome);
  if (surface == nullptr) throw PlatformError("Out of system resources");
  return surface;
}

TColor Win32Painting::ResolveSystemColor(int index) {
  return static_cast<TColor>(GetSysColor(index)) & 0xFFFFFF;
}

int Win32Painting::ScreenNumColors() {
  ScopedWindowDc screen(nullptr);
  if (screen.Get() == nullptr) return -1;
  return GetDeviceCaps(screen.Get(), NUMCOLORS);
}

std::unique_ptr<IconHandle> Win32Painting::CreateIcon(const Surface& color, const Surface& mask) {
  const int width = color.SurfaceWidth();
  const int height = color.SurfaceHeight();
  if (width <= 0 || height <= 0) return nullptr;
  // Fresh, unselected bitmaps: 32-bit colour with transparent pixels black
  // (icons draw the colour with XOR where the mask is set) and a 1-bit mask
  // with rows padded to 16 bits.
  std::vector<DWORD> colorBits(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  const int maskStride = ((width + 15) / 16) * 2;
  std::vector<BYTE> maskBits(static_cast<std::size_t>(maskStride) * static_cast<std::size_t>(height),
                             0);
  const TPoint colorOrigin = color.ViewportOrigin();
  const TPoint maskOrigin = mask.ViewportOrigin();
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool transparent =
          (mask.GetPixelAt(x - maskOrigin.x, y - maskOrigin.y) & 0xFFFFFF) == 0xFFFFFF;
      const TColor c = color.GetPixelAt(x - colorOrigin.x, y - colorOrigin.y);
      DWORD pixel = 0;
      if (!transparent && c != kInvalidColor) {
        pixel = (static_cast<DWORD>(GetRValue(c)) << 16) |
                (static_cast<DWORD>(GetGValue(c)) << 8) | static_cast<DWORD>(GetBValue(c));
      }
      colorBits[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] = pixel;
      if (transparent) {
        maskBits[static_cast<std::size_t>(y * maskStride + x / 8)] |=
            static_cast<BYTE>(0x80u >> (x % 8));
      }
    }
  }
  ScopedBitmap colorBitmap(CreateBitmap(width, height, 1, 32, colorBits.data()));
  ScopedBitmap maskBitmap(CreateBitmap(width, height, 1, 1, maskBits.data()));
  if (!colorBitmap || !maskBitmap) return nullptr;
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = maskBitmap.Get();
  info.hbmColor = colorBitmap.Get();
  ScopedIcon icon(CreateIconIndirect(&info));
  if (!icon) return nullptr;
  return std::make_unique<Win32Icon>(std::move(icon), width, height);
}

}  // namespace tandrel::platform
