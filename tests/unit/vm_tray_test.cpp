// The tray icon on the headless shell: what reaches the shell (layout, tip,
// flags, icon), the gestures and their order, the guards, the minimise and
// restore round trips with the application, the end of the session, the
// taskbar restarting and a shell that refuses the icon.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Form.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "platform/headless/RasterSurface.h"
#include "support/HeadlessApp.h"
#include "widgets/VmTray.h"
#include "widgets/VmTrayTip.h"

namespace tandrel {
namespace {

namespace nim = platform::nim;
namespace nif = platform::nif;
using platform::HeadlessShell;

// Colours of the three test images; the application's icon is 32 x 32.
constexpr TColor kImageColors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0)};
constexpr int kAppIcon = -1;
constexpr int kNoIcon = -2;

class TrayTest : public ::testing::Test {
 protected:
  TrayTest() { env_.app().CreateForm(form_); }

  // Creates the tray as a stored layout would: properties applied while the
  // form loads, then Loaded.
  template <typename Setup>
  TVmTrayIcon& MakeTray(Setup setup) {
    form_->BeginLoading();
    tray_ = new TVmTrayIcon(form_);
    setup(*tray_);
    form_->EndLoading();
    return *tray_;
  }
  TVmTrayIcon& MakeTray() {
    return MakeTray([](TVmTrayIcon&) {});
  }

  // Three 16 x 16 images in the colours above.
  TImageList* MakeImages(int count = 3) {
    auto* list = new TImageList(form_, 16, 16);
    for (int i = 0; i < count; ++i) AddImage(*list, kImageColors[i]);
    return list;
  }
  static void AddImage(TCustomImageList& list, TColor color) {
    TBitmap picture(16, 16);
    picture.Canvas().Brush.SetColor(color);
    picture.Canvas().FillRect(TRect{0, 0, 16, 16});
    list.Add(picture, nullptr);
  }

  // The tray menu of the main window.
  TPopupMenu* MakeMenu() {
    menu_ = new TPopupMenu(form_);
    show_ = new TMenuItem(form_);
    show_->SetCaption("显示(&S)");
    show_->OnClick = TNotifyEvent([this](TObject*) { tray_->RestoreFromTray(); });
    auto* separator = new TMenuItem(form_);
    separator->SetCaption("-");
    menu_->Add(show_);
    menu_->Add(separator);
    return menu_;
  }

  HeadlessShell& shell() { return env_.platform().shell(); }
  platform::HeadlessWindowSystem& windows() { return env_.windows(); }
  TApplication& app() { return env_.app(); }

  std::intptr_t Notify(std::intptr_t notification) {
    return windows().Send(tray_->Handle(), kTrayCallbackMessage, 0, notification);
  }
  int Calls(unsigned message) {
    int n = 0;
    for (const auto& call : shell().notifyCalls) n += call.message == message;
    return n;
  }
  std::size_t CallCount() { return shell().notifyCalls.size(); }
  const platform::NotifyIconData& LastCall() { return shell().notifyCalls.back().data; }
  bool InTray() { return shell().tray.count({tray_->Handle().value, LastCall().id}) == 1; }
  const platform::NotifyIconData& TrayData() {
    return shell().tray.at({tray_->Handle().value, LastCall().id}).data;
  }

  // Which picture an icon shows: kAppIcon, an image index, or kNoIcon. Only
  // for the icon of the latest call (earlier ones may be gone).
  static int Picture(const platform::IconHandle* icon) {
    if (!icon) return kNoIcon;
    if (icon->IconWidth() == 32) return kAppIcon;
    platform::RasterSurface surface(icon->IconWidth(), icon->IconHeight());
    icon->DrawOn(surface, 0, 0);
    const TColor centre = surface.GetPixelAt(8, 8);
    for (int i = 0; i < 3; ++i) {
      if (centre == kImageColors[i]) return i;
    }
    return kNoIcon;
  }
  int Shown() { return Picture(LastCall().icon); }

  // Shows the program as Run would.
  void ShowProgram() {
    app().Run();
    ASSERT_TRUE(windows().IsVisible(form_->Handle()));
  }
  bool TaskbarButton() { return windows().IsVisible(app().Handle()); }

  testing::HeadlessApp env_;
  TForm* form_ = nullptr;
  TVmTrayIcon* tray_ = nullptr;  // owned by the form
  TPopupMenu* menu_ = nullptr;
  TMenuItem* show_ = nullptr;
};

