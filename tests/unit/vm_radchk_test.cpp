// Check boxes and radio buttons driven from code and by scripted input on
// the headless platform: OnClick counts, sibling unchecking without events,
// press tracking, Space and Escape, read-only, BM_GETCHECK and window text.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/Color.h"
#include "support/HeadlessApp.h"
#include "support/ScreenProbe.h"
#include "widgets/VmColors.h"
#include "widgets/VmPanel.h"
#include "widgets/VmRadChk.h"

namespace tandrel {
namespace {

using platform::MouseButton;

class OptionControls : public ::testing::Test {
 protected:
  OptionControls() {
    env_.app().CreateForm(form_);
    form_->SetClientSize(400, 300);
    check_ = Add<TVmCheckBox>(form_, "check", 10, 10);
    group1_ = new TVmGroupBox(form_);
    group1_->SetBounds(10, 40, 300, 100);
    group1_->SetParent(form_);
    group2_ = new TVmGroupBox(form_);
    group2_->SetBounds(10, 150, 300, 100);
    group2_->SetParent(form_);
    r1_ = Add<TVmRadioButton>(group1_, "r1", 10, 20);
    r2_ = Add<TVmRadioButton>(group1_, "r2", 10, 40);
    r3_ = Add<TVmRadioButton>(group1_, "r3", 10, 60);
    other_ = Add<TVmRadioButton>(group2_, "other", 10, 20);
    form_->Show();
  }

  template <typename T>
  T* Add(TWinControl* parent, const std::string& name, int left, int top) {
    auto* c = new T(form_);
    c->SetName(name);
    c->SetBounds(left, top, 115, 17);
    c->SetCaption(name);
    c->SetParent(parent);
    c->OnClick = TNotifyEvent([this, name](TObject*) { ++clicks_[name]; });
    return c;
  }

