// The widgets' drawing helpers give the same pixels on GDI as on the raster
// canvas: a sample of frames, rounded outlines, focus dots, panel borders,
// gradient ramps in every direction, highlight rings and masked bitmaps,
// drawn through the framework canvas onto a platform bitmap. Only RGB
// colours are used, since system colours differ between the platforms.
//
// Each sheet is dumped and compared like the canvas drawings (see
// CanvasDump.h): the Windows run must match the headless run byte for byte.
// Both runs also check a few pixels they can know without the other.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "contract/CanvasDump.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/Platform.h"
#include "widgets/VmBorders.h"
#include "widgets/VmColors.h"
#include "widgets/VmDrawGlobals.h"
#include "widgets/VmFrameStyles.h"
#include "widgets/VmGradients.h"
#include "widgets/VmMaskedBitmap.h"
#include "widgets/VmStrokes.h"

namespace tandrel::contract {
namespace {

constexpr TColor kPaper = RGB(255, 255, 255);
constexpr TColor kBase = RGB(120, 160, 200);
constexpr TColor kDark = RGB(90, 0, 0);
constexpr TColor kLight = RGB(255, 200, 160);
constexpr TColor kStop = RGB(40, 80, 160);
constexpr TColor kStart = RGB(250, 240, 200);

class DrawingContract : public testing::Test {
 protected:
  void SetUp() override {
    platform_ = platform::CreatePlatform();
    platform::Install(platform_.get());
    ReadDrawGlobals(*platform_);
  }
  void TearDown() override {
    sheet_.reset();
    platform::Install(nullptr);
  }

