// The main window's controls clicked from outside: start at logon writes and
// removes the machine-wide Run value and the logon task, countdown mode swaps the pickers for
// the minutes field, closing and the end of the session ask first,
// minimising goes to the tray and its menu brings the window back, also
// armed. With TANDREL_SCREENSHOT_DIR set, pictures of the idle and the armed
// window are saved there.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "E2eSupport.h"
#include "E2eTasks.h"

namespace tandrel::e2e {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMainCaption[] = L"Velmora V2.9(定时关机)";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr UINT kTrayCallback = 0x2422;

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

// The control whose window covers exactly `rect` of the main window's client area.
HWND ChildAt(HWND main, RECT rect) {
  for (HWND child : Descendants(main)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    if (EqualRect(&r, &rect)) return child;
  }
  return nullptr;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND child : Descendants(parent)) {
    if (ClassOf(child) == className) found.push_back(child);
  }
  return found;
}

// A left click in the middle of the control, delivered to it as the mouse
// would deliver it (SendInput clicks right after activation were lost now
// and then under Wine).
bool Checked(HWND control) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
  return state == BST_CHECKED;
}

std::optional<std::wstring> RunValue() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  wchar_t data[1024] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  const LONG result =
      RegQueryValueExW(key, L"Tandrel", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
  return std::wstring(data);
}

void RemoveRunValue() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
    RegDeleteValueW(key, L"Tandrel");
    RegCloseKey(key);
  }
}

HWND WaitVisibleBox(const TandrelProcess& program) {
  HWND box = nullptr;
  WaitFor([&] {
    for (HWND w : program.Windows(L"#32770", nullptr)) {
      if (IsWindowVisible(w)) box = w;
    }
    return box != nullptr;
  }, 5s);
  return box;
}

struct TrayIcon {
  HWND window;
  UINT id;
};

bool Shown(const TrayIcon& icon) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = icon.window;
  data.uID = icon.id;
  return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

std::optional<TrayIcon> FindTrayIcon(const TandrelProcess& program) {
  for (HWND window : program.Windows(L"TandrelUtility", nullptr)) {
    for (UINT id = 1; id <= 8; ++id) {
      if (Shown(TrayIcon{window, id})) return TrayIcon{window, id};
    }
  }
  return std::nullopt;
}

// Right button released over the icon, then entry `index` of its menu.
bool ChooseInTrayMenu(const TandrelProcess& program, const TrayIcon& icon, int index) {
  PostMessageW(icon.window, kTrayCallback, icon.id, WM_RBUTTONUP);
  HWND menu = nullptr;
  if (!WaitFor([&] {
        for (HWND w : program.Windows(L"#32768", nullptr)) {
          if (IsWindowVisible(w)) menu = w;
        }
        return menu != nullptr;
      }, 5s)) {
    return false;
  }
  for (int i = 0; i <= index; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

// 32 x 32 pixels as 0x00RRGGBB rows: drawn by `paint` into a fresh bitmap
// that starts filled with `background`.
std::vector<std::uint32_t> Pixels32(COLORREF background, const std::function<void(HDC)>& paint) {
  constexpr int kSize = 32;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(background);
  RECT all{0, 0, kSize, kSize};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  paint(dc);
  GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(source, source + kSize * kSize);
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  return pixels;
}

// Whether the box's icon control shows the system icon `id`: every pixel
// that the icon covers (the same on white and on black) is on the screen.
bool BoxShowsIcon(HWND box, LPCWSTR id) {
  HWND control = nullptr;
  for (HWND child : Descendants(box)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && IsWindowVisible(child)) {
      control = child;
    }
  }
  if (!control) return false;
  RECT r{};
  GetWindowRect(control, &r);
  const auto screen = Pixels32(0, [&](HDC dc) {
    HDC desktop = GetDC(nullptr);
    BitBlt(dc, 0, 0, 32, 32, desktop, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, desktop);
  });
  HICON icon = LoadIconW(nullptr, id);
  auto draw = [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, 32, 32, 0, nullptr, DI_NORMAL); };
  const auto onWhite = Pixels32(RGB(255, 255, 255), draw);
  const auto onBlack = Pixels32(RGB(0, 0, 0), draw);
  int covered = 0;
  for (std::size_t i = 0; i < screen.size(); ++i) {
    if (onWhite[i] != onBlack[i]) continue;  // not covered by the icon
    ++covered;
    if (screen[i] != onWhite[i]) return false;
  }
  return covered > 100;
}

