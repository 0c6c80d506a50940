// TBitmap: an off-screen picture with its own canvas. Transparent-colour
// rule: a colour set on the bitmap (TransparentMode tmFixed), else white for
// a monochrome bitmap, else the colour of the bottom-left pixel.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "framework/Canvas.h"
#include "framework/Events.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace tandrel {

enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TObject {
 public:
  TBitmap();
  TBitmap(int width, int height, bool monochrome = false);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap() override;

  // Copies size, format, pixels and transparency settings; fires OnChange.
  void Assign(const TBitmap& other);

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int width);
  void SetHeight(int height);
  // Resizing keeps the overlapping top-left pixels; new pixels are white.
  void SetSize(int width, int height);
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  bool Monochrome() const { return monochrome_; }
  void SetMonochrome(bool monochrome);

  // The canvas drawing on the bitmap. Drawing on it fires OnChange.
  // An empty bitmap's canvas draws nothing.
  TCanvas& Canvas();
  const TCanvas& Canvas() const;

  // Draw() leaves out the transparent colour when Transparent is set.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);
  // The colour the rule above gives (RGB, or clNone for an empty bitmap in
  // tmAuto mode). Setting a colour switches the mode to tmFixed.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color);
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);

  // Makes `mask` a monochrome bitmap of this size: white where this bitmap
  // has `transparent` (resolved to RGB), black elsewhere.
  void MakeMask(TBitmap& mask, TColor transparent) const;

  // Reads a Windows .bmp file image (1, 4, 8, 24 or 32 bits per pixel,
  // uncompressed, bottom-up or top-down). Returns false, leaving the bitmap
  // as it was, when the data is not such an image.
  bool LoadFromBmp(std::span<const std::uint8_t> data);

  // The surface holding the pixels (nullptr while empty).
  const platform::Surface* Surface() const { return surface_.get(); }
  platform::Surface* Surface() { return surface_.get(); }

  // Fired (sender: this bitmap) after a change of size, format, pixels or
  // transparency.
  TNotifyEvent OnChange;

 private:
  void Reallocate(int width, int height, bool monochrome);
  void Changed();

  int width_ = 0;
  int height_ = 0;
  bool monochrome_ = false;
  bool transparent_ = false;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  std::unique_ptr<platform::Surface> surface_;
  TCanvas canvas_;
};

}  // namespace tandrel
