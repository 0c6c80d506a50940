// The status bar and its text panes on the headless platform: docked at
// the bottom, panes side by side from the left, captions that repaint only
// when they change, auto width, simple mode, proportional panes, blinking.
#include <gtest/gtest.h>

#include <utility>

#include "framework/Bitmap.h"
#include "framework/Color.h"
#include "framework/Form.h"
#include "support/HeadlessApp.h"
#include "widgets/VmColors.h"
#include "widgets/VmStatus.h"

namespace tandrel {
namespace {

class MainStatusBar : public ::testing::Test {
 protected:
  explicit MainStatusBar(TFormBorderStyle border = TFormBorderStyle::bsSingle) {
    // The frame is chosen before the form's window exists, as a stored form does.
    form_ = new TForm(&env_.app());
    form_->SetBorderStyle(border);
    form_->SetClientSize(486, 302);
    form_->AfterConstruction();
    // As the stored layout applies it: positions first, then alignment.
    form_->BeginLoading();
    bar_ = new TVmStatusBar(form_);
    bar_->SetBounds(0, 283, 486, 19);
    bar_->SetParent(form_);
    clock_ = AddPane(129, 0);
    pane1_ = AddPane(120, 129);
    pane2_ = AddPane(216, 249);
    help_ = AddPane(23, 465);
    help_->Hide();
    home_ = AddPane(21, 488);
    form_->EndLoading();
    form_->Show();
  }

