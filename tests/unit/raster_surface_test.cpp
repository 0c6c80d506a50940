// The headless surface's pixel rules: lines, fills, rectangles, polygons,
// clipping, viewport, saved states and block copies.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/headless/RasterSurface.h"

namespace tandrel::platform {
namespace {

constexpr TColor kInk = RGB(200, 10, 10);
constexpr TColor kPaper = RGB(250, 250, 250);

// The pixels of `area` as text: '#' for ink, '.' for paper, '?' otherwise.
std::string Art(const RasterSurface& s, const TRect& area, TColor ink = kInk) {
  std::string out;
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      const TColor c = s.RawPixel(x, y);
      out += c == ink ? '#' : c == kPaper ? '.' : '?';
    }
    out += '\n';
  }
  return out;
}

int CountInk(const RasterSurface& s, TColor ink = kInk) {
  int n = 0;
  for (std::uint32_t p : s.Pixels()) n += p == ink ? 1 : 0;
  return n;
}

RasterSurface Paper(int w, int h) { return RasterSurface(w, h, false, kPaper); }

void UseInkPen(RasterSurface& s) { s.SetPenSpec(PenSpec{kInk, 1, PenStyle::Solid}); }

void UseInkBrush(RasterSurface& s) {
  BrushSpec b;
  b.color = kInk;
  s.SetBrushSpec(b);
}

TEST(RasterLines, AxisLinesLeaveOutTheEndPointAndMoveThePosition) {
  RasterSurface s = Paper(6, 4);
  UseInkPen(s);
  s.MoveToPoint(1, 1);
  s.LineToPoint(4, 1);
  EXPECT_EQ(s.CurrentPosition(), (TPoint{4, 1}));
  s.LineToPoint(4, 3);
  EXPECT_EQ(Art(s, TRect{0, 0, 6, 4}),
            "......\n"
            ".####.\n"
            "....#.\n"
            "......\n");
}

TEST(RasterLines, ZeroLengthLineDrawsNothingAndClearPenOnlyMoves) {
  RasterSurface s = Paper(4, 4);
  UseInkPen(s);
  s.MoveToPoint(2, 2);
  s.LineToPoint(2, 2);
  EXPECT_EQ(CountInk(s), 0);
  s.SetPenSpec(PenSpec{kInk, 1, PenStyle::Clear});
  s.LineToPoint(0, 2);
  EXPECT_EQ(CountInk(s), 0);
  EXPECT_EQ(s.CurrentPosition(), (TPoint{0, 2}));
}

TEST(RasterLines, EveryOctantStepsOnePixelPerMajorUnitAndStaysOnTheLine) {
  const TPoint centre{20, 20};
  const std::vector<TPoint> ends = {{13, 4},  {4, 13},  {-4, 13}, {-13, 4}, {-13, -4},
                                    {-4, -13}, {4, -13}, {13, -4}, {10, 5},  {-10, -5},
                                    {7, 7},   {-7, 7},  {9, 0},   {0, -9}};
  for (const TPoint& d : ends) {
    SCOPED_TRACE(testing::Message() << "to " << d.x << "," << d.y);
    RasterSurface s = Paper(41, 41);
    UseInkPen(s);
    s.MoveToPoint(centre.x, centre.y);
    s.LineToPoint(centre.x + d.x, centre.y + d.y);
    const int major = std::max(std::abs(d.x), std::abs(d.y));
    EXPECT_EQ(CountInk(s), major);
    EXPECT_EQ(s.RawPixel(centre.x, centre.y), kInk);
    EXPECT_EQ(s.RawPixel(centre.x + d.x, centre.y + d.y), kPaper);
    // Each pixel of the line lies within half a pixel of the true line along
    // the minor axis.
    for (int y = 0; y < 41; ++y) {
      for (int x = 0; x < 41; ++x) {
        if (s.RawPixel(x, y) != kInk) continue;
        const int px = x - centre.x;
        const int py = y - centre.y;
        if (std::abs(d.x) >= std::abs(d.y)) {
          EXPECT_LE(std::abs(2 * (py * d.x - px * d.y)), std::abs(d.x)) << x << "," << y;
        } else {
          EXPECT_LE(std::abs(2 * (px * d.y - py * d.x)), std::abs(d.y)) << x << "," << y;
        }
      }
    }
  }
}