// --- The shell record ---

TEST_F(TrayTest, IconAppearsAtLoadedInOneAddWithTheCallbackMessage) {
  MakeTray([this](TVmTrayIcon& tray) {
    tray.SetEnabled(false);  // while loading only stored
    tray.SetEnabled(true);
    tray.SetHint("Velmora V1.0(定时关机)");
    tray.SetIconIndex(17);
    // The shell cannot know the icon before its add: nothing is sent.
    EXPECT_EQ(CallCount(), 0u);
  });
  // The add carries everything set while loading; no modify repeats it.
  ASSERT_EQ(CallCount(), 1u);
  EXPECT_EQ(Calls(nim::kAdd), 1);
  EXPECT_TRUE(InTray());
  EXPECT_TRUE(tray_->Enabled());
  const auto& data = TrayData();
  EXPECT_EQ(data.window, tray_->Handle());
  EXPECT_EQ(data.callbackMessage, 0x2422u);
  EXPECT_EQ(data.flags, nif::kMessage | nif::kIcon | nif::kTip);
  EXPECT_EQ(data.tip, u"Velmora V1.0(定时关机)");
  EXPECT_TRUE(data.extendedLayout);
  EXPECT_EQ(Picture(data.icon), kAppIcon);
}

TEST_F(TrayTest, TwoIconsNeverShareAnIdentity) {
  MakeTray();
  auto* second = new TVmTrayIcon(form_);
  EXPECT_NE(second->IconId(), tray_->IconId());
}

TEST_F(TrayTest, LayoutFollowsTheShellVersion) {
  shell().majorVersion = 4;
  EXPECT_FALSE(MakeTray().UsesExtendedData());
  EXPECT_FALSE(LastCall().extendedLayout);
  shell().majorVersion = 5;
  auto* newer = new TVmTrayIcon(form_);
  EXPECT_TRUE(newer->UsesExtendedData());
  shell().majorVersion = 0;  // no shell library, or no version entry
  auto* none = new TVmTrayIcon(form_);
  EXPECT_FALSE(none->UsesExtendedData());
}

TEST_F(TrayTest, LongHintIsCutForTheLayoutButKeptWhole) {
  const std::string longHint(200, 'x');
  MakeTray().SetHint(longHint);
  EXPECT_EQ(tray_->Hint(), longHint);
  EXPECT_EQ(TrayData().tip, std::u16string(127, u'x'));
  EXPECT_NE(TrayData().flags & nif::kTip, 0u);

  shell().majorVersion = 4;
  auto* older = new TVmTrayIcon(form_);
  older->SetHint(longHint);
  older->SetEnabled(false);
  older->SetEnabled(true);  // added now, with the tip cut for its layout
  EXPECT_EQ(older->Hint(), longHint);
  EXPECT_EQ(shell().notifyCalls.back().message, nim::kAdd);
  EXPECT_EQ(LastCall().tip, std::u16string(63, u'x'));
}

TEST_F(TrayTest, TipIsCutByUtf16UnitsNeverInsideAPair) {
  // Chinese characters are three bytes each but one unit: 63 of them fit.
  std::string chinese;
  for (int i = 0; i < 80; ++i) chinese += "关";
  EXPECT_EQ(CutTrayTip(chinese, kShortTipLength), std::u16string(63, u'关'));
  // A character outside the BMP straddling the cut is left out whole.
  const std::string straddling = std::string(62, 'a') + "\xF0\x9F\x98\x80" + "b";
  EXPECT_EQ(CutTrayTip(straddling, kShortTipLength), std::u16string(62, u'a'));
  const std::string fitting = std::string(61, 'a') + "\xF0\x9F\x98\x80" + "b";
  EXPECT_EQ(CutTrayTip(fitting, kShortTipLength), std::u16string(61, u'a') + u"\U0001F600");
  EXPECT_EQ(CutTrayTip("Velmora", kExtendedTipLength), u"Velmora");
}

TEST_F(TrayTest, SameHintSendsNothingAndEmptyHintDropsTheTip) {
  MakeTray().SetHint("Velmora (定时关机)");
  EXPECT_EQ(TrayData().tip, u"Velmora (定时关机)");
  const std::size_t before = CallCount();
  tray_->SetHint("Velmora (定时关机)");
  EXPECT_EQ(CallCount(), before);

  tray_->SetHint("Velmora (定时关机)\r还有1分");  // the countdown's carriage return stays
  EXPECT_EQ(TrayData().tip, u"Velmora (定时关机)\r还有1分");

  tray_->SetHint("");
  EXPECT_EQ(CallCount(), before + 2);
  EXPECT_EQ(LastCall().flags & nif::kTip, 0u);
  EXPECT_EQ(TrayData().flags, nif::kMessage | nif::kIcon);
  EXPECT_TRUE(TrayData().tip.empty());
}

