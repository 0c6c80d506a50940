// Colour arithmetic of the widget set: a hue/saturation/luminance space
// scaled to 0..240, shades, mixes and the hot-tracking complement. Every
// routine resolves system colours first, so results are plain RGB (except
// ShadeBy with amount 0, which hands its argument back untouched).
#pragma once

#include <cstdint>

#include "platform/Geometry.h"

namespace tandrel {

struct THsl {
  std::uint8_t hue = 0;
  std::uint8_t saturation = 0;
  std::uint8_t luminance = 0;
  friend bool operator==(const THsl&, const THsl&) = default;
};

THsl DecomposeHsl(TColor color);
std::uint8_t HueOf(TColor color);

// Arguments are clamped to 0..255; the hue is read against a 239 divisor, so
// hues of 239 and above wrap round to red.
TColor ComposeHsl(int hue, int saturation, int luminance);

// Luminance moves by the amount; darker stops at 0, lighter at 255 (above the
// 240 scale, so large amounts saturate to white).
TColor ShadeDarker(TColor color, int amount);
TColor ShadeLighter(TColor color, int amount);
// Darker for negative amounts, lighter for positive ones, the colour itself
// (system colours unresolved) for 0.
TColor ShadeBy(TColor color, int amount);

// weight 0..255 is the share of colorA.
TColor MixColors(TColor colorA, TColor colorB, int weight);

// True when hue and luminance are both close; saturation is ignored.
bool ColorsHardToTell(TColor colorA, TColor colorB);

// The hue a third of the circle away, fully saturated, at the luminance given.
TColor OppositeHue(TColor color, int luminance);

}  // namespace tandrel
