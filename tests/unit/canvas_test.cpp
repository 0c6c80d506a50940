// TCanvas over the headless surface: colour resolution, tool changes, text
// placement and filling, clipping helpers, saved states, copies between
// canvases and the change notification.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Color.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RasterSurface.h"

namespace tandrel {
namespace {

constexpr TColor kPaper = RGB(250, 250, 250);
constexpr TColor kInk = RGB(180, 20, 20);

class CanvasTest : public testing::Test {
 protected:
  void SetUp() override { platform::Install(&platform_); }
  void TearDown() override { platform::Install(nullptr); }

  std::unique_ptr<platform::RasterSurface> Paper(int w, int h) {
    return std::make_unique<platform::RasterSurface>(w, h, false, kPaper);
  }

  int Count(const platform::RasterSurface& s, TColor c) {
    int n = 0;
    for (std::uint32_t p : s.Pixels()) n += p == c ? 1 : 0;
    return n;
  }

  platform::HeadlessPlatform platform_;
};

TEST_F(CanvasTest, SystemColoursResolveThroughThePlatform) {
  platform_.painting().SetSystemColor(15, RGB(1, 2, 3));
  EXPECT_EQ(ColorToRGB(clBtnFace), RGB(1, 2, 3));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clNone), 0xFFFFFFu);  // as GDI reads the value
  auto s = Paper(4, 4);
  TCanvas canvas(s.get());
  canvas.Brush.SetColor(clBtnFace);
  canvas.FillRect(TRect{0, 0, 2, 2});
  EXPECT_EQ(canvas.Pixels(1, 1), RGB(1, 2, 3));
  EXPECT_EQ(canvas.Pixels(2, 2), kPaper);
  EXPECT_EQ(canvas.Pixels(4, 0), clNone);
}

TEST_F(CanvasTest, ChangedToolsReachTheSurfaceBeforeTheNextCall) {
  auto s = Paper(8, 3);
  TCanvas canvas(s.get());
  canvas.Pen.SetColor(kInk);
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 0);
  canvas.Pen.SetColor(clBlue);
  canvas.LineTo(8, 0);
  canvas.Pen.SetStyle(psClear);
  canvas.MoveTo(0, 2);
  canvas.LineTo(8, 2);
  EXPECT_EQ(s->RawPixel(3, 0), kInk);
  EXPECT_EQ(s->RawPixel(4, 0), clBlue);
  EXPECT_EQ(s->RawPixel(0, 2), kPaper);
  EXPECT_EQ(canvas.PenPos(), (TPoint{8, 2}));
}

TEST_F(CanvasTest, RestoringAStateSelectsTheCanvasToolsAgain) {
  auto s = Paper(8, 4);
  TCanvas canvas(s.get());
  canvas.Pen.SetColor(kInk);
  const int saved = canvas.SaveState();
  canvas.SetViewportOrigin(TPoint{2, 2});
  canvas.Pen.SetColor(clBlue);
  canvas.MoveTo(0, 0);
  canvas.LineTo(2, 0);
  canvas.RestoreState(saved);
  EXPECT_EQ(canvas.ViewportOrigin(), (TPoint{0, 0}));
  // The surface had the red pen back; the canvas's pen is still blue.
  canvas.MoveTo(0, 0);
  canvas.LineTo(2, 0);
  EXPECT_EQ(s->RawPixel(0, 0), clBlue);
  EXPECT_EQ(s->RawPixel(2, 2), clBlue);
}

TEST_F(CanvasTest, TextOutFillsItsCellUnlessTheBrushIsClearAndMovesThePen) {
  auto s = Paper(60, 20);
  TCanvas canvas(s.get());
  canvas.Font.SetHeight(-10);
  canvas.Font.SetColor(kInk);
  canvas.Brush.SetColor(clBlue);
  const int width = canvas.TextWidth("ab");
  const int height = canvas.TextHeight("ab");
  EXPECT_GT(width, 0);
  canvas.TextOut(2, 1, "ab");
  EXPECT_EQ(canvas.PenPos(), (TPoint{2 + width, 1}));
  EXPECT_EQ(Count(*s, clBlue) + Count(*s, kInk), width * height);
  EXPECT_GT(Count(*s, kInk), 0);
  auto t = Paper(60, 20);
  canvas.SetSurface(t.get());
  canvas.Brush.SetStyle(bsClear);
  canvas.TextOut(2, 1, "ab");
  EXPECT_EQ(Count(*t, clBlue), 0);
  EXPECT_GT(Count(*t, kInk), 0);
}

