// Controls driven by scripted input on the headless platform: hover, press,
// leave, come back, release; clicks on windowless and windowed controls;
// disabled controls; programmatic Click; focus, tab order and accelerators.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/Label.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

using platform::MouseButton;

// A windowed, focusable control that logs what happens to it.
class ProbeControl : public TCustomControl {
 public:
  ProbeControl(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TCustomControl(owner), log_(log), name_(std::move(name)) {
    SetTabStop(true);
    OnClick = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".click"); });
    OnMouseEnter = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".enter"); });
    OnMouseLeave = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".leave"); });
  }
  void AcceleratorPressed() override { Click(); }

 protected:
  void DoEnter() override { log_->push_back(name_ + ".focus"); }

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

// A windowless control that logs.
class ProbeGraphic : public TControl {
 public:
  ProbeGraphic(TComponent* owner, std::vector<std::string>* log, std::string name)
      : TControl(owner), log_(log), name_(std::move(name)) {
    OnClick = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".click"); });
    OnMouseEnter = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".enter"); });
    OnMouseLeave = TNotifyEvent([this](TObject*) { log_->push_back(name_ + ".leave"); });
  }

 private:
  std::vector<std::string>* log_;
  std::string name_;
};

class ControlInput : public ::testing::Test {
 protected:
  ControlInput() {
    env_.app().CreateForm(form_);
    form_->SetClientSize(300, 200);
    a_ = new ProbeControl(form_, &log_, "a");
    a_->SetBounds(10, 10, 80, 30);
    a_->SetCaption("&Apply");
    a_->SetParent(form_);
    b_ = new ProbeControl(form_, &log_, "b");
    b_->SetBounds(100, 10, 80, 30);
    b_->SetParent(form_);
    g_ = new ProbeGraphic(form_, &log_, "g");
    g_->SetBounds(10, 100, 50, 20);
    g_->SetParent(form_);
    form_->Show();
    log_.clear();
  }
  TPoint At(TControl* c, int dx = 5, int dy = 5) {
    TPoint o = form_->ClientToScreen(TPoint{c->Left(), c->Top()});
    return TPoint{o.x + dx, o.y + dy};
  }
  TPoint Outside() { return form_->ClientToScreen(TPoint{290, 190}); }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  ProbeControl* a_;
  ProbeControl* b_;
  ProbeGraphic* g_;
  std::vector<std::string> log_;
};

TEST_F(ControlInput, PressLeaveComeBackReleaseClicksOnce) {
  auto& w = env_.windows();
  w.MouseMove(At(a_));
  EXPECT_EQ(log_, (std::vector<std::string>{"a.enter"}));
  w.MouseDown(MouseButton::Left, At(a_));
  w.MouseMove(Outside());  // captured: the control still gets the moves
  w.MouseMove(At(a_, 6, 6));
  w.MouseUp(MouseButton::Left, At(a_, 6, 6));
  EXPECT_EQ(log_, (std::vector<std::string>{"a.enter", "a.leave", "a.enter", "a.click"}));
  w.MouseMove(Outside());
  EXPECT_EQ(log_.back(), "a.leave");
}

TEST_F(ControlInput, ReleaseOutsideDoesNotClick) {
  auto& w = env_.windows();
  w.MouseDown(MouseButton::Left, At(a_));
  w.MouseUp(MouseButton::Left, Outside());
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "a.click"), 0);
}

TEST_F(ControlInput, WindowlessControlsGetEnterLeaveAndClicks) {
  auto& w = env_.windows();
  w.MouseMove(At(g_));
  w.MouseDown(MouseButton::Left, At(g_));
  w.MouseUp(MouseButton::Left, At(g_));
  w.MouseMove(At(b_));
  EXPECT_EQ(log_, (std::vector<std::string>{"g.enter", "g.click", "g.leave", "b.enter"}));
}

TEST_F(ControlInput, TheMouseLeavingIsWatchedOnlyWhereItChangesSomething) {
  // Watching costs: under Wine the pointer is polled for as long as it rests
  // on a window that asked.
  auto& w = env_.windows();
  w.MouseMove(Outside());  // the form's own background: nothing follows the mouse there
  EXPECT_FALSE(w.TracksMouseLeave(form_->Handle()));
  w.MouseMove(At(g_));
  EXPECT_TRUE(w.TracksMouseLeave(form_->Handle()));
  w.MouseMove(At(a_));
  EXPECT_TRUE(w.TracksMouseLeave(a_->Handle()));
  // A hint to withdraw on leaving counts as well.
  form_->SetHint("背景");
  w.MouseMove(Outside());
  EXPECT_TRUE(w.TracksMouseLeave(form_->Handle()));
  EXPECT_EQ(log_, (std::vector<std::string>{"g.enter", "g.leave", "a.enter", "a.leave"}));
}

