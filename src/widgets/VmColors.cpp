// Colour arithmetic in the 0..240 HSL space.
#include "widgets/VmColors.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "framework/Color.h"

namespace tandrel {
namespace {

// The arithmetic is done on exact fractions of integers, so that a result
// lying exactly half-way between two integers is rounded to the even one
// as intended, whatever floating point would make of it.
std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t quotient = numerator / denominator;
  const std::int64_t twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator) return quotient + 1;
  if (twiceRest == denominator) return quotient + (quotient & 1);
  return quotient;
}

// A component given as numerator / denominator of 1, clamped to 0..1, as a byte.
int ComponentByte(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t clamped = std::clamp<std::int64_t>(numerator, 0, denominator);
  return static_cast<int>(RoundHalfEven(clamped * 255, denominator));
}

}  // namespace

THsl DecomposeHsl(TColor color) {
  const TColor rgb = ColorToRGB(color);
  const int r = GetRValue(rgb);
  const int g = GetGValue(rgb);
  const int b = GetBValue(rgb);
  const int max = std::max({r, g, b});
  const int min = std::min({r, g, b});
  const int sum = max + min;
  // L = (max + min) / 2 of components scaled to 1, times 240.
  const auto luminance = RoundHalfEven(240 * sum, 510);
  if (max == min) return THsl{0, 0, static_cast<std::uint8_t>(luminance)};

  const int d = max - min;
  // S = d / (max + min) below half luminance, else d / (2 - max - min).
  const auto saturation = RoundHalfEven(240 * d, sum < 255 ? sum : 510 - sum);
  // H in sixths of the circle: (g - b) / d, 2 + (b - r) / d or 4 + (r - g) / d,
  // wrapped into 0..1; times 240 that is 40 per sixth.
  std::int64_t hueNumerator = 0;
  if (r == max) {
    hueNumerator = 40 * (g - b);
    if (hueNumerator < 0) hueNumerator += 240 * d;
  } else if (g == max) {
    hueNumerator = 40 * (2 * d + b - r);
  } else {
    hueNumerator = 40 * (4 * d + r - g);
  }
  const auto hue = RoundHalfEven(hueNumerator, d);
  return THsl{static_cast<std::uint8_t>(hue), static_cast<std::uint8_t>(saturation),
              static_cast<std::uint8_t>(luminance)};
}

std::uint8_t HueOf(TColor color) { return DecomposeHsl(color).hue; }

TColor ComposeHsl(int hue, int saturation, int luminance) {
  // h = hue / 239, s = saturation / 240, l = luminance / 240; v and m are
  // kept as numerators over 240 * 240.
  const std::int64_t h = std::clamp(hue, 0, 255);
  const std::int64_t s = std::clamp(saturation, 0, 255);
  const std::int64_t l = std::clamp(luminance, 0, 255);
  const std::int64_t v = l < 120 ? l * (240 + s) : 240 * l + 240 * s - l * s;
  if (v <= 0) return RGB(0, 0, 0);
  const std::int64_t m = 480 * l - v;
  // h * 6 = sextant + f, with f = fraction / 239; x = v * ((v - m) / v) * f.
  const std::int64_t sextant = 6 * h / 239;
  const std::int64_t fraction = 6 * h - 239 * sextant;
  constexpr std::int64_t kDenominator = 240 * 240 * 239;
  const std::int64_t top = v * 239;
  const std::int64_t bottom = m * 239;
  const std::int64_t x = (v - m) * fraction;
  const std::int64_t up = bottom + x;
  const std::int64_t down = top - x;
  std::int64_t red = top, green = up, blue = bottom;  // sextant 0, and any hue of 239 or more
  switch (sextant) {
    case 1: red = down; green = top; blue = bottom; break;
    case 2: red = bottom; green = top; blue = up; break;
    case 3: red = bottom; green = down; blue = top; break;
    case 4: red = up; green = bottom; blue = top; break;
    case 5: red = top; green = bottom; blue = down; break;
    default: break;
  }
  return RGB(ComponentByte(red, kDenominator), ComponentByte(green, kDenominator),
             ComponentByte(blue, kDenominator));
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
  const int w = std::clamp(weight, 0, 255);
  auto mix = [w](int ca, int cb) {
    return static_cast<int>(RoundHalfEven(w * ca + (255 - w) * cb, 255));
  };
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
