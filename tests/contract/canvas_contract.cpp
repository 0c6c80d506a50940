// The painting surface follows GDI's pixel rules on both platforms: lines in
// every octant without their end point, pixels, fills, rectangles with and
// without pen, polygons by the alternate rule, clip exclusion and removal,
// viewport origin, saved states, stretched, mirrored, transparent and masked
// copies, monochrome conversions and pattern brushes. Only RGB colours are
// used (system colours differ between Windows, Wine and headless).
//
// Each drawing is also written as a binary PPM into $TANDREL_CANVAS_DUMP_DIR
// when that is set; when $TANDREL_CANVAS_REFERENCE_DIR is set, each drawing
// must equal the file of the same name there byte for byte (the Windows run
// compares itself with the headless one that way).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "contract/CanvasDump.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

using platform::BrushSpec;
using platform::BrushStyle;
using platform::Mirror;
using platform::PenSpec;
using platform::PenStyle;
using platform::RasterOp;
using platform::Surface;

constexpr TColor kPaper = RGB(255, 255, 255);
constexpr TColor kInk = RGB(200, 0, 0);
constexpr TColor kFill = RGB(0, 0, 200);
constexpr TColor kOther = RGB(0, 150, 0);

class CanvasContract : public testing::Test {
 protected:
  void SetUp() override { platform_ = platform::CreatePlatform(); }

  // A colour (or monochrome) surface filled with `background`.
  std::unique_ptr<Surface> NewSurface(int w, int h, TColor background = kPaper,
                                      bool mono = false) {
    auto s = platform_->painting().CreateBitmapSurface(w, h, mono);
    SetBrush(*s, background);
    s->FillRectangle(TRect{0, 0, w, h});
    return s;
  }

  static void SetPen(Surface& s, TColor color, PenStyle style = PenStyle::Solid) {
    s.SetPenSpec(PenSpec{color, 1, style});
  }
  static void SetBrush(Surface& s, TColor color) {
    BrushSpec b;
    b.color = color;
    s.SetBrushSpec(b);
  }
  static void ClearBrush(Surface& s) {
    BrushSpec b;
    b.style = BrushStyle::Clear;
    s.SetBrushSpec(b);
  }

  // Pixel of `s` at device (x, y), whatever its clip and viewport.
  static TColor At(Surface& s, int x, int y) { return DevicePixel(s, x, y); }

  static int Count(Surface& s, TColor color) {
    int n = 0;
    for (int y = 0; y < s.SurfaceHeight(); ++y) {
      for (int x = 0; x < s.SurfaceWidth(); ++x) n += At(s, x, y) == color ? 1 : 0;
    }
    return n;
  }

  // Text picture of an area: '#' kInk, 'o' kFill, '.' kPaper, '?' else.
  static std::string Art(Surface& s, const TRect& area) {
    std::string out;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const TColor c = At(s, x, y);
        out += c == kInk ? '#' : c == kFill ? 'o' : c == kPaper ? '.' : '?';
      }
      out += '\n';
    }
    return out;
  }

  void Finish(Surface& s, const std::string& name) {
    std::string problem;
    EXPECT_TRUE(DumpAndCompare(s, name, problem)) << problem;
    if (ReferencePicturesMissing()) {
      GTEST_SKIP() << "pixel checks passed; no reference pictures to compare " << name
                   << ".ppm with (run the native contract tests first)";
    }
  }

  std::unique_ptr<platform::Platform> platform_;
};