// --- Icons ---

TEST_F(TrayTest, IndexOutsideTheListShowsTheApplicationIcon) {
  MakeTray([](TVmTrayIcon& tray) { tray.SetIconIndex(17); });
  EXPECT_EQ(Picture(TrayData().icon), kAppIcon);
  EXPECT_EQ(tray_->IconIndex(), 17);

  tray_->SetIcons(MakeImages());
  EXPECT_EQ(Shown(), kAppIcon);  // 17 is beyond three images
  EXPECT_EQ(tray_->IconIndex(), 17);
  tray_->SetIconIndex(1);
  EXPECT_EQ(Shown(), 1);
  tray_->SetIconIndex(-1);
  EXPECT_EQ(Shown(), kAppIcon);
  EXPECT_EQ(tray_->IconIndex(), -1);
  tray_->SetIconIndex(3);
  EXPECT_EQ(Shown(), kAppIcon);
  tray_->SetIconIndex(2);
  EXPECT_EQ(Shown(), 2);
}

TEST_F(TrayTest, ListSetWhileLoadingPicksTheIconAtLoaded) {
  TImageList* images = MakeImages();
  MakeTray([images](TVmTrayIcon& tray) {
    tray.SetIconIndex(2);
    tray.SetIcons(images);
  });
  EXPECT_EQ(Picture(TrayData().icon), 2);
  EXPECT_EQ(Calls(nim::kAdd), 1);
}

TEST_F(TrayTest, ListChangesAndDestructionReachTheIcon) {
  TImageList* images = MakeImages();
  MakeTray().SetIcons(images);
  tray_->SetIconIndex(3);
  EXPECT_EQ(Shown(), kAppIcon);
  AddImage(*images, RGB(0, 0, 255));  // a fourth image: index 3 exists now
  ASSERT_NE(Shown(), kAppIcon);
  EXPECT_EQ(Shown(), kNoIcon);  // blue is none of the first three
  tray_->SetIconIndex(0);
  EXPECT_EQ(Shown(), 0);

  delete images;
  EXPECT_EQ(tray_->Icons(), nullptr);
  EXPECT_EQ(Shown(), kAppIcon);
  EXPECT_EQ(tray_->IconIndex(), 0);
}

TEST_F(TrayTest, AnimationCyclesThroughTheListOneStepPerInterval) {
  MakeTray().SetIcons(MakeImages());
  tray_->SetInterval(250);
  EXPECT_FALSE(tray_->Animate());
  tray_->SetAnimate(true);
  EXPECT_TRUE(tray_->Animate());
  std::vector<int> shown;
  for (int i = 0; i < 5; ++i) {
    windows().AdvanceIdle(250);
    shown.push_back(Shown());
    EXPECT_EQ(tray_->IconIndex(), shown.back());
  }
  EXPECT_EQ(shown, (std::vector<int>{1, 2, 0, 1, 2}));
  tray_->SetAnimate(false);
  const std::size_t before = CallCount();
  windows().AdvanceIdle(1000);
  EXPECT_EQ(CallCount(), before);
}

TEST_F(TrayTest, AnimationWithoutAListChangesNothing) {
  MakeTray().SetAnimate(true);
  EXPECT_EQ(tray_->Interval(), 1000u);
  const std::size_t before = CallCount();
  windows().AdvanceIdle(5000);
  EXPECT_EQ(CallCount(), before);
  EXPECT_EQ(tray_->IconIndex(), 0);
}

// --- Gestures ---

