// TBitmap: size and emptiness, resizing, monochrome conversion, the
// transparent-colour rule, change notification, Assign, reading .bmp data;
// TFont's size conversions and notifications.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel {
namespace {

constexpr TColor kInk = RGB(180, 20, 20);

class BitmapTest : public testing::Test {
 protected:
  void SetUp() override { platform::Install(&platform_); }
  void TearDown() override { platform::Install(nullptr); }
  platform::HeadlessPlatform platform_;
};

TEST_F(BitmapTest, SizeEmptinessAndResizingKeepTheSharedPixels) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  EXPECT_FALSE(b.Canvas().HandleAllocated());
  b.SetWidth(16);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Width(), 16);
  b.SetHeight(8);
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(b.Canvas().Pixels(15, 7), clWhite);
  b.Canvas().SetPixels(3, 3, kInk);
  b.SetSize(4, 20);
  EXPECT_EQ(b.Canvas().Pixels(3, 3), kInk);
  EXPECT_EQ(b.Canvas().Pixels(3, 19), clWhite);
  EXPECT_EQ(b.Canvas().Pixels(4, 3), clNone);
  b.SetSize(0, 20);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Canvas().Pixels(0, 0), clNone);
}

TEST_F(BitmapTest, OnChangeFiresForRealChangesAndCanvasDrawing) {
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &b);
    ++changes;
  };
  b.SetSize(4, 4);
  b.SetSize(4, 4);
  EXPECT_EQ(changes, 1);
  b.Canvas().FillRect(TRect{0, 0, 2, 2});
  EXPECT_EQ(changes, 2);
  b.SetTransparentColor(kInk);
  b.SetTransparentColor(kInk);
  b.SetTransparent(true);
  EXPECT_EQ(changes, 4);
  b.SetMonochrome(true);
  EXPECT_EQ(changes, 5);
}

TEST_F(BitmapTest, TransparentColourIsTheSetOneElseWhiteForMonochromeElseBottomLeft) {
  TBitmap b(3, 3);
  b.Canvas().SetPixels(0, 2, kInk);
  b.Canvas().SetPixels(0, 0, clBlue);
  EXPECT_EQ(b.TransparentMode(), tmAuto);
  EXPECT_EQ(b.TransparentColor(), kInk);
  b.Canvas().SetViewportOrigin(TPoint{1, 1});  // the rule reads device pixels
  b.Canvas().ExcludeClipRect(TRect{-1, -1, 5, 5});
  EXPECT_EQ(b.TransparentColor(), kInk);
  EXPECT_EQ(b.Canvas().ViewportOrigin(), (TPoint{1, 1}));

  b.SetTransparentColor(clBtnFace);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  EXPECT_EQ(b.TransparentColor(), RGB(212, 208, 200));
  b.SetTransparentMode(tmAuto);
  EXPECT_EQ(b.TransparentColor(), kInk);
  b.SetTransparentMode(tmFixed);  // freezes the current colour
  b.Canvas().RemoveClipRegion();
  b.Canvas().SetViewportOrigin(TPoint{0, 0});
  b.Canvas().SetPixels(0, 2, clBlue);
  EXPECT_EQ(b.TransparentColor(), kInk);

  TBitmap mono(2, 2, true);
  mono.Canvas().SetPixels(0, 1, clBlack);
  EXPECT_EQ(mono.TransparentColor(), clWhite);
}

TEST_F(BitmapTest, MonochromeConversionKeepsWhiteAndBlackensEverythingElse) {
  TBitmap b(3, 1);
  b.Canvas().SetPixels(0, 0, kInk);
  b.Canvas().SetPixels(1, 0, RGB(250, 250, 250));
  b.SetMonochrome(true);
  EXPECT_TRUE(b.Monochrome());
  EXPECT_EQ(b.Canvas().Pixels(0, 0), clBlack);
  EXPECT_EQ(b.Canvas().Pixels(1, 0), clBlack);
  EXPECT_EQ(b.Canvas().Pixels(2, 0), clWhite);
  b.SetMonochrome(false);
  EXPECT_EQ(b.Canvas().Pixels(0, 0), clBlack);
  EXPECT_EQ(b.Canvas().Pixels(2, 0), clWhite);
}

TEST_F(BitmapTest, AssignCopiesPixelsFormatAndTransparency) {
  TBitmap a(2, 3);
  a.Canvas().SetPixels(1, 2, kInk);
  a.SetTransparent(true);
  a.SetTransparentColor(clBlue);
  a.Canvas().SetViewportOrigin(TPoint{1, 0});
  TBitmap b(5, 5, true);
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  b.Assign(a);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_FALSE(b.Monochrome());
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.TransparentColor(), clBlue);
  EXPECT_EQ(b.Canvas().Pixels(1, 2), kInk);
  EXPECT_EQ(b.Canvas().Pixels(0, 2), clWhite);
}

