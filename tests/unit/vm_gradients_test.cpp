// Gradient fills on the raster canvas: the 16.16 fixed-point walk with its
// truncated increments, where StopColor and StartColor land in each
// direction, strips widened across wide rectangles, box ramps mirrored from
// one quarter, diagonals without gaps, and the highlight ring.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "framework/Bitmap.h"
#include "platform/Platform.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/PixelPicture.h"
#include "widgets/VmDrawGlobals.h"
#include "widgets/VmGradients.h"

namespace tandrel {
namespace {

using test::Picture;
using test::Rows;

constexpr TColor kBack = RGB(10, 20, 30);
constexpr TColor kBlack = RGB(0, 0, 0);
constexpr TColor kWhite = RGB(255, 255, 255);

class Gradients : public ::testing::Test {
 protected:
  Gradients() {
    platform::Install(&platform_);
    ReadDrawGlobals(platform_);
  }
  ~Gradients() override {
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
  TColor At(int x, int y) const { return bitmap_->Canvas().Pixels(x, y); }
  std::string All(const test::Legend& legend) const {
    return Picture(bitmap_->Canvas(), TRect{0, 0, bitmap_->Width(), bitmap_->Height()}, legend);
  }
  std::string Ramp(int width, int height, TGradientDirection direction, TColor stop, TColor start,
                   const test::Legend& legend) {
    TCanvas& canvas = Blank(width, height);
    PaintColorRamp(canvas, TRect{0, 0, width, height}, direction, 1, stop, start);
    return All(legend);
  }

  platform::HeadlessPlatform platform_;
  std::unique_ptr<TBitmap> bitmap_;
};

// Stop (0, 100, 200) to start (255, 100, 0) over four lines: red climbs by
// 63.75 (truncated parts 0, 63, 127, 191), blue falls by exactly 50.
const std::vector<TColor> kFourLines = {RGB(191, 100, 50), RGB(127, 100, 100),
                                        RGB(63, 100, 150), RGB(0, 100, 200)};

TEST_F(Gradients, HorizontalEndRunsFromOneStepShortOfStartAtTheTopToStopAtTheBottom) {
  TCanvas& canvas = Blank(20, 4);
  PaintColorRamp(canvas, TRect{0, 0, 20, 4}, gdHorizontalEnd, 1, RGB(0, 100, 200),
                 RGB(255, 100, 0));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 20; ++x) EXPECT_EQ(At(x, y), kFourLines[y]) << x << "," << y;
  }
}

TEST_F(Gradients, VerticalEndRunsAcrossTheColumnsAndDownTallRectangles) {
  TCanvas& canvas = Blank(4, 21);
  PaintColorRamp(canvas, TRect{0, 0, 4, 21}, gdVerticalEnd, 1, RGB(0, 100, 200),
                 RGB(255, 100, 0));
  for (int x = 0; x < 4; ++x) {
    for (int y = 0; y < 21; ++y) EXPECT_EQ(At(x, y), kFourLines[x]) << x << "," << y;
  }
}

TEST_F(Gradients, OneRowHighIsStopColour) {
  TCanvas& canvas = Blank(9, 1);
  PaintColorRamp(canvas, TRect{0, 0, 9, 1}, gdHorizontalEnd, 1, RGB(1, 2, 3), kWhite);
  for (int x = 0; x < 9; ++x) EXPECT_EQ(At(x, 0), RGB(1, 2, 3));
}

TEST_F(Gradients, CenterPutsStopInTheMiddleAndStartAtBothEdges) {
  // Five rows: rows 2, 1, 0 walk 0 -> 240 in three steps of 80, rows 4, 3
  // walk 240 -> 0 in two steps of 120.
  const test::Legend legend{{'0', kBlack},
                            {'1', RGB(80, 80, 80)},
                            {'2', RGB(160, 160, 160)},
                            {'s', RGB(240, 240, 240)},
                            {'m', RGB(120, 120, 120)}};
  EXPECT_EQ(Ramp(10, 5, gdHorizontalCenter, kBlack, RGB(240, 240, 240), legend),
            Rows({"2222222222", "1111111111", "0000000000", "mmmmmmmmmm", "ssssssssss"}));
  EXPECT_EQ(Ramp(5, 10, gdVerticalCenter, kBlack, RGB(240, 240, 240), legend),
            Rows({"210ms", "210ms", "210ms", "210ms", "210ms", "210ms", "210ms", "210ms",
                  "210ms", "210ms"}));
  // Two rows: the middle row is the bottom one; nothing is left below it.
  const test::Legend two{{'0', kBlack}, {'h', RGB(120, 120, 120)}};
  EXPECT_EQ(Ramp(3, 2, gdHorizontalCenter, kBlack, RGB(240, 240, 240), two),
            Rows({"hhh", "000"}));
  EXPECT_EQ(Ramp(3, 1, gdHorizontalCenter, kBlack, RGB(240, 240, 240), two), Rows({"000"}));
}

TEST_F(Gradients, EqualColoursPaintASolidRectangleInEveryDirection) {
  const test::Legend legend{{'#', RGB(7, 77, 177)}};
  for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
    const auto direction = static_cast<TGradientDirection>(d);
    EXPECT_EQ(Ramp(7, 9, direction, RGB(7, 77, 177), RGB(7, 77, 177), legend),
              Rows({"#######", "#######", "#######", "#######", "#######", "#######", "#######",
                    "#######", "#######"}))
        << d;
  }
}