TEST(MainWindowControls, StartAtLogonWritesTheRunValueAndTheTaskAndRemovesBoth) {
  RemoveRunValue();
  DeleteRootTask(L"Tandrel");
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND box = ChildWithText(main, L"开机自动运行");
  ASSERT_NE(box, nullptr);
  ASSERT_FALSE(Checked(box));

  PostClick(box);
  ASSERT_TRUE(WaitFor([&] { return RunValue().has_value(); }, 5s)) << "no Run value";
  EXPECT_EQ(*RunValue(), L"\"" + folder.Exe() + L"\" au");
  // The first call to the scheduler starts its service: about a second.
  EXPECT_TRUE(WaitFor([&] { return folder.ReadIni(L"CB", L"AutoRun") == L"1"; }, 15s));
  EXPECT_TRUE(RootTaskExists(L"Tandrel")) << "no logon task";
  EXPECT_TRUE(Checked(box));

  PostClick(box);
  EXPECT_TRUE(WaitFor([&] { return !RunValue().has_value(); }, 15s)) << "the Run value stayed";
  EXPECT_TRUE(WaitFor([&] { return folder.ReadIni(L"CB", L"AutoRun") == L"0"; }, 15s));
  EXPECT_TRUE(WaitFor([&] { return !RootTaskExists(L"Tandrel"); }, 5s)) << "the task stayed";
  EXPECT_FALSE(Checked(box));
  EXPECT_TRUE(program.Running());
  RemoveRunValue();
  DeleteRootTask(L"Tandrel");
}

TEST(MainWindowControls, CountdownModeShowsTheMinutesInsteadOfThePickers) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  Screenshot(L"tandrel-main-idle.bmp");
  // The minutes field sits in the settings group: 16 + 10, 40 + 57, 65 x 23.
  HWND minutes = ChildAt(main, RECT{26, 97, 91, 120});
  ASSERT_NE(minutes, nullptr);
  const std::vector<HWND> pickers = ChildrenOfClass(main, L"SysDateTimePick32");
  ASSERT_EQ(pickers.size(), 2u);
  EXPECT_FALSE(IsWindowVisible(minutes));
  for (HWND picker : pickers) EXPECT_TRUE(IsWindowVisible(picker));

  HWND countdown = ChildWithText(main, L"递减方式");
  ASSERT_NE(countdown, nullptr);
  PostClick(countdown);
  ASSERT_TRUE(WaitFor([&] { return folder.ReadIni(L"CB", L"RBFS") == L"0"; }, 5s));
  EXPECT_TRUE(Checked(countdown));
  EXPECT_TRUE(IsWindowVisible(minutes));
  for (HWND picker : pickers) EXPECT_FALSE(IsWindowVisible(picker));

  HWND atSetTime = ChildWithText(main, L"指定时间");
  ASSERT_NE(atSetTime, nullptr);
  PostClick(atSetTime);
  ASSERT_TRUE(WaitFor([&] { return folder.ReadIni(L"CB", L"RBFS") == L"1"; }, 5s));
  EXPECT_FALSE(Checked(countdown));
  EXPECT_FALSE(IsWindowVisible(minutes));
  for (HWND picker : pickers) EXPECT_TRUE(IsWindowVisible(picker));
}

TEST(MainWindowControls, ClosingAsksWithAQuestionAndOnlyYesEnds) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);

  // What the close button and the system menu's close item send.
  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  HWND box = WaitVisibleBox(program);
  ASSERT_NE(box, nullptr) << "no confirmation";
  EXPECT_EQ(WindowText(box), L"Velmora");
  EXPECT_EQ(BoxText(box), L"您确认要退出定时关机软件");
  EXPECT_EQ(BoxButtons(box), (std::vector<int>{IDYES, IDNO}));
  EXPECT_TRUE(BoxHasIcon(box));
  Sleep(300);  // painted
  EXPECT_TRUE(BoxShowsIcon(box, IDI_QUESTION));
  EXPECT_FALSE(BoxShowsIcon(box, IDI_WARNING));  // the check tells icons apart
  PressBoxButton(box, IDNO);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5s));
  Sleep(500);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(IsWindowVisible(main));

  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
  box = WaitVisibleBox(program);
  ASSERT_NE(box, nullptr);
  PressBoxButton(box, IDYES);
  EXPECT_TRUE(program.WaitExit(10s));
}