class TrayGestures : public TrayTest {
 protected:
  TrayGestures() {
    MakeTray([this](TVmTrayIcon& tray) { tray.SetPopupMenu(MakeMenu()); });
    menu_->OnPopup = TNotifyEvent([this](TObject*) { log_.push_back("menu"); });
    tray_->OnRestoreApp = TNotifyEvent([this](TObject*) { log_.push_back("restore"); });
    auto event = [this](const char* name) {
      return TNotifyEvent([this, name](TObject*) { log_.push_back(name); });
    };
    tray_->OnLButtonDown = event("ldown");
    tray_->OnLButtonUp = event("lup");
    tray_->OnLButtonDblClick = event("ldbl");
    tray_->OnRButtonDown = event("rdown");
    tray_->OnRButtonUp = event("rup");
    tray_->OnRButtonDblClick = event("rdbl");
    tray_->OnBalloonHintHide = event("balloon-hide");
    tray_->OnBalloonHintClose = event("balloon-close");
    tray_->OnBalloonHintClick = event("balloon-click");
    ShowProgram();
    tray_->MinimizeToTray();
  }
  std::vector<std::string> log_;
};

TEST_F(TrayGestures, DefaultsRestoreOnDoubleClickAndMenuOnRightRelease) {
  namespace n = tray_notify;
  for (auto notification : {n::kLButtonDown, n::kLButtonUp, n::kRButtonDown, n::kRButtonDblClk,
                            n::kBalloonHide, n::kBalloonTimeout, n::kBalloonUserClick,
                            std::intptr_t{0x200}}) {
    EXPECT_EQ(Notify(notification), 0);
  }
  EXPECT_EQ(log_, (std::vector<std::string>{"ldown", "lup", "rdown", "rdbl", "balloon-hide",
                                            "balloon-close", "balloon-click"}));
  EXPECT_TRUE(app().Minimized());
  log_.clear();
  Notify(n::kRButtonUp);
  EXPECT_EQ(log_, (std::vector<std::string>{"menu", "rup"}));
  log_.clear();
  Notify(n::kLButtonDblClk);
  EXPECT_EQ(log_, (std::vector<std::string>{"restore", "ldbl"}));
  EXPECT_FALSE(app().Minimized());
  EXPECT_TRUE(TaskbarButton());
  EXPECT_TRUE(windows().IsVisible(form_->Handle()));
}

TEST_F(TrayGestures, SameGestureRestoresFirstThenOpensTheMenu) {
  tray_->SetRestoreOn(TVmTrayIconClicks::ticRightClickUp);
  bool minimizedAtMenu = true;
  menu_->OnPopup = TNotifyEvent([this, &minimizedAtMenu](TObject*) {
    log_.push_back("menu");
    minimizedAtMenu = app().Minimized();
  });
  Notify(tray_notify::kRButtonUp);
  EXPECT_EQ(log_, (std::vector<std::string>{"restore", "menu", "rup"}));
  EXPECT_FALSE(minimizedAtMenu);
}

TEST_F(TrayGestures, RestoreOnNoneLeavesOnlyTheMenuToRestore) {
  tray_->SetRestoreOn(TVmTrayIconClicks::ticNone);
  Notify(tray_notify::kLButtonDblClk);
  EXPECT_TRUE(app().Minimized());
  EXPECT_FALSE(TaskbarButton());
  windows().ScriptMenuChoice(show_->Command());
  Notify(tray_notify::kRButtonUp);
  EXPECT_TRUE(app().Minimized());  // the click comes from the queue
  windows().ProcessPending();
  EXPECT_FALSE(app().Minimized());
  EXPECT_TRUE(TaskbarButton());
  EXPECT_EQ(log_, (std::vector<std::string>{"ldbl", "menu", "rup", "restore"}));
}

TEST_F(TrayGestures, RestoreIsIgnoredWhileTheMenuShows) {
  menu_->OnPopup = TNotifyEvent([this](TObject*) {
    log_.push_back("menu");
    Notify(tray_notify::kLButtonDblClk);  // a double click while the menu tracks
    tray_->RestoreFromTray();
  });
  Notify(tray_notify::kRButtonUp);
  EXPECT_EQ(log_, (std::vector<std::string>{"menu", "ldbl", "rup"}));
  EXPECT_TRUE(app().Minimized());
  // Once the menu has closed, the guard is down again.
  Notify(tray_notify::kLButtonDblClk);
  EXPECT_FALSE(app().Minimized());
}

TEST_F(TrayGestures, MenuGuardIsClearedWhenTheMenuThrows) {
  menu_->OnPopup = TNotifyEvent([](TObject*) { throw std::runtime_error("menu failed"); });
  Notify(tray_notify::kRButtonUp);  // the error reaches the error box
  EXPECT_EQ(windows().MessageBoxes().size(), 1u);
  tray_->RestoreFromTray();
  EXPECT_FALSE(app().Minimized());
}

