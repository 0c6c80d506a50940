// Tandrel in the notification area, worked from outside as the user and the
// shell would: Start hides the main window to the tray, a restarted taskbar
// gets the icon back, the tray menu's show item brings the window back and
// its exit item asks before the program ends.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {

using namespace std::chrono_literals;

constexpr UINT kTrayCallback = 0x2422;
constexpr wchar_t kMainCaption[] = L"Velmora V2.9(定时关机)";

struct TrayIcon {
  HWND window;
  UINT id;
};

HWND VisibleWindowOf(const TandrelProcess& program, const wchar_t* className) {
  for (HWND window : program.Windows(className, nullptr)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

struct ChildSearch {
  const wchar_t* text;
  HWND found;
};

BOOL CALLBACK MatchChildText(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (WindowText(window) == search->text) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

HWND FindChildByText(HWND parent, const wchar_t* text) {
  ChildSearch search{text, nullptr};
  EnumChildWindows(parent, MatchChildText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Clicks the middle of a control with the real mouse, as the user would.
void ClickWindow(HWND window) {
  SetForegroundWindow(GetAncestor(window, GA_ROOT));
  Sleep(300);  // the activation is handled before the press arrives
  RECT r{};
  GetWindowRect(window, &r);
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dx = ((r.left + r.right) / 2) * 65535 / (screenWidth - 1);
  inputs[0].mi.dy = ((r.top + r.bottom) / 2) * 65535 / (screenHeight - 1);
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  // At a person's pace: the press is seen before the release.
  for (INPUT& input : inputs) {
    SendInput(1, &input, sizeof(INPUT));
    Sleep(150);
  }
}

// Modifying nothing succeeds only for an icon the shell shows, whichever
// process asks.
bool Shown(const TrayIcon& icon) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = icon.window;
  data.uID = icon.id;
  data.uFlags = 0;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The program's icon: owned by one of its hidden utility windows, under one
// of the first few ids.
std::optional<TrayIcon> FindTrayIcon(const TandrelProcess& program) {
  for (HWND window : program.Windows(L"TandrelUtility", nullptr)) {
    for (UINT id = 1; id <= 8; ++id) {
      if (Shown(TrayIcon{window, id})) return TrayIcon{window, id};
    }
  }
  return std::nullopt;
}

// Releases the right button over the icon and picks entry `index` of the
// menu that opens (separators are skipped by the arrow keys).
bool ChooseInTrayMenu(const TandrelProcess& program, const TrayIcon& icon, int index) {
  PostMessageW(icon.window, kTrayCallback, icon.id, WM_RBUTTONUP);
  HWND menu = nullptr;
  if (!WaitFor([&] { return (menu = VisibleWindowOf(program, L"#32768")) != nullptr; }, 5s)) {
    return false;
  }
  for (int i = 0; i <= index; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

TEST(TrayEndToEnd, StartHidesToTheTrayAndTheTrayMenuBringsItBackOrEnds) {
  TandrelFolder folder;
  folder.WriteIni(L"CB", L"RBFS", L"0");  // count down 30 minutes: nothing fires meanwhile
  TandrelProcess program(folder.Exe());
  ASSERT_TRUE(program.Started());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    main = program.FindWindowOf(L"TandrelForm", kMainCaption);
    return main != nullptr && IsWindowVisible(main);
  }, 15s)) << "the main window did not show";
  HWND application = program.FindWindowOf(L"TandrelApplication", nullptr);
  ASSERT_NE(application, nullptr);
  HWND start = FindChildByText(main, L"开始");
  ASSERT_NE(start, nullptr);
  // Under Wine a press that arrives while the window is still being
  // activated can be lost; the user clicks again, and so does the test.
  bool pressed = false;
  for (int attempt = 0; attempt < 3 && !pressed; ++attempt) {
    ClickWindow(start);
    pressed = WaitFor([&] { return !IsWindowVisible(start); }, 2s);
  }
  ASSERT_TRUE(pressed) << "Start was not pressed";
  // Armed: the window and its taskbar button are gone, the icon is in the tray.
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5s));
  EXPECT_FALSE(IsWindowVisible(application));
  std::optional<TrayIcon> icon;
  ASSERT_TRUE(WaitFor([&] { return (icon = FindTrayIcon(program)).has_value(); }, 5s));

  // The taskbar restarts: it has lost the icon and announces itself.
  NOTIFYICONDATAW forget{};
  forget.cbSize = sizeof forget;
  forget.hWnd = icon->window;
  forget.uID = icon->id;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &forget));
  ASSERT_FALSE(Shown(*icon));
  PostMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(WaitFor([&] { return Shown(*icon); }, 5s));

  // "显示(&S)" brings the window back.
  ASSERT_TRUE(ChooseInTrayMenu(program, *icon, 0));
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) && IsWindowVisible(application); }, 5s));

  // "退出(&E)" asks first; No keeps the program and its icon.
  ASSERT_TRUE(ChooseInTrayMenu(program, *icon, 1));
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = VisibleWindowOf(program, L"#32770")) != nullptr; }, 5s))
      << "no exit confirmation";
  EXPECT_EQ(WindowText(box), L"Velmora");
  EXPECT_EQ(BoxText(box), L"您确认要退出定时关机软件");
  EXPECT_EQ(BoxButtons(box), (std::vector<int>{IDYES, IDNO}));
  PressBoxButton(box, IDNO);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5s));
  Sleep(300);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(Shown(*icon));

  // Yes ends the program, and its icon leaves the tray.
  ASSERT_TRUE(ChooseInTrayMenu(program, *icon, 1));
  ASSERT_TRUE(WaitFor([&] { return (box = VisibleWindowOf(program, L"#32770")) != nullptr; }, 5s));
  PressBoxButton(box, IDYES);
  EXPECT_TRUE(program.WaitExit(10s));
  EXPECT_FALSE(Shown(*icon));
}

}  // namespace
}  // namespace tandrel::e2e