TEST_F(CanvasTest, TextRectClipsAndFillsTheRectangleWithTheBrush) {
  auto s = Paper(60, 20);
  TCanvas canvas(s.get());
  canvas.Font.SetColor(kInk);
  canvas.Brush.SetColor(clBlue);
  const TRect r{5, 2, 15, 12};
  canvas.TextRect(r, 6, 3, "a long text that does not fit");
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) {
      const bool inside = r.Contains(TPoint{x, y});
      const TColor c = s->RawPixel(x, y);
      if (!inside) {
        ASSERT_EQ(c, kPaper) << x << "," << y;
      } else {
        ASSERT_TRUE(c == clBlue || c == kInk) << x << "," << y;
      }
    }
  }
  canvas.Brush.SetStyle(bsClear);
  auto t = Paper(60, 20);
  canvas.SetSurface(t.get());
  canvas.TextRect(r, 6, 3, "abc");
  EXPECT_EQ(Count(*t, clBlue), 0);
}

TEST_F(CanvasTest, DrawTextMeasuresWrapsAndHonoursPrefixes) {
  auto s = Paper(100, 60);
  TCanvas canvas(s.get());
  canvas.Font.SetHeight(-12);
  const int lineHeight = canvas.TextHeight("Pp");
  const int wordWidth = canvas.TextWidth("word");
  TRect r{0, 0, wordWidth + canvas.TextWidth(" w"), 0};
  const int h = canvas.DrawText("word word word", r, DT_CALCRECT | DT_WORDBREAK);
  EXPECT_EQ(h, 3 * lineHeight);
  EXPECT_EQ(r.bottom, 3 * lineHeight);
  EXPECT_EQ(r.right, canvas.TextWidth("word "));  // the space at the break counts

  TRect one{0, 0, 1000, 0};
  canvas.DrawText("a&bc", one, DT_CALCRECT);
  TRect raw{0, 0, 1000, 0};
  canvas.DrawText("a&bc", raw, DT_CALCRECT | DT_NOPREFIX);
  EXPECT_EQ(one.right, canvas.TextWidth("abc"));
  EXPECT_EQ(raw.right, canvas.TextWidth("a&bc"));

  TRect tabs{0, 0, 1000, 0};
  canvas.DrawText("a\tb", tabs, DT_CALCRECT | DT_EXPANDTABS);
  EXPECT_EQ(tabs.right, 8 * canvas.TextWidth("a") + canvas.TextWidth("b"));

  // Wide characters measure twice a narrow one, and may break anywhere.
  EXPECT_EQ(canvas.TextWidth("开始"), 4 * canvas.TextWidth("a"));
  TRect cjk{0, 0, canvas.TextWidth("开始") - 1, 0};
  EXPECT_EQ(canvas.DrawText("开始", cjk, DT_CALCRECT | DT_WORDBREAK), 2 * lineHeight);
}

TEST_F(CanvasTest, DrawTextAlignsLinesAndCentresASingleLineVertically) {
  auto s = Paper(100, 40);
  TCanvas canvas(s.get());
  canvas.Font.SetColor(kInk);
  canvas.Brush.SetStyle(bsClear);
  const int w = canvas.TextWidth("abc");
  const int lh = canvas.TextHeight("abc");
  TRect r{10, 0, 90, 40};
  canvas.DrawText("abc", r, DT_RIGHT | DT_SINGLELINE | DT_VCENTER);
  int minX = 1000, maxX = -1, minY = 1000, maxY = -1;
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 100; ++x) {
      if (s->RawPixel(x, y) != kInk) continue;
      minX = std::min(minX, x);
      maxX = std::max(maxX, x);
      minY = std::min(minY, y);
      maxY = std::max(maxY, y);
    }
  }
  EXPECT_GE(minX, 90 - w);
  EXPECT_LT(maxX, 90);
  const int top = (40 - lh) / 2;
  EXPECT_GE(minY, top);
  EXPECT_LT(maxY, top + lh);
}

TEST_F(CanvasTest, FrameRectUsesTheBrushColourForAOnePixelBorder) {
  auto s = Paper(6, 5);
  TCanvas canvas(s.get());
  canvas.Brush.SetColor(kInk);
  canvas.FrameRect(TRect{0, 0, 6, 5});
  EXPECT_EQ(Count(*s, kInk), 2 * 6 + 2 * 3);
  EXPECT_EQ(s->RawPixel(5, 4), kInk);
  EXPECT_EQ(s->RawPixel(1, 1), kPaper);
}

TEST_F(CanvasTest, ClipHelpersExcludeAndRemove) {
  auto s = Paper(6, 6);
  TCanvas canvas(s.get());
  canvas.Brush.SetColor(kInk);
  canvas.ExcludeClipRect(TRect{1, 1, 5, 5});
  canvas.FillRect(TRect{0, 0, 6, 6});
  EXPECT_EQ(Count(*s, kInk), 20);
  canvas.RemoveClipRegion();
  EXPECT_EQ(canvas.ClipRect(), (TRect{0, 0, 6, 6}));
  canvas.IntersectClipRect(TRect{2, 2, 3, 3});
  canvas.Brush.SetColor(clBlue);
  canvas.FillRect(TRect{0, 0, 6, 6});
  EXPECT_EQ(Count(*s, clBlue), 1);
}

