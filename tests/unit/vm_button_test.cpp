// Bitmap buttons on the headless platform: programmatic clicks whatever the
// state, clicks by mouse and Space with press tracking, the hot-track look
// while hovered and pressed, glyph strips and layout properties.
#include <gtest/gtest.h>

#include <functional>

#include "framework/Color.h"
#include "framework/Form.h"
#include "support/HeadlessApp.h"
#include "support/ScreenProbe.h"
#include "framework/ImageList.h"
#include "widgets/VmButton.h"
#include "widgets/VmEdit.h"
#include "widgets/VmColors.h"
#include "widgets/VmGradients.h"

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

// The shipped build has no C++ RTTI; the framework's own class identity
// finds buttons (default-button and group logic) and forms among controls.
TEST_F(BitmapButtons, ClassIdentityRecognisesDerivedClassesOnly) {
  TControl* button = start_;
  EXPECT_EQ(As<TVmButton>(button), start_);
  EXPECT_EQ(As<TWinControl>(button), start_);
  EXPECT_EQ(As<TCustomForm>(button), nullptr);
  EXPECT_EQ(As<TVmButton>(static_cast<TControl*>(form_)), nullptr);
  EXPECT_EQ(As<TCustomForm>(static_cast<TComponent*>(form_)), form_);
  EXPECT_EQ(As<TComponent>(static_cast<TObject*>(&form_->Font())), nullptr);
  EXPECT_EQ(As<TVmButton>(static_cast<TControl*>(nullptr)), nullptr);
}

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

TEST_F(BitmapButtons, TheFaceFollowsEveryStepOfMouseAndSpaceAtOnce) {
  auto& w = env_.windows();
  start_->SetFocus();
  testing::ScreenProbe screen(w, start_->Handle());
  const TPoint bottomRing{start_->Width() / 2, start_->Height() - 3};
  const TColor hot = ColorToRGB(3983359);
  const TColor pressed = ColorToRGB(ShadeDarker(14542566, 10));
  const TColor h = ColorsHardToTell(clHighlight, clBtnFace) ? ShadeDarker(clHighlight, 30) : clHighlight;
  const TColor focusRing = ColorToRGB(MixColors(h, ShadeLighter(14542566, 30), 160));
  struct Step {
    const char* what;
    std::function<void()> act;
    TColor ring;
    int clicks;
  };
  using platform::vk::kSpace;
  const Step steps[] = {
      {"hover", [&] { w.MouseMove(At(start_)); }, hot, 0},
      {"press", [&] { w.MouseDown(MouseButton::Left, At(start_)); }, pressed, 0},
      {"leave", [&] { w.MouseMove(Outside()); }, focusRing, 0},
      {"come back", [&] { w.MouseMove(At(start_)); }, pressed, 0},
      {"release", [&] { w.MouseUp(MouseButton::Left, At(start_)); }, hot, 1},
      {"away", [&] { w.MouseMove(Outside()); }, focusRing, 1},
      {"space down", [&] { w.KeyDown(kSpace); }, pressed, 1},
      {"escape (no cancel button)", [&] { w.KeyDown(platform::vk::kEscape); }, pressed, 1},
      {"space up", [&] { w.KeyUp(kSpace); }, focusRing, 2},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    screen.Step();
    EXPECT_EQ(screen.Pixel(bottomRing.x, bottomRing.y), step.ring);
    EXPECT_EQ(clicks_, step.clicks);
  }
}