  TPoint At(TControl* c, int dx = 5, int dy = 5) { return c->ClientToScreen(TPoint{dx, dy}); }
  TPoint Outside() { return form_->ClientToScreen(TPoint{390, 290}); }
  std::intptr_t GetCheck(TWinControl* c) { return env_.windows().Send(c->Handle(), kBmGetCheck, 0, 0); }
  void Click(TControl* c) {
    env_.windows().MouseDown(MouseButton::Left, At(c));
    env_.windows().MouseUp(MouseButton::Left, At(c));
  }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TVmCheckBox* check_;
  TVmGroupBox* group1_;
  TVmGroupBox* group2_;
  TVmRadioButton* r1_;
  TVmRadioButton* r2_;
  TVmRadioButton* r3_;
  TVmRadioButton* other_;
  std::map<std::string, int> clicks_;
};

TEST_F(OptionControls, CheckBoxStateFromCodeFiresOnClickOnlyWhenItChanges) {
  check_->SetState(cbUnchecked);
  EXPECT_EQ(clicks_["check"], 0);
  check_->SetChecked(true);
  EXPECT_EQ(clicks_["check"], 1);
  EXPECT_EQ(check_->State(), cbChecked);
  check_->SetChecked(true);
  EXPECT_EQ(clicks_["check"], 1);
  check_->SetState(cbGrayed);
  EXPECT_EQ(clicks_["check"], 2);
  EXPECT_FALSE(check_->Checked());
  // Checked := false on a grayed box makes it unchecked, with one event.
  check_->SetChecked(false);
  EXPECT_EQ(check_->State(), cbUnchecked);
  EXPECT_EQ(clicks_["check"], 3);
  check_->SetChecked(false);
  EXPECT_EQ(clicks_["check"], 3);
}

TEST_F(OptionControls, TheyAnswerBmGetCheckAndKeepTheCaptionAsWindowText) {
  EXPECT_EQ(GetCheck(check_), 0);
  check_->SetChecked(true);
  EXPECT_EQ(GetCheck(check_), 1);
  check_->SetState(cbGrayed);
  EXPECT_EQ(GetCheck(check_), 2);
  EXPECT_EQ(GetCheck(r2_), 0);
  r2_->SetChecked(true);
  EXPECT_EQ(GetCheck(r2_), 1);
  r1_->SetChecked(true);
  EXPECT_EQ(GetCheck(r2_), 0);
  EXPECT_EQ(GetCheck(r1_), 1);

  EXPECT_EQ(env_.windows().GetText(check_->Handle()), "check");
  check_->SetCaption("30秒提醒");
  EXPECT_EQ(env_.windows().GetText(check_->Handle()), "30秒提醒");
}

TEST_F(OptionControls, CheckingARadioButtonUnchecksItsSiblingsWithoutFiringThem) {
  other_->SetChecked(true);
  clicks_.clear();
  r1_->SetChecked(true);
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r1", 1}}));
  EXPECT_TRUE(r1_->TabStop());

  r2_->SetChecked(true);
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r1", 1}, {"r2", 1}}));
  EXPECT_FALSE(r1_->Checked());
  EXPECT_FALSE(r1_->TabStop());
  EXPECT_TRUE(r2_->Checked());
  EXPECT_FALSE(r3_->Checked());
  // A radio button in another group box is independent.
  EXPECT_TRUE(other_->Checked());

  // Checking the checked one again does nothing; unchecking fires nothing.
  r2_->SetChecked(true);
  r2_->SetChecked(false);
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r1", 1}, {"r2", 1}}));
  EXPECT_FALSE(r2_->Checked());
}

TEST_F(OptionControls, ACheckBoxTogglesOnReleaseInsideOnly) {
  auto& w = env_.windows();
  w.MouseDown(MouseButton::Left, At(check_));
  EXPECT_TRUE(check_->ShowPressed());
  EXPECT_EQ(w.GetFocus(), check_->Handle());
  w.MouseMove(Outside());
  EXPECT_FALSE(check_->ShowPressed());
  w.MouseUp(MouseButton::Left, Outside());
  EXPECT_FALSE(check_->Checked());
  EXPECT_EQ(clicks_["check"], 0);

  w.MouseDown(MouseButton::Left, At(check_));
  w.MouseMove(Outside());
  w.MouseMove(At(check_, 8, 6));
  EXPECT_TRUE(check_->ShowPressed());
  w.MouseUp(MouseButton::Left, At(check_, 8, 6));
  EXPECT_FALSE(check_->ShowPressed());
  EXPECT_TRUE(check_->Checked());
  EXPECT_EQ(clicks_["check"], 1);

  Click(check_);
  EXPECT_FALSE(check_->Checked());
  EXPECT_EQ(clicks_["check"], 2);
}

TEST_F(OptionControls, ClicksCycleThroughGrayedWhenAllowed) {
  check_->SetAllowGrayed(true);
  Click(check_);
  EXPECT_EQ(check_->State(), cbGrayed);
  Click(check_);
  EXPECT_EQ(check_->State(), cbChecked);
  Click(check_);
  EXPECT_EQ(check_->State(), cbUnchecked);
  EXPECT_EQ(clicks_["check"], 3);
}

TEST_F(OptionControls, SpaceTogglesOnReleaseAndEscapeCancels) {
  auto& w = env_.windows();
  check_->SetFocus();
  w.KeyDown(platform::vk::kSpace);
  EXPECT_TRUE(check_->ShowPressed());
  EXPECT_FALSE(check_->Checked());
  w.KeyUp(platform::vk::kSpace);
  EXPECT_TRUE(check_->Checked());
  EXPECT_FALSE(check_->ShowPressed());
  EXPECT_EQ(clicks_["check"], 1);

  w.KeyDown(platform::vk::kSpace);
  w.KeyDown(platform::vk::kEscape);
  EXPECT_FALSE(check_->ShowPressed());
  w.KeyUp(platform::vk::kSpace);
  EXPECT_TRUE(check_->Checked());
  EXPECT_EQ(clicks_["check"], 1);
}

TEST_F(OptionControls, ARadioButtonIsCheckedOnceOnReleaseNotByTheFocusOfThePress) {
  auto& w = env_.windows();
  r1_->SetChecked(true);
  clicks_.clear();
  w.MouseDown(MouseButton::Left, At(r3_));
  EXPECT_EQ(w.GetFocus(), r3_->Handle());
  EXPECT_FALSE(r3_->Checked());
  EXPECT_TRUE(r1_->Checked());
  w.MouseUp(MouseButton::Left, At(r3_));
  EXPECT_TRUE(r3_->Checked());
  EXPECT_FALSE(r1_->Checked());
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r3", 1}}));
  // Clicking the checked one again changes nothing.
  Click(r3_);
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r3", 1}}));
}

TEST_F(OptionControls, FocusFromTheKeyboardChecksARadioButton) {
  r1_->SetChecked(true);
  clicks_.clear();
  r2_->SetFocus();
  EXPECT_TRUE(r2_->Checked());
  EXPECT_FALSE(r1_->Checked());
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r2", 1}}));
  // Tab lands on the checked radio button of a group, which fires nothing.
  check_->SetFocus();
  env_.windows().KeyPress(platform::vk::kTab);
  EXPECT_EQ(env_.windows().GetFocus(), r2_->Handle());
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r2", 1}}));
}

TEST_F(OptionControls, DownStaysOnARadioButtonAndClicksItOtherArrowsMoveAndCheck) {
  auto& w = env_.windows();
  r1_->SetChecked(true);
  r1_->SetFocus();
  clicks_.clear();
  w.KeyPress(platform::vk::kDown);
  EXPECT_EQ(w.GetFocus(), r1_->Handle());
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r1", 1}}));
  w.KeyPress(platform::vk::kDown, platform::shift::kShift);  // not with a shift key: moves on
  EXPECT_EQ(w.GetFocus(), r2_->Handle());
  w.KeyPress(platform::vk::kRight);
  EXPECT_EQ(w.GetFocus(), r3_->Handle());
  EXPECT_TRUE(r3_->Checked());
  EXPECT_FALSE(r2_->Checked());
  w.KeyPress(platform::vk::kUp);
  EXPECT_TRUE(r2_->Checked());
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r1", 1}, {"r2", 2}, {"r3", 1}}));
  // Arrows stay among the siblings: never into the other group box.
  EXPECT_FALSE(other_->Checked());
}

TEST_F(OptionControls, ReadOnlyBlocksTheUserButNotTheCode) {
  check_->SetReadOnly(true);
  Click(check_);
  EXPECT_FALSE(check_->Checked());
  check_->SetFocus();
  env_.windows().KeyPress(platform::vk::kSpace);
  EXPECT_FALSE(check_->Checked());
  check_->SetChecked(true);
  EXPECT_TRUE(check_->Checked());
  EXPECT_EQ(clicks_["check"], 1);

  // Read-only spreads to every radio button of the same parent.
  r1_->SetChecked(true);
  r2_->SetReadOnly(true);
  EXPECT_TRUE(r1_->ReadOnly());
  EXPECT_TRUE(r3_->ReadOnly());
  EXPECT_FALSE(other_->ReadOnly());
  Click(r3_);
  r2_->SetFocus();
  EXPECT_TRUE(r1_->Checked());
  EXPECT_FALSE(r2_->Checked());
  EXPECT_FALSE(r3_->Checked());
}

TEST_F(OptionControls, TheAcceleratorTogglesACheckBox) {
  check_->SetCaption("&Warn");
  r1_->SetFocus();
  env_.windows().TypeChar(U'w', platform::shift::kAlt);
  EXPECT_TRUE(check_->Checked());
  EXPECT_EQ(env_.windows().GetFocus(), check_->Handle());
}

TEST_F(OptionControls, AStoredLayoutChecksWithoutHandlersAndTheCodeLaterFires) {
  // As a stored layout applies them: Checked before OnClick is assigned.
  TForm* form = nullptr;
  env_.app().CreateForm(form);
  form->BeginLoading();
  auto* a = new TVmRadioButton(form);
  a->SetParent(form);
  auto* b = new TVmRadioButton(form);
  b->SetParent(form);
  b->SetChecked(true);
  a->SetChecked(true);
  int fired = 0;
  a->OnClick = TNotifyEvent([&](TObject*) { ++fired; });
  b->OnClick = TNotifyEvent([&](TObject*) { ++fired; });
  form->EndLoading();
  EXPECT_TRUE(a->Checked());
  EXPECT_FALSE(b->Checked());
  EXPECT_EQ(fired, 0);
  b->SetChecked(true);
  EXPECT_EQ(fired, 1);
}

TEST_F(OptionControls, PaintingShowsTheMarkOfTheState) {
  // The glyph sits at (0, 2); the check mark's first column is glyph column
  // 3 from row 5 down, the radio dot's centre is glyph pixel (6, 6).
  check_->SetHighlightColor(clRed);
  r1_->SetHighlightColor(clBlue);
  auto pixel = [&](TWinControl* c, int x, int y) {
    return env_.windows().Render(c->Handle())->GetPixelAt(x, y);
  };
  EXPECT_NE(pixel(check_, 3, 2 + 5), clRed);
  EXPECT_NE(pixel(r1_, 6, 2 + 6), clBlue);
  check_->SetChecked(true);
  r1_->SetChecked(true);
  EXPECT_EQ(pixel(check_, 3, 2 + 5), clRed);
  EXPECT_EQ(pixel(check_, 3, 2 + 7), clRed);
  EXPECT_NE(pixel(check_, 3, 2 + 8), clRed);
  EXPECT_EQ(pixel(r1_, 6, 2 + 6), clBlue);
  check_->SetState(cbGrayed);
  EXPECT_EQ(pixel(check_, 4, 2 + 4), clRed);  // inside the grayed square
}

// One step of a scripted sequence and what the screen must show after it.
struct PressStep {
  const char* what;
  std::function<void()> act;
  bool pressed;  // the pressed fill inside the glyph
  bool hot;      // the hot-track ring (or ramp) around it
};

// Runs `steps` on `control`, which already has the focus (so no focus
// repaint hides a missing one), checking state and screen after each.
void ExpectPressSequence(testing::HeadlessApp& env, TVmCustomGlyphButton& control, TPoint fillAt,
                         TPoint hotAt, const std::vector<PressStep>& steps) {
  testing::ScreenProbe screen(env.windows(), control.Handle());
  const TColor white = ColorToRGB(clWindow);
  const TColor pressed = ColorToRGB(ShadeDarker(clWindow, 20));
  for (const PressStep& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    screen.Step();
    EXPECT_EQ(control.ShowPressed(), step.pressed);
    EXPECT_EQ(screen.Pixel(fillAt.x, fillAt.y), step.pressed ? pressed : white);
    const TColor ring = screen.Pixel(hotAt.x, hotAt.y);
    if (step.hot) EXPECT_TRUE(ring != white && ring != pressed);
    else EXPECT_EQ(ring, step.pressed ? pressed : white);
  }
}

TEST_F(OptionControls, ThePressedLookFollowsEveryStepOfMouseAndSpaceAtOnce) {
  auto& w = env_.windows();
  using platform::vk::kSpace;
  check_->SetHotTrack(true);
  check_->SetFrameColor(clHighlight);
  check_->SetColor(clBtnFace);
  check_->SetFocus();
  // Glyph at (0, 2): a fill pixel clear of the check mark, an inner-ring pixel.
  ExpectPressSequence(env_, *check_, TPoint{9, 11}, TPoint{1, 3}, {
      {"hover", [&] { w.MouseMove(At(check_)); }, false, true},
      {"press", [&] { w.MouseDown(MouseButton::Left, At(check_)); }, true, false},
      {"leave", [&] { w.MouseMove(Outside()); }, false, false},
      {"come back", [&] { w.MouseMove(At(check_)); }, true, false},
      {"release", [&] { w.MouseUp(MouseButton::Left, At(check_)); }, false, true},
      {"away", [&] { w.MouseMove(Outside()); }, false, false},
      {"space down", [&] { w.KeyDown(kSpace); }, true, false},
      {"escape", [&] { w.KeyDown(platform::vk::kEscape); }, false, false},
      {"space up", [&] { w.KeyUp(kSpace); }, false, false},
  });
  EXPECT_TRUE(check_->Checked());  // the release toggled it, Escape cancelled the Space
  EXPECT_EQ(clicks_["check"], 1);

  // A focused radio button that a sibling unchecked: checked on release.
  r2_->SetHotTrack(true);
  r2_->SetFocus();
  r1_->SetChecked(true);
  clicks_.clear();
  ExpectPressSequence(env_, *r2_, TPoint{3, 8}, TPoint{4, 4}, {
      {"hover", [&] { w.MouseMove(At(r2_)); }, false, true},
      {"press", [&] { w.MouseDown(MouseButton::Left, At(r2_)); }, true, false},
      {"leave", [&] { w.MouseMove(Outside()); }, false, false},
      {"come back", [&] { w.MouseMove(At(r2_)); }, true, false},
      {"release", [&] { w.MouseUp(MouseButton::Left, At(r2_)); }, false, true},
      {"away", [&] { w.MouseMove(Outside()); }, false, false},
      {"space down", [&] { w.KeyDown(kSpace); }, true, false},
      {"escape (not a radio button's key)", [&] { w.KeyDown(platform::vk::kEscape); }, true, false},
      {"space up", [&] { w.KeyUp(kSpace); }, false, false},
  });
  EXPECT_TRUE(r2_->Checked());
  EXPECT_EQ(clicks_, (std::map<std::string, int>{{"r2", 1}}));
}

TEST_F(OptionControls, TheGlyphsInEachStateAndTheFocusDots) {
  auto pixel = [&](TWinControl* c, int x, int y) { return env_.windows().Render(c->Handle())->GetPixelAt(x, y); };
  const TColor frame = RGB(200, 0, 0), face = ColorToRGB(clBtnFace), shadow = ColorToRGB(clBtnShadow);
  // Check box (glyph at (0, 2)): outline, fill, mark; disabled greys them.
  check_->SetFrameColor(frame);
  check_->SetHighlightColor(clBlue);
  check_->SetChecked(true);
  EXPECT_EQ(pixel(check_, 0, 2), frame);
  EXPECT_EQ(pixel(check_, 12, 14), frame);
  EXPECT_EQ(pixel(check_, 9, 2 + 3), clBlue);   // the mark's last column starts at row 3
  EXPECT_EQ(pixel(check_, 10, 2 + 3), ColorToRGB(clWindow));
  check_->SetEnabled(false);
  EXPECT_EQ(pixel(check_, 9, 2 + 3), shadow);
  EXPECT_EQ(pixel(check_, 10, 2 + 3), face);

  // Radio circle (glyph at (0, 2)): frame, lighter frame, blends, corners.
  r1_->SetColor(clWhite);
  r1_->SetFrameColor(frame);
  r1_->SetHighlightColor(clBlue);
  EXPECT_EQ(pixel(r1_, 6, 2), frame);                                   // F
  EXPECT_EQ(pixel(r1_, 5, 2), ColorToRGB(ShadeLighter(frame, 10)));     // r
  EXPECT_EQ(pixel(r1_, 4, 2), ColorToRGB(MixColors(frame, clWhite, 128)));  // a
  EXPECT_EQ(pixel(r1_, 3, 2), ColorToRGB(MixColors(frame, clWhite, 40)));   // b
  EXPECT_EQ(pixel(r1_, 0, 2), clWhite);                                 // outside
  EXPECT_EQ(pixel(r1_, 6, 3), ColorToRGB(MixColors(frame, clWindow, 40)));  // inner ring 3
  EXPECT_EQ(pixel(r1_, 6, 2 + 6), ColorToRGB(clWindow));
  r1_->SetChecked(true);
  EXPECT_EQ(pixel(r1_, 6, 2 + 6), clBlue);
  EXPECT_EQ(pixel(r1_, 5, 2 + 4), ColorToRGB(MixColors(clBlue, clWindow, 153)));
  r1_->SetEnabled(false);
  EXPECT_EQ(pixel(r1_, 6, 2 + 6), shadow);
  EXPECT_EQ(pixel(r1_, 3, 2 + 6), face);
  // The thicker hot outline of htsFrame.
  r2_->SetHotTrack(true);
  r2_->SetHotTrackStyle(htsFrame);
  env_.windows().MouseMove(At(r2_));
  EXPECT_EQ(pixel(r2_, 6, 2), ColorToRGB(0x149BF0));
  EXPECT_EQ(pixel(r2_, 4, 3), ColorToRGB(0x149BF0));  // the second circle

  // Focus dots around the caption, a column left of it; none without one.
  check_->SetEnabled(true);
  check_->SetFocus();
  EXPECT_EQ(pixel(check_, 13 + 4, 1), clBlack);
  EXPECT_EQ(pixel(check_, 13 + 4, 2), ColorToRGB(check_->Color()));
  check_->SetCaption("");
  EXPECT_EQ(pixel(check_, 13 + 4, 1), ColorToRGB(check_->Color()));
}

TEST_F(OptionControls, ATransparentRadioButtonShowsItsParentAndSmoothsTheCircleOverIt) {
  const TColor parent = RGB(0, 120, 0), frame = RGB(200, 0, 0);
  group1_->SetColor(parent);
  r3_->SetTransparent(true);
  r3_->SetFrameColor(frame);
  auto shot = env_.windows().Render(r3_->Handle());
  EXPECT_EQ(shot->GetPixelAt(100, 8), parent);
  EXPECT_EQ(shot->GetPixelAt(0, 2), parent);  // outside the circle (glyph at (0, 2))
  EXPECT_EQ(shot->GetPixelAt(6, 2), frame);
  EXPECT_EQ(shot->GetPixelAt(4, 2), ColorToRGB(MixColors(frame, parent, 128)));
  EXPECT_EQ(shot->GetPixelAt(3, 2), ColorToRGB(MixColors(frame, parent, 40)));
}

}  // namespace
}  // namespace tandrel