  TVmStatusPane* AddPane(int width, int left) {
    auto* pane = new TVmStatusPane(form_);
    pane->SetBounds(left, 0, width, 19);
    pane->SetAlign(TAlign::alLeft);
    pane->SetParent(bar_);
    return pane;
  }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TVmStatusBar* bar_;
  TVmStatusPane* clock_;
  TVmStatusPane* pane1_;
  TVmStatusPane* pane2_;
  TVmStatusPane* help_;
  TVmStatusPane* home_;
};

TEST_F(MainStatusBar, TheBarDocksAtTheBottomAndThePanesGoLeftToRight) {
  EXPECT_EQ(bar_->Align(), TAlign::alBottom);
  EXPECT_EQ(bar_->BoundsRect(), (TRect{0, 283, 486, 302}));
  EXPECT_EQ(bar_->BorderOuter(), fsNone);
  EXPECT_EQ(clock_->BoundsRect(), (TRect{0, 0, 129, 19}));
  EXPECT_EQ(pane1_->BoundsRect(), (TRect{129, 0, 249, 19}));
  EXPECT_EQ(pane2_->BoundsRect(), (TRect{249, 0, 465, 19}));
  // The hidden help pane takes no room.
  EXPECT_EQ(home_->BoundsRect(), (TRect{465, 0, 486, 19}));
  help_->Show();
  EXPECT_EQ(help_->BoundsRect(), (TRect{465, 0, 488, 19}));
  EXPECT_EQ(home_->Left(), 488);
  // The form grows: the bar stays at the bottom.
  form_->SetClientSize(486, 350);
  EXPECT_EQ(bar_->Top(), 331);
}

TEST_F(MainStatusBar, ACaptionRepaintsOnlyWhenItChanges) {
  auto& w = env_.windows();
  w.UpdateNow(bar_->Handle());
  pane1_->SetCaption("正常关机");
  EXPECT_GT(w.PendingInvalidations(bar_->Handle()), 0);
  w.UpdateNow(bar_->Handle());
  pane1_->SetCaption("正常关机");
  EXPECT_EQ(w.PendingInvalidations(bar_->Handle()), 0);
}

TEST_F(MainStatusBar, ThePaneDrawsItsFrameWithoutCornersAndItsText) {
  auto shot = [&] { return env_.windows().Render(bar_->Handle()); };
  const TColor frame = ColorToRGB(ShadeBy(clBtnShadow, 30));
  const int left = pane1_->Left();
  auto before = shot();
  EXPECT_EQ(before->GetPixelAt(left + 1, 5), frame);    // left side
  EXPECT_EQ(before->GetPixelAt(left + 20, 1), frame);   // top side
  EXPECT_EQ(before->GetPixelAt(left + 118, 5), frame);  // right side
  EXPECT_EQ(before->GetPixelAt(left + 20, 17), frame);  // bottom side
  EXPECT_NE(before->GetPixelAt(left + 1, 1), frame);    // corner left out
  auto textPixels = [&](platform::Surface& s) {
    int count = 0;
    for (int y = 2; y < 17; ++y) {
      for (int x = left + 2; x < left + 118; ++x) count += s.GetPixelAt(x, y) == ColorToRGB(clWindowText);
    }
    return count;
  };
  EXPECT_EQ(textPixels(*before), 0);
  pane1_->SetCaption("Shutdown");
  auto after = shot();
  EXPECT_GT(textPixels(*after), 0);
}

TEST_F(MainStatusBar, AutoSizeFollowsTheCaption) {
  pane2_->SetAutoSize(true);
  EXPECT_EQ(pane2_->Width(), 40);
  pane2_->SetCaption("2026/12/8 22:00:00");
  TBitmap measure(1, 1);
  measure.Canvas().Font.Assign(pane2_->Font());
  const int text = measure.Canvas().TextWidth("2026/12/8 22:00:00");
  EXPECT_EQ(pane2_->Width(), 2 * 1 + text + 2 + 6);
  pane2_->SetCaptionOffset(5);
  EXPECT_EQ(pane2_->Width(), 2 * 1 + text + 5 + 6);
}

TEST_F(MainStatusBar, SimpleModeHidesEveryPaneAndShowsThemAllAgain) {
  bar_->SetSimpleStatus(true);
  for (TVmStatusPane* p : {clock_, pane1_, pane2_, help_, home_}) EXPECT_FALSE(p->Visible());
  bar_->SetSimpleStatus(false);
  for (TVmStatusPane* p : {clock_, pane1_, pane2_, help_, home_}) EXPECT_TRUE(p->Visible());
}

TEST_F(MainStatusBar, ChangingABorderTurnsTheStandardLookOff) {
  EXPECT_TRUE(bar_->AutoStyle());
  bar_->SetBorderOuter(fsNone);
  EXPECT_TRUE(bar_->AutoStyle());
  bar_->SetBorderOuter(fsLowered);
  EXPECT_FALSE(bar_->AutoStyle());
}

TEST_F(MainStatusBar, NoGripOnAFixedBorder) {
  EXPECT_FALSE(bar_->GripAllowed());
  form_->SetBorderStyle(TFormBorderStyle::bsSizeable);
  EXPECT_TRUE(bar_->GripAllowed());
}

class SizeableStatusBar : public MainStatusBar {
 protected:
  SizeableStatusBar() : MainStatusBar(TFormBorderStyle::bsSizeable) {}
};

// The last pane made opaque red; a light square of the grip and the dark
// one drawn one pixel up and left of it, or the pane where there is no grip.
void ExpectGripOverLastPane(testing::HeadlessApp& env, TVmStatusBar& bar, TVmStatusPane& last,
                            bool grip) {
  constexpr TColor kRed = 0x0000FF;
  last.SetColor(kRed);
  last.SetTransparent(false);
  ASSERT_EQ(last.Left() + last.Width(), bar.Width());
  auto shot = env.windows().Render(bar.Handle());
  const int right = bar.Width();
  EXPECT_EQ(shot->GetPixelAt(right - 4, 7), grip ? ColorToRGB(clBtnHighlight) : kRed);
  EXPECT_EQ(shot->GetPixelAt(right - 6, 5), grip ? ColorToRGB(clBtnShadow) : kRed);
  EXPECT_EQ(shot->GetPixelAt(right - 8, 9), kRed);  // between the squares
}

// Clicks at column x of the pane; returns (clicked, sizing started).
std::pair<bool, bool> ClickPaneAt(testing::HeadlessApp& env, TVmStatusPane& pane, int x) {
  int clicks = 0;
  pane.OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
  auto& w = env.windows();
  const size_t sentBefore = w.SentMessages().size();
  const TPoint at = pane.ClientToScreen(TPoint{x, 9});
  w.MouseMove(at);
  w.MouseDown(platform::MouseButton::Left, at);
  w.MouseUp(platform::MouseButton::Left, at);
  pane.OnClick = nullptr;
  bool sizing = false;
  for (size_t i = sentBefore; i < w.SentMessages().size(); ++i) {
    const auto& m = w.SentMessages()[i];
    sizing |= m.message == platform::msg::kSysCommand && m.wParam == 0xF008;
  }
  return {clicks == 1, sizing};
}

TEST_F(MainStatusBar, WithoutAGripTheWholeLastPaneTakesClicks) {
  ExpectGripOverLastPane(env_, *bar_, *home_, false);
  EXPECT_EQ(ClickPaneAt(env_, *home_, 20), std::make_pair(true, false));
  EXPECT_EQ(ClickPaneAt(env_, *home_, 9), std::make_pair(true, false));
}

TEST_F(SizeableStatusBar, TheGripIsDrawnOverTheLastPaneAndTakesItsStrip) {
  ExpectGripOverLastPane(env_, *bar_, *home_, true);
  EXPECT_EQ(ClickPaneAt(env_, *home_, 20), std::make_pair(false, true));
  EXPECT_EQ(ClickPaneAt(env_, *home_, 9), std::make_pair(false, true));
  EXPECT_EQ(ClickPaneAt(env_, *home_, 8), std::make_pair(true, false));
  // Not the last pane: nothing of it belongs to the grip.
  EXPECT_EQ(ClickPaneAt(env_, *pane2_, pane2_->Width() - 1), std::make_pair(true, false));
}

TEST_F(SizeableStatusBar, NoGripWhileTheFormIsMaximised) {
  home_->SetAlign(TAlign::alClient);  // the last pane keeps reaching the bar's end
  form_->SetWindowState(TWindowState::wsMaximized);
  ASSERT_EQ(form_->WindowState(), TWindowState::wsMaximized);
  ASSERT_GT(bar_->Width(), 486);
  EXPECT_FALSE(bar_->GripAllowed());
  ExpectGripOverLastPane(env_, *bar_, *home_, false);
  EXPECT_EQ(ClickPaneAt(env_, *home_, home_->Width() - 1), std::make_pair(true, false));
  form_->SetWindowState(TWindowState::wsNormal);
  EXPECT_TRUE(bar_->GripAllowed());
  ExpectGripOverLastPane(env_, *bar_, *home_, true);
}

TEST(StatusBarGrip, ASizeableToolWindowHasTheGripUnlessItIsTurnedOff) {
  testing::HeadlessApp env;
  auto* form = new TForm(&env.app());
  form->SetBorderStyle(TFormBorderStyle::bsSizeToolWin);
  form->SetClientSize(300, 60);
  form->AfterConstruction();
  auto* bar = new TVmStatusBar(form);
  bar->SetParent(form);
  form->Show();
  auto light = [&] { return env.windows().Render(bar->Handle())->GetPixelAt(bar->Width() - 4, 7); };
  EXPECT_TRUE(bar->GripAllowed());
  EXPECT_EQ(light(), ColorToRGB(clBtnHighlight));
  bar->SetShowSizeGrip(false);
  EXPECT_EQ(light(), ColorToRGB(clBtnFace));
}

TEST(StatusBarPanes, ProportionalPanesGrowWithTheBar) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(400, 100);
  auto* bar = new TVmStatusBar(form);
  bar->SetParent(form);
  auto* pane = new TVmStatusPane(form);
  pane->SetBounds(0, 0, 100, 19);
  pane->SetParent(bar);
  bar->SetAutoScalePanes(true);
  form->Show();
  ASSERT_EQ(bar->Width(), 400);
  form->SetClientSize(500, 100);
  EXPECT_EQ(bar->Width(), 500);
  EXPECT_EQ(pane->Width(), 125);
}

TEST(StatusBarPanes, BlinkingAlternatesTheTextColourOnTheSharedTimer) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  auto* bar = new TVmStatusBar(form);
  bar->SetParent(form);
  auto* pane = new TVmStatusPane(form);
  pane->SetParent(bar);
  auto* other = new TVmStatusPane(form);
  other->SetParent(bar);
  form->Show();
  const TColor normal = pane->Font().Color();
  pane->SetBlinkColor(clRed);
  pane->SetBlinking(true);
  // The first tick ends the blink phase the list starts in; the second begins one.
  env.windows().AdvanceIdle(500);
  EXPECT_EQ(pane->CaptionColor(), normal);
  env.windows().AdvanceIdle(500);
  EXPECT_EQ(pane->CaptionColor(), clRed);
  EXPECT_EQ(other->CaptionColor(), normal);
  // The intervals are shared by all panes.
  other->SetBlinkIntervalOff(1000);
  EXPECT_EQ(pane->BlinkIntervalOff(), 1000u);
  env.windows().AdvanceIdle(500);
  EXPECT_EQ(pane->CaptionColor(), normal);
  env.windows().AdvanceIdle(500);
  EXPECT_EQ(pane->CaptionColor(), normal);
  env.windows().AdvanceIdle(500);
  EXPECT_EQ(pane->CaptionColor(), clRed);
  pane->SetBlinking(false);
  EXPECT_EQ(pane->CaptionColor(), normal);
}

