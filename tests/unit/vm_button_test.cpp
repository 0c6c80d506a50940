// Bitmap buttons on the headless platform: programmatic clicks whatever the
// state, clicks by mouse and Space with press tracking, the hot-track look
// while hovered and pressed, glyph strips and layout properties.
#include <gtest/gtest.h>

#include "framework/Color.h"
#include "framework/Form.h"
#include "support/HeadlessApp.h"
#include "framework/ImageList.h"
#include "widgets/VmButton.h"
#include "widgets/VmEdit.h"
#include "widgets/VmColors.h"

namespace tandrel {
namespace {

using platform::MouseButton;

class BitmapButtons : public ::testing::Test {
 protected:
  BitmapButtons() {
    env_.app().CreateForm(form_);
    form_->SetClientSize(300, 200);
    start_ = new TVmBitBtn(form_);
    start_->SetBounds(20, 20, 111, 33);
    start_->SetCaption("开始");
    start_->SetHotTrack(true);
    start_->SetColor(14542566);
    start_->SetHotTrackColor(3983359);
    start_->SetParent(form_);
    start_->OnClick = TNotifyEvent([this](TObject*) { ++clicks_; });
    other_ = new TVmBitBtn(form_);
    other_->SetBounds(150, 20, 75, 25);
    other_->SetParent(form_);
    form_->Show();
    other_->SetFocus();
  }