TEST_F(TrayGestures, MenuOpensAtTheCursorWithTheFormInFrontAndWakesTheLoopAfter) {
  auto threadPosts = [this] {
    int posts = 0;
    for (const auto& call : windows().Calls()) {
      posts += call.what == "PostThread" && call.value == static_cast<int>(platform::msg::kNull);
    }
    return posts;
  };
  int postsWhileShowing = -1;
  menu_->OnPopup = TNotifyEvent([&](TObject*) { postsWhileShowing = threadPosts(); });
  windows().MouseMove(TPoint{700, 500});
  windows().ScriptMenuChoice(0);
  Notify(tray_notify::kRButtonUp);
  EXPECT_EQ(postsWhileShowing, 0);
  EXPECT_EQ(threadPosts(), 1);  // WM_NULL once the menu has closed
  ASSERT_EQ(windows().Menus().size(), 1u);
  EXPECT_EQ(windows().Menus()[0].at, (TPoint{700, 500}));
  EXPECT_EQ(windows().Menus()[0].entries.at(0).caption, "显示(&S)");
  bool foreground = false;
  for (const auto& call : windows().Calls()) {
    foreground |= call.what == "SetForeground" && call.window == form_->Handle();
  }
  EXPECT_TRUE(foreground);
}

TEST_F(TrayGestures, DestroyedMenuIsForgotten) {
  delete menu_;
  EXPECT_EQ(tray_->PopupMenu(), nullptr);
  Notify(tray_notify::kRButtonUp);
  EXPECT_EQ(log_, (std::vector<std::string>{"rup"}));
  EXPECT_TRUE(windows().Menus().empty());
}

// --- Minimise and restore ---

class TrayMinimize : public TrayTest {
 protected:
  TrayMinimize() {
    MakeTray();
    tray_->OnMinimizeApp = TNotifyEvent([this](TObject*) { ++minimized_; });
    tray_->OnRestoreApp = TNotifyEvent([this](TObject*) { ++restored_; });
    ShowProgram();
  }
  int minimized_ = 0;
  int restored_ = 0;
};

TEST_F(TrayMinimize, DirectCallOnAShownProgramFiresTwice) {
  ASSERT_TRUE(TaskbarButton());
  tray_->MinimizeToTray();
  EXPECT_EQ(minimized_, 2);
  EXPECT_TRUE(app().Minimized());
  EXPECT_FALSE(TaskbarButton());
  EXPECT_FALSE(windows().IsVisible(form_->Handle()));
  tray_->MinimizeToTray();  // already minimised
  EXPECT_EQ(minimized_, 3);
}

TEST_F(TrayMinimize, TitleBarButtonFiresOnce) {
  windows().UserMinimize(form_->Handle());
  EXPECT_EQ(minimized_, 1);
  EXPECT_TRUE(app().Minimized());
  EXPECT_FALSE(TaskbarButton());
}

TEST_F(TrayMinimize, RestoreRunsOnceAndBringsTheButtonBack) {
  tray_->MinimizeToTray();
  tray_->RestoreFromTray();
  EXPECT_EQ(restored_, 1);
  EXPECT_FALSE(app().Minimized());
  EXPECT_TRUE(TaskbarButton());
  EXPECT_TRUE(windows().IsVisible(form_->Handle()));
  // The application's own restore reaches the tray through its hook.
  tray_->MinimizeToTray();
  app().Restore();
  EXPECT_EQ(restored_, 2);
  EXPECT_TRUE(TaskbarButton());
}

TEST_F(TrayMinimize, WithoutHideOnMinimizeTheButtonStays) {
  tray_->SetHideOnMinimize(false);
  tray_->MinimizeToTray();
  EXPECT_TRUE(app().Minimized());
  EXPECT_TRUE(TaskbarButton());
}

TEST_F(TrayMinimize, NothingReachesADestroyedTrayIcon) {
  const auto window = tray_->Handle();
  const std::uint32_t id = LastCall().id;
  delete tray_;
  tray_ = nullptr;
  EXPECT_EQ(shell().notifyCalls.back().message, nim::kDelete);
  EXPECT_EQ(shell().tray.count({window.value, id}), 0u);
  EXPECT_FALSE(windows().Exists(window));
  app().Minimize();
  app().Restore();
  EXPECT_EQ(minimized_, 0);
  EXPECT_EQ(restored_, 0);
  EXPECT_TRUE(TaskbarButton());
}

