// Colour arithmetic of the drawing helpers: the HSL round trip with its 239
// hue divisor, half-to-even rounding, the 255 luminance ceiling, shades,
// mixes and the hot-tracking complement.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "widgets/VmColors.h"

namespace tandrel {
namespace {

TEST(DecomposeHsl, PrimariesAndGrey) {
  EXPECT_EQ(DecomposeHsl(RGB(255, 0, 0)), (THsl{0, 240, 120}));
  EXPECT_EQ(DecomposeHsl(RGB(0, 255, 0)), (THsl{80, 240, 120}));
  EXPECT_EQ(DecomposeHsl(RGB(0, 0, 255)), (THsl{160, 240, 120}));
  EXPECT_EQ(DecomposeHsl(RGB(128, 128, 128)), (THsl{0, 0, 120}));
  EXPECT_EQ(DecomposeHsl(RGB(0, 0, 0)), (THsl{0, 0, 0}));
  EXPECT_EQ(DecomposeHsl(RGB(255, 255, 255)), (THsl{0, 0, 240}));
}

TEST(DecomposeHsl, NegativeHueWrapsAndSaturationUsesTheUpperFormulaAboveHalf) {
  // Magenta-ish red: (g - b) / d is negative and wraps to the top of the circle.
  EXPECT_EQ(HueOf(RGB(255, 0, 128)), 220);
  // Light pink: L above one half takes d / (2 - max - min).
  const THsl pink = DecomposeHsl(RGB(255, 192, 192));
  EXPECT_EQ(pink.saturation, 240);
  EXPECT_EQ(pink.luminance, 210);
}

TEST(ComposeHsl, HueIsReadAgainst239) {
  EXPECT_EQ(ComposeHsl(0, 240, 120), RGB(255, 0, 0));
  EXPECT_EQ(ComposeHsl(80, 240, 120), RGB(0, 255, 2));
  EXPECT_EQ(ComposeHsl(239, 240, 120), ComposeHsl(0, 240, 120));
  // Hues past 239 land in the seventh sextant, which is drawn like the first.
  EXPECT_EQ(ComposeHsl(255, 240, 120), RGB(255, 102, 0));
}

TEST(ComposeHsl, RoundsHalfToEven) {
  // 40 / 240 * 255 is exactly 42.5, 24 / 240 * 255 exactly 25.5.
  EXPECT_EQ(ComposeHsl(0, 0, 40), RGB(42, 42, 42));
  EXPECT_EQ(ComposeHsl(0, 0, 24), RGB(26, 26, 26));
  // Exact halves that floating point lands a hair either side of.
  EXPECT_EQ(ComposeHsl(0, 16, 180), RGB(196, 187, 187));  // red 195.5
  EXPECT_EQ(ComposeHsl(0, 48, 50), RGB(64, 42, 42));      // green and blue 42.5
  EXPECT_EQ(HueOf(RGB(0, 41, 80)), 140);                   // 139.5
  EXPECT_EQ(HueOf(RGB(0, 59, 80)), 130);                   // 130.5
  EXPECT_EQ(HueOf(RGB(0, 80, 21)), 90);                    // 90.5
}

TEST(ComposeHsl, BlackAndClampedLuminance) {
  EXPECT_EQ(ComposeHsl(100, 240, 0), RGB(0, 0, 0));
  EXPECT_EQ(ComposeHsl(0, 0, 255), RGB(255, 255, 255));
  EXPECT_EQ(ComposeHsl(0, 0, 1000), RGB(255, 255, 255));
  EXPECT_EQ(ComposeHsl(0, 0, -5), RGB(0, 0, 0));
}

TEST(ComposeHsl, EverySextant) {
  EXPECT_EQ(ComposeHsl(40, 240, 120), RGB(254, 255, 0));
  EXPECT_EQ(ComposeHsl(120, 240, 120), RGB(0, 252, 255));
  EXPECT_EQ(ComposeHsl(160, 240, 120), RGB(4, 0, 255));
  EXPECT_EQ(ComposeHsl(200, 240, 120), RGB(255, 0, 250));
  // Half saturation at half luminance: v = 0.75, m = 0.25.
  EXPECT_EQ(ComposeHsl(0, 120, 120), RGB(191, 64, 64));
}

TEST(Shades, ByZeroReturnsTheArgumentItself) {
  EXPECT_EQ(ShadeBy(RGB(1, 2, 3), 0), RGB(1, 2, 3));
  EXPECT_EQ(ShadeBy(clBtnFace, 0), clBtnFace);
  EXPECT_EQ(ShadeBy(clNone, 0), clNone);
}

TEST(Shades, LighterCeilingIs255NotTheScale) {
  const TColor grey = RGB(213, 213, 213);
  ASSERT_EQ(DecomposeHsl(grey).luminance, 200);
  EXPECT_EQ(ShadeLighter(grey, 100), RGB(255, 255, 255));
  // A saturated colour pushed past 240 keeps saturating towards white.
  EXPECT_EQ(ShadeLighter(RGB(255, 0, 0), 200), RGB(255, 255, 255));
}

TEST(Shades, DarkerFloorIsBlack) {
  const TColor grey = RGB(213, 213, 213);
  EXPECT_EQ(ShadeDarker(grey, 200), RGB(0, 0, 0));
  EXPECT_EQ(ShadeDarker(grey, 255), RGB(0, 0, 0));
  EXPECT_EQ(ShadeDarker(RGB(0, 0, 255), 120), RGB(0, 0, 0));
}

TEST(Shades, KeepHueAndSaturation) {
  // Pure red at luminance 60: v = 0.5, so red is 127.5, rounded to 128.
  EXPECT_EQ(ShadeDarker(RGB(255, 0, 0), 60), RGB(128, 0, 0));
  EXPECT_EQ(ShadeBy(RGB(255, 0, 0), -60), RGB(128, 0, 0));
  EXPECT_EQ(ShadeLighter(RGB(255, 0, 0), 60), RGB(255, 128, 128));
  EXPECT_EQ(ShadeBy(RGB(255, 0, 0), 60), RGB(255, 128, 128));
  EXPECT_EQ(ShadeDarker(RGB(128, 128, 128), 80), ComposeHsl(0, 0, 40));
}

TEST(MixColors, WeightIsTheShareOfTheFirstColour) {
  EXPECT_EQ(MixColors(RGB(255, 255, 255), RGB(10, 20, 30), 255), RGB(255, 255, 255));
  EXPECT_EQ(MixColors(RGB(255, 255, 255), RGB(10, 20, 30), 0), RGB(10, 20, 30));
  EXPECT_EQ(MixColors(RGB(255, 255, 255), RGB(0, 0, 0), 128), RGB(128, 128, 128));
  // 190/255 of white over (10, 20, 30): 192.55, 195.1, 197.6.
  EXPECT_EQ(MixColors(RGB(255, 255, 255), RGB(10, 20, 30), 190), RGB(193, 195, 198));
  EXPECT_EQ(MixColors(RGB(200, 0, 100), RGB(0, 200, 100), 51), RGB(40, 160, 100));
}

TEST(ColorsHardToTell, HueUnder20AndLuminanceUnder60) {
  for (int c = 0; c < 64; ++c) {
    const TColor grey = RGB(c, c, c);
    EXPECT_EQ(ColorsHardToTell(RGB(0, 0, 0), grey), DecomposeHsl(grey).luminance < 60) << c;
  }
  EXPECT_TRUE(ColorsHardToTell(ComposeHsl(100, 240, 120), ComposeHsl(119, 100, 120)));
  EXPECT_FALSE(ColorsHardToTell(ComposeHsl(100, 240, 120), ComposeHsl(121, 240, 120)));
  EXPECT_FALSE(ColorsHardToTell(ComposeHsl(100, 240, 60), ComposeHsl(100, 240, 120)));
  EXPECT_TRUE(ColorsHardToTell(ComposeHsl(100, 240, 61), ComposeHsl(100, 240, 120)));
}

TEST(OppositeHue, ThirdOfTheCircleAwayFullySaturated) {
  EXPECT_EQ(OppositeHue(RGB(255, 0, 0), 120), RGB(0, 252, 255));
  EXPECT_EQ(OppositeHue(RGB(255, 0, 0), 120), ComposeHsl(120, 240, 120));
  EXPECT_EQ(OppositeHue(RGB(0, 0, 255), 120), ComposeHsl(40, 240, 120));  // 160 - 120
  EXPECT_EQ(OppositeHue(RGB(0, 0, 0), 0), RGB(0, 0, 0));
}

// System colours are resolved through the platform before any arithmetic.
class SystemColours : public ::testing::Test {
 protected:
  SystemColours() {
    platform::Install(&platform_);
    platform_.painting().SetSystemColor(15, RGB(0, 255, 0));   // button face
    platform_.painting().SetSystemColor(16, RGB(255, 0, 0));   // button shadow
    platform_.painting().SetSystemColor(5, RGB(255, 255, 255));  // window
  }
  ~SystemColours() override { platform::Install(nullptr); }
  platform::HeadlessPlatform platform_;
};

TEST_F(SystemColours, DecomposeResolvesFirst) {
  EXPECT_EQ(DecomposeHsl(clBtnShadow), (THsl{0, 240, 120}));
  EXPECT_EQ(HueOf(clBtnFace), 80);
}

TEST_F(SystemColours, EveryShadeButByZeroGivesRgb) {
  EXPECT_EQ(ShadeBy(clBtnShadow, 0), clBtnShadow);
  EXPECT_EQ(ShadeDarker(clBtnShadow, 0), RGB(255, 0, 0));
  EXPECT_EQ(ShadeLighter(clBtnShadow, 0), RGB(255, 0, 0));
  EXPECT_EQ(ShadeBy(clBtnShadow, -60), RGB(128, 0, 0));
  EXPECT_EQ(ShadeBy(clBtnShadow, 60), RGB(255, 128, 128));
  EXPECT_EQ(OppositeHue(clBtnShadow, 120), RGB(0, 252, 255));
}

TEST_F(SystemColours, MixResolvesBoth) {
  EXPECT_EQ(MixColors(clBtnShadow, clWindow, 255), RGB(255, 0, 0));
  EXPECT_EQ(MixColors(clBtnShadow, clWindow, 0), RGB(255, 255, 255));
  EXPECT_EQ(MixColors(clBtnShadow, clBtnFace, 128), RGB(128, 127, 0));
  EXPECT_TRUE(ColorsHardToTell(clBtnShadow, RGB(250, 10, 10)));
}

}  // namespace
}  // namespace tandrel