TEST_F(Gradients, ZeroSizedRampDrawsNothing) {
  const test::Legend legend{{'.', kBack}};
  for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
    TCanvas& canvas = Blank(3, 3);
    PaintColorRamp(canvas, TRect{1, 1, 1, 3}, static_cast<TGradientDirection>(d), 1, kBlack,
                   kWhite);
    PaintColorRamp(canvas, TRect{0, 2, 3, 2}, static_cast<TGradientDirection>(d), 1, kBlack,
                   kWhite);
    EXPECT_EQ(All(legend), Rows({"...", "...", "..."})) << d;
  }
}

TEST_F(Gradients, RampLandsOnItsRectangleOnly) {
  const test::Legend legend{{'.', kBack}, {'a', RGB(127, 127, 127)}, {'b', kBlack}};
  TCanvas& canvas = Blank(5, 4);
  PaintColorRamp(canvas, TRect{1, 1, 4, 3}, gdHorizontalEnd, 1, kBlack, kWhite);
  EXPECT_EQ(All(legend), Rows({".....", ".aaa.", ".bbb.", "....."}));
  // Given right to left and bottom to top, the same rectangle is filled.
  TCanvas& reversed = Blank(5, 4);
  PaintColorRamp(reversed, TRect{4, 3, 1, 1}, gdHorizontalEnd, 1, kBlack, kWhite);
  EXPECT_EQ(All(legend), Rows({".....", ".aaa.", ".bbb.", "....."}));
}

TEST_F(Gradients, ColorStepHoldsEachColourForThatManyLines) {
  TCanvas& canvas = Blank(3, 4);
  PaintColorRamp(canvas, TRect{0, 0, 3, 4}, gdHorizontalEnd, 2, RGB(0, 100, 200),
                 RGB(255, 100, 0));
  // Lines are taken from the bottom: rows 3 and 2 share row 3's colour.
  EXPECT_EQ(At(0, 3), kFourLines[3]);
  EXPECT_EQ(At(0, 2), kFourLines[3]);
  EXPECT_EQ(At(0, 1), kFourLines[1]);
  EXPECT_EQ(At(0, 0), kFourLines[1]);
}

