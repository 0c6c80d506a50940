// System-colour resolution for the drawing helpers.
#include "widgets/VmColorResolve.h"

namespace tandrel {
namespace {

// Interim lookup until the painting service offers one: the classic scheme.
TColor SystemColorRgb(int index) {
  switch (index) {
    case 5: return RGB(255, 255, 255);   // window
    case 15: return RGB(212, 208, 200);  // button face
    case 16: return RGB(128, 128, 128);  // button shadow
    case 18: return RGB(0, 0, 0);        // button text
    case 20: return RGB(255, 255, 255);  // button highlight
    case 21: return RGB(64, 64, 64);     // 3-D dark shadow
    case 22: return RGB(212, 208, 200);  // 3-D light
    default: return RGB(0, 0, 0);
  }
}

}  // namespace

TColor ResolveColor(TColor color) {
  if (IsSystemColor(color)) return SystemColorRgb(SystemColorIndex(color));
  return color & 0x00FFFFFF;
}

}  // namespace tandrel