// Asks every top-level window of the program, as the system does at the end
// of a session, and presses `answer` in each confirmation that shows.
// Returns whether every window agreed; `boxes` counts the confirmations.
bool QueryEndSession(const TandrelProcess& program, int answer, int& boxes) {
  const std::vector<HWND> windows = program.Windows(nullptr, nullptr);
  std::atomic<bool> done{false};
  std::atomic<bool> agreed{true};
  std::thread system([&] {
    for (HWND window : windows) {
      DWORD_PTR result = 1;
      if (!SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 20000, &result) ||
          result == 0) {
        agreed = false;
        break;
      }
    }
    done = true;
  });
  boxes = 0;
  while (!done) {
    for (HWND box : program.Windows(L"#32770", nullptr)) {
      if (!IsWindowVisible(box)) continue;
      EXPECT_EQ(BoxText(box), L"您确认要退出定时关机软件");
      ++boxes;
      PressBoxButton(box, answer);
      WaitFor([&] { return !IsWindow(box); }, 5s);
    }
    Sleep(50);
  }
  system.join();
  return agreed;
}

TEST(MainWindowControls, EndOfSessionAsksAndNoRefusesIt) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  int boxes = 0;
  EXPECT_FALSE(QueryEndSession(program, IDNO, boxes));
  EXPECT_EQ(boxes, 1);
  for (HWND window : program.Windows(nullptr, nullptr)) {
    SendMessageTimeoutW(window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, nullptr);
  }
  Sleep(300);
  EXPECT_TRUE(program.Running());
  EXPECT_TRUE(IsWindowVisible(main));

  EXPECT_TRUE(QueryEndSession(program, IDYES, boxes));
  EXPECT_EQ(boxes, 1);
}

TEST(MainWindowControls, MinimisingHidesToTheTrayAndShowBringsTheWindowBack) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND application = program.FindWindowOf(L"TandrelApplication", nullptr);
  ASSERT_NE(application, nullptr);

  PostMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  std::optional<TrayIcon> icon;
  ASSERT_TRUE(WaitFor([&] { return (icon = FindTrayIcon(program)).has_value(); }, 5s));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5s)) << "window still shown";
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(application); }, 5s)) << "taskbar button";

  ASSERT_TRUE(ChooseInTrayMenu(program, *icon, 0));  // "显示(&S)"
  EXPECT_TRUE(WaitFor([&] {
    return IsWindowVisible(application) && !IsIconic(application) && IsWindowVisible(main);
  }, 5s)) << "not restored";
  EXPECT_TRUE(program.Running());
}

TEST(MainWindowControls, ArmedWindowShownFromTheTray) {
  TandrelFolder folder;
  folder.WriteIni(L"CB", L"RBFS", L"0");  // 30 minutes: nothing fires meanwhile
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND start = ChildWithText(main, L"开始");
  ASSERT_NE(start, nullptr);
  PostClick(start);
  std::optional<TrayIcon> icon;
  ASSERT_TRUE(WaitFor([&] { return (icon = FindTrayIcon(program)).has_value(); }, 5s));
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5s)) << "armed window still shown";
  ASSERT_TRUE(ChooseInTrayMenu(program, *icon, 0));
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 5s));
  HWND stop = ChildWithText(main, L"停止");
  ASSERT_NE(stop, nullptr);
  EXPECT_TRUE(IsWindowVisible(stop));
  EXPECT_FALSE(IsWindowVisible(start));
  Sleep(1200);  // one tick of the countdown label
  Screenshot(L"tandrel-main-armed.bmp");
}

}  // namespace
}  // namespace tandrel::e2e
