// The tray icon against the shell it runs on: the icon is added, modified
// and deleted, comes back after a "TaskbarCreated" broadcast, and hiding to
// the tray takes the taskbar button away and brings it back. Whether the
// icon is in the notification area is asked of the shell itself: modifying
// an icon succeeds only while it is there.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "contract/TrayScript.h"
#include "contract/WindowScript.h"
#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/PopupMenu.h"
#include "platform/Platform.h"
#include "widgets/VmTray.h"

namespace tandrel::contract {
namespace {

class TrayContract : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_ = platform::CreatePlatform();
    platform::Install(platform_.get());
    app_ = std::make_unique<TApplication>();
    app_->SetTitle("Velmora");
    app_->CreateForm(form_);
    form_->BeginLoading();
    tray_ = new TVmTrayIcon(form_);
    tray_->SetHint("Velmora V1.0(定时关机)");
    form_->EndLoading();
    extendedLayout_ = tray_->UsesExtendedData();
  }
  void TearDown() override {
    app_.reset();
    platform::Install(nullptr);
  }

  platform::NotifyIconData Probe(platform::WindowHandle window, std::uint32_t id) const {
    platform::NotifyIconData data;
    data.extendedLayout = extendedLayout_;
    data.window = window;
    data.id = id;
    data.flags = platform::nif::kMessage;
    data.callbackMessage = kTrayCallbackMessage;
    return data;
  }
  bool InTray(platform::WindowHandle window, std::uint32_t id) {
    return platform_->shell().NotifyIcon(platform::nim::kModify, Probe(window, id));
  }
  bool InTray() { return InTray(tray_->Handle(), tray_->IconId()); }
  platform::WindowSystem& windows() { return platform_->windows(); }

  std::unique_ptr<platform::Platform> platform_;
  std::unique_ptr<TApplication> app_;
  TForm* form_ = nullptr;
  TVmTrayIcon* tray_ = nullptr;  // owned by the form
  bool extendedLayout_ = false;
};

TEST_F(TrayContract, IconIsAddedModifiedAndDeleted) {
  EXPECT_GE(platform_->shell().MajorVersion(), 5);
  EXPECT_TRUE(tray_->UsesExtendedData());
  EXPECT_TRUE(tray_->Enabled());
  EXPECT_TRUE(InTray());

  tray_->SetHint(std::string(200, 'x'));  // cut to fit; the shell takes it
  EXPECT_TRUE(InTray());
  tray_->SetHint("");
  EXPECT_TRUE(InTray());

  tray_->SetEnabled(false);
  EXPECT_FALSE(InTray());
  tray_->SetEnabled(true);
  EXPECT_TRUE(tray_->Enabled());
  EXPECT_TRUE(InTray());

  const platform::WindowHandle window = tray_->Handle();
  const std::uint32_t id = tray_->IconId();
  delete tray_;
  tray_ = nullptr;
  EXPECT_FALSE(InTray(window, id));
}

TEST_F(TrayContract, TaskbarCreatedBroadcastAddsTheLostIconAgain) {
  // The taskbar restarting forgets every icon.
  ASSERT_TRUE(platform_->shell().NotifyIcon(platform::nim::kDelete,
                                            Probe(tray_->Handle(), tray_->IconId())));
  ASSERT_FALSE(InTray());
  BroadcastTaskbarCreated(*platform_);
  EXPECT_TRUE(InTray());
  EXPECT_TRUE(tray_->Enabled());

  // The shell refuses to add an icon it already shows ...
  platform::NotifyIconData again = Probe(tray_->Handle(), tray_->IconId());
  EXPECT_FALSE(platform_->shell().NotifyIcon(platform::nim::kAdd, again));
  // ... so a broadcast while the icon is still there must not turn it off.
  BroadcastTaskbarCreated(*platform_);
  EXPECT_TRUE(InTray());
  EXPECT_TRUE(tray_->Enabled());

  // Switched off, it stays out.
  tray_->SetEnabled(false);
  BroadcastTaskbarCreated(*platform_);
  EXPECT_FALSE(InTray());
}

