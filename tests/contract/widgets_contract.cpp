// What test drivers and screen readers read from the widgets' real windows,
// alike on both platforms: BM_GETCHECK answers of check boxes and radio
// buttons, and captions and the numeric edit's text as window text.
#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/Platform.h"
#include "widgets/VmButton.h"
#include "widgets/VmEdit.h"
#include "widgets/VmRadChk.h"

namespace tandrel::contract {
namespace {

class WidgetWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = platform::CreatePlatform();
    platform::Install(platform_.get());
    app_ = std::make_unique<TApplication>();
    app_->CreateForm(form_);
    form_->SetClientSize(300, 200);
  }
  void TearDown() override {
    app_.reset();
    platform::Install(nullptr);
  }
  template <typename T>
  T* Add(int top, const std::string& caption) {
    auto* c = new T(form_);
    c->SetBounds(10, top, 150, 20);
    c->SetCaption(caption);
    c->SetParent(form_);
    return c;
  }
  std::intptr_t GetCheck(TWinControl* c) {
    return platform_->windows().Send(c->Handle(), kBmGetCheck, 0, 0);
  }
  std::string WindowText(TWinControl* c) { return platform_->windows().GetText(c->Handle()); }

  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<TApplication> app_;
  TForm* form_ = nullptr;
};

TEST_F(WidgetWindows, CheckStatesAreAnsweredThroughTheWindow) {
  auto* check = Add<TVmCheckBox>(10, "30秒提醒");
  auto* first = Add<TVmRadioButton>(40, "正常关机");
  auto* second = Add<TVmRadioButton>(70, "注销");
  form_->Show();
  EXPECT_EQ(GetCheck(check), 0);
  check->SetChecked(true);
  EXPECT_EQ(GetCheck(check), 1);
  check->SetState(cbGrayed);
  EXPECT_EQ(GetCheck(check), 2);
  first->SetChecked(true);
  EXPECT_EQ(GetCheck(first), 1);
  EXPECT_EQ(GetCheck(second), 0);
  second->SetChecked(true);
  EXPECT_EQ(GetCheck(first), 0);
  EXPECT_EQ(GetCheck(second), 1);
}

TEST_F(WidgetWindows, CaptionsAndTheNumberAreTheWindowText) {
  auto* check = Add<TVmCheckBox>(10, "开机自动运行");
  auto* button = Add<TVmBitBtn>(40, "立即关机");
  auto* minutes = Add<TVmNumericEdit>(70, "");
  minutes->SetMin(1);
  minutes->SetMax(10000);
  form_->Show();
  EXPECT_EQ(WindowText(check), "开机自动运行");
  EXPECT_EQ(WindowText(button), "立即关机");
  minutes->SetIntegerValue(30);
  EXPECT_EQ(WindowText(minutes), "30");
  button->SetCaption("停止");
  EXPECT_EQ(WindowText(button), "停止");
}

}  // namespace
}  // namespace tandrel::contract
