// The frame-style catalogue drawn in system colours and in shades of a base
// colour, the edit frame and the panel border, pixel for pixel.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/PixelPicture.h"
#include "widgets/VmBorders.h"
#include "widgets/VmColors.h"
#include "widgets/VmFrameStyles.h"

namespace tandrel {
namespace {

using test::Picture;
using test::Rows;

constexpr TColor kBack = RGB(10, 20, 30);
// Distinct values for the system colours the catalogue uses.
constexpr TColor kShadow = RGB(100, 100, 100);     // S clBtnShadow
constexpr TColor kHighlight = RGB(250, 250, 250);  // H clBtnHighlight
constexpr TColor kDarkShadow = RGB(40, 40, 40);    // D cl3DDkShadow
constexpr TColor kLight = RGB(220, 220, 220);      // L cl3DLight
constexpr TColor kText = RGB(5, 5, 5);             // T clBtnText
constexpr TColor kFace = RGB(190, 190, 190);       // F clBtnFace
constexpr TColor kWindow = RGB(255, 255, 240);     // W clWindow
constexpr TColor kBase = RGB(120, 160, 200);       // C, base of the shaded styles

const test::Legend kSystemLegend{{'.', kBack},       {'S', kShadow}, {'H', kHighlight},
                                 {'D', kDarkShadow}, {'L', kLight},  {'T', kText},
                                 {'F', kFace},       {'W', kWindow}, {'C', kBase}};

// a = darker by 50, b = darker by 100, c = lighter by 50, d = lighter by
// 100, e = lighter by 40.
test::Legend ShadeLegend() {
  return test::Legend{{'.', kBack},
                      {'C', kBase},
                      {'a', ShadeDarker(kBase, 50)},
                      {'b', ShadeDarker(kBase, 100)},
                      {'c', ShadeLighter(kBase, 50)},
                      {'d', ShadeLighter(kBase, 100)},
                      {'e', ShadeLighter(kBase, 40)}};
}

class FrameStyles : public ::testing::Test {
 protected:
  FrameStyles() {
    platform::Install(&platform_);
    auto& painting = platform_.painting();
    painting.SetSystemColor(16, kShadow);
    painting.SetSystemColor(20, kHighlight);
    painting.SetSystemColor(21, kDarkShadow);
    painting.SetSystemColor(22, kLight);
    painting.SetSystemColor(18, kText);
    painting.SetSystemColor(15, kFace);
    painting.SetSystemColor(5, kWindow);
  }
  ~FrameStyles() override {
    bitmap_.reset();
    platform::Install(nullptr);
  }

  TCanvas& Blank(int width, int height) {
    bitmap_ = std::make_unique<TBitmap>(width, height);
    TCanvas& canvas = bitmap_->Canvas();
    canvas.Brush.SetColor(kBack);
    canvas.FillRect(TRect{0, 0, width, height});
    return canvas;
  }
  std::string All(const test::Legend& legend = kSystemLegend) const {
    return Picture(bitmap_->Canvas(), TRect{0, 0, bitmap_->Width(), bitmap_->Height()}, legend);
  }