TEST_F(CanvasTest, OnChangeFiresAfterDrawingButNotForMeasuring) {
  auto s = Paper(10, 10);
  TCanvas canvas(s.get());
  int changes = 0;
  canvas.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &canvas);
    ++changes;
  };
  canvas.FillRect(TRect{0, 0, 2, 2});
  canvas.SetPixels(5, 5, kInk);
  TRect r{0, 0, 100, 0};
  canvas.DrawText("abc", r, DT_CALCRECT);
  canvas.TextWidth("abc");
  EXPECT_EQ(changes, 2);
}

TEST_F(CanvasTest, AnUnboundCanvasDrawsNothing) {
  TCanvas canvas;
  EXPECT_FALSE(canvas.HandleAllocated());
  canvas.FillRect(TRect{0, 0, 5, 5});
  canvas.LineTo(3, 3);
  canvas.TextOut(0, 0, "x");
  EXPECT_EQ(canvas.Pixels(0, 0), clNone);
  EXPECT_EQ(canvas.TextWidth("x"), 0);
}

TEST_F(CanvasTest, CopiesToAMonochromeCanvasKeyOnTheSourceBrushColour) {
  TBitmap colour(3, 1);
  colour.Canvas().SetPixels(1, 0, kInk);
  TBitmap mask(3, 1, true);
  colour.Canvas().Brush.SetColor(kInk);
  mask.Canvas().CopyRect(TRect{0, 0, 3, 1}, colour.Canvas(), TRect{0, 0, 3, 1});
  EXPECT_EQ(mask.Canvas().Pixels(0, 0), clBlack);
  EXPECT_EQ(mask.Canvas().Pixels(1, 0), clWhite);
}

TEST_F(CanvasTest, BrushCopyReplacesTheTransparentColourWithTheBrush) {
  TBitmap picture(3, 2);
  picture.Canvas().SetPixels(0, 0, kInk);
  auto s = Paper(3, 2);
  TCanvas canvas(s.get());
  canvas.Brush.SetColor(clBlue);
  canvas.BrushCopy(TRect{0, 0, 3, 2}, picture, TRect{0, 0, 3, 2}, clWhite);
  EXPECT_EQ(s->RawPixel(0, 0), kInk);
  EXPECT_EQ(s->RawPixel(1, 0), clBlue);
  EXPECT_EQ(s->RawPixel(2, 1), clBlue);
}

TEST_F(CanvasTest, DrawLeavesOutTheTransparentColourOfATransparentBitmap) {
  TBitmap picture(2, 2);
  picture.Canvas().SetPixels(1, 0, kInk);
  picture.Canvas().SetPixels(0, 1, clBlue);  // bottom-left: the transparent colour
  auto s = Paper(4, 4);
  TCanvas canvas(s.get());
  canvas.Draw(0, 0, picture);
  EXPECT_EQ(s->RawPixel(0, 1), clBlue);
  picture.SetTransparent(true);
  canvas.Draw(2, 2, picture);
  EXPECT_EQ(s->RawPixel(2, 3), kPaper);
  EXPECT_EQ(s->RawPixel(3, 2), kInk);
  EXPECT_EQ(s->RawPixel(2, 2), clWhite);
}

TEST_F(CanvasTest, MonochromeBitmapsDrawInBlackAndWhite) {
  TBitmap mono(2, 1, true);
  mono.Canvas().SetPixels(0, 0, clBlack);
  auto s = Paper(2, 1);
  TCanvas canvas(s.get());
  canvas.Font.SetColor(kInk);
  canvas.Brush.SetColor(clBlue);
  canvas.Draw(0, 0, mono);
  EXPECT_EQ(s->RawPixel(0, 0), clBlack);
  EXPECT_EQ(s->RawPixel(1, 0), clWhite);
}

TEST_F(CanvasTest, PatternBrushFromABitmapRepeatsIt) {
  TBitmap cell(2, 2);
  cell.Canvas().SetPixels(0, 0, kInk);
  cell.Canvas().SetPixels(1, 1, kInk);
  auto s = Paper(8, 8);
  TCanvas canvas(s.get());
  canvas.Brush.SetPattern(cell);
  canvas.FillRect(TRect{0, 0, 8, 8});
  EXPECT_EQ(Count(*s, kInk), 32);
  EXPECT_EQ(s->RawPixel(7, 7), kInk);
  EXPECT_EQ(s->RawPixel(6, 7), clWhite);
  canvas.Brush.ClearPattern();
  canvas.Brush.SetColor(clBlue);
  canvas.FillRect(TRect{0, 0, 1, 1});
  EXPECT_EQ(s->RawPixel(0, 0), clBlue);
}

}  // namespace
}  // namespace tandrel
