// TIcon: an icon the platform can show (tray, window caption), built from a
// colour picture and a mask, or taken over from the platform.
#pragma once

#include <memory>

#include "platform/Surface.h"

namespace tandrel {

class TBitmap;
class TCanvas;

class TIcon {
 public:
  TIcon();
  TIcon(const TIcon&) = delete;
  TIcon& operator=(const TIcon&) = delete;
  ~TIcon();

  // Copies the other icon (a new platform icon of the same picture).
  void Assign(const TIcon& other);
  // Builds the icon from `color` and a monochrome `mask` (white =
  // transparent) of the same size; without a mask, `color`'s transparent
  // colour decides. Returns false (icon unchanged) for empty bitmaps.
  bool CreateFrom(const TBitmap& color, const TBitmap* mask);
  // Takes ownership of a platform icon.
  void SetHandle(std::unique_ptr<platform::IconHandle> handle);
  void Clear();

  bool Empty() const { return handle_ == nullptr; }
  int Width() const;
  int Height() const;
  const platform::IconHandle* Handle() const { return handle_.get(); }

  void Draw(TCanvas& canvas, int x, int y) const;

 private:
  std::unique_ptr<platform::IconHandle> handle_;
};

}  // namespace tandrel
