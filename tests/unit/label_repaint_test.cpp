// A label whose caption changes repaints only where the text changed: every
// pixel that differs between the window drawn with the old and with the new
// caption must lie inside what was invalidated, and a changed last digit
// must not invalidate the whole label.
#include <gtest/gtest.h>

#include <string>

#include "framework/Form.h"
#include "framework/Label.h"
#include "support/HeadlessApp.h"

namespace tandrel {
namespace {

class LabelRepaint : public ::testing::Test {
 protected:
  void SetUp() override {
    env_.app().CreateForm(form_);
    form_->BeginLoading();
    form_->SetClientSize(486, 302);
    label_ = new TLabel(form_);
    label_->SetParent(form_);
    label_->SetAutoSize(false);
    label_->SetBounds(20, 169, 461, 18);
    label_->Font().SetBold(true);
    form_->EndLoading();
    form_->Show();
  }

  // Changes the caption and returns the invalidated bounds, after checking
  // that they hold every pixel the change alters.
  TRect Change(const std::string& before, const std::string& after) {
    label_->SetCaption(before);
    env_.windows().UpdateNow(form_->Handle());
    auto old = env_.windows().Render(form_->Handle());
    label_->SetCaption(after);
    const TRect invalid = env_.windows().InvalidBounds(form_->Handle());
    auto now = env_.windows().Render(form_->Handle());
    // Only the label draws the caption: pixels elsewhere cannot differ.
    const TRect area = label_->BoundsRect();
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        if (old->GetPixelAt(x, y) == now->GetPixelAt(x, y)) continue;
        EXPECT_TRUE(invalid.Contains(TPoint{x, y}))
            << before << " -> " << after << ": (" << x << ", " << y << ") changed outside";
        return invalid;
      }
    }
    return invalid;
  }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TLabel* label_ = nullptr;
};

TEST_F(LabelRepaint, OnlyTheChangedTextIsInvalidatedWhateverTheAlignment) {
  for (TAlignment alignment :
       {TAlignment::taCenter, TAlignment::taLeftJustify, TAlignment::taRightJustify}) {
    label_->SetAlignment(alignment);
    // Same width: only the last digit's columns.
    EXPECT_LT(Change("距离关机还有0小时59分58秒", "距离关机还有0小时59分57秒").Width(), 40);
    // One digit fewer: the line moves unless it stays anchored at that side.
    const TRect shorter = Change("距离关机还有0小时0分10秒", "距离关机还有0小时0分9秒");
    EXPECT_LT(shorter.Width(), alignment == TAlignment::taLeftJustify ? 60 : 300);
    // A changed multi-byte character, first and from nothing.
    Change("无定时任务", "有定时任务");
    Change("", "距离关机还有1小时5分9秒");
    Change("距离关机还有1小时5分9秒", "");
  }
}

TEST_F(LabelRepaint, NothingIsInvalidatedWhileTheWindowIsOffTheScreen) {
  label_->SetCaption("距离关机还有0小时59分58秒");
  env_.windows().UpdateNow(form_->Handle());
  env_.app().Minimize();  // the owned form leaves the screen with the application
  ASSERT_FALSE(env_.windows().IsShowing(form_->Handle()));
  const int pending = env_.windows().PendingInvalidations(form_->Handle());
  label_->SetCaption("距离关机还有0小时59分57秒");
  EXPECT_EQ(env_.windows().PendingInvalidations(form_->Handle()), pending);
}

}  // namespace
}  // namespace tandrel
