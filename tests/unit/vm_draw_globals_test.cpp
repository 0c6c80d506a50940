// The display facts of the drawing helpers: the palette limit of the screen,
// the desktop colour scheme read from the registry and read again on a
// theme change, and the scheme and panel colours that follow from them.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "framework/Color.h"
#include "widgets/VmColors.h"
#include "widgets/VmDrawGlobals.h"
#include "widgets/VmSchemes.h"

namespace tandrel {
namespace {

const char* const kThemeKey = "Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager";

class DrawGlobals : public ::testing::Test {
 protected:
  DrawGlobals() { platform::Install(&platform_); }
  ~DrawGlobals() override { platform::Install(nullptr); }

  void SetColorName(const std::string& name) {
    platform_.registry().SetValue(platform::RegistryRoot::CurrentUser, kThemeKey, "ColorName",
                                  name);
  }

  platform::HeadlessPlatform platform_;
};

TEST_F(DrawGlobals, SchemeNamesAreMatchedWithoutRegardToCase) {
  EXPECT_EQ(ReadThemeColorScheme(platform_.registry()), 0) << "no ThemeManager key";
  SetColorName("HomeStead");
  EXPECT_EQ(ReadThemeColorScheme(platform_.registry()), 1);
  SetColorName("metallic");
  EXPECT_EQ(ReadThemeColorScheme(platform_.registry()), 2);
  SetColorName("NormalColor");
  EXPECT_EQ(ReadThemeColorScheme(platform_.registry()), 0);
  SetColorName("Metallic ");
  EXPECT_EQ(ReadThemeColorScheme(platform_.registry()), 0);
  SetColorName("");
  EXPECT_EQ(ReadThemeColorScheme(platform_.registry()), 0);
}

TEST_F(DrawGlobals, ANonStringValueCountsAsMissing) {
  platform_.registry().SetDwordValue(platform::RegistryRoot::CurrentUser, kThemeKey, "ColorName",
                                     1);
  EXPECT_EQ(ReadThemeColorScheme(platform_.registry()), 0);
}

TEST_F(DrawGlobals, FullColourMeansNoPaletteLimit) {
  platform_.painting().SetScreenNumColors(256);
  ReadDrawGlobals(platform_);
  EXPECT_FALSE(FullColorDisplay());
  platform_.painting().SetScreenNumColors(-1);
  ReadDrawGlobals(platform_);
  EXPECT_TRUE(FullColorDisplay());
}

TEST_F(DrawGlobals, StartUpReadsOnceAndAThemeChangeReadsTheSchemeAgain) {
  SetColorName("HOMESTEAD");
  InitializeDrawGlobals();  // the first call in this program reads
  ReadDrawGlobals(platform_);
  EXPECT_EQ(ThemeColorScheme(), 1);

  SetColorName("METALLIC");
  platform_.painting().SetScreenNumColors(16);
  InitializeDrawGlobals();  // already done: nothing is read
  EXPECT_EQ(ThemeColorScheme(), 1);
  EXPECT_TRUE(FullColorDisplay());

  RereadThemeColorScheme();
  EXPECT_EQ(ThemeColorScheme(), 2);
  EXPECT_TRUE(FullColorDisplay()) << "only the scheme is read again";
}

TEST_F(DrawGlobals, SchemeColours) {
  EXPECT_EQ(SchemeColorsOf(0), (TSchemeColors{0xFFEFE3, 0xEABB99, 0xBF7F57}));
  EXPECT_EQ(SchemeColorsOf(1), (TSchemeColors{0xEDFFFF, 0x92C7B8, 0x77A17F}));
  EXPECT_EQ(SchemeColorsOf(2), (TSchemeColors{0xFFF9F9, 0xD0BCBD, 0xB19F9F}));
  EXPECT_EQ(SchemeColorsOf(7), SchemeColorsOf(0));
}

TEST_F(DrawGlobals, WithoutVisualThemesEveryStyleGetsTheButtonFaceColours) {
  SetColorName("METALLIC");
  RereadThemeColorScheme();
  ASSERT_FALSE(VisualThemesEnabled());
  platform_.painting().SetSystemColor(15, RGB(212, 208, 200));
  platform_.painting().SetSystemColor(16, RGB(128, 128, 128));
  for (TVmGradientColorStyle style : {gcsSystem, gcsMSOffice, gcsCustom}) {
    EXPECT_EQ(SchemePanelColors(style),
              (TPanelColors{clWindow, ShadeDarker(RGB(212, 208, 200), 10)}));
    EXPECT_EQ(SchemeFrameColor(style), ShadeLighter(RGB(128, 128, 128), 30));
    EXPECT_EQ(SchemeGradientColors(style),
              (TGradientColors{ShadeDarker(RGB(212, 208, 200), 20), clWindow,
                               ShadeDarker(RGB(212, 208, 200), 40)}));
  }
  EXPECT_EQ(ThemedElementColor(TThemedElement::GroupBoxCaption), clBtnFace);
}

}  // namespace
}  // namespace tandrel