TEST_F(TrayContract, HidingToTheTrayTakesTheTaskbarButtonAway) {
  int restored = 0;
  std::vector<std::string> events;
  tray_->OnRestoreApp = TNotifyEvent([&restored](TObject*) { ++restored; });
  tray_->OnLButtonDblClick = TNotifyEvent([&events](TObject*) { events.push_back("ldbl"); });
  windows().Show(app_->Handle(), platform::ShowCommand::ShowNoActivate);
  form_->Show();
  ASSERT_TRUE(windows().IsVisible(app_->Handle()));

  tray_->MinimizeToTray();
  EXPECT_TRUE(app_->Minimized());
  EXPECT_FALSE(windows().IsVisible(app_->Handle()));
  EXPECT_FALSE(windows().IsVisible(form_->Handle()));
  EXPECT_TRUE(InTray());

  // A double click on the icon, as the shell reports it to the hidden window.
  EXPECT_EQ(windows().Send(tray_->Handle(), kTrayCallbackMessage, tray_->IconId(),
                           tray_notify::kLButtonDblClk),
            0);
  EXPECT_EQ(events, (std::vector<std::string>{"ldbl"}));
  EXPECT_EQ(restored, 1);
  EXPECT_FALSE(app_->Minimized());
  EXPECT_TRUE(windows().IsVisible(app_->Handle()));
  EXPECT_TRUE(windows().IsVisible(form_->Handle()));
}

TEST_F(TrayContract, MenuShowItemRestoresAfterTheMenuHasClosed) {
  auto* menu = new TPopupMenu(form_);
  auto* show = new TMenuItem(form_);
  show->SetCaption("显示(&S)");
  show->OnClick = TNotifyEvent([this](TObject*) { tray_->RestoreFromTray(); });
  auto* separator = new TMenuItem(form_);
  separator->SetCaption("-");
  auto* exit = new TMenuItem(form_);
  exit->SetCaption("退出(&E)");
  menu->Add(show);
  menu->Add(separator);
  menu->Add(exit);
  tray_->SetPopupMenu(menu);
  bool minimizedAfterMenu = false;
  tray_->OnRButtonUp = TNotifyEvent([&](TObject*) { minimizedAfterMenu = app_->Minimized(); });
  windows().Show(app_->Handle(), platform::ShowCommand::ShowNoActivate);
  form_->Show();
  tray_->MinimizeToTray();
  ASSERT_FALSE(windows().IsVisible(app_->Handle()));

  ChooseInNextMenu(*platform_, 0);
  windows().Send(tray_->Handle(), kTrayCallbackMessage, tray_->IconId(), tray_notify::kRButtonUp);
  // The menu has closed; its command is still waiting in the queue.
  EXPECT_TRUE(minimizedAfterMenu);
  RunIdle(*platform_, 200);
  EXPECT_FALSE(app_->Minimized());
  EXPECT_TRUE(windows().IsVisible(app_->Handle()));
  EXPECT_TRUE(windows().IsVisible(form_->Handle()));
}

TEST_F(TrayContract, HiddenWindowAnswersTheEndOfTheSession) {
  EXPECT_EQ(windows().Send(tray_->Handle(), platform::msg::kQueryEndSession, 0, 0), 1);
  tray_->OnQueryEndSession =
      TVmQueryEndSessionEvent([](TObject*, bool& allowSessionToEnd) { allowSessionToEnd = false; });
  EXPECT_EQ(windows().Send(tray_->Handle(), platform::msg::kQueryEndSession, 0, 0), 0);
  // Nothing goes to the default processing, which would answer 1 here.
  constexpr unsigned kQueryOpen = 0x0013;
  EXPECT_EQ(windows().Send(tray_->Handle(), kQueryOpen, 0, 0), 0);
  windows().Send(tray_->Handle(), platform::msg::kEndSession, 1, 0);
  EXPECT_FALSE(InTray());
}

}  // namespace
}  // namespace tandrel::contract
