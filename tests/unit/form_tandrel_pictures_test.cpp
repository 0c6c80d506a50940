// The main window's own pictures: three 32 x 32 button images and two
// 16 x 16 pane images with transparent surroundings, the buttons wired to the
// right ones, and the update and screen-off glyph strips whose second
// (disabled) picture is grey. The Start button shows its green picture.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Color.h"
#include "unit/support/FormTandrelFixture.h"

namespace tandrel::testing {
namespace {

constexpr TColor kBackground = 0x00FFFF;  // yellow: in none of the pictures

using FormTandrelPictures = FormTandrelFixture;

int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
bool Grey(TColor c) { return RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c); }

// The image drawn over the background, as pixels row by row.
std::vector<TColor> Drawn(const TImageList& list, int index) {
  TBitmap canvas(list.Width(), list.Height());
  canvas.Canvas().Brush.SetColor(kBackground);
  canvas.Canvas().FillRect(TRect{0, 0, list.Width(), list.Height()});
  list.Draw(canvas.Canvas(), 0, 0, index);
  std::vector<TColor> pixels;
  for (int y = 0; y < list.Height(); ++y) {
    for (int x = 0; x < list.Width(); ++x) pixels.push_back(canvas.Canvas().Pixels(x, y));
  }
  return pixels;
}

void ExpectClearPictures(const TImageList& list, int count, int size) {
  ASSERT_EQ(list.Width(), size);
  ASSERT_EQ(list.Height(), size);
  ASSERT_EQ(list.Count(), count);
  std::set<std::vector<TColor>> distinct;
  for (int i = 0; i < count; ++i) {
    const std::vector<TColor> pixels = Drawn(list, i);
    distinct.insert(pixels);
    // Corners show what lies below; a good part of the cell is picture.
    for (int corner : {0, size - 1, size * (size - 1), size * size - 1}) {
      EXPECT_EQ(pixels[corner], kBackground) << "image " << i << " corner " << corner;
    }
    int covered = 0;
    for (TColor c : pixels) covered += c != kBackground ? 1 : 0;
    EXPECT_GT(covered, size * size / 6) << "image " << i;
    EXPECT_LT(covered, size * size * 9 / 10) << "image " << i;
  }
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(count));
}

TEST_F(FormTandrelPictures, ImageListsHoldClearDistinctPictures) {
  TFormTandrel& form = Create();
  ExpectClearPictures(*form.ImageList1, 3, 32);
  ExpectClearPictures(*form.ImageList2, 2, 16);
}

TEST_F(FormTandrelPictures, ButtonsShowTheirImagesOfTheFirstList) {
  TFormTandrel& form = Create();
  EXPECT_EQ(form.BTNAtOnce->Images(), form.ImageList1);
  EXPECT_EQ(form.BTNStart->Images(), form.ImageList1);
  EXPECT_EQ(form.BTNStop->Images(), form.ImageList1);
  EXPECT_EQ(form.BTNAtOnce->ImageIndex(), 0);
  EXPECT_EQ(form.BTNStart->ImageIndex(), 1);
  EXPECT_EQ(form.BTNStop->ImageIndex(), 2);
}

TEST_F(FormTandrelPictures, GlyphStripsHoldANormalAndAGreyDisabledPicture) {
  TFormTandrel& form = Create();
  // Every button of both windows carries a strip; two draw it, with an
  // image index that no image list backs.
  EXPECT_EQ(form.BTNUpdate->ImageIndex(), 18);
  EXPECT_EQ(form.BTNCloseScreen->ImageIndex(), 18);
  EXPECT_EQ(FormWarn->BTNCancel->ImageIndex(), 1);
  EXPECT_EQ(FormWarn->BTNCancel->Images(), nullptr);
  for (TVmBitBtn* button : {form.BTNUpdate, form.BTNCloseScreen, form.BTNStart, form.BTNStop, form.BTNAtOnce,
                            FormWarn->BTNCancel}) {
    SCOPED_TRACE(button->Name());
    const TBitmap& glyph = button->Glyph();
    ASSERT_EQ(glyph.Width(), 32);
    ASSERT_EQ(glyph.Height(), 16);
    EXPECT_EQ(button->NumGlyphs(), 2);
    const TColor transparent = glyph.TransparentColor();
    int colourful = 0, normalCovered = 0, disabledCovered = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 32; ++x) {
        const TColor c = glyph.Canvas().Pixels(x, y);
        if (c == transparent) continue;
        if (x < 16) {
          ++normalCovered;
          colourful += Grey(c) ? 0 : 1;
        } else {
          ++disabledCovered;
          EXPECT_TRUE(Grey(c)) << "disabled pixel " << x << "," << y;
        }
      }
    }
    EXPECT_GT(normalCovered, 40);
    EXPECT_GT(disabledCovered, 40);
    EXPECT_GT(colourful, 10);
    EXPECT_EQ(glyph.Canvas().Pixels(0, 0), transparent);
  }
}

TEST_F(FormTandrelPictures, StartButtonShowsItsGreenPicture) {
  TFormTandrel& form = CreateAndShow();
  std::unique_ptr<platform::Surface> picture = windows().Render(form.BTNStart->Handle());
  int green = 0;
  for (int y = 0; y < picture->SurfaceHeight(); ++y) {
    for (int x = 0; x < picture->SurfaceWidth(); ++x) {
      const TColor c = picture->GetPixelAt(x, y);
      green += GreenOf(c) > RedOf(c) + 60 && GreenOf(c) > BlueOf(c) + 60 ? 1 : 0;
    }
  }
  EXPECT_GT(green, 100);
}

TEST_F(FormTandrelPictures, TheWarningWindowsCancelShowsItsRedPicture) {
  CreateAndShow();
  FormWarn->Show();
  std::unique_ptr<platform::Surface> picture = windows().Render(FormWarn->BTNCancel->Handle());
  int red = 0;
  for (int y = 0; y < picture->SurfaceHeight(); ++y) {
    for (int x = 0; x < 30; ++x) {
      const TColor c = picture->GetPixelAt(x, y);
      red += RedOf(c) > GreenOf(c) + 100 && RedOf(c) > BlueOf(c) + 100 ? 1 : 0;
    }
  }
  EXPECT_GT(red, 60);
}

}  // namespace
}  // namespace tandrel::testing