TEST_F(CanvasContract, LinesInEveryOctantLeaveOutTheEndPoint) {
  // Each line from the centre of its own 24 x 24 tile; ties (half-way
  // crossings) included, to pin the rounding.
  const std::vector<TPoint> ends = {{10, 0},  {10, 3},  {10, 5},  {8, 8},   {5, 10},  {3, 10},
                                    {0, 10},  {-3, 10}, {-5, 10}, {-8, 8},  {-10, 5}, {-10, 3},
                                    {-10, 0}, {-10, -3}, {-10, -5}, {-8, -8}, {-5, -10},
                                    {-3, -10}, {0, -10}, {3, -10},  {5, -10}, {8, -8},  {10, -5},
                                    {10, -3}, {4, 2},   {-4, -2}, {2, 4},   {-2, -4}, {4, -2},
                                    {-4, 2},  {6, 1},   {1, -6}};
  const int tiles = static_cast<int>(ends.size());
  auto s = NewSurface(24 * 8, 24 * ((tiles + 7) / 8));
  SetPen(*s, kInk);
  for (int i = 0; i < tiles; ++i) {
    const TPoint c{24 * (i % 8) + 12, 24 * (i / 8) + 12};
    const TPoint d = ends[static_cast<std::size_t>(i)];
    s->MoveToPoint(c.x, c.y);
    s->LineToPoint(c.x + d.x, c.y + d.y);
    EXPECT_EQ(s->CurrentPosition(), (TPoint{c.x + d.x, c.y + d.y}));
    SCOPED_TRACE(testing::Message() << "line by " << d.x << "," << d.y);
    EXPECT_EQ(At(*s, c.x, c.y), kInk);
    EXPECT_EQ(At(*s, c.x + d.x, c.y + d.y), kPaper);
    int count = 0;
    for (int y = c.y - 11; y <= c.y + 11; ++y) {
      for (int x = c.x - 11; x <= c.x + 11; ++x) count += At(*s, x, y) == kInk ? 1 : 0;
    }
    EXPECT_EQ(count, std::max(std::abs(d.x), std::abs(d.y)));
  }
  Finish(*s, "lines");
}