  TCanvas& Sheet(int width, int height) {
    sheet_ = std::make_unique<TBitmap>(width, height);
    TCanvas& canvas = sheet_->Canvas();
    canvas.Brush.SetColor(kPaper);
    canvas.FillRect(TRect{0, 0, width, height});
    return canvas;
  }
  TColor At(int x, int y) const { return sheet_->Canvas().Pixels(x, y); }
  void Compare(const std::string& name) {
    std::string problem;
    EXPECT_TRUE(DumpAndCompare(*sheet_->Surface(), name, problem)) << problem;
    if (ReferencePicturesMissing()) {
      GTEST_SKIP() << "pixel checks passed; no reference pictures to compare " << name
                   << ".ppm with (run the native contract tests first)";
    }
  }

  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<TBitmap> sheet_;
};

TEST_F(DrawingContract, FramesInShadesOfABaseColour) {
  TCanvas& canvas = Sheet(140, 60);
  // Every style on all sides, then on two sides, in a row of 12 x 12 cells.
  for (int style = fsFlat; style <= fsFlatBold; ++style) {
    const int x = (style - 1) * 13;
    StrokeColorFrameStyle(canvas, TRect{x, 0, x + 12, 12}, kBase,
                          static_cast<TFrameStyleEx>(style));
    StrokeColorFrameStyle(canvas, TRect{x, 14, x + 12, 26}, kBase,
                          static_cast<TFrameStyleEx>(style), {sdLeft, sdBottom});
    StrokeColorFrameStyle(canvas, TRect{x, 28, x + 12, 40}, kBase,
                          static_cast<TFrameStyleEx>(style), {sdTop, sdRight});
  }
  StrokeEtched(canvas, TRect{0, 44, 10, 54}, kDark, kLight);
  StrokeSides(canvas, TRect{12, 44, 20, 54}, clNone, kDark);
  StrokeBevel(canvas, TRect{22, 44, 32, 54}, kDark, kLight, 3);
  StrokeBox(canvas, TRect{34, 44, 40, 50}, kDark);
  StrokeFocusDots(canvas, TRect{42, 44, 55, 53});
  StrokeRoundedFlat(canvas, TRect{57, 44, 69, 54}, kDark);
  StrokeRoundedFlat(canvas, TRect{71, 44, 81, 54}, kDark, {sdLeft, sdTop, sdRight});
  // The edit frame draws at the origin; move it with the viewport.
  canvas.SaveState();
  canvas.SetViewportOrigin(TPoint{84, 44});
  StrokeControlFrame(canvas, 9, 9, false, kAllSides, kDark, kBase, fsLowered);
  canvas.SetViewportOrigin(TPoint{96, 44});
  StrokeControlFrame(canvas, 9, 9, false, {sdLeft, sdBottom}, kDark, kLight, fsButtonUp);
  canvas.RestoreState();

  EXPECT_EQ(At(9, 44), kLight);  // the etched frame's free corner
  EXPECT_EQ(At(24, 11), ShadeLighter(kBase, 100));  // lower-right corner of fsGroove
  EXPECT_EQ(At(0, 0), ShadeDarker(kBase, 50));
  Compare("drawing_frames");
}

TEST_F(DrawingContract, PanelBorders) {
  TCanvas& canvas = Sheet(80, 20);
  TInnerOuterBorder border;
  border.parentBackColor = kLight;
  border.color = kBase;
  border.flatColor = kDark;
  border.flatColorAdjustment = 20;
  border.borderColor = RGB(0, 120, 0);
  border.darkEdgeColor = kDark;
  border.lightEdgeColor = kLight;
  border.borderOuter = fsFlatRounded;
  border.borderWidth = 1;
  border.borderInner = fsFlatRounded;
  StrokeInnerOuter(canvas, TRect{0, 0, 18, 18}, border);
  border.transparent = true;
  StrokeInnerOuter(canvas, TRect{20, 0, 38, 18}, border);
  border.transparent = false;
  border.borderOuter = fsStatus;
  border.bevelWidth = 2;
  border.borderInner = fsPopup;
  StrokeInnerOuter(canvas, TRect{40, 0, 58, 18}, border);
  border.borderOuter = fsFlatBold;
  border.borderInner = fsFlat;
  border.borderSides = {sdTop, sdBottom};
  StrokeInnerOuter(canvas, TRect{60, 0, 78, 18}, border);
  EXPECT_EQ(At(0, 0), kLight);  // the cut corner shows the parent's colour
  Compare("drawing_panels");
}

TEST_F(DrawingContract, RampsInEveryDirection) {
  // The two sizes the windows use, then every direction on odd and even sizes.
  TCanvas& canvas = Sheet(470, 140);
  PaintColorRamp(canvas, TRect{0, 0, 120, 35}, gdHorizontalEnd, 1, kStop, kStart);
  PaintColorRamp(canvas, TRect{0, 40, 461, 59}, gdHorizontalEnd, 1, kStop, kStart);
  for (int d = gdDiagonalUp; d <= gdBigSquareBox; ++d) {
    const auto direction = static_cast<TGradientDirection>(d);
    PaintColorRamp(canvas, TRect{d * 40, 62, d * 40 + 37, 62 + 29}, direction, 1, kStop, kStart);
    PaintColorRamp(canvas, TRect{d * 40, 94, d * 40 + 24, 94 + 40}, direction, 1, kStart, kStop);
  }
  EXPECT_EQ(At(5, 34), kStop);
  EXPECT_EQ(At(460, 58), kStop);
  Compare("drawing_ramps");
}

TEST_F(DrawingContract, HighlightRingsAndMaskedBitmaps) {
  ASSERT_TRUE(FullColorDisplay()) << "the screen reports a palette";
  TCanvas& canvas = Sheet(120, 40);
  canvas.Brush.SetColor(kBase);
  canvas.FillRect(TRect{0, 0, 120, 40});
  StrokeHighlightRing(canvas, TRect{2, 2, 50, 20}, gdHorizontalEnd, kStop, kStart);
  StrokeHighlightRing(canvas, TRect{52, 2, 90, 30}, gdVerticalCenter, kStop, kStart);
  // A fill after the ring reaches the middle: the clip region is gone.
  canvas.Brush.SetColor(kLight);
  canvas.FillRect(TRect{20, 8, 24, 12});

  TBitmap glyph(4, 3);
  const TColor key = RGB(255, 0, 255);
  const char* const rows[] = {"k#k#", "#kk#", "##kk"};
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) glyph.Canvas().SetPixels(x, y, rows[y][x] == 'k' ? key : kDark);
  }
  PaintMaskedBitmap(canvas, glyph, TRect{92, 2, 96, 5}, TRect{0, 0, 4, 3}, key);
  PaintMaskedBitmap(canvas, glyph, TRect{98, 2, 110, 11}, TRect{0, 0, 4, 3}, key);

  EXPECT_EQ(At(30, 10), kBase) << "the ring's middle is left alone";
  EXPECT_EQ(At(21, 9), kLight);
  EXPECT_EQ(At(92, 2), kBase);
  EXPECT_EQ(At(93, 2), kDark);
  Compare("drawing_rings_masks");
}

}  // namespace
}  // namespace tandrel::contract
