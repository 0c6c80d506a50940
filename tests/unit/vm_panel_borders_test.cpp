// Panel borders: outer frame, border band and inner frame, including the
// rounded flat style with its parent-coloured corners and the transparent
// variant, pixel for pixel.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/PixelPicture.h"
#include "widgets/VmBorders.h"
#include "widgets/VmColors.h"

namespace tandrel {
namespace {

using test::Picture;
using test::Rows;

constexpr TColor kBack = RGB(10, 20, 30);
constexpr TColor kParent = RGB(1, 100, 1);   // P
constexpr TColor kPanel = RGB(200, 200, 0);  // C
constexpr TColor kFlat = RGB(90, 90, 90);    // X
constexpr TColor kBorder = RGB(0, 0, 150);   // B
constexpr TColor kDark = RGB(60, 0, 0);      // D
constexpr TColor kLight = RGB(255, 180, 180);  // L
constexpr TColor kShadow = RGB(100, 100, 100);     // S clBtnShadow
constexpr TColor kHighlight = RGB(250, 250, 250);  // H clBtnHighlight
constexpr TColor kDarkShadow = RGB(40, 40, 40);    // K cl3DDkShadow
constexpr TColor k3DLight = RGB(220, 220, 220);    // G cl3DLight

const test::Legend kLegend{{'.', kBack},  {'P', kParent},    {'C', kPanel},      {'X', kFlat},
                           {'B', kBorder}, {'D', kDark},     {'L', kLight},      {'S', kShadow},
                           {'H', kHighlight}, {'K', kDarkShadow}, {'G', k3DLight}};

class PanelBorders : public ::testing::Test {
 protected:
  PanelBorders() {
    platform::Install(&platform_);
    platform_.painting().SetSystemColor(16, kShadow);
    platform_.painting().SetSystemColor(20, kHighlight);
    platform_.painting().SetSystemColor(21, kDarkShadow);
    platform_.painting().SetSystemColor(22, k3DLight);
    border_.parentBackColor = kParent;
    border_.color = kPanel;
    border_.flatColor = kFlat;
    border_.borderColor = kBorder;
    border_.darkEdgeColor = kDark;
    border_.lightEdgeColor = kLight;
  }
  ~PanelBorders() override {
    bitmap_.reset();
    platform::Install(nullptr);
  }

  // Strokes the border on a blank width x height canvas and returns the picture.
  std::string Stroke(int width, int height, TRect* inner = nullptr) {
    bitmap_ = std::make_unique<TBitmap>(width, height);
    TCanvas& canvas = bitmap_->Canvas();
    canvas.Brush.SetColor(kBack);
    canvas.FillRect(TRect{0, 0, width, height});
    const TRect rest = StrokeInnerOuter(canvas, TRect{0, 0, width, height}, border_);
    if (inner != nullptr) *inner = rest;
    return Picture(canvas, TRect{0, 0, width, height}, kLegend);
  }