// A .bmp file image: header, info header, palette, rows padded to 4 bytes.
std::vector<std::uint8_t> MakeBmp(int width, int height, int bits,
                                  const std::vector<std::uint32_t>& palette,
                                  const std::vector<std::uint8_t>& rows) {
  std::vector<std::uint8_t> d;
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) d.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](std::uint16_t v) {
    d.push_back(static_cast<std::uint8_t>(v));
    d.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  const std::uint32_t offset = 14 + 40 + 4 * static_cast<std::uint32_t>(palette.size());
  d.push_back('B');
  d.push_back('M');
  put32(offset + static_cast<std::uint32_t>(rows.size()));
  put32(0);
  put32(offset);
  put32(40);
  put32(static_cast<std::uint32_t>(width));
  put32(static_cast<std::uint32_t>(height));
  put16(1);
  put16(static_cast<std::uint16_t>(bits));
  put32(0);
  put32(static_cast<std::uint32_t>(rows.size()));
  put32(2835);
  put32(2835);
  put32(static_cast<std::uint32_t>(palette.size()));
  put32(0);
  for (std::uint32_t c : palette) put32(c);  // 0x00RRGGBB as B, G, R, 0
  d.insert(d.end(), rows.begin(), rows.end());
  return d;
}

TEST_F(BitmapTest, LoadsTrueColourBottomUpRowsWithPadding) {
  // 3 x 2, 24 bits: rows of 9 bytes padded to 12; the first row stored is
  // the bottom one.
  const std::vector<std::uint8_t> rows = {
      0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0,        // bottom: red, green, blue
      255, 255, 255, 0, 0, 0, 20, 20, 180, 0, 0, 0};  // top: white, black, kInk
  TBitmap b;
  int changes = 0;
  b.OnChange = [&](TObject*) { ++changes; };
  ASSERT_TRUE(b.LoadFromBmp(MakeBmp(3, 2, 24, {}, rows)));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(b.Canvas().Pixels(0, 1), RGB(255, 0, 0));
  EXPECT_EQ(b.Canvas().Pixels(2, 1), RGB(0, 0, 255));
  EXPECT_EQ(b.Canvas().Pixels(2, 0), kInk);
  EXPECT_EQ(b.TransparentColor(), RGB(255, 0, 0));
}

TEST_F(BitmapTest, LoadsPalettedAndMonochromeImages) {
  // 8 bits, 2 x 1, palette of three colours.
  TBitmap p;
  ASSERT_TRUE(p.LoadFromBmp(MakeBmp(2, 1, 8, {0x000000FF, 0x0000FF00, 0x00FF0000},
                                    {2, 1, 0, 0})));
  EXPECT_EQ(p.Canvas().Pixels(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(p.Canvas().Pixels(1, 0), RGB(0, 255, 0));
  // 1 bit, black and white palette: a monochrome bitmap.
  TBitmap m;
  ASSERT_TRUE(m.LoadFromBmp(MakeBmp(9, 1, 1, {0x00000000, 0x00FFFFFF}, {0xA0, 0x80, 0, 0})));
  EXPECT_TRUE(m.Monochrome());
  EXPECT_EQ(m.Canvas().Pixels(0, 0), clWhite);
  EXPECT_EQ(m.Canvas().Pixels(1, 0), clBlack);
  EXPECT_EQ(m.Canvas().Pixels(2, 0), clWhite);
  EXPECT_EQ(m.Canvas().Pixels(8, 0), clWhite);
}

TEST_F(BitmapTest, DamagedBmpDataIsRefusedAndLeavesTheBitmapAlone) {
  TBitmap b(2, 2);
  b.Canvas().SetPixels(0, 0, kInk);
  auto good = MakeBmp(3, 2, 24, {}, std::vector<std::uint8_t>(24, 0));
  auto truncated = good;
  truncated.resize(truncated.size() - 1);
  EXPECT_FALSE(b.LoadFromBmp(truncated));
  auto hugeWidth = good;
  hugeWidth[18] = 0xFF;
  hugeWidth[19] = 0xFF;
  hugeWidth[20] = 0xFF;
  hugeWidth[21] = 0x7F;
  EXPECT_FALSE(b.LoadFromBmp(hugeWidth));
  auto compressed = good;
  compressed[30] = 1;  // RLE8
  EXPECT_FALSE(b.LoadFromBmp(compressed));
  EXPECT_FALSE(b.LoadFromBmp(std::vector<std::uint8_t>{'B', 'M'}));
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Canvas().Pixels(0, 0), kInk);
}

TEST(FontTest, SizeAndHeightConvertAt96DpiAndOnlyRealChangesNotify) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TObject*) { ++changes; };
  f.SetSize(9);
  EXPECT_EQ(f.Height(), -12);
  EXPECT_EQ(f.Size(), 9);
  f.SetHeight(-12);
  f.SetColor(f.Color());
  EXPECT_EQ(changes, 1);
  TFont g;
  g.SetName("宋体");
  g.SetBold(true);
  f.Assign(g);
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(SameFont(f, g));
  EXPECT_TRUE(f.PlatformFont().bold);
  EXPECT_EQ(f.PlatformFont().name, "宋体");
  f.Assign(g);
  EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace tandrel