TEST(StatusBarPanes, TheBlinkTimerSleepsWhileNoPaneBlinksAndWakesInStep) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  auto* bar = new TVmStatusBar(form);
  bar->SetParent(form);
  auto* pane = new TVmStatusPane(form);
  pane->SetParent(bar);
  form->Show();
  EXPECT_EQ(env.windows().LiveTimerCount(), 0u);
  // Asleep for two ticks and a half: phase 1 -> 0 (500 ms) -> 1 (1000 ms).
  env.windows().AdvanceIdle(1250);
  const TColor normal = pane->Font().Color();
  pane->SetBlinkColor(clRed);
  pane->SetBlinking(true);
  EXPECT_EQ(env.windows().LiveTimerCount(), 1u);
  // The ticks come when they would have: 1500 ms ends the blink phase, 2000 ms begins one.
  env.windows().AdvanceIdle(250);
  EXPECT_EQ(pane->CaptionColor(), normal);
  env.windows().AdvanceIdle(499);
  EXPECT_EQ(pane->CaptionColor(), normal);
  env.windows().AdvanceIdle(1);
  EXPECT_EQ(pane->CaptionColor(), clRed);
  // The first tick that finds no pane blinking puts it to sleep again.
  pane->SetBlinking(false);
  env.windows().AdvanceIdle(500);
  EXPECT_EQ(env.windows().LiveTimerCount(), 0u);
}

}  // namespace
}  // namespace tandrel