TEST_F(CanvasContract, HalfWayCrossingsRoundTowardTheSmallerCoordinate) {
  struct Case {
    TPoint by;
    std::vector<TPoint> pixels;  // relative to the start
  };
  const std::vector<Case> cases = {
      {{4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
      {{4, -2}, {{0, 0}, {1, -1}, {2, -1}, {3, -2}}},
      {{-4, 2}, {{0, 0}, {-1, 0}, {-2, 1}, {-3, 1}}},
      {{-4, -2}, {{0, 0}, {-1, -1}, {-2, -1}, {-3, -2}}},
      {{2, 4}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
      {{-2, 4}, {{0, 0}, {-1, 1}, {-1, 2}, {-2, 3}}},
      {{2, -4}, {{0, 0}, {0, -1}, {1, -2}, {1, -3}}},
      {{-2, -4}, {{0, 0}, {-1, -1}, {-1, -2}, {-2, -3}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "line by " << c.by.x << "," << c.by.y);
    auto s = NewSurface(12, 12);
    SetPen(*s, kInk);
    s->MoveToPoint(6, 6);
    s->LineToPoint(6 + c.by.x, 6 + c.by.y);
    EXPECT_EQ(Count(*s, kInk), static_cast<int>(c.pixels.size()));
    for (const TPoint& p : c.pixels) EXPECT_EQ(At(*s, 6 + p.x, 6 + p.y), kInk) << p.x << "," << p.y;
  }
}

TEST_F(CanvasContract, ClearPenDrawsNothingButMovesAndPixelsRoundTrip) {
  auto s = NewSurface(8, 8);
  SetPen(*s, kInk, PenStyle::Clear);
  s->MoveToPoint(1, 1);
  s->LineToPoint(6, 1);
  EXPECT_EQ(s->CurrentPosition(), (TPoint{6, 1}));
  EXPECT_EQ(Count(*s, kInk), 0);
  s->SetPixelAt(3, 4, kOther);
  EXPECT_EQ(s->GetPixelAt(3, 4), kOther);
  EXPECT_EQ(s->GetPixelAt(8, 0), platform::kInvalidColor);
  EXPECT_EQ(s->GetPixelAt(-1, 0), platform::kInvalidColor);
  Finish(*s, "pixels");
}

TEST_F(CanvasContract, FillsAndRectanglesUseExclusiveRightAndBottomEdges) {
  auto s = NewSurface(20, 8);
  SetBrush(*s, kInk);
  s->FillRectangle(TRect{1, 1, 4, 3});
  SetPen(*s, kInk);
  SetBrush(*s, kFill);
  s->DrawRectangle(TRect{6, 1, 11, 6});
  SetPen(*s, kInk, PenStyle::Clear);
  s->DrawRectangle(TRect{13, 1, 17, 5});
  EXPECT_EQ(Art(*s, TRect{0, 0, 20, 7}),
            "....................\n"
            ".###..#####..ooo....\n"
            ".###..#ooo#..ooo....\n"
            "......#ooo#..ooo....\n"
            "......#ooo#.........\n"
            "......#####.........\n"
            "....................\n");
  // A hollow brush leaves the inside alone.
  SetPen(*s, kInk);
  ClearBrush(*s);
  s->DrawRectangle(TRect{0, 0, 20, 8});
  EXPECT_EQ(At(*s, 19, 7), kInk);
  EXPECT_EQ(At(*s, 14, 2), kFill);
  Finish(*s, "rectangles");
}

TEST_F(CanvasContract, ThinAndReversedShapes) {
  auto s = NewSurface(32, 12);
  SetPen(*s, kInk);
  SetBrush(*s, kFill);
  s->DrawRectangle(TRect{1, 1, 2, 10});    // one pixel wide
  s->DrawRectangle(TRect{4, 1, 6, 10});    // two pixels wide
  s->DrawRectangle(TRect{8, 1, 11, 10});   // three pixels wide
  s->DrawRectangle(TRect{17, 10, 13, 1});  // corners given in reverse
  s->FillRectangle(TRect{23, 10, 19, 1});  // reversed: nothing
  const std::vector<TPoint> flat = {{25, 2}, {30, 2}, {28, 2}};
  s->DrawPolygon(flat);
  const std::vector<TPoint> thin = {{25, 5}, {30, 10}, {25, 10}};
  s->DrawPolygon(thin);
  EXPECT_EQ(Count(*s, kInk) + Count(*s, kFill) > 0, true);
  Finish(*s, "thin");
}

TEST_F(CanvasContract, PolygonsFillByTheAlternateRule) {
  auto s = NewSurface(40, 24);
  SetPen(*s, kInk, PenStyle::Clear);
  SetBrush(*s, kFill);
  // A five-pointed star drawn in one stroke: the centre is outside.
  const std::vector<TPoint> star = {{10, 1}, {16, 20}, {1, 8}, {19, 8}, {4, 20}};
  s->DrawPolygon(star);
  EXPECT_EQ(At(*s, 10, 12), kPaper);
  EXPECT_EQ(At(*s, 10, 5), kFill);
  // An outlined triangle and a clear-pen one.
  SetPen(*s, kInk);
  const std::vector<TPoint> triangle = {{22, 2}, {38, 2}, {22, 18}};
  s->DrawPolygon(triangle);
  EXPECT_EQ(At(*s, 22, 2), kInk);
  EXPECT_EQ(At(*s, 24, 4), kFill);
  EXPECT_EQ(At(*s, 37, 2), kInk);
  SetPen(*s, kInk, PenStyle::Clear);
  SetBrush(*s, kInk);
  const std::vector<TPoint> small = {{26, 20}, {34, 20}, {30, 23}};
  s->DrawPolygon(small);
  EXPECT_EQ(At(*s, 30, 21), kInk);
  Finish(*s, "polygons");
}

TEST_F(CanvasContract, PixelBlocksLandLikeSinglePixelsThroughViewportAndClip) {
  auto s = NewSurface(10, 8);
  s->SetViewportOrigin(TPoint{3, 2});
  s->ExcludeClip(TRect{1, 1, 2, 2});  // device (4, 3)
  // Every channel distinct, so swapped red and blue would show.
  constexpr TColor kMixed = RGB(17, 34, 51);
  std::vector<TColor> block;
  for (int i = 0; i < 4 * 5; ++i) {
    const TColor cycle[] = {kInk, kFill, kOther, kMixed};
    block.push_back(cycle[i % 4]);
  }
  // Logical (0, 0) is device (3, 2); the block runs past the right and
  // bottom edges.
  s->WritePixels(0, 0, 4, 5, block);
  s->WritePixels(4, 3, 4, 4, block);
  s->WritePixels(-3, -2, 3, 3, std::span<const TColor>(block).first(8));  // too short
  EXPECT_EQ(At(*s, 3, 2), kInk);
  EXPECT_EQ(At(*s, 5, 2), kOther);
  EXPECT_EQ(At(*s, 6, 2), kMixed);
  EXPECT_EQ(At(*s, 4, 3), kPaper);  // clipped
  EXPECT_EQ(At(*s, 3, 6), kInk);    // last row: index 16
  EXPECT_EQ(At(*s, 7, 2), kPaper);
  EXPECT_EQ(At(*s, 7, 5), kInk);
  EXPECT_EQ(At(*s, 9, 7), kOther);  // (2, 2) of the second block
  EXPECT_EQ(At(*s, 0, 0), kPaper);
  EXPECT_EQ(Count(*s, kMixed), 5);  // the second block's last column is outside
  Finish(*s, "pixel-block");

  auto mono = NewSurface(4, 1, kPaper, true);
  const std::vector<TColor> blackWhite = {clBlack, clWhite, clBlack, clWhite};
  mono->WritePixels(0, 0, 4, 1, blackWhite);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(At(*mono, x, 0), blackWhite[static_cast<std::size_t>(x)]);
}

TEST_F(CanvasContract, ClipExclusionIntersectionAndRemoval) {
  auto s = NewSurface(16, 16);
  s->ExcludeClip(TRect{4, 4, 12, 12});
  EXPECT_EQ(s->ClipBounds(), (TRect{0, 0, 16, 16}));
  SetBrush(*s, kFill);
  s->FillRectangle(TRect{0, 0, 16, 16});
  EXPECT_EQ(Count(*s, kPaper), 64);
  s->IntersectClip(TRect{2, 2, 14, 14});
  EXPECT_EQ(s->ClipBounds(), (TRect{2, 2, 14, 14}));
  SetBrush(*s, kInk);
  s->FillRectangle(TRect{0, 0, 16, 16});
  EXPECT_EQ(At(*s, 1, 1), kFill);
  EXPECT_EQ(At(*s, 2, 2), kInk);
  EXPECT_EQ(At(*s, 6, 6), kPaper);
  s->RemoveClip();
  EXPECT_EQ(s->ClipBounds(), (TRect{0, 0, 16, 16}));
  SetPen(*s, kOther);
  s->MoveToPoint(0, 8);
  s->LineToPoint(16, 8);
  EXPECT_EQ(At(*s, 8, 8), kOther);
  Finish(*s, "clip");
}

TEST_F(CanvasContract, ViewportOriginAndSavedStates) {
  auto s = NewSurface(16, 16);
  const int saved = s->SaveState();
  s->SetViewportOrigin(TPoint{5, 7});
  EXPECT_EQ(s->ViewportOrigin(), (TPoint{5, 7}));
  s->IntersectClip(TRect{0, 0, 6, 6});
  EXPECT_EQ(s->ClipBounds(), (TRect{0, 0, 6, 6}));
  SetBrush(*s, kFill);
  s->FillRectangle(TRect{-2, -2, 3, 3});
  SetPen(*s, kInk);
  s->MoveToPoint(0, 4);
  s->LineToPoint(10, 4);  // clipped at logical x 6
  EXPECT_TRUE(s->RestoreState(saved));
  EXPECT_EQ(s->ViewportOrigin(), (TPoint{0, 0}));
  EXPECT_EQ(s->ClipBounds(), (TRect{0, 0, 16, 16}));
  EXPECT_EQ(At(*s, 5, 7), kFill);
  EXPECT_EQ(At(*s, 4, 7), kPaper);
  EXPECT_EQ(At(*s, 7, 9), kFill);
  EXPECT_EQ(At(*s, 8, 9), kPaper);
  EXPECT_EQ(At(*s, 10, 11), kInk);
  EXPECT_EQ(At(*s, 11, 11), kPaper);
  // The pen and brush chosen after the save are gone with the restore.
  s->MoveToPoint(0, 15);
  s->LineToPoint(4, 15);
  EXPECT_EQ(At(*s, 0, 15), RGB(0, 0, 0));
  Finish(*s, "viewport");
}

TEST_F(CanvasContract, ManyToolsAndSavedStatesKeepTheirColours) {
  // More colours than a surface keeps tools for, while a state is saved and
  // after: a tool the saved state or the DC still selects must survive.
  auto s = NewSurface(24, 4);
  SetBrush(*s, kFill);
  SetPen(*s, kInk);
  const int saved = s->SaveState();
  for (int i = 0; i < 20; ++i) {
    SetBrush(*s, RGB(i * 10, 100, 0));
    s->FillRectangle(TRect{i, 0, i + 1, 1});
  }
  EXPECT_TRUE(s->RestoreState(saved));
  s->FillRectangle(TRect{0, 1, 24, 2});
  s->MoveToPoint(0, 2);
  s->LineToPoint(24, 2);
  for (int i = 0; i < 20; ++i) {
    SetPen(*s, RGB(0, i * 10, 100));
    s->MoveToPoint(i, 3);
    s->LineToPoint(i + 1, 3);
  }
  SetPen(*s, RGB(0, 0, 100));  // the first of them again, long since let go
  s->MoveToPoint(23, 3);
  s->LineToPoint(24, 3);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(At(*s, i, 0), RGB(i * 10, 100, 0)) << i;
    EXPECT_EQ(At(*s, i, 3), RGB(0, i * 10, 100)) << i;
  }
  EXPECT_EQ(At(*s, 23, 1), kFill);
  EXPECT_EQ(At(*s, 23, 2), kInk);
  EXPECT_EQ(At(*s, 23, 3), RGB(0, 0, 100));
  Finish(*s, "many-tools");
}

TEST_F(CanvasContract, PatternBrushesAlignToTheDeviceOrigin) {
  auto s = NewSurface(24, 24);
  BrushSpec checker;
  checker.style = BrushStyle::Pattern;
  for (int i = 0; i < 64; ++i) {
    const int x = i % 8;
    const int y = i / 8;
    checker.pattern[static_cast<std::size_t>(i)] = x < 3 && y < 2 ? kInk : (x + y) % 2 ? kFill : kPaper;
  }
  s->SetBrushSpec(checker);
  s->SetViewportOrigin(TPoint{3, 5});
  s->FillRectangle(TRect{0, 0, 17, 15});
  s->SetViewportOrigin(TPoint{0, 0});
  for (int y = 5; y < 20; ++y) {
    for (int x = 3; x < 20; ++x) {
      const TColor expected = checker.pattern[static_cast<std::size_t>((y % 8) * 8 + x % 8)];
      ASSERT_EQ(At(*s, x, y), expected) << x << "," << y;
    }
  }
  Finish(*s, "pattern");
}

TEST_F(CanvasContract, BlockCopiesStretchAndMirror) {
  auto src = NewSurface(4, 3);
  src->SetPixelAt(0, 0, kInk);
  src->SetPixelAt(3, 0, kFill);
  src->SetPixelAt(1, 2, kOther);
  auto s = NewSurface(40, 12);
  const TRect whole{0, 0, 4, 3};
  s->CopyFrom(TRect{0, 0, 4, 3}, *src, whole, RasterOp::SrcCopy, Mirror::None);
  s->CopyFrom(TRect{6, 0, 10, 3}, *src, whole, RasterOp::SrcCopy, Mirror::Horizontal);
  s->CopyFrom(TRect{12, 0, 16, 3}, *src, whole, RasterOp::SrcCopy, Mirror::Vertical);
  s->CopyFrom(TRect{18, 0, 22, 3}, *src, whole, RasterOp::SrcCopy, Mirror::Both);
  s->CopyFrom(TRect{0, 4, 8, 10}, *src, whole, RasterOp::SrcCopy, Mirror::None);
  s->CopyFrom(TRect{10, 4, 18, 10}, *src, whole, RasterOp::SrcCopy, Mirror::Horizontal);
  EXPECT_EQ(Art(*s, TRect{0, 0, 22, 3}),
            "#..o..o..#...?......?.\n"
            "......................\n"
            ".?......?...#..o..o..#\n");
  EXPECT_EQ(Art(*s, TRect{0, 4, 18, 10}),
            "##....oo..oo....##\n"
            "##....oo..oo....##\n"
            "..................\n"
            "..................\n"
            "..??..........??..\n"
            "..??..........??..\n");
  // Within one surface, overlapping.
  s->CopyFrom(TRect{1, 0, 23, 3}, *s, TRect{0, 0, 22, 3}, RasterOp::SrcCopy, Mirror::None);
  EXPECT_EQ(At(*s, 1, 0), kInk);
  EXPECT_EQ(At(*s, 2, 0), kPaper);
  Finish(*s, "copies");
}

TEST_F(CanvasContract, UnevenStretchesAndRasterOperations) {
  // A source with a distinct colour in every column and row.
  auto src = NewSurface(7, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x) src->SetPixelAt(x, y, RGB(30 * x, 40 * y, 255 - 30 * x));
  }
  auto s = NewSurface(48, 24);
  const TRect whole{0, 0, 7, 5};
  // Enlargements only: how GDI picks pixels when it shrinks is not the same
  // on Windows and Wine, and nothing here shrinks.
  s->CopyFrom(TRect{0, 0, 10, 7}, *src, whole, RasterOp::SrcCopy, Mirror::None);
  s->CopyFrom(TRect{12, 0, 23, 9}, *src, whole, RasterOp::SrcCopy, Mirror::Both);
  s->CopyFrom(TRect{25, 0, 34, 8}, *src, whole, RasterOp::SrcCopy, Mirror::Horizontal);
  s->CopyFrom(TRect{36, 0, 43, 5}, *src, whole, RasterOp::SrcCopy, Mirror::Vertical);
  // Each operation on a half-filled background.
  SetBrush(*s, RGB(0x0F, 0xF0, 0x33));
  s->FillRectangle(TRect{0, 12, 48, 18});
  const RasterOp ops[] = {RasterOp::SrcAnd, RasterOp::SrcPaint, RasterOp::SrcInvert,
                          RasterOp::NotSrcCopy};
  int x = 0;
  for (RasterOp op : ops) {
    s->CopyFrom(TRect{x, 14, x + 7, 19}, *src, whole, op, Mirror::None);
    x += 9;
  }
  // Destination pixel i takes source pixel ((2i + 1) * sw) / (2 * dw),
  // counted from the far side when mirrored.
  const auto pick = [](int i, int sw, int dw) { return ((2 * i + 1) * sw) / (2 * dw); };
  for (int i = 0; i < 10; ++i) {
    for (int j = 0; j < 7; ++j) {
      ASSERT_EQ(At(*s, i, j), At(*src, pick(i, 7, 10), pick(j, 5, 7))) << i << "," << j;
    }
  }
  for (int i = 0; i < 11; ++i) {
    for (int j = 0; j < 9; ++j) {
      ASSERT_EQ(At(*s, 12 + i, j), At(*src, 6 - pick(i, 7, 11), 4 - pick(j, 5, 9)))
          << i << "," << j;
    }
  }
  EXPECT_EQ(At(*s, 25, 0), At(*src, 6, 0));
  EXPECT_EQ(At(*s, 33, 7), At(*src, 0, 4));
  EXPECT_EQ(At(*s, 36, 0), At(*src, 0, 4));
  EXPECT_EQ(At(*s, 42, 4), At(*src, 6, 0));
  const TColor back = RGB(0x0F, 0xF0, 0x33);
  const TColor source = At(*src, 2, 1);
  EXPECT_EQ(At(*s, 2, 15), back & source);
  EXPECT_EQ(At(*s, 11, 15), back | source);
  EXPECT_EQ(At(*s, 20, 15), back ^ source);
  EXPECT_EQ(At(*s, 29, 15), ~source & 0xFFFFFF);
  Finish(*s, "stretches");
}

TEST_F(CanvasContract, MonochromeConversionsUseTheBackgroundAndTextColours) {
  auto colour = NewSurface(6, 2);
  SetBrush(*colour, kInk);
  colour->FillRectangle(TRect{0, 0, 3, 1});
  colour->SetPixelAt(4, 1, kFill);
  colour->SetBackgroundRgb(kInk);
  auto mask = NewSurface(6, 2, RGB(0, 0, 0), true);
  mask->CopyFrom(TRect{0, 0, 6, 2}, *colour, TRect{0, 0, 6, 2}, RasterOp::SrcCopy, Mirror::None);
  EXPECT_EQ(At(*mask, 0, 0), RGB(255, 255, 255));
  EXPECT_EQ(At(*mask, 3, 0), RGB(0, 0, 0));
  EXPECT_EQ(At(*mask, 4, 1), RGB(0, 0, 0));

  auto back = NewSurface(6, 2);
  back->SetTextColorRgb(kOther);
  back->SetBackgroundRgb(kFill);
  back->CopyFrom(TRect{0, 0, 6, 2}, *mask, TRect{0, 0, 6, 2}, RasterOp::SrcCopy, Mirror::None);
  EXPECT_EQ(At(*back, 0, 0), kFill);
  EXPECT_EQ(At(*back, 5, 1), kOther);
  Finish(*mask, "mono-mask");
  Finish(*back, "mono-back");
}

TEST_F(CanvasContract, TransparentAndMaskedCopiesKeepKeyedPixels) {
  auto src = NewSurface(4, 4);
  SetBrush(*src, kInk);
  src->FillRectangle(TRect{1, 1, 3, 3});
  src->SetPixelAt(0, 3, kFill);
  auto s = NewSurface(24, 8, kOther);
  s->CopyTransparent(TRect{0, 0, 4, 4}, *src, TRect{0, 0, 4, 4}, kPaper);
  s->CopyTransparent(TRect{6, 0, 14, 8}, *src, TRect{0, 0, 4, 4}, kPaper);
  EXPECT_EQ(At(*s, 0, 0), kOther);
  EXPECT_EQ(At(*s, 1, 1), kInk);
  EXPECT_EQ(At(*s, 0, 3), kFill);
  EXPECT_EQ(At(*s, 8, 2), kInk);
  EXPECT_EQ(At(*s, 7, 7), kFill);
  EXPECT_EQ(At(*s, 13, 7), kOther);

  // A mask made from the paper colour: white where the source is paper.
  src->SetBackgroundRgb(kPaper);
  auto mask = NewSurface(4, 4, RGB(0, 0, 0), true);
  mask->CopyFrom(TRect{0, 0, 4, 4}, *src, TRect{0, 0, 4, 4}, RasterOp::SrcCopy, Mirror::None);
  s->CopyMasked(TRect{16, 0, 20, 4}, *src, TRect{0, 0, 4, 4}, *mask);
  s->CopyMasked(TRect{16, 4, 24, 8}, *src, TRect{0, 0, 4, 4}, *mask);
  EXPECT_EQ(At(*s, 16, 0), kOther);
  EXPECT_EQ(At(*s, 17, 1), kInk);
  EXPECT_EQ(At(*s, 16, 3), kFill);
  EXPECT_EQ(At(*s, 19, 5), kInk);
  EXPECT_EQ(At(*s, 16, 4), kOther);
  Finish(*s, "transparent");
}

TEST_F(CanvasContract, IconsDrawThroughTheirMask) {
  auto color = NewSurface(16, 16, kFill);
  SetBrush(*color, kInk);
  color->FillRectangle(TRect{0, 0, 8, 16});
  auto mask = NewSurface(16, 16, RGB(0, 0, 0), true);
  SetBrush(*mask, RGB(255, 255, 255));
  mask->FillRectangle(TRect{0, 0, 16, 4});  // the top rows are transparent
  auto icon = platform_->painting().CreateIcon(*color, *mask);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->IconWidth(), 16);
  EXPECT_EQ(icon->IconHeight(), 16);
  auto s = NewSurface(40, 20, kOther);
  icon->DrawOn(*s, 2, 2);
  auto copy = icon->Clone();
  ASSERT_NE(copy, nullptr);
  icon.reset();
  copy->DrawOn(*s, 22, 2);
  for (int x : {2, 22}) {
    EXPECT_EQ(At(*s, x, 2), kOther);
    EXPECT_EQ(At(*s, x + 15, 5), kOther);
    EXPECT_EQ(At(*s, x, 6), kInk);
    EXPECT_EQ(At(*s, x + 15, 17), kFill);
    EXPECT_EQ(At(*s, x + 16, 17), kOther);
  }
  Finish(*s, "icons");

  auto own = platform_->painting().LoadApplicationIcon();
  ASSERT_NE(own, nullptr);
  EXPECT_GT(own->IconWidth(), 0);
  EXPECT_GT(own->IconHeight(), 0);
}

}  // namespace
}  // namespace tandrel::contract
