// Refreshing a control's non-client frame: repainted while the window can
// be seen, left alone while it is hidden.
#include <gtest/gtest.h>

#include "framework/Form.h"
#include "support/HeadlessApp.h"
#include "widgets/VmFrameRefresh.h"

namespace tandrel {
namespace {

class FramedProbe : public TCustomControl {
 public:
  explicit FramedProbe(TComponent* owner) : TCustomControl(owner) {}
  int framePaints = 0;

 protected:
  int FrameWidth() const override { return 2; }
  void PaintNonClient(TCanvas& canvas) override {
    (void)canvas;
    ++framePaints;
  }
};

class FrameRefresh : public ::testing::Test {
 protected:
  FrameRefresh() {
    env_.app().CreateForm(form_);
    form_->SetClientSize(100, 60);
    probe_ = new FramedProbe(form_);
    probe_->SetBounds(5, 5, 40, 20);
    probe_->SetParent(form_);
    form_->Show();
  }
  int Redraws() { return env_.windows().FrameRedraws(probe_->Handle()); }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  FramedProbe* probe_ = nullptr;
};

TEST_F(FrameRefresh, AVisibleFrameIsRepainted) {
  const int redraws = Redraws();
  const int paints = probe_->framePaints;
  RefreshNonClientFrame(probe_->Handle(), TRect{0, 0, 40, 20});
  EXPECT_EQ(Redraws(), redraws + 1);
  EXPECT_GT(probe_->framePaints, paints);
}

TEST_F(FrameRefresh, AHiddenFrameIsLeftAlone) {
  probe_->SetVisible(false);
  const int redraws = Redraws();
  const int paints = probe_->framePaints;
  RefreshNonClientFrame(probe_->Handle(), TRect{0, 0, 40, 20});
  EXPECT_EQ(Redraws(), redraws);
  EXPECT_EQ(probe_->framePaints, paints);
  RefreshNonClientFrame(platform::WindowHandle{}, TRect{0, 0, 40, 20});  // no window: nothing
}

}  // namespace
}  // namespace tandrel
