// One-pixel stroke routines, pixel for pixel on the raster canvas: which
// side takes which colour, the corner pixels, the rectangle each returns,
// clNone sides that count without being drawn, and rectangles used up.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/PixelPicture.h"
#include "widgets/VmStrokes.h"

namespace tandrel {
namespace {

using test::Picture;
using test::Rows;

constexpr TColor kBack = RGB(10, 20, 30);
constexpr TColor kUpperLeft = RGB(200, 0, 0);
constexpr TColor kLowerRight = RGB(0, 0, 200);
constexpr TColor kInk = RGB(0, 160, 0);

const test::Legend kLegend{
    {'.', kBack}, {'U', kUpperLeft}, {'L', kLowerRight}, {'X', kInk}, {'K', clBlack}};

class Strokes : public ::testing::Test {
 protected:
  Strokes() { platform::Install(&platform_); }
  ~Strokes() override {
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
  std::string All() const {
    return Picture(bitmap_->Canvas(), TRect{0, 0, bitmap_->Width(), bitmap_->Height()}, kLegend);
  }

  platform::HeadlessPlatform platform_;
  std::unique_ptr<TBitmap> bitmap_;
};

TEST_F(Strokes, SidesTakeUpperLeftThenLowerRightSoTheCornersGoToLowerRight) {
  TCanvas& canvas = Blank(7, 6);
  EXPECT_EQ(StrokeSides(canvas, TRect{1, 1, 6, 5}, kUpperLeft, kLowerRight), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(All(), Rows({".......",
                         ".UUUUL.",
                         ".U...L.",
                         ".U...L.",
                         ".LLLLL.",
                         "......."}));
  EXPECT_EQ(canvas.Pen.Color(), kLowerRight);
  EXPECT_EQ(canvas.Pen.Width(), 1);
  EXPECT_EQ(canvas.Pen.Style(), psSolid);
}

TEST_F(Strokes, SidesInClNoneAreCountedButNotDrawn) {
  TCanvas& canvas = Blank(7, 6);
  EXPECT_EQ(StrokeSides(canvas, TRect{1, 1, 6, 5}, clNone, kLowerRight), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(All(), Rows({".......",
                         ".....L.",
                         ".....L.",
                         ".....L.",
                         ".LLLLL.",
                         "......."}));

  TCanvas& again = Blank(7, 6);
  EXPECT_EQ(StrokeSides(again, TRect{1, 1, 6, 5}, kUpperLeft, clNone), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(All(), Rows({".......",
                         ".UUUUU.",
                         ".U.....",
                         ".U.....",
                         ".U.....",
                         "......."}));

  TCanvas& neither = Blank(7, 6);
  EXPECT_EQ(StrokeSides(neither, TRect{1, 1, 6, 5}, clNone, clNone), (TRect{2, 2, 5, 4}));
  EXPECT_EQ(All(), Rows({".......", ".......", ".......", ".......", ".......", "......."}));
}

TEST_F(Strokes, OnlyTheChosenSidesAreDrawnAndShrunk) {
  TCanvas& canvas = Blank(7, 6);
  EXPECT_EQ(StrokeSides(canvas, TRect{1, 1, 6, 5}, kUpperLeft, kLowerRight, {sdRight, sdBottom}),
            (TRect{1, 1, 5, 4}));
  EXPECT_EQ(All(), Rows({".......",
                         ".....L.",
                         ".....L.",
                         ".....L.",
                         ".LLLLL.",
                         "......."}));

  TCanvas& top = Blank(5, 3);
  EXPECT_EQ(StrokeSides(top, TRect{0, 0, 5, 3}, kUpperLeft, kLowerRight, {sdTop}),
            (TRect{0, 1, 5, 3}));
  EXPECT_EQ(All(), Rows({"UUUUU", ".....", "....."}));
  EXPECT_EQ(StrokeSides(top, TRect{0, 0, 5, 3}, kUpperLeft, kLowerRight, TSides{}),
            (TRect{0, 0, 5, 3}));
}

TEST_F(Strokes, SidesOfAnEmptyRectangleDrawNothing) {
  TCanvas& canvas = Blank(6, 6);
  EXPECT_EQ(StrokeSides(canvas, TRect{3, 3, 3, 5}, kUpperLeft, kLowerRight), (TRect{4, 4, 2, 4}));
  EXPECT_EQ(StrokeSides(canvas, TRect{4, 4, 2, 2}, kUpperLeft, kLowerRight), (TRect{5, 5, 1, 1}));
  EXPECT_EQ(All(), Rows({"......", "......", "......", "......", "......", "......"}));
}

TEST_F(Strokes, BevelRepeatsTheSidesInwards) {
  TCanvas& canvas = Blank(6, 5);
  EXPECT_EQ(StrokeBevel(canvas, TRect{0, 0, 6, 5}, kUpperLeft, kLowerRight, 2),
            (TRect{2, 2, 4, 3}));
  EXPECT_EQ(All(), Rows({"UUUUUL",
                         "UUUULL",
                         "UU..LL",
                         "ULLLLL",
                         "LLLLLL"}));
}

TEST_F(Strokes, BevelOfWidthZeroOrLessDrawsNothing) {
  TCanvas& canvas = Blank(4, 4);
  canvas.Pen.SetWidth(3);
  EXPECT_EQ(StrokeBevel(canvas, TRect{0, 0, 4, 4}, kUpperLeft, kLowerRight, 0), (TRect{0, 0, 4, 4}));
  EXPECT_EQ(StrokeBevel(canvas, TRect{0, 0, 4, 4}, kUpperLeft, kLowerRight, -2),
            (TRect{0, 0, 4, 4}));
  EXPECT_EQ(All(), Rows({"....", "....", "....", "...."}));
  EXPECT_EQ(canvas.Pen.Width(), 1);
}

TEST_F(Strokes, BevelWiderThanItsRectangleStaysInside) {
  TCanvas& canvas = Blank(6, 6);
  EXPECT_EQ(StrokeBevel(canvas, TRect{1, 1, 5, 5}, kUpperLeft, kLowerRight, 4),
            (TRect{5, 5, 1, 1}));
  EXPECT_EQ(All(), Rows({"......",
                         ".UUUL.",
                         ".UULL.",
                         ".ULLL.",
                         ".LLLL.",
                         "......"}));
}

TEST_F(Strokes, EtchedTenByTenLeavesSixBySixAndGivesTheFreeCornersToLowerRight) {
  TCanvas& canvas = Blank(10, 10);
  EXPECT_EQ(StrokeEtched(canvas, TRect{0, 0, 10, 10}, kUpperLeft, kLowerRight),
            (TRect{2, 2, 8, 8}));
  EXPECT_EQ(All(), Rows({"UUUUUUUUUL",
                         "ULLLLLLLUL",
                         "UL......UL",
                         "UL......UL",
                         "UL......UL",
                         "UL......UL",
                         "UL......UL",
                         "UL......UL",
                         "UUUUUUUUUL",
                         "LLLLLLLLLL"}));
  EXPECT_EQ(canvas.Pixels(9, 0), kLowerRight);
  EXPECT_EQ(canvas.Pixels(0, 9), kLowerRight);
}

TEST_F(Strokes, EtchedLinesOfMissingSidesEndInTheRightColour) {
  TCanvas& canvas = Blank(6, 6);
  EXPECT_EQ(StrokeEtched(canvas, TRect{0, 0, 6, 6}, kUpperLeft, kLowerRight, {sdTop, sdBottom}),
            (TRect{0, 2, 6, 4}));
  EXPECT_EQ(All(), Rows({"UUUUUU",
                         "LLLLLL",
                         "......",
                         "......",
                         "UUUUUU",
                         "LLLLLL"}));

  TCanvas& left = Blank(4, 4);
  EXPECT_EQ(StrokeEtched(left, TRect{0, 0, 4, 4}, kUpperLeft, kLowerRight, {sdLeft}),
            (TRect{2, 0, 4, 4}));
  EXPECT_EQ(All(), Rows({"UL..", "UL..", "UL..", "UL.."}));
}

TEST_F(Strokes, EtchedInClNoneLeavesThatColourOut) {
  TCanvas& canvas = Blank(5, 5);
  EXPECT_EQ(StrokeEtched(canvas, TRect{0, 0, 5, 5}, kUpperLeft, clNone), (TRect{2, 2, 3, 3}));
  EXPECT_EQ(All(), Rows({"UUUU.",
                         "U..U.",
                         "U..U.",
                         "UUUU.",
                         "....."}));
}

TEST_F(Strokes, BoxIsOneColourAllRound) {
  TCanvas& canvas = Blank(5, 5);
  EXPECT_EQ(StrokeBox(canvas, TRect{1, 1, 4, 5}, kInk), (TRect{2, 2, 3, 4}));
  EXPECT_EQ(All(), Rows({".....",
                         ".XXX.",
                         ".X.X.",
                         ".X.X.",
                         ".XXX."}));
}

TEST_F(Strokes, FocusDotsOnEveryOtherPixel) {
  TCanvas& canvas = Blank(6, 5);
  EXPECT_EQ(StrokeFocusDots(canvas, TRect{0, 0, 6, 5}), (TRect{1, 1, 5, 4}));
  EXPECT_EQ(All(), Rows({".K.K.K",
                         "K....K",
                         "......",
                         "K....K",
                         ".K.K.K"}));
}

TEST_F(Strokes, RoundedFlatCutsTheOuterCornersAndFillsTheInnerOnes) {
  TCanvas& canvas = Blank(6, 5);
  EXPECT_EQ(StrokeRoundedFlat(canvas, TRect{0, 0, 6, 5}, kInk), (TRect{2, 2, 4, 3}));
  EXPECT_EQ(All(), Rows({"..XX..",
                         ".X..X.",
                         "X....X",
                         ".X..X.",
                         "..XX.."}));

  TCanvas& corner = Blank(5, 4);
  EXPECT_EQ(StrokeRoundedFlat(corner, TRect{0, 0, 5, 4}, kInk, {sdLeft, sdTop}),
            (TRect{2, 2, 5, 4}));
  EXPECT_EQ(All(), Rows({"..XXX",
                         ".X...",
                         "X....",
                         "X...."}));
}

}  // namespace
}  // namespace tandrel