  platform::HeadlessPlatform platform_;
  std::unique_ptr<TBitmap> bitmap_;
  TInnerOuterBorder border_;
};

TEST_F(PanelBorders, FlatOuterBorderBandAndBoldInner) {
  border_.borderOuter = fsFlat;
  border_.borderWidth = 1;
  border_.borderInner = fsFlatBold;
  TRect inner;
  EXPECT_EQ(Stroke(10, 10, &inner), Rows({"XXXXXXXXXX",
                                          "XBBBBBBBBX",
                                          "XBXXXXXXBX",
                                          "XBXXXXXXBX",
                                          "XBXX..XXBX",
                                          "XBXX..XXBX",
                                          "XBXXXXXXBX",
                                          "XBXXXXXXBX",
                                          "XBBBBBBBBX",
                                          "XXXXXXXXXX"}));
  EXPECT_EQ(inner, (TRect{4, 4, 6, 6}));
}

TEST_F(PanelBorders, FlatColourIsShiftedByTheAdjustment) {
  border_.borderOuter = fsFlat;
  border_.flatColorAdjustment = -30;
  const test::Legend darker{{'.', kBack}, {'x', ShadeDarker(kFlat, 30)}};
  bitmap_ = std::make_unique<TBitmap>(3, 3);
  TCanvas& canvas = bitmap_->Canvas();
  canvas.Brush.SetColor(kBack);
  canvas.FillRect(TRect{0, 0, 3, 3});
  EXPECT_EQ(StrokeInnerOuter(canvas, TRect{0, 0, 3, 3}, border_), (TRect{1, 1, 2, 2}));
  EXPECT_EQ(Picture(canvas, TRect{0, 0, 3, 3}, darker), Rows({"xxx", "x.x", "xxx"}));
}

TEST_F(PanelBorders, RoundedOuterShowsTheParentColourInTheCutCorners) {
  border_.borderOuter = fsFlatRounded;
  TRect inner;
  EXPECT_EQ(Stroke(7, 6, &inner), Rows({"PPXXXPP",
                                        "PXCCCXP",
                                        "XC...CX",
                                        "XC...CX",
                                        "PXCCCXP",
                                        "PPXXXPP"}));
  EXPECT_EQ(inner, (TRect{2, 2, 5, 4}));
}

TEST_F(PanelBorders, RoundedOuterWithABorderBandUsesTheBorderColourInside) {
  border_.borderOuter = fsFlatRounded;
  border_.borderWidth = 1;
  TRect inner;
  EXPECT_EQ(Stroke(7, 6, &inner), Rows({"PPXXXPP",
                                        "PXBBBXP",
                                        "XBBBBBX",
                                        "XBBBBBX",
                                        "PXBBBXP",
                                        "PPXXXPP"}));
  EXPECT_EQ(inner, (TRect{3, 3, 4, 3}));
}

TEST_F(PanelBorders, TransparentRoundedOuterLeavesTheBackgroundAlone) {
  border_.borderOuter = fsFlatRounded;
  border_.transparent = true;
  EXPECT_EQ(Stroke(7, 6), Rows({"..XXX..",
                                ".X...X.",
                                "X.....X",
                                "X.....X",
                                ".X...X.",
                                "..XXX.."}));
  border_.borderInner = fsFlat;
  EXPECT_EQ(Stroke(7, 6), Rows({"..XXX..",
                                ".XBBBX.",
                                "XBXXXBX",
                                "XBXXXBX",
                                ".XBBBX.",
                                "..XXX.."}));
}

TEST_F(PanelBorders, RoundedInnerRingsInsideTheRest) {
  border_.borderOuter = fsFlat;
  border_.borderInner = fsFlatRounded;
  TRect inner;
  EXPECT_EQ(Stroke(9, 8, &inner), Rows({"XXXXXXXXX",
                                        "XBBXXXBBX",
                                        "XBXCCCXBX",
                                        "XXC...CXX",
                                        "XXC...CXX",
                                        "XBXCCCXBX",
                                        "XBBXXXBBX",
                                        "XXXXXXXXX"}));
  EXPECT_EQ(inner, (TRect{3, 3, 6, 5}));
  border_.transparent = true;
  EXPECT_EQ(Stroke(9, 8), Rows({"XXXXXXXXX",
                                "XBBXXXBBX",
                                "XBX...XBX",
                                "XX.....XX",
                                "XX.....XX",
                                "XBX...XBX",
                                "XBBXXXBBX",
                                "XXXXXXXXX"}));
}

TEST_F(PanelBorders, StatusAndPopupUseTheEdgeColoursAndBevelWidth) {
  border_.borderOuter = fsStatus;
  border_.bevelWidth = 2;
  TRect inner;
  EXPECT_EQ(Stroke(6, 6, &inner), Rows({"DDDDDL",
                                        "DDDDLL",
                                        "DD..LL",
                                        "DD..LL",
                                        "DLLLLL",
                                        "LLLLLL"}));
  EXPECT_EQ(inner, (TRect{2, 2, 4, 4}));
  border_.borderOuter = fsNone;
  border_.borderInner = fsPopup;
  border_.bevelWidth = 1;
  EXPECT_EQ(Stroke(4, 4, &inner), Rows({"LLLD", "L..D", "L..D", "DDDD"}));
  EXPECT_EQ(inner, (TRect{1, 1, 3, 3}));
}

TEST_F(PanelBorders, OtherStylesComeFromTheCatalogueOnTheChosenSides) {
  border_.borderOuter = fsLowered;
  border_.borderSides = {sdTop, sdRight};
  border_.borderWidth = 1;
  TRect inner;
  EXPECT_EQ(Stroke(5, 5, &inner), Rows({"SSSSH",
                                        "KKKGH",
                                        "BBBGH",
                                        "..BGH",
                                        "..BGH"}));
  EXPECT_EQ(inner, (TRect{0, 3, 2, 5}));
}

}  // namespace
}  // namespace tandrel
