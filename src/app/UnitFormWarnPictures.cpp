// The warning window's one picture: the Cancel button's strip, a red disc
// with a white cross (normal) and the same in greys (disabled).
#include "app/PictureDrawing.h"
#include "app/UnitFormWarn.h"

namespace tandrel {
namespace {

using pictures::DisabledGray;
using pictures::Distance;
using pictures::Painter;
using pictures::Picture;

constexpr TColor kRed = 0x1C1CD0;
constexpr TColor kDarkRed = 0x10108A;
constexpr TColor kWhite = 0xFFFFFF;

void DrawCancel(Picture& b, int offsetX, bool enabled) {
  Painter p(b, offsetX);
  p.Fill(16, enabled ? kDarkRed : DisabledGray(kDarkRed), [](double x, double y) { return Distance(x, y, 8, 8) <= 7.6; });
  p.Fill(16, enabled ? kRed : DisabledGray(kRed), [](double x, double y) { return Distance(x, y, 8, 8) <= 6.6; });
  p.Fill(16, enabled ? kWhite : 0xF0F0F0, [](double x, double y) {
    const double dx = x - 8, dy = y - 8;
    const bool arms = std::abs(dx) <= 3.6 && std::abs(dy) <= 3.6;
    return arms && (std::abs(dx - dy) <= 1.3 || std::abs(dx + dy) <= 1.3);
  });
}

}  // namespace

void TFormWarn::LoadPictures() {
  pictures::SetStripGlyph(*BTNCancel, DrawCancel);
  // Set as stored; without an image list the strip is drawn.
  BTNCancel->SetImageIndex(1);
}

}  // namespace tandrel