TEST(RasterFills, FillRectLeavesOutRightAndBottomAndIgnoresEmptyRects) {
  RasterSurface s = Paper(5, 4);
  UseInkBrush(s);
  s.FillRectangle(TRect{1, 1, 4, 3});
  s.FillRectangle(TRect{3, 0, 2, 1});  // right < left: nothing
  EXPECT_EQ(Art(s, TRect{0, 0, 5, 4}),
            ".....\n"
            ".###.\n"
            ".###.\n"
            ".....\n");
  BrushSpec clear;
  clear.style = BrushStyle::Clear;
  s.SetBrushSpec(clear);
  s.FillRectangle(TRect{0, 0, 5, 4});
  EXPECT_EQ(CountInk(s), 6);
}

TEST(RasterFills, PatternBrushIsAlignedToTheDeviceOriginNotTheViewport) {
  RasterSurface s = Paper(16, 16);
  BrushSpec checker;
  checker.style = BrushStyle::Pattern;
  for (int i = 0; i < 64; ++i) {
    checker.pattern[static_cast<std::size_t>(i)] = ((i / 8 + i % 8) % 2 == 0) ? kInk : kPaper;
  }
  s.SetBrushSpec(checker);
  s.SetViewportOrigin(TPoint{3, 5});
  s.FillRectangle(TRect{0, 0, 10, 10});
  for (int y = 5; y < 15; ++y) {
    for (int x = 3; x < 13; ++x) {
      EXPECT_EQ(s.RawPixel(x, y), (x + y) % 2 == 0 ? kInk : kPaper) << x << "," << y;
    }
  }
}

TEST(RasterFills, RectangleOutlinesWithPenFillsWithBrushAndIsSmallerWithoutPen) {
  RasterSurface s = Paper(6, 5);
  s.SetPenSpec(PenSpec{kInk, 1, PenStyle::Solid});
  BrushSpec fill;
  fill.color = RGB(0, 0, 255);
  s.SetBrushSpec(fill);
  s.DrawRectangle(TRect{0, 0, 5, 4});
  EXPECT_EQ(Art(s, TRect{0, 0, 6, 5}),
            "#####.\n"
            "#???#.\n"
            "#???#.\n"
            "#####.\n"
            "......\n");
  RasterSurface t = Paper(6, 5);
  t.SetPenSpec(PenSpec{kInk, 1, PenStyle::Clear});
  UseInkBrush(t);
  t.DrawRectangle(TRect{5, 4, 0, 0});  // reversed corners are put in order
  EXPECT_EQ(Art(t, TRect{0, 0, 6, 5}),
            "####..\n"
            "####..\n"
            "####..\n"
            "......\n"
            "......\n");
}

TEST(RasterFills, PolygonFillsByTheAlternateRuleAndOutlinesEachVertexOnce) {
  // Two overlapping squares as one polygon path: the overlap is outside.
  RasterSurface s = Paper(12, 12);
  s.SetPenSpec(PenSpec{kInk, 1, PenStyle::Clear});
  UseInkBrush(s);
  const std::vector<TPoint> path = {{0, 0}, {6, 0}, {6, 6}, {0, 6}, {0, 0},
                                    {3, 3}, {9, 3}, {9, 9}, {3, 9}, {3, 3}};
  s.DrawPolygon(path);
  EXPECT_EQ(s.RawPixel(1, 1), kInk);
  EXPECT_EQ(s.RawPixel(4, 4), kPaper);  // inside both: even crossings
  EXPECT_EQ(s.RawPixel(7, 7), kInk);
  EXPECT_EQ(s.RawPixel(9, 9), kPaper);

  RasterSurface t = Paper(8, 8);
  UseInkPen(t);
  BrushSpec clear;
  clear.style = BrushStyle::Clear;
  t.SetBrushSpec(clear);
  const std::vector<TPoint> square = {{1, 1}, {6, 1}, {6, 6}, {1, 6}};
  t.DrawPolygon(square);
  EXPECT_EQ(CountInk(t), 20);  // 4 sides of 5, no corner twice
  EXPECT_EQ(t.RawPixel(6, 6), kInk);
}