// Box ramps: black in the middle towards white at the edge.
TEST_F(Gradients, SquareBoxEvenAndOddSizes) {
  const test::Legend thirds{{'a', kBlack}, {'b', RGB(85, 85, 85)}, {'c', RGB(170, 170, 170)}};
  EXPECT_EQ(Ramp(6, 6, gdSquareBox, kBlack, kWhite, thirds),
            Rows({"cccccc", "cbbbbc", "cbaabc", "cbaabc", "cbbbbc", "cccccc"}));
  const test::Legend quarters{{'a', kBlack},
                              {'b', RGB(63, 63, 63)},
                              {'c', RGB(127, 127, 127)},
                              {'d', RGB(191, 191, 191)}};
  EXPECT_EQ(Ramp(7, 7, gdSquareBox, kBlack, kWhite, quarters),
            Rows({"ddddddd", "dcccccd", "dcbbbcd", "dcbabcd", "dcbbbcd", "dcccccd", "ddddddd"}));
}

TEST_F(Gradients, BoxInsetsWidenTheMiddle) {
  const test::Legend thirds{{'a', kBlack}, {'b', RGB(85, 85, 85)}, {'c', RGB(170, 170, 170)}};
  EXPECT_EQ(Ramp(12, 6, gdHorizontalBox, kBlack, kWhite, thirds),
            Rows({"cccccccccccc", "cbbbbbbbbbbc", "cbaaaaaaaabc", "cbaaaaaaaabc", "cbbbbbbbbbbc",
                  "cccccccccccc"}));
  EXPECT_EQ(Ramp(6, 12, gdVerticalBox, kBlack, kWhite, thirds),
            Rows({"cccccc", "cbbbbc", "cbaabc", "cbaabc", "cbaabc", "cbaabc", "cbaabc", "cbaabc",
                  "cbaabc", "cbaabc", "cbbbbc", "cccccc"}));
  const test::Legend halves{{'a', kBlack}, {'b', RGB(127, 127, 127)}};
  EXPECT_EQ(Ramp(8, 8, gdBigSquareBox, kBlack, kWhite, halves),
            Rows({"bbbbbbbb", "baaaaaab", "baaaaaab", "baaaaaab", "baaaaaab", "baaaaaab",
                  "baaaaaab", "bbbbbbbb"}));
}

TEST_F(Gradients, SmallBoxesAreStartColour) {
  const test::Legend legend{{'s', kWhite}};
  for (TGradientDirection d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
    EXPECT_EQ(Ramp(4, 6, d, kBlack, kWhite, legend),
              Rows({"ssss", "ssss", "ssss", "ssss", "ssss", "ssss"}))
        << int(d);
    EXPECT_EQ(Ramp(6, 4, d, kBlack, kWhite, legend), Rows({"ssssss", "ssssss", "ssssss", "ssssss"}))
        << int(d);
  }
}

// Diagonals: colours along the sweep; with red 50 -> 200 and blue 200 -> 50
// every painted pixel has red + blue close to 250 and green 50, so a pixel
// the bands missed (the bitmap's own colour) shows.
class Diagonals : public Gradients {
 protected:
  static constexpr TColor kStop = RGB(200, 50, 50);
  static constexpr TColor kStart = RGB(50, 50, 200);

  void ExpectEveryPixelOnTheRamp(int width, int height) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const TColor c = At(x, y);
        EXPECT_EQ(GetGValue(c), 50) << x << "," << y;
        EXPECT_NEAR(GetRValue(c) + GetBValue(c), 250, 1) << x << "," << y;
      }
    }
  }
};

TEST_F(Diagonals, UpStartsBottomLeftAndRunsParallelToTheMainDiagonal) {
  TCanvas& canvas = Blank(9, 9);
  PaintColorRamp(canvas, TRect{0, 0, 9, 9}, gdDiagonalUp, 1, kStop, kStart);
  ExpectEveryPixelOnTheRamp(9, 9);
  // The first band is a sliver at the corner; the corner pixel is within
  // one step (150 / 13) of StartColor, the far one within two of StopColor.
  EXPECT_LE(GetRValue(At(0, 8)), 50 + 12);
  EXPECT_GE(GetRValue(At(8, 0)), 200 - 24);
  for (int y = 1; y < 9; ++y) {
    for (int x = 0; x + 1 < 9; ++x) EXPECT_EQ(At(x, y - 1), At(x + 1, y)) << x << "," << y;
  }
  for (int y = 0; y < 9; ++y) {  // redder towards the top right
    for (int x = 0; x + 1 < 9; ++x) EXPECT_LE(GetRValue(At(x, y)), GetRValue(At(x + 1, y)));
  }
}