TEST_F(ControlInput, DisabledControlsTakeNoClicksButProgrammaticClickRuns) {
  a_->SetEnabled(false);
  g_->SetEnabled(false);
  EXPECT_FALSE(env_.windows().IsEnabled(a_->Handle()));
  env_.windows().ClickWindow(a_->Handle());
  env_.windows().MouseDown(MouseButton::Left, At(g_));
  env_.windows().MouseUp(MouseButton::Left, At(g_));
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "a.click"), 0);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "g.click"), 0);
  a_->Hide();
  EXPECT_FALSE(env_.windows().IsVisible(a_->Handle()));
  a_->Click();
  g_->Click();
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "a.click"), 1);
  EXPECT_EQ(std::count(log_.begin(), log_.end(), "g.click"), 1);
}

TEST_F(ControlInput, TabMovesTheFocusInTabOrderAndSkipsUnfocusable) {
  auto& w = env_.windows();
  EXPECT_EQ(w.GetFocus(), a_->Handle());  // the first tab stop got it on activation
  auto* c = new ProbeControl(form_, &log_, "c");
  c->SetBounds(200, 10, 50, 30);
  c->SetParent(form_);
  b_->SetTabOrder(2);  // a, c, b
  w.KeyPress(platform::vk::kTab);
  EXPECT_EQ(w.GetFocus(), c->Handle());
  w.KeyPress(platform::vk::kTab);
  EXPECT_EQ(w.GetFocus(), b_->Handle());
  w.KeyPress(platform::vk::kTab);
  EXPECT_EQ(w.GetFocus(), a_->Handle());
  w.KeyPress(platform::vk::kTab, platform::shift::kShift);
  EXPECT_EQ(w.GetFocus(), b_->Handle());
  c->SetEnabled(false);
  b_->SetFocus();
  w.KeyPress(platform::vk::kTab, platform::shift::kShift);
  EXPECT_EQ(w.GetFocus(), a_->Handle());
  EXPECT_EQ(form_->ActiveControl(), a_);
}

TEST_F(ControlInput, AcceleratorCharacterReachesItsControl) {
  b_->SetFocus();
  env_.windows().TypeChar(U'a', platform::shift::kAlt);
  EXPECT_EQ(log_.back(), "a.click");
  log_.clear();
  env_.windows().TypeChar(U'q', platform::shift::kAlt);  // nobody's accelerator
  EXPECT_TRUE(log_.empty());
}

TEST_F(ControlInput, FocusReturnsToTheActiveControlWhenTheFormComesBack) {
  b_->SetFocus();
  env_.windows().ActivateOtherProgram();
  EXPECT_FALSE(env_.windows().GetFocus());
  env_.windows().ReturnToProgram();
  EXPECT_EQ(env_.windows().GetFocus(), b_->Handle());
}

// A control that takes Escape, as a cancel button does.
class CancelProbe : public ProbeControl {
 public:
  using ProbeControl::ProbeControl;

 protected:
  bool HandleDialogKey(int key, TShiftState) override {
    if (key != platform::vk::kEscape) return false;
    Click();
    return true;
  }
};

TEST_F(ControlInput, EscapeReachesTheControlThatTakesItAndArrowsMoveAmongSiblings) {
  auto* group = new TCustomControl(form_);
  group->SetBounds(10, 140, 200, 50);
  group->SetParent(form_);
  auto* r1 = new ProbeControl(form_, &log_, "r1");
  r1->SetParent(group);
  auto* r2 = new ProbeControl(form_, &log_, "r2");
  r2->SetParent(group);
  r2->SetTabStop(false);  // arrows reach controls that Tab skips
  auto* cancel = new CancelProbe(form_, &log_, "cancel");
  cancel->SetBounds(220, 140, 60, 30);
  cancel->SetParent(form_);
  r1->SetFocus();
  log_.clear();
  auto& w = env_.windows();
  w.KeyPress(platform::vk::kDown);
  EXPECT_EQ(w.GetFocus(), r2->Handle());
  w.KeyPress(platform::vk::kDown);  // wraps within the group, never leaves it
  EXPECT_EQ(w.GetFocus(), r1->Handle());
  w.KeyPress(platform::vk::kEscape);
  EXPECT_EQ(log_, (std::vector<std::string>{"r2.focus", "r1.focus", "cancel.click"}));
  w.KeyPress(platform::vk::kReturn);  // nobody takes Enter
  EXPECT_EQ(log_.size(), 3u);
}