  platform::HeadlessPlatform platform_;
  std::unique_ptr<TBitmap> bitmap_;
};

struct StyleCase {
  TFrameStyleEx style;
  std::string picture;
  TRect inner;
};

// 6 x 6 pictures of every style in system colours.
const StyleCase kSystemStyles[] = {
    {fsFlat, Rows({"DDDDDD", "D....D", "D....D", "D....D", "D....D", "DDDDDD"}), {1, 1, 5, 5}},
    {fsGroove, Rows({"SSSSSH", "SHHHSH", "SH..SH", "SH..SH", "SSSSSH", "HHHHHH"}), {2, 2, 4, 4}},
    {fsBump, Rows({"HHHHHS", "HSSSHS", "HS..HS", "HS..HS", "HHHHHS", "SSSSSS"}), {2, 2, 4, 4}},
    {fsLowered, Rows({"SSSSSH", "SDDDLH", "SD..LH", "SD..LH", "SLLLLH", "HHHHHH"}), {2, 2, 4, 4}},
    {fsButtonDown, Rows({"TTTTTT", "TSSSST", "TS..ST", "TS..ST", "TSSSST", "TTTTTT"}),
     {2, 2, 4, 4}},
    {fsRaised, Rows({"LLLLLD", "LHHHSD", "LH..SD", "LH..SD", "LSSSSD", "DDDDDD"}), {2, 2, 4, 4}},
    {fsButtonUp, Rows({"HHHHHD", "HLLLSD", "HL..SD", "HL..SD", "HSSSSD", "DDDDDD"}),
     {2, 2, 4, 4}},
    {fsStatus, Rows({"SSSSSH", "S....H", "S....H", "S....H", "S....H", "HHHHHH"}), {1, 1, 5, 5}},
    {fsPopup, Rows({"HHHHHS", "H....S", "H....S", "H....S", "H....S", "SSSSSS"}), {1, 1, 5, 5}},
    {fsFlatBold, Rows({"SSSSSS", "SSSSSS", "SS..SS", "SS..SS", "SSSSSS", "SSSSSS"}),
     {2, 2, 4, 4}},
};

TEST_F(FrameStyles, EveryStyleInSystemColours) {
  for (const StyleCase& c : kSystemStyles) {
    TCanvas& canvas = Blank(6, 6);
    EXPECT_EQ(StrokeFrameStyle(canvas, TRect{0, 0, 6, 6}, c.style), c.inner) << int(c.style);
    EXPECT_EQ(All(), c.picture) << int(c.style);
    const int width = FrameStyleWidth(c.style);
    EXPECT_EQ(c.inner, (TRect{width, width, 6 - width, 6 - width})) << int(c.style);
  }
}

// The same in shades of the base colour.
const StyleCase kShadedStyles[] = {
    {fsFlat, Rows({"aaaaaa", "a....a", "a....a", "a....a", "a....a", "aaaaaa"}), {1, 1, 5, 5}},
    {fsGroove, Rows({"aaaaad", "adddad", "ad..ad", "ad..ad", "aaaaad", "dddddd"}), {2, 2, 4, 4}},
    {fsBump, Rows({"ddddda", "daaada", "da..da", "da..da", "ddddda", "aaaaaa"}), {2, 2, 4, 4}},
    {fsLowered, Rows({"aaaaad", "abbbcd", "ab..cd", "ab..cd", "accccd", "dddddd"}),
     {2, 2, 4, 4}},
    {fsButtonDown, Rows({"bbbbbb", "baaaab", "ba..ab", "ba..ab", "baaaab", "bbbbbb"}),
     {2, 2, 4, 4}},
    {fsRaised, Rows({"cccccb", "cdddab", "cd..ab", "cd..ab", "caaaab", "bbbbbb"}), {2, 2, 4, 4}},
    {fsButtonUp, Rows({"dddddb", "deeeab", "de..ab", "de..ab", "daaaab", "bbbbbb"}),
     {2, 2, 4, 4}},
    {fsStatus, Rows({"aaaaad", "a....d", "a....d", "a....d", "a....d", "dddddd"}), {1, 1, 5, 5}},
    {fsPopup, Rows({"ddddda", "d....a", "d....a", "d....a", "d....a", "aaaaaa"}), {1, 1, 5, 5}},
    {fsFlatBold, Rows({"aaaaaa", "aaaaaa", "aa..aa", "aa..aa", "aaaaaa", "aaaaaa"}),
     {2, 2, 4, 4}},
};

TEST_F(FrameStyles, EveryStyleInShadesOfABaseColour) {
  const test::Legend legend = ShadeLegend();
  for (const StyleCase& c : kShadedStyles) {
    TCanvas& canvas = Blank(6, 6);
    EXPECT_EQ(StrokeColorFrameStyle(canvas, TRect{0, 0, 6, 6}, kBase, c.style), c.inner)
        << int(c.style);
    EXPECT_EQ(All(legend), c.picture) << int(c.style);
  }
}

TEST_F(FrameStyles, ShadesAreTellApart) {
  // The shaded pictures above rely on five different colours.
  const TColor shades[] = {ShadeDarker(kBase, 50), ShadeDarker(kBase, 100),
                           ShadeLighter(kBase, 50), ShadeLighter(kBase, 100),
                           ShadeLighter(kBase, 40)};
  for (std::size_t i = 0; i < std::size(shades); ++i) {
    for (std::size_t j = i + 1; j < std::size(shades); ++j) EXPECT_NE(shades[i], shades[j]);
  }
}

TEST_F(FrameStyles, NoneAndRoundedDrawNothingAndKeepTheBounds) {
  for (TFrameStyleEx style : {fsNone, fsFlatRounded}) {
    TCanvas& canvas = Blank(4, 4);
    EXPECT_EQ(StrokeFrameStyle(canvas, TRect{0, 0, 4, 4}, style), (TRect{0, 0, 4, 4}));
    EXPECT_EQ(StrokeColorFrameStyle(canvas, TRect{0, 0, 4, 4}, kBase, style), (TRect{0, 0, 4, 4}));
    EXPECT_EQ(All(), Rows({"....", "....", "....", "...."}));
  }
}

TEST_F(FrameStyles, FlatBoldOnTheBottomOnlyDrawsTwoRowsThere) {
  TCanvas& canvas = Blank(4, 5);
  EXPECT_EQ(StrokeFrameStyle(canvas, TRect{0, 0, 4, 5}, fsFlatBold, {sdBottom}),
            (TRect{0, 0, 4, 3}));
  EXPECT_EQ(All(), Rows({"....", "....", "....", "SSSS", "SSSS"}));
}

TEST_F(FrameStyles, Ctl3DAndButtonSidesAreTheLoweredRaisedAndButtonRows) {
  TCanvas& lowered = Blank(6, 6);
  StrokeCtl3DSides(lowered, TRect{0, 0, 6, 6}, true);
  EXPECT_EQ(All(), kSystemStyles[3].picture);
  TCanvas& raised = Blank(6, 6);
  StrokeCtl3DSides(raised, TRect{0, 0, 6, 6}, false);
  EXPECT_EQ(All(), kSystemStyles[5].picture);
  TCanvas& down = Blank(6, 6);
  EXPECT_EQ(StrokeButtonSides(down, TRect{0, 0, 6, 6}, true), (TRect{2, 2, 4, 4}));
  EXPECT_EQ(All(), kSystemStyles[4].picture);
  TCanvas& up = Blank(6, 6);
  StrokeButtonSides(up, TRect{0, 0, 6, 6}, false);
  EXPECT_EQ(All(), kSystemStyles[6].picture);
  TCanvas& colorUp = Blank(6, 6);
  EXPECT_EQ(StrokeColorButtonSides(colorUp, TRect{0, 0, 6, 6}, kBase, false), (TRect{2, 2, 4, 4}));
  EXPECT_EQ(All(ShadeLegend()), kShadedStyles[6].picture);
  TCanvas& colorDown = Blank(6, 6);
  StrokeColorButtonSides(colorDown, TRect{0, 0, 6, 6}, kBase, true);
  EXPECT_EQ(All(ShadeLegend()), kShadedStyles[4].picture);
}

TEST_F(FrameStyles, TwoRingStylesOnSomeSides) {
  TCanvas& canvas = Blank(5, 5);
  EXPECT_EQ(StrokeFrameStyle(canvas, TRect{0, 0, 5, 5}, fsLowered, {sdLeft, sdTop}),
            (TRect{2, 2, 5, 5}));
  EXPECT_EQ(All(), Rows({"SSSSS", "SDDDD", "SD...", "SD...", "SD..."}));
}

// The edit frame: the two-pixel band first repainted in the control's colour.
TEST_F(FrameStyles, ControlFrameInAColourOtherThanWindowUsesItsShades) {
  TCanvas& canvas = Blank(6, 6);
  EXPECT_EQ(StrokeControlFrame(canvas, 6, 6, false, {sdLeft, sdTop}, kShadow, kBase, fsLowered),
            (TRect{2, 2, 6, 6}));
  EXPECT_EQ(All(ShadeLegend()), Rows({"aaaaaa",
                                      "abbbbb",
                                      "ab..CC",
                                      "ab..CC",
                                      "abCCCC",
                                      "abCCCC"}));
}

TEST_F(FrameStyles, ControlFrameInWindowColourUsesSystemColours) {
  TCanvas& canvas = Blank(6, 6);
  EXPECT_EQ(StrokeControlFrame(canvas, 6, 6, false, kAllSides, kShadow, clWindow, fsLowered),
            (TRect{2, 2, 4, 4}));
  EXPECT_EQ(All(), kSystemStyles[3].picture);
  // The same colour given as RGB is not clWindow: shades of it.
  TCanvas& rgb = Blank(6, 6);
  StrokeControlFrame(rgb, 6, 6, false, kAllSides, kShadow, kWindow, fsFlatBold);
  EXPECT_EQ(All(), Rows({"SSSSSS", "SSSSSS", "SS..SS", "SS..SS", "SSSSSS", "SSSSSS"}));
  TCanvas& shaded = Blank(6, 6);
  StrokeControlFrame(shaded, 6, 6, false, kAllSides, kShadow, kWindow, fsStatus);
  const test::Legend windowShades{{'.', kBack},
                                  {'W', kWindow},
                                  {'a', ShadeDarker(kWindow, 50)},
                                  {'d', ShadeLighter(kWindow, 100)}};
  EXPECT_EQ(All(windowShades), Rows({"aaaaad", "aWWWWd", "aW..Wd", "aW..Wd", "aWWWWd", "dddddd"}));
}

TEST_F(FrameStyles, ControlFrameFlatIsOneLineInTheFrameColour) {
  TCanvas& canvas = Blank(6, 6);
  EXPECT_EQ(StrokeControlFrame(canvas, 6, 6, false, kAllSides, kShadow, kFace, fsFlat),
            (TRect{1, 1, 5, 5}));
  EXPECT_EQ(All(), Rows({"SSSSSS", "SFFFFS", "SF..FS", "SF..FS", "SFFFFS", "SSSSSS"}));
  TCanvas& skipped = Blank(6, 6);
  StrokeControlFrame(skipped, 6, 6, true, kAllSides, kShadow, kFace, fsFlat);
  EXPECT_EQ(All(), Rows({"SSSSSS", "S....S", "S....S", "S....S", "S....S", "SSSSSS"}));
}

}  // namespace
}  // namespace tandrel