TEST(RasterClip, ExcludedRectsStayUntouchedUntilTheClipIsRemoved) {
  RasterSurface s = Paper(6, 6);
  UseInkBrush(s);
  s.ExcludeClip(TRect{1, 1, 5, 5});
  EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 6, 6}));
  s.FillRectangle(TRect{0, 0, 6, 6});
  EXPECT_EQ(CountInk(s), 36 - 16);
  EXPECT_EQ(s.GetPixelAt(2, 2), kInvalidColor);
  s.RemoveClip();
  s.FillRectangle(TRect{0, 0, 6, 6});
  EXPECT_EQ(CountInk(s), 36);
}

TEST(RasterClip, IntersectionAndViewportWorkInLogicalCoordinates) {
  RasterSurface s = Paper(10, 10);
  UseInkBrush(s);
  s.SetViewportOrigin(TPoint{2, 3});
  s.IntersectClip(TRect{0, 0, 3, 2});
  EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 3, 2}));
  s.FillRectangle(TRect{-5, -5, 20, 20});
  EXPECT_EQ(CountInk(s), 6);
  EXPECT_EQ(s.RawPixel(2, 3), kInk);
  EXPECT_EQ(s.RawPixel(4, 4), kInk);
  EXPECT_EQ(s.RawPixel(5, 3), kPaper);
  s.SetPixelAt(-1, 0, kInk);  // outside the clip: dropped
  EXPECT_EQ(s.RawPixel(1, 3), kPaper);
}

TEST(RasterState, RestoreBringsBackClipViewportAndToolsAndDropsLaterSaves) {
  RasterSurface s = Paper(8, 8);
  const int first = s.SaveState();
  s.SetViewportOrigin(TPoint{4, 4});
  s.ExcludeClip(TRect{0, 0, 2, 2});
  UseInkPen(s);
  s.SaveState();
  s.SetViewportOrigin(TPoint{1, 1});
  EXPECT_TRUE(s.RestoreState(-1));
  EXPECT_EQ(s.ViewportOrigin(), (TPoint{4, 4}));
  EXPECT_TRUE(s.RestoreState(first));
  EXPECT_EQ(s.ViewportOrigin(), (TPoint{0, 0}));
  EXPECT_EQ(s.ClipBounds(), (TRect{0, 0, 8, 8}));
  EXPECT_FALSE(s.RestoreState(-1));  // nothing saved any more
  s.MoveToPoint(0, 0);
  s.LineToPoint(3, 0);  // the pen is black again
  EXPECT_EQ(s.RawPixel(0, 0), clBlack);
}