// --- A shell that refuses the icon ---

TEST_F(TrayTest, FailedAddTurnsEnabledOffAndKeepsTheTaskbarButton) {
  shell().addSucceeds = false;
  int minimized = 0;
  MakeTray().OnMinimizeApp = TNotifyEvent([&minimized](TObject*) { ++minimized; });
  EXPECT_FALSE(tray_->Enabled());
  EXPECT_TRUE(shell().tray.empty());
  ShowProgram();
  tray_->MinimizeToTray();
  EXPECT_EQ(minimized, 2);
  EXPECT_TRUE(app().Minimized());
  EXPECT_TRUE(TaskbarButton());
  tray_->RestoreFromTray();
  EXPECT_FALSE(app().Minimized());
  // The taskbar starting again does not retry.
  shell().addSucceeds = true;
  const int adds = Calls(nim::kAdd);
  windows().Send(tray_->Handle(), windows().RegisterMessage("TaskbarCreated"), 0, 0);
  EXPECT_EQ(Calls(nim::kAdd), adds);
  EXPECT_TRUE(shell().tray.empty());
}

TEST_F(TrayTest, EnabledAddsAndRemovesTheIcon) {
  MakeTray().SetHint("tip");
  tray_->SetEnabled(false);
  EXPECT_EQ(shell().notifyCalls.back().message, nim::kDelete);
  EXPECT_TRUE(shell().tray.empty());
  tray_->SetEnabled(true);
  ASSERT_EQ(shell().tray.size(), 1u);
  EXPECT_EQ(TrayData().tip, u"tip");
  const std::size_t before = CallCount();
  tray_->SetEnabled(true);
  EXPECT_EQ(CallCount(), before);
}

// --- The hidden window's other messages ---

TEST_F(TrayTest, TaskbarRestartBringsBackTheCurrentHintAndIcon) {
  MakeTray().SetIcons(MakeImages());
  tray_->SetIconIndex(2);
  tray_->SetHint("Velmora (定时关机)\r还有5分");
  shell().DropAllIcons();
  const unsigned taskbarCreated = windows().RegisterMessage("TaskbarCreated");
  EXPECT_EQ(windows().Send(tray_->Handle(), taskbarCreated, 0, 0), 0);
  ASSERT_EQ(shell().tray.size(), 1u);
  EXPECT_EQ(shell().notifyCalls.back().message, nim::kAdd);
  EXPECT_EQ(TrayData().tip, u"Velmora (定时关机)\r还有5分");
  EXPECT_NE(TrayData().flags & nif::kTip, 0u);
  EXPECT_EQ(Picture(TrayData().icon), 2);
  EXPECT_TRUE(tray_->Enabled());

  // A broadcast while the icon is still there leaves it there and on.
  windows().Send(tray_->Handle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(tray_->Enabled());
  EXPECT_EQ(shell().tray.size(), 1u);

  // Switched off, the icon stays out.
  tray_->SetEnabled(false);
  windows().Send(tray_->Handle(), taskbarCreated, 0, 0);
  EXPECT_TRUE(shell().tray.empty());
}

TEST_F(TrayTest, EndOfSessionAnswersAndRemovesTheIcon) {
  MakeTray();
  EXPECT_EQ(windows().Send(tray_->Handle(), platform::msg::kQueryEndSession, 0, 0), 1);
  bool allow = false;
  int ended = 0;
  tray_->OnQueryEndSession = TVmQueryEndSessionEvent([&allow](TObject*, bool& allowSessionToEnd) {
    EXPECT_TRUE(allowSessionToEnd);
    allowSessionToEnd = allow;
  });
  tray_->OnEndSession = TNotifyEvent([&ended](TObject*) { ++ended; });
  EXPECT_EQ(windows().Send(tray_->Handle(), platform::msg::kQueryEndSession, 0, 0), 0);
  allow = true;
  EXPECT_EQ(windows().Send(tray_->Handle(), platform::msg::kQueryEndSession, 0, 0), 1);

  windows().Send(tray_->Handle(), platform::msg::kEndSession, 0, 0);  // it goes on
  EXPECT_EQ(ended, 1);
  EXPECT_FALSE(shell().tray.empty());
  windows().Send(tray_->Handle(), platform::msg::kEndSession, 1, 0);
  EXPECT_EQ(ended, 2);
  EXPECT_TRUE(shell().tray.empty());
}

}  // namespace
}  // namespace tandrel
