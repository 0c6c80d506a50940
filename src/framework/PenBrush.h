// TPen and TBrush: the drawing tools of a canvas, with change notification.
#pragma once

#include <array>

#include "framework/Events.h"
#include "platform/Geometry.h"
#include "platform/LiveObjects.h"

namespace tandrel {

class TBitmap;

enum TPenStyle { psSolid, psClear };
enum TBrushStyle { bsSolid, bsClear };

class TPen : public TObject {
 public:
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  void Assign(const TPen& other);

  TNotifyEvent OnChange;  // sender: this pen

 private:
  void Changed();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  platform::LiveObject live_{platform::LiveKind::Pen};
};

class TBrush : public TObject {
 public:
  using Pattern = std::array<TColor, 64>;  // row-major 8 x 8

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);

  // An 8 x 8 pattern brush, aligned to the device origin. While a pattern is
  // set it is what fills paint (style and colour are kept for later). The
  // bitmap's top-left 8 x 8 pixels are copied; smaller bitmaps repeat.
  void SetPattern(const TBitmap& bitmap);
  void SetPattern(const Pattern& pixels);
  void ClearPattern();
  bool HasPattern() const { return hasPattern_; }
  const Pattern& PatternPixels() const { return pattern_; }

  void Assign(const TBrush& other);

  TNotifyEvent OnChange;  // sender: this brush

 private:
  void Changed();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  bool hasPattern_ = false;
  Pattern pattern_{};
  platform::LiveObject live_{platform::LiveKind::Brush};
};

}  // namespace tandrel