TEST(RasterCopy, StretchMirrorAndOverlappingCopies) {
  RasterSurface src = Paper(3, 2);
  src.SetRawPixel(0, 0, kInk);
  src.SetRawPixel(2, 1, kInk);
  RasterSurface d = Paper(6, 4);
  d.CopyFrom(TRect{0, 0, 6, 4}, src, TRect{0, 0, 3, 2}, RasterOp::SrcCopy, Mirror::None);
  EXPECT_EQ(Art(d, TRect{0, 0, 6, 4}),
            "##....\n"
            "##....\n"
            "....##\n"
            "....##\n");
  RasterSurface m = Paper(3, 2);
  m.CopyFrom(TRect{0, 0, 3, 2}, src, TRect{0, 0, 3, 2}, RasterOp::SrcCopy, Mirror::Horizontal);
  EXPECT_EQ(Art(m, TRect{0, 0, 3, 2}), "..#\n#..\n");
  m.CopyFrom(TRect{0, 0, 3, 2}, src, TRect{0, 0, 3, 2}, RasterOp::SrcCopy, Mirror::Vertical);
  EXPECT_EQ(Art(m, TRect{0, 0, 3, 2}), "..#\n#..\n");
  m.CopyFrom(TRect{0, 0, 3, 2}, src, TRect{0, 0, 3, 2}, RasterOp::SrcCopy, Mirror::Both);
  EXPECT_EQ(Art(m, TRect{0, 0, 3, 2}), "#..\n..#\n");

  RasterSurface row = Paper(6, 1);
  row.SetRawPixel(0, 0, kInk);
  row.CopyFrom(TRect{1, 0, 6, 1}, row, TRect{0, 0, 5, 1}, RasterOp::SrcCopy, Mirror::None);
  EXPECT_EQ(Art(row, TRect{0, 0, 6, 1}), "##....\n");  // no smear
}

TEST(RasterCopy, PlainCopiesWithinOneSurfaceMoveBlocksWholeInEveryDirection) {
  // A numbered 8 x 8 picture, copied onto itself shifted each way, with and
  // without a clip, must equal the copy made from a separate snapshot.
  const std::vector<TPoint> shifts = {{2, 1}, {-2, -1}, {0, 3}, {3, 0}, {-1, 2}};
  for (bool clipped : {false, true}) {
    for (const TPoint& shift : shifts) {
      SCOPED_TRACE(testing::Message() << shift.x << "," << shift.y << " clipped " << clipped);
      RasterSurface s(8, 8, false, clBlack);
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) s.SetRawPixel(x, y, RGB(x * 30, y * 30, 7));
      }
      RasterSurface expected = s;
      const RasterSurface before = s;
      if (clipped) {
        s.ExcludeClip(TRect{3, 0, 5, 8});
        s.ExcludeClip(TRect{0, 4, 8, 5});
        expected.ExcludeClip(TRect{3, 0, 5, 8});
        expected.ExcludeClip(TRect{0, 4, 8, 5});
      }
      const TRect src{1, 1, 7, 7};
      const TRect dest{1 + shift.x, 1 + shift.y, 7 + shift.x, 7 + shift.y};
      s.CopyFrom(dest, s, src, RasterOp::SrcCopy, Mirror::None);
      expected.CopyFrom(dest, before, src, RasterOp::SrcCopy, Mirror::None);
      EXPECT_EQ(s.Pixels(), expected.Pixels());
    }
  }
}

TEST(RasterCopy, MonochromeConversionsFollowTheBackgroundAndTextColours) {
  RasterSurface colour = Paper(3, 1);
  colour.SetRawPixel(1, 0, kInk);
  colour.SetBackgroundRgb(kInk);
  RasterSurface mask(3, 1, true);
  mask.CopyFrom(TRect{0, 0, 3, 1}, colour, TRect{0, 0, 3, 1}, RasterOp::SrcCopy, Mirror::None);
  EXPECT_EQ(mask.RawPixel(0, 0), clBlack);
  EXPECT_EQ(mask.RawPixel(1, 0), clWhite);

  RasterSurface back = Paper(3, 1);
  back.SetTextColorRgb(RGB(0, 128, 0));
  back.SetBackgroundRgb(RGB(0, 0, 255));
  back.CopyFrom(TRect{0, 0, 3, 1}, mask, TRect{0, 0, 3, 1}, RasterOp::SrcCopy, Mirror::None);
  EXPECT_EQ(back.RawPixel(0, 0), RGB(0, 128, 0));
  EXPECT_EQ(back.RawPixel(1, 0), RGB(0, 0, 255));
}