TEST_F(ControlInput, HintShowsAfterThePauseAndGoesAgain) {
  auto& w = env_.windows();
  g_->SetHint("帮助");
  form_->SetShowHint(true);  // g_ follows its parent's setting
  w.MouseMove(At(g_));
  w.AdvanceIdle(499);
  EXPECT_FALSE(w.Tooltip());
  w.AdvanceIdle(1);
  ASSERT_TRUE(w.Tooltip());
  EXPECT_EQ(*w.Tooltip(), "帮助");
  EXPECT_EQ(w.TooltipPosition(), (TPoint{At(g_).x, At(g_).y + 20}));
  w.AdvanceIdle(2500);
  EXPECT_FALSE(w.Tooltip());
  w.AdvanceIdle(5000);  // resting on: it does not come back by itself
  EXPECT_FALSE(w.Tooltip());
  w.MouseMove(At(b_));
  w.MouseMove(At(g_));
  w.AdvanceIdle(600);
  EXPECT_TRUE(w.Tooltip());
  w.MouseDown(MouseButton::Left, At(g_));
  EXPECT_FALSE(w.Tooltip());
  w.MouseUp(MouseButton::Left, At(g_));
  // Without hints on the form, nothing shows.
  form_->SetShowHint(false);
  w.MouseMove(At(b_));
  w.MouseMove(At(g_));
  w.AdvanceIdle(1000);
  EXPECT_FALSE(w.Tooltip());
}

TEST(ControlAlignment, LeftAlignedChildrenShareTheClientHeightInOrderOfLeft) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(300, 100);
  auto* panel = new TCustomControl(form);
  panel->SetBounds(0, 80, 300, 20);
  panel->SetParent(form);
  auto add = [&](int left, int width) {
    auto* c = new TLabel(form);
    c->SetAutoSize(false);
    c->SetBounds(left, 0, width, 5);
    c->SetAlign(TAlign::alLeft);
    c->SetParent(panel);
    return c;
  };
  // As a stored layout applies them: all positions first, then the alignment.
  form->BeginLoading();
  TLabel* second = add(50, 30);
  TLabel* first = add(10, 20);
  TLabel* hidden = add(20, 40);
  hidden->Hide();
  TLabel* third = add(90, 25);
  form->EndLoading();
  EXPECT_EQ(first->BoundsRect(), Bounds(0, 0, 20, 20));
  EXPECT_EQ(second->BoundsRect(), Bounds(20, 0, 30, 20));
  EXPECT_EQ(third->BoundsRect(), Bounds(50, 0, 25, 20));
  // A bottom-aligned control takes the bottom of the form.
  panel->SetAlign(TAlign::alBottom);
  form->SetClientSize(300, 150);
  EXPECT_EQ(panel->BoundsRect(), Bounds(0, 130, 300, 20));
}

TEST(ControlAlignment, RightAndBottomAlignedChildrenStackFromTheirSideNearestFirst) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(300, 100);
  auto add = [&](TAlign align, int left, int top) {
    auto* c = new TLabel(form);
    c->SetAutoSize(false);
    c->SetBounds(left, top, 10, 10);
    c->SetAlign(align);
    c->SetParent(form);
    return c;
  };
  form->BeginLoading();
  TLabel* inner = add(TAlign::alRight, 100, 0);
  TLabel* outer = add(TAlign::alRight, 200, 0);
  TLabel* tiedLater = add(TAlign::alRight, 100, 0);  // same position: after `inner`
  TLabel* upper = add(TAlign::alBottom, 0, 20);
  TLabel* lower = add(TAlign::alBottom, 0, 60);
  form->EndLoading();
  EXPECT_EQ(lower->BoundsRect(), Bounds(0, 90, 300, 10));
  EXPECT_EQ(upper->BoundsRect(), Bounds(0, 80, 300, 10));
  EXPECT_EQ(outer->BoundsRect(), Bounds(290, 0, 10, 80));
  EXPECT_EQ(inner->BoundsRect(), Bounds(280, 0, 10, 80));
  EXPECT_EQ(tiedLater->BoundsRect(), Bounds(270, 0, 10, 80));
}

TEST(ControlAnchors, AnchoredControlsFollowTheEdgesOfAResizedParent) {
  testing::HeadlessApp env;
  TForm* form = nullptr;
  env.app().CreateForm(form);
  form->SetClientSize(300, 200);
  auto make = [&](TAnchors anchors) {
    auto* c = new TCustomControl(form);
    c->SetBounds(20, 150, 100, 30);
    c->SetAnchors(anchors);
    c->SetParent(form);
    return c;
  };
  TCustomControl* leftBottom = make(akLeft | akBottom);
  TCustomControl* stretched = make(akLeft | akRight | akTop);
  TCustomControl* fixed = make(akLeft | akTop);
  form->SetClientSize(340, 230);
  EXPECT_EQ(leftBottom->BoundsRect(), Bounds(20, 180, 100, 30));
  EXPECT_EQ(stretched->BoundsRect(), Bounds(20, 150, 140, 30));
  EXPECT_EQ(fixed->BoundsRect(), Bounds(20, 150, 100, 30));
  EXPECT_EQ(env.windows().GetBounds(leftBottom->Handle()), Bounds(20, 180, 100, 30));
}

}  // namespace
}  // namespace tandrel