TEST_F(BitmapButtons, RingsCornersFocusDotsAndTheDisabledLook) {
  form_->SetColor(RGB(0, 200, 0));  // what the erased corners show
  start_->SetFrameColor(RGB(200, 0, 0));
  const int r = start_->Width() - 1, b = start_->Height() - 1, mx = start_->Width() / 2, my = start_->Height() / 2;
  auto shot = env_.windows().Render(start_->Handle());
  const TColor dark = ColorToRGB(ShadeDarker(clBtnFace, 20)), light = ColorToRGB(ShadeLighter(clBtnFace, 20));
  // Outer ring: dark on the left and top, light on the right and bottom.
  EXPECT_EQ(shot->GetPixelAt(0, my), dark);
  EXPECT_EQ(shot->GetPixelAt(mx, 0), dark);
  EXPECT_EQ(shot->GetPixelAt(r, my), light);
  EXPECT_EQ(shot->GetPixelAt(mx, b), light);
  EXPECT_EQ(shot->GetPixelAt(1, 1), dark);
  EXPECT_EQ(shot->GetPixelAt(r - 1, b - 1), light);
  // The three outermost pixels of each corner show the parent.
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{0, 1}, TPoint{r, b}, TPoint{r - 1, b}, TPoint{r, 0}, TPoint{0, b}}) {
    EXPECT_EQ(shot->GetPixelAt(p.x, p.y), RGB(0, 200, 0)) << p.x << "," << p.y;
  }
  // Frame ring one pixel in, without its corner pixels.
  EXPECT_EQ(shot->GetPixelAt(1, my), RGB(200, 0, 0));
  EXPECT_EQ(shot->GetPixelAt(mx, b - 1), RGB(200, 0, 0));
  EXPECT_NE(shot->GetPixelAt(1, 1), RGB(200, 0, 0));
  // Unfocused: the plain face; no dots.
  EXPECT_EQ(shot->GetPixelAt(mx, b - 2), ColorToRGB(ShadeDarker(14542566, 30)));
  EXPECT_NE(shot->GetPixelAt(3, 4), clBlack);

  // The focused button: the highlight ring on the face and dots 3 pixels in.
  start_->SetHighlightColor(16026986);
  start_->SetFocus();
  shot = env_.windows().Render(start_->Handle());
  const TColor f = ShadeLighter(14542566, 30);
  EXPECT_EQ(shot->GetPixelAt(mx, b - 2), ColorToRGB(MixColors(16026986, f, 160)));
  EXPECT_EQ(shot->GetPixelAt(3, 4), clBlack);
  EXPECT_EQ(shot->GetPixelAt(4, 3), clBlack);
  EXPECT_NE(shot->GetPixelAt(3, 5), clBlack);
  // The Default button shows the ring while no push button has the focus.
  other_->SetHotTrack(true);
  other_->SetDefault(true);
  auto* edit = new TVmEdit(form_);
  edit->SetBounds(20, 100, 80, 21);
  edit->SetParent(form_);
  edit->SetFocus();
  auto def = env_.windows().Render(other_->Handle());
  EXPECT_EQ(def->GetPixelAt(other_->Width() / 2, other_->Height() - 3),
            ColorToRGB(MixColors(clHighlight, ShadeLighter(clBtnFace, 30), 160)));

  // Disabled: no outer ring, a lighter frame ring, a flat face.
  start_->SetEnabled(false);
  shot = env_.windows().Render(start_->Handle());
  EXPECT_EQ(shot->GetPixelAt(0, my), RGB(0, 200, 0));
  EXPECT_EQ(shot->GetPixelAt(mx, b), RGB(0, 200, 0));
  EXPECT_EQ(shot->GetPixelAt(1, my), ColorToRGB(ShadeDarker(14542566, 80)));
  EXPECT_EQ(shot->GetPixelAt(mx, b - 2), ColorToRGB(14542566));
  EXPECT_EQ(shot->GetPixelAt(mx, 2), ColorToRGB(14542566));
}

TEST_F(BitmapButtons, TheAcceleratorRunsTheClickAloneAsEnterDoes) {
  // A grouped button shows the difference: a press would toggle it down.
  start_->SetCaption("&Go");
  start_->SetGroupIndex(1);
  env_.windows().TypeChar(U'g', platform::shift::kAlt);
  EXPECT_EQ(clicks_, 1);
  EXPECT_FALSE(start_->Down());
  start_->SetEnabled(false);
  env_.windows().TypeChar(U'g', platform::shift::kAlt);
  EXPECT_EQ(clicks_, 1);
}

}  // namespace
}  // namespace tandrel