TEST(RasterCopy, TransparentAndMaskedCopiesLeaveKeyedPixelsAlone) {
  RasterSurface src = Paper(2, 2);
  src.SetRawPixel(0, 0, kInk);
  RasterSurface d(4, 4, false, clBlack);
  d.CopyTransparent(TRect{0, 0, 4, 4}, src, TRect{0, 0, 2, 2}, kPaper);
  EXPECT_EQ(Art(d, TRect{0, 0, 4, 4}), "##??\n##??\n????\n????\n");

  RasterSurface mask(2, 2, true, clWhite);
  mask.SetRawPixel(1, 1, clBlack);
  RasterSurface e(2, 2, false, clBlack);
  e.CopyMasked(TRect{0, 0, 2, 2}, src, TRect{0, 0, 2, 2}, mask);
  EXPECT_EQ(e.RawPixel(1, 1), kPaper);
  EXPECT_EQ(e.RawPixel(0, 0), clBlack);
}

TEST(RasterText, PrefixAmpersandsUnderlineTheNextCharacterUnlessTurnedOff) {
  const auto inkOf = [](unsigned format) {
    RasterSurface s = Paper(40, 20);
    FontSpec font;
    font.height = -12;  // cells 6 wide, 15 high, baseline 12 rows down
    s.SetFontSpec(font);
    s.SetTextColorRgb(kInk);
    s.SetBackgroundOpaque(false);
    TRect r{0, 0, 40, 20};
    s.FormatText("&a", r, format);
    return s;
  };
  const RasterSurface prefixed = inkOf(0);
  const RasterSurface plain = inkOf(text_format::kNoPrefix);
  // With the prefix: one character, underlined on the baseline row, below
  // its box.
  const int advance = 6;
  const int underlineRow = 12;
  for (int x = 0; x < advance; ++x) EXPECT_EQ(prefixed.RawPixel(x, underlineRow), kInk) << x;
  EXPECT_EQ(prefixed.RawPixel(advance, underlineRow), kPaper);
  for (int x = 0; x < 2 * advance; ++x) EXPECT_EQ(plain.RawPixel(x, underlineRow), kPaper) << x;
  // Without: two equal boxes ('&' and 'a'); with: one box and the underline.
  EXPECT_EQ(CountInk(prefixed), CountInk(plain) / 2 + advance);
}

TEST(RasterText, BoldFillsTheBoxesAndUpdateCpMovesThePosition) {
  RasterSurface regular = Paper(40, 20);
  RasterSurface bold = Paper(40, 20);
  FontSpec heavy;
  heavy.bold = true;
  bold.SetFontSpec(heavy);
  for (RasterSurface* s : {&regular, &bold}) {
    s->SetTextColorRgb(kInk);
    s->SetBackgroundOpaque(false);
    s->TextOutAt(0, 0, "x", nullptr, false);
  }
  EXPECT_GT(CountInk(bold), CountInk(regular));
  EXPECT_EQ(bold.MeasureText("x").cx, regular.MeasureText("x").cx + 1);

  RasterSurface s = Paper(60, 20);
  s.SetTextAlignFlags(text_align::kUpdateCp);
  s.MoveToPoint(5, 2);
  s.TextOutAt(0, 0, "ab", nullptr, false);
  EXPECT_EQ(s.CurrentPosition(), (TPoint{5 + s.MeasureText("ab").cx, 2}));
  EXPECT_EQ(s.RawPixel(0, 0), kPaper);  // drawn at the position, not at (0, 0)
}

TEST(RasterSurfaceFormat, MonochromeSurfacesStoreTheNearerOfBlackAndWhite) {
  RasterSurface mono(2, 1, true);
  mono.SetRawPixel(0, 0, RGB(200, 200, 200));
  mono.SetRawPixel(1, 0, RGB(100, 100, 100));
  EXPECT_EQ(mono.RawPixel(0, 0), clWhite);
  EXPECT_EQ(mono.RawPixel(1, 0), clBlack);
}

}  // namespace
}  // namespace tandrel::platform
