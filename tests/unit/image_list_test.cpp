// Image lists and icons: adding cells with masks or a mask colour, drawing
// enabled and engraved, icons from a list, change links and the notice when
// a list goes before its clients.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Icon.h"
#include "framework/ImageList.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RasterSurface.h"

namespace tandrel {
namespace {

constexpr TColor kInk = RGB(180, 20, 20);
constexpr TColor kKey = RGB(255, 0, 255);
constexpr TColor kPaper = RGB(0, 128, 0);

class ImageListTest : public testing::Test {
 protected:
  void SetUp() override { platform::Install(&platform_); }
  void TearDown() override { platform::Install(nullptr); }

  // A strip of `cells` 4 x 4 cells on the key colour; cell k has an ink
  // pixel at (k, k) and a white one at (3, 0).
  static void MakeStrip(TBitmap& strip, int cells) {
    strip.SetSize(4 * cells, 4);
    strip.Canvas().Brush.SetColor(kKey);
    strip.Canvas().FillRect(TRect{0, 0, 4 * cells, 4});
    for (int k = 0; k < cells; ++k) {
      strip.Canvas().SetPixels(4 * k + k, k, kInk);
      strip.Canvas().SetPixels(4 * k + 3, 0, clWhite);
    }
  }

  platform::HeadlessPlatform platform_;
};

TEST_F(ImageListTest, AddMaskedCutsCellsAndLeavesTheMaskColourOut) {
  TImageList list(nullptr, 4, 4);
  TBitmap strip;
  MakeStrip(strip, 3);
  EXPECT_EQ(list.AddMasked(strip, kKey), 0);
  EXPECT_EQ(list.Count(), 3);
  platform::RasterSurface s(12, 4, false, kPaper);
  TCanvas canvas(&s);
  list.Draw(canvas, 0, 0, 2);
  list.Draw(canvas, 4, 0, 7);   // outside the list: nothing
  list.Draw(canvas, 8, 0, -1);  // likewise
  EXPECT_EQ(s.RawPixel(2, 2), kInk);
  EXPECT_EQ(s.RawPixel(1, 1), kPaper);
  EXPECT_EQ(s.RawPixel(3, 0), clWhite);
  EXPECT_EQ(s.RawPixel(5, 1), kPaper);
  TBitmap one;
  EXPECT_TRUE(list.GetBitmap(1, one));
  EXPECT_EQ(one.Canvas().Pixels(1, 1), kInk);
  EXPECT_EQ(one.Canvas().Pixels(0, 0), clBlack);  // transparent comes out black
  EXPECT_FALSE(list.GetBitmap(3, one));
}

TEST_F(ImageListTest, AddWithoutAMaskIsOpaqueAndNarrowPicturesMakeOneCell) {
  TImageList list(nullptr, 4, 4);
  TBitmap narrow(2, 3);
  narrow.Canvas().SetPixels(0, 0, kInk);
  EXPECT_EQ(list.Add(narrow, nullptr), 0);
  EXPECT_EQ(list.Count(), 1);
  platform::RasterSurface s(4, 4, false, kPaper);
  TCanvas canvas(&s);
  list.Draw(canvas, 0, 0, 0);
  EXPECT_EQ(s.RawPixel(0, 0), kInk);
  EXPECT_EQ(s.RawPixel(1, 2), clWhite);  // the picture's own white, opaque
  EXPECT_EQ(s.RawPixel(2, 0), kPaper);   // beyond the picture
  EXPECT_EQ(s.RawPixel(0, 3), kPaper);
}

TEST_F(ImageListTest, DisabledImagesAreEngravedInHighlightAndShadow) {
  platform_.painting().SetSystemColor(20, RGB(250, 250, 250));
  platform_.painting().SetSystemColor(16, RGB(90, 90, 90));
  TImageList list(nullptr, 4, 4);
  TBitmap strip;
  MakeStrip(strip, 3);
  list.AddMasked(strip, kKey);
  platform::RasterSurface s(6, 6, false, kPaper);
  TCanvas canvas(&s);
  list.Draw(canvas, 0, 0, 1, false);
  EXPECT_EQ(s.RawPixel(1, 1), RGB(90, 90, 90));    // the ink, in shadow
  EXPECT_EQ(s.RawPixel(2, 2), RGB(250, 250, 250));  // its highlight, offset
  EXPECT_EQ(s.RawPixel(3, 0), kPaper);  // white pixels leave no mark
  EXPECT_EQ(s.RawPixel(0, 0), kPaper);  // nor do transparent ones
}

TEST_F(ImageListTest, IconsFromTheListKeepTheirTransparency) {
  TImageList list(nullptr, 4, 4);
  TBitmap strip;
  MakeStrip(strip, 2);
  list.AddMasked(strip, kKey);
  TIcon icon;
  EXPECT_FALSE(list.GetIcon(5, icon));
  EXPECT_TRUE(icon.Empty());
  ASSERT_TRUE(list.GetIcon(1, icon));
  EXPECT_EQ(icon.Width(), 4);
  TIcon copy;
  copy.Assign(icon);
  icon.Clear();
  platform::RasterSurface s(4, 4, false, kPaper);
  TCanvas canvas(&s);
  copy.Draw(canvas, 0, 0);
  EXPECT_EQ(s.RawPixel(1, 1), kInk);
  EXPECT_EQ(s.RawPixel(0, 0), kPaper);

  // Without a mask the bitmap's transparent colour (bottom-left) decides.
  TBitmap picture;
  MakeStrip(picture, 1);
  TIcon fromPicture;
  ASSERT_TRUE(fromPicture.CreateFrom(picture, nullptr));
  platform::RasterSurface t(4, 4, false, kPaper);
  TCanvas other(&t);
  fromPicture.Draw(other, 0, 0);
  EXPECT_EQ(t.RawPixel(0, 0), kInk);
  EXPECT_EQ(t.RawPixel(1, 1), kPaper);
  EXPECT_FALSE(fromPicture.CreateFrom(TBitmap(), nullptr));
}

TEST_F(ImageListTest, ChangeLinksHearOfChangesAndOfTheListGoing) {
  auto list = std::make_unique<TImageList>(nullptr, 4, 4);
  TChangeLink link;
  int changes = 0;
  int ends = 0;
  link.OnChange = [&](TCustomImageList& sender) {
    EXPECT_EQ(&sender, list.get());
    ++changes;
  };
  link.OnDestroy = [&](TCustomImageList& sender) {
    EXPECT_EQ(sender.Count(), 2);  // still whole
    ++ends;
  };
  list->RegisterChanges(link);
  EXPECT_EQ(link.Sender(), list.get());
  TBitmap strip;
  MakeStrip(strip, 2);
  list->AddMasked(strip, kKey);
  list->SetSize(4, 4);  // unchanged: no notice
  EXPECT_EQ(changes, 1);
  list.reset();
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(link.Sender(), nullptr);  // and the link may die safely later
}

TEST_F(ImageListTest, AnUnregisteredOrDestroyedLinkIsNotCalled) {
  TImageList list(nullptr, 4, 4);
  int calls = 0;
  {
    TChangeLink shortLived;
    shortLived.OnChange = [&](TCustomImageList&) { ++calls; };
    list.RegisterChanges(shortLived);
  }
  TChangeLink link;
  link.OnChange = [&](TCustomImageList&) { ++calls; };
  list.RegisterChanges(link);
  list.UnRegisterChanges(link);
  TBitmap strip;
  MakeStrip(strip, 1);
  list.AddMasked(strip, kKey);
  list.Clear();
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(list.Count(), 0);
}

TEST_F(ImageListTest, AnOwnedListIsFreedWithItsOwnerAndTellsItsLinks) {
  auto owner = std::make_unique<TComponent>(nullptr);
  auto* list = new TImageList(owner.get(), 16, 16);
  TChangeLink link;
  bool told = false;
  link.OnDestroy = [&](TCustomImageList&) { told = true; };
  list->RegisterChanges(link);
  owner.reset();
  EXPECT_TRUE(told);
  EXPECT_EQ(link.Sender(), nullptr);
}

}  // namespace
}  // namespace tandrel
