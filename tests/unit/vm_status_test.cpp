// The status bar and its text panes on the headless platform: docked at
// the bottom, panes side by side from the left, captions that repaint only
// when they change, auto width, simple mode, proportional panes, blinking.
#include <gtest/gtest.h>

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
  MainStatusBar() {
    env_.app().CreateForm(form_);
    form_->SetBorderStyle(TFormBorderStyle::bsSingle);
    form_->SetClientSize(486, 302);
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

}  // namespace
}  // namespace tandrel
