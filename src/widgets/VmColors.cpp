// Colour arithmetic in the 0..240 HSL space.
#include "widgets/VmColors.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "framework/Color.h"

namespace tandrel {
namespace {

// Round half to even, as the arithmetic the widgets were tuned with does.
int RoundEven(double value) { return static_cast<int>(std::nearbyint(value)); }

int ComponentByte(double component) {
  return RoundEven(std::clamp(component, 0.0, 1.0) * 255.0);
}

}  // namespace

THsl DecomposeHsl(TColor color) {
  const TColor rgb = ColorToRGB(color);
  const double r = GetRValue(rgb) / 255.0;
  const double g = GetGValue(rgb) / 255.0;
  const double b = GetBValue(rgb) / 255.0;
  const double max = std::max({r, g, b});
  const double min = std::min({r, g, b});
  const double l = (max + min) / 2.0;
  double h = 0.0;
  double s = 0.0;
  if (max != min) {
    const double d = max - min;
    s = l < 0.5 ? d / (max + min) : d / (2.0 - max - min);
    if (r == max) {
      h = (g - b) / d;
    } else if (g == max) {
      h = 2.0 + (b - r) / d;
    } else {
      h = 4.0 + (r - g) / d;
    }
    h /= 6.0;
    if (h < 0.0) h += 1.0;
  }
  return THsl{static_cast<std::uint8_t>(RoundEven(h * 240.0)),
              static_cast<std::uint8_t>(RoundEven(s * 240.0)),
              static_cast<std::uint8_t>(RoundEven(l * 240.0))};
}

std::uint8_t HueOf(TColor color) { return DecomposeHsl(color).hue; }

TColor ComposeHsl(int hue, int saturation, int luminance) {
  const double h = std::clamp(hue, 0, 255) / 239.0;
  const double s = std::clamp(saturation, 0, 255) / 240.0;
  const double l = std::clamp(luminance, 0, 255) / 240.0;
  const double v = l < 0.5 ? l * (1.0 + s) : l + s - l * s;
  if (v <= 0.0) return RGB(0, 0, 0);
  const double m = 2.0 * l - v;
  const double sv = (v - m) / v;
  const double h6 = h * 6.0;
  const int sextant = static_cast<int>(h6);
  const double f = h6 - sextant;
  const double x = v * sv * f;
  const double up = m + x;
  const double down = v - x;
  double red = v, green = up, blue = m;  // sextant 0, and any hue of 239 or more
  switch (sextant) {
    case 1: red = down; green = v; blue = m; break;
    case 2: red = m; green = v; blue = up; break;
    case 3: red = m; green = down; blue = v; break;
    case 4: red = up; green = m; blue = v; break;
    case 5: red = v; green = m; blue = down; break;
    default: break;
  }
  return RGB(ComponentByte(red), ComponentByte(green), ComponentByte(blue));
}

TColor ShadeDarker(TColor color, int amount) {
  const THsl hsl = DecomposeHsl(color);
  return ComposeHsl(hsl.hue, hsl.saturation, std::max(hsl.luminance - amount, 0));
}

TColor ShadeLighter(TColor color, int amount) {
  const THsl hsl = DecomposeHsl(color);
  return ComposeHsl(hsl.hue, hsl.saturation, std::min(hsl.luminance + amount, 255));
}

TColor ShadeBy(TColor color, int amount) {
  if (amount < 0) return ShadeDarker(color, -amount);
  if (amount > 0) return ShadeLighter(color, amount);
  return color;
}

TColor MixColors(TColor colorA, TColor colorB, int weight) {
  const TColor a = ColorToRGB(colorA);
  const TColor b = ColorToRGB(colorB);
  const double x = std::clamp(weight, 0, 255) / 255.0;
  auto mix = [x](int ca, int cb) { return RoundEven(x * ca + (1.0 - x) * cb); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

bool ColorsHardToTell(TColor colorA, TColor colorB) {
  const THsl a = DecomposeHsl(colorA);
  const THsl b = DecomposeHsl(colorB);
  return std::abs(a.hue - b.hue) < 20 && std::abs(a.luminance - b.luminance) < 60;
}

TColor OppositeHue(TColor color, int luminance) {
  const int hue = HueOf(color);
  return ComposeHsl(hue < 120 ? hue + 120 : hue - 120, 240, luminance);
}

}  // namespace tandrel
