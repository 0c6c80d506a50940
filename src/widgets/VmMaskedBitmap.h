// Draws part of a bitmap with one colour left out.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/Geometry.h"

namespace tandrel {

// Stretches sourceRect of bitmap onto destRect of canvas; pixels of
// transparentColor leave the canvas unchanged.
void PaintMaskedBitmap(TCanvas& canvas, const TBitmap& bitmap, const TRect& destRect,
                       const TRect& sourceRect, TColor transparentColor);

}  // namespace tandrel
