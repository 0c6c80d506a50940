// The window system behaves alike on both platforms where the framework
// relies on it: timers (due order, no made-up ticks after a busy spell),
// message-box flags and answers, when a form's OnActivate fires around the
// plain and the platform message box, popup menus that return before the
// chosen item's click arrives from the queue, and the maximised state.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "contract/WindowScript.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "platform/Platform.h"

namespace tandrel::contract {
namespace {

using platform::mb::kIdNo;
using platform::mb::kIdOk;
using platform::mb::kIdYes;

class WindowContract : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = platform::CreatePlatform();
    platform::Install(platform_.get());
    app_ = std::make_unique<TApplication>();
    app_->SetTitle("Velmora");
  }
  void TearDown() override {
    app_.reset();
    platform::Install(nullptr);
  }
  TTimer* MakeTimer(const std::string& name, unsigned interval) {
    auto* t = new TTimer(app_.get());
    t->SetInterval(interval);
    t->SetOnTimer(TNotifyEvent([this, name](TObject*) { log_.push_back(name); }));
    return t;
  }
  int Count(const std::string& entry) const {
    return static_cast<int>(std::count(log_.begin(), log_.end(), entry));
  }

  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<TApplication> app_;
  std::vector<std::string> log_;
};

TEST_F(WindowContract, TicksMissedWhileBusyAreNotMadeUp) {
  MakeTimer("t", 100);
  RunBusy(*platform_, 550);
  EXPECT_EQ(Count("t"), 1);
}

TEST_F(WindowContract, TimersTickInDueOrder) {
  MakeTimer("fast", 100);
  MakeTimer("slow", 1000);
  RunIdle(*platform_, 450);
  EXPECT_GE(Count("fast"), 1);
  EXPECT_EQ(Count("slow"), 0);
  RunIdle(*platform_, 700);
  EXPECT_EQ(Count("slow"), 1);
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_.front(), "fast");
}

TEST_F(WindowContract, StoppedTimerTicksNoMore) {
  TTimer* t = MakeTimer("t", 100);
  RunBusy(*platform_, 150);
  t->SetEnabled(false);
  RunBusy(*platform_, 300);
  EXPECT_EQ(Count("t"), 1);
}

TEST_F(WindowContract, MessageBoxesReportTheButtonPressed) {
  size_t before = BoxesSeen(*platform_).size();
  AnswerNextBox(*platform_, kIdNo);
  EXPECT_EQ(app_->MessageBox("您确认要退出定时关机软件", "", 36), kIdNo);
  AnswerNextBox(*platform_, kIdYes);
  EXPECT_EQ(app_->MessageBox("again", "", 36), kIdYes);
  AnswerNextBox(*platform_, kIdOk);
  EXPECT_EQ(app_->ShowPlainMessage("The program already start"), kIdOk);
  std::vector<SeenBox> seen = BoxesSeen(*platform_);
  ASSERT_EQ(seen.size(), before + 3);
  EXPECT_EQ(seen[before].text, "您确认要退出定时关机软件");
  EXPECT_EQ(seen[before].caption, "Velmora");
  EXPECT_EQ(seen[before].buttons, (std::vector<int>{kIdYes, kIdNo}));
  EXPECT_EQ(seen[before + 2].text, "The program already start");
  EXPECT_EQ(seen[before + 2].buttons, (std::vector<int>{kIdOk}));
}

TEST_F(WindowContract, OnActivateFiresAfterPlainBoxesOnly) {
  TForm* form = nullptr;
  app_->CreateForm(form);
  form->SetCaption("Activation");
  form->SetClientSize(200, 100);
  form->OnActivate = TNotifyEvent([this](TObject*) { log_.push_back("activate"); });
  form->Show();
  RunIdle(*platform_, 200);
  EXPECT_EQ(Count("activate"), 1);

  AnswerNextBox(*platform_, kIdOk);
  app_->MessageBox("platform box", "", 0);
  RunIdle(*platform_, 200);
  EXPECT_EQ(Count("activate"), 1);

  AnswerNextBox(*platform_, kIdOk);
  app_->HandleException(std::make_exception_ptr(std::runtime_error("error box")));
  RunIdle(*platform_, 200);
  EXPECT_EQ(Count("activate"), 1);

  AnswerNextBox(*platform_, kIdOk);
  app_->ShowPlainMessage("plain box");
  RunIdle(*platform_, 200);
  EXPECT_EQ(Count("activate"), 2);
}

TEST_F(WindowContract, AMaximisedFormReportsItUntilRestoredOrMinimised) {
  TForm* form = nullptr;
  app_->CreateForm(form);
  form->SetClientSize(300, 200);
  form->Show();
  const TRect normal = form->BoundsRect();
  EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
  form->SetWindowState(TWindowState::wsMaximized);
  EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
  EXPECT_GT(platform_->windows().ClientSize(form->Handle()).cx, 300);
  EXPECT_EQ(form->ClientWidth(), platform_->windows().ClientSize(form->Handle()).cx);
  form->SetWindowState(TWindowState::wsNormal);
  EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
  EXPECT_EQ(platform_->windows().GetBounds(form->Handle()), normal);
  form->SetWindowState(TWindowState::wsMaximized);
  form->SetWindowState(TWindowState::wsMinimized);
  EXPECT_EQ(form->WindowState(), TWindowState::wsMinimized);
}

TEST_F(WindowContract, PopupReturnsBeforeTheChosenItemsClick) {
  auto* menu = new TPopupMenu(app_.get());
  const char* captions[] = {"显示(&S)", "-", "退出(&E)"};
  for (const char* caption : captions) {
    auto* item = new TMenuItem(app_.get());
    item->SetCaption(caption);
    item->OnClick = TNotifyEvent([this, caption](TObject*) { log_.push_back(caption); });
    menu->Add(item);
  }
  ChooseInNextMenu(*platform_, 1);
  menu->Popup(300, 300);
  log_.push_back("returned");
  RunIdle(*platform_, 200);
  EXPECT_EQ(log_, (std::vector<std::string>{"returned", "退出(&E)"}));
}

}  // namespace
}  // namespace tandrel::contract