  TPoint At(TControl* c, int dx = 10, int dy = 10) { return c->ClientToScreen(TPoint{dx, dy}); }
  TPoint Outside() { return form_->ClientToScreen(TPoint{290, 190}); }
  TColor Pixel(int x, int y) { return env_.windows().Render(start_->Handle())->GetPixelAt(x, y); }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TVmBitBtn* start_;
  TVmBitBtn* other_;
  int clicks_ = 0;
};

TEST_F(BitmapButtons, ProgrammaticClickRunsWhateverTheStateAndSetsTheModalResult) {
  start_->SetModalResult(6);
  start_->Hide();
  start_->SetEnabled(false);
  start_->Click();
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(form_->ModalResult(), 6);
}

TEST_F(BitmapButtons, PressAndReleaseInsideClicksOnce) {
  auto& w = env_.windows();
  w.MouseMove(At(start_));
  EXPECT_TRUE(start_->MouseOver());
  w.MouseDown(MouseButton::Left, At(start_));
  EXPECT_TRUE(start_->ShowPressed());
  EXPECT_EQ(w.GetFocus(), start_->Handle());
  EXPECT_EQ(clicks_, 0);
  w.MouseUp(MouseButton::Left, At(start_));
  EXPECT_FALSE(start_->ShowPressed());
  EXPECT_EQ(clicks_, 1);
}

TEST_F(BitmapButtons, DraggingOutCancelsAndComingBackRestores) {
  auto& w = env_.windows();
  w.MouseDown(MouseButton::Left, At(start_));
  w.MouseMove(Outside());
  EXPECT_FALSE(start_->ShowPressed());
  EXPECT_FALSE(start_->MouseOver());
  w.MouseUp(MouseButton::Left, Outside());
  EXPECT_EQ(clicks_, 0);

  w.MouseDown(MouseButton::Left, At(start_));
  w.MouseMove(Outside());
  w.MouseMove(At(start_, 30, 12));
  EXPECT_TRUE(start_->ShowPressed());
  w.MouseUp(MouseButton::Left, At(start_, 30, 12));
  EXPECT_EQ(clicks_, 1);
}

TEST_F(BitmapButtons, ADisabledButtonIgnoresTheMouse) {
  start_->SetEnabled(false);
  env_.windows().MouseDown(MouseButton::Left, At(start_));
  env_.windows().MouseUp(MouseButton::Left, At(start_));
  EXPECT_EQ(clicks_, 0);
  EXPECT_FALSE(start_->ShowPressed());
}

TEST_F(BitmapButtons, SpaceClicksOnReleaseAndLosingFocusCancels) {
  auto& w = env_.windows();
  start_->SetFocus();
  w.KeyDown(platform::vk::kSpace);
  EXPECT_TRUE(start_->ShowPressed());
  w.KeyUp(platform::vk::kSpace);
  EXPECT_EQ(clicks_, 1);
  EXPECT_FALSE(start_->ShowPressed());

  w.KeyDown(platform::vk::kSpace);
  other_->SetFocus();
  EXPECT_FALSE(start_->ShowPressed());
  start_->SetFocus();
  w.KeyUp(platform::vk::kSpace);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(BitmapButtons, EnterClicksTheFocusedButtonAndEscapeOnlyACancelButton) {
  auto& w = env_.windows();
  start_->SetFocus();
  EXPECT_TRUE(start_->ShowsDefault());
  EXPECT_FALSE(other_->ShowsDefault());
  w.KeyPress(platform::vk::kReturn);
  EXPECT_EQ(clicks_, 1);
  w.KeyPress(platform::vk::kEscape);
  EXPECT_EQ(clicks_, 1);
  start_->SetCancel(true);
  w.KeyPress(platform::vk::kEscape);
  EXPECT_EQ(clicks_, 2);
  w.KeyPress(platform::vk::kReturn, platform::shift::kCtrl);
  EXPECT_EQ(clicks_, 2);
}

TEST_F(BitmapButtons, EnterInAnotherControlClicksTheDefaultButton) {
  auto* edit = new TVmEdit(form_);
  edit->SetBounds(20, 100, 65, 21);
  edit->SetParent(form_);
  int otherClicks = 0;
  other_->OnClick = TNotifyEvent([&](TObject*) { ++otherClicks; });
  other_->SetDefault(true);
  edit->SetFocus();
  EXPECT_TRUE(other_->ShowsDefault());
  EXPECT_FALSE(start_->ShowsDefault());
  env_.windows().KeyPress(platform::vk::kReturn);
  EXPECT_EQ(otherClicks, 1);
  EXPECT_EQ(clicks_, 0);
  // While another push button has the focus, that one takes Enter.
  start_->SetFocus();
  EXPECT_FALSE(other_->ShowsDefault());
  env_.windows().KeyPress(platform::vk::kReturn);
  EXPECT_EQ(otherClicks, 1);
  EXPECT_EQ(clicks_, 1);
  // Back in the edit, the default button has the ring and Enter again.
  edit->SetFocus();
  EXPECT_TRUE(other_->ShowsDefault());
  EXPECT_FALSE(start_->ShowsDefault());
  env_.windows().KeyPress(platform::vk::kReturn);
  EXPECT_EQ(otherClicks, 2);
  EXPECT_EQ(clicks_, 1);
}

TEST_F(BitmapButtons, TheHotRingShowsWhileHoveredAndThePressedFaceIsFlatAndDarker) {
  const int bottomRing = start_->Height() - 3;  // face area ends 2 pixels inside
  const int middle = start_->Width() / 2;
  EXPECT_NE(Pixel(middle, bottomRing), ColorToRGB(3983359));
  env_.windows().MouseMove(At(start_));
  EXPECT_EQ(Pixel(middle, bottomRing), ColorToRGB(3983359));

  env_.windows().MouseDown(MouseButton::Left, At(start_));
  const TColor pressed = ColorToRGB(ShadeDarker(14542566, 10));
  EXPECT_EQ(Pixel(4, start_->Height() / 2), pressed);
  EXPECT_EQ(Pixel(middle, bottomRing), pressed);
  env_.windows().MouseUp(MouseButton::Left, At(start_));
  EXPECT_NE(Pixel(4, start_->Height() / 2), pressed);
}

TEST_F(BitmapButtons, TheGlyphShapeSetsTheNumberOfImages) {
  auto glyph = [&](int width, int height) {
    TBitmap strip(width, height);
    start_->SetGlyph(strip);
    return start_->NumGlyphs();
  };
  EXPECT_EQ(glyph(32, 16), 2);
  EXPECT_EQ(glyph(48, 16), 3);
  EXPECT_EQ(glyph(40, 16), 3);  // not a whole multiple: unchanged
  EXPECT_EQ(glyph(80, 16), 1);  // five images are more than a strip holds
  EXPECT_EQ(glyph(16, 16), 1);
}

TEST_F(BitmapButtons, TheStripPictureIsDrawnLeftOfTheCaption) {
  // Two 16 x 16 images: red (up) and blue (disabled), with a white corner
  // at the bottom left that is the transparent colour.
  TBitmap strip(32, 16);
  TCanvas& c = strip.Canvas();
  c.Brush.SetColor(clRed);
  c.FillRect(TRect{0, 0, 16, 16});
  c.Brush.SetColor(clBlue);
  c.FillRect(TRect{16, 0, 32, 16});
  c.SetPixels(0, 15, clWhite);
  start_->SetGlyph(strip);
  // Caption area starts 5 inside; the picture Margin (2) further; centred vertically.
  const int left = 5 + 2;
  const int top = 5 + (start_->Height() - 10 - 16 + 1) / 2;
  EXPECT_EQ(Pixel(left + 8, top + 8), clRed);
  EXPECT_NE(Pixel(left, top + 15), clWhite);
  start_->SetEnabled(false);
  EXPECT_EQ(Pixel(left + 8, top + 8), clBlue);
}

TEST_F(BitmapButtons, AnImageListPictureWinsOverTheGlyphStrip) {
  TBitmap strip(32, 16);
  strip.Canvas().Brush.SetColor(clRed);
  strip.Canvas().FillRect(TRect{0, 0, 32, 16});
  strip.Canvas().SetPixels(0, 15, clWhite);  // the transparent colour
  start_->SetGlyph(strip);
  auto* images = new TImageList(form_, 16, 16);
  TBitmap cell(16, 16);
  cell.Canvas().Brush.SetColor(clBlue);
  cell.Canvas().FillRect(TRect{0, 0, 16, 16});
  images->Add(cell, nullptr);
  start_->SetImages(images);
  start_->SetImageIndex(0);
  const int left = 5 + 2;
  const int top = 5 + (start_->Height() - 10 - 16 + 1) / 2;
  EXPECT_EQ(Pixel(left + 8, top + 8), clBlue);
  // The list going away leaves the strip.
  delete images;
  EXPECT_EQ(start_->Images(), nullptr);
  EXPECT_EQ(Pixel(left + 8, top + 8), clRed);
}

TEST_F(BitmapButtons, MarginBelowMinusOneIsRefused) {
  start_->SetMargin(-2);
  EXPECT_EQ(start_->Margin(), 2);
  start_->SetMargin(-1);
  EXPECT_EQ(start_->Margin(), -1);
}

TEST_F(BitmapButtons, TheCaptionIsTheWindowText) {
  EXPECT_EQ(env_.windows().GetText(start_->Handle()), "开始");
  start_->SetCaption("停止");
  EXPECT_EQ(env_.windows().GetText(start_->Handle()), "停止");
}

TEST_F(BitmapButtons, GroupedButtonsStayDownOneAtATime) {
  start_->SetGroupIndex(1);
  other_->SetGroupIndex(1);
  env_.windows().ClickWindow(start_->Handle());
  EXPECT_TRUE(start_->Down());
  EXPECT_EQ(clicks_, 1);
  other_->SetDown(true);
  EXPECT_FALSE(start_->Down());
  // Without AllowAllUp a down button cannot be raised again.
  other_->SetDown(false);
  EXPECT_TRUE(other_->Down());
  other_->SetAllowAllUp(true);
  other_->SetDown(false);
  EXPECT_FALSE(other_->Down());
}

}  // namespace
}  // namespace tandrel
