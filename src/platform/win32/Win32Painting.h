// The real painting service: off-screen GDI surfaces, GetSysColor, the
// screen's colour count and icons made with CreateIconIndirect.
#pragma once

#include <windows.h>

#include "platform/Surface.h"
#include "platform/win32/GdiObjects.h"

namespace tandrel::platform {

class Win32Icon final : public IconHandle {
 public:
  Win32Icon(ScopedIcon icon, int width, int height);

  int IconWidth() const override { return width_; }
  int IconHeight() const override { return height_; }
  void DrawOn(Surface& target, int x, int y) const override;
  std::unique_ptr<IconHandle> Clone() const override;

  // For the shell and window classes; stays owned by this object.
  HICON Handle() const { return icon_.Get(); }

 private:
  ScopedIcon icon_;
  int width_;
  int height_;
};

class Win32Painting final : public Painting {
 public:
  std::unique_ptr<Surface> CreateBitmapSurface(int width, int height, bool monochrome) override;
  TColor ResolveSystemColor(int index) override;
  int ScreenNumColors() override;
  std::unique_ptr<IconHandle> CreateIcon(const Surface& color, const Surface& mask) override;
  std::unique_ptr<IconHandle> LoadApplicationIcon() override;
};

// The HICON behind an icon made by this backend (not owned: valid while
// `icon` lives); null for any other kind of icon.
HICON NativeIcon(const IconHandle& icon);

}  // namespace tandrel::platform