TEST_F(Diagonals, DownStartsBottomRightInStopColour) {
  TCanvas& canvas = Blank(9, 9);
  PaintColorRamp(canvas, TRect{0, 0, 9, 9}, gdDiagonalDown, 1, kStop, kStart);
  ExpectEveryPixelOnTheRamp(9, 9);
  EXPECT_GE(GetRValue(At(8, 8)), 200 - 12);
  EXPECT_LE(GetRValue(At(0, 0)), 50 + 24);
  for (int y = 1; y < 9; ++y) {
    for (int x = 0; x + 1 < 9; ++x) EXPECT_EQ(At(x, y), At(x + 1, y - 1)) << x << "," << y;
  }
}

TEST_F(Diagonals, NonSquareRectanglesAreCoveredToo) {
  for (TGradientDirection d : {gdDiagonalUp, gdDiagonalDown}) {
    for (auto [w, h] : {std::pair{30, 7}, std::pair{5, 40}, std::pair{1, 1}, std::pair{2, 13}}) {
      TCanvas& canvas = Blank(w, h);
      PaintColorRamp(canvas, TRect{0, 0, w, h}, d, 1, kStop, kStart);
      ExpectEveryPixelOnTheRamp(w, h);
    }
  }
}

// The ring: the outer two pixels of the ramp, the middle left alone.
TEST_F(Gradients, HighlightRingIsTheOuterTwoPixelsOfTheRamp) {
  // Five rows: red climbs by 51, blue falls by 40 from the bottom row up.
  const test::Legend legend{{'.', kBack},
                            {'0', RGB(204, 100, 40)},
                            {'1', RGB(153, 100, 80)},
                            {'2', RGB(102, 100, 120)},
                            {'3', RGB(51, 100, 160)},
                            {'4', RGB(0, 100, 200)},
                            {'x', RGB(9, 9, 9)}};
  TCanvas& canvas = Blank(8, 7);
  StrokeHighlightRing(canvas, TRect{1, 1, 7, 6}, gdHorizontalEnd, RGB(0, 100, 200),
                      RGB(255, 100, 0));
  EXPECT_EQ(All(legend), Rows({"........", ".000000.", ".111111.", ".22..22.", ".333333.",
                               ".444444.", "........"}));
  // The clip region is gone afterwards.
  canvas.Brush.SetColor(RGB(9, 9, 9));
  canvas.FillRect(TRect{0, 0, 8, 7});
  EXPECT_EQ(All(legend), Rows({"xxxxxxxx", "xxxxxxxx", "xxxxxxxx", "xxxxxxxx", "xxxxxxxx",
                               "xxxxxxxx", "xxxxxxxx"}));
}

TEST_F(Gradients, HighlightRingOnAPaletteDisplayDrawsNothing) {
  platform_.painting().SetScreenNumColors(256);
  ReadDrawGlobals(platform_);
  ASSERT_FALSE(FullColorDisplay());
  const test::Legend legend{{'.', kBack}};
  TCanvas& canvas = Blank(6, 6);
  StrokeHighlightRing(canvas, TRect{0, 0, 6, 6}, gdHorizontalEnd, kBlack, kWhite);
  EXPECT_EQ(All(legend), Rows({"......", "......", "......", "......", "......", "......"}));
  platform_.painting().SetScreenNumColors(-1);
  ReadDrawGlobals(platform_);
}

}  // namespace
}  // namespace tandrel
