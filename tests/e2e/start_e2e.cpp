// Starting the real Tandrel.exe: caption, single instance (a second copy for
// logon ends quietly), start in the tray, the settings file healed at start,
// minutes out of range clamped, and the guard of repeat run at logon.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMainCaption[] = L"Velmora V2.9(定时关机)";
constexpr wchar_t kTooShort[] =
    L"您的设置可能导致系统在启动后马上关闭,请把递减时间设为大于5分钟!";

HWND WaitMainWindow(const TandrelProcess& program) {
  HWND found = nullptr;
  WaitFor([&] { return (found = program.FindWindowOf(nullptr, kMainCaption)) != nullptr; }, 15s);
  return found;
}

HWND WaitBox(const TandrelProcess& program, std::chrono::milliseconds limit) {
  HWND found = nullptr;
  WaitFor([&] {
    found = program.FindWindowOf(L"#32770", nullptr);
    return found != nullptr && IsWindowVisible(found);
  }, limit);
  return found;
}

TEST(TandrelStart, CaptionCarriesTheVersionAndTheWindowShows) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  ASSERT_TRUE(program.Started());
  HWND main = WaitMainWindow(program);
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 5s));
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_EQ(client.right - client.left, 486);
  EXPECT_EQ(client.bottom - client.top, 302);
  wchar_t shots[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TANDREL_SCREENSHOT_DIR", shots, MAX_PATH) > 0) {
    Sleep(1000);
    SaveScreen(std::wstring(shots) + L"\\tandrel-main.bmp");
  }
  // No settings file is needed for a plain start.
  EXPECT_EQ(GetFileAttributesW(folder.Ini().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(TandrelStart, SecondCopyShowsItsBoxAndLeavesOneInstance) {
  TandrelFolder folder;
  TandrelProcess first(folder.Exe());
  ASSERT_NE(WaitMainWindow(first), nullptr);
  TandrelProcess second(folder.Exe());
  ASSERT_TRUE(second.Started());
  HWND box = WaitBox(second, 15s);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), L"Velmora");
  EXPECT_EQ(BoxText(box), L"The program already start");
  EXPECT_EQ(BoxButtons(box), std::vector<int>{IDOK});
  EXPECT_FALSE(BoxHasIcon(box));
  EXPECT_TRUE(second.Windows(nullptr, kMainCaption).empty());
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(second.WaitExit(15s));
  EXPECT_TRUE(first.Running());
  EXPECT_EQ(first.Windows(nullptr, kMainCaption).size(), 1u);
}

TEST(TandrelStart, SecondCopyStartedForLogonEndsWithinSecondsWithoutABox) {
  TandrelFolder folder;
  TandrelProcess first(folder.Exe());
  ASSERT_NE(WaitMainWindow(first), nullptr);
  TandrelProcess second(folder.Exe(), L"au");
  ASSERT_TRUE(second.Started());
  bool sawBox = false;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND w : second.Windows(L"#32770", nullptr)) sawBox = sawBox || IsWindowVisible(w);
    return !second.Running();
  }, 10s)) << "the second copy is still running";
  EXPECT_FALSE(sawBox);
  EXPECT_TRUE(first.Running());
}

// The text the minutes field shows: its own, or that of the edit inside it.
std::wstring FieldText(HWND field) {
  for (HWND child : Descendants(field)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Edit") == 0) return WindowText(child);
  }
  return WindowText(field);
}

TEST(TandrelStart, ZeroMinutesInTheFileShowAsOneAndStartDoesNotFire) {
  TandrelFolder folder;
  folder.WriteIni(L"CB", L"RBFS", L"0");
  folder.WriteIni(L"Set", L"FZ", L"0");
  folder.WriteIni(L"Set", L"SD", L"2");  // log off: ends the Wine session if it fired
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  // The field sits in the settings group: 16 + 10, 40 + 57, 65 x 23.
  HWND field = nullptr;
  for (HWND child : Descendants(main)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == 26 && r.top == 97 && r.right == 91 && r.bottom == 120) field = child;
  }
  ASSERT_NE(field, nullptr);
  EXPECT_EQ(FieldText(field), L"1");
  HWND start = ChildWithText(main, L"开始");
  ASSERT_NE(start, nullptr);
  PostClick(start);
  HWND stop = ChildWithText(main, L"停止");
  ASSERT_NE(stop, nullptr);
  // Armed: the window went to the tray with Stop in the place of Start.
  ASSERT_TRUE(WaitFor([&] {
    return (GetWindowLongW(stop, GWL_STYLE) & WS_VISIBLE) != 0 && !IsWindowVisible(main);
  }, 10s)) << "not armed";
  Sleep(3000);  // the first ticks
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(folder.ReadIni(L"Set", L"FZ"), L"0");
}

TEST(TandrelStart, AnUnreadableDateIsToldOnceAndRepeatRunArmsNothing) {
  TandrelFolder folder;
  folder.WriteIni(L"CB", L"CBCF", L"1");
  folder.WriteIni(L"Set", L"RQ", L"12.03.2026");  // written under another regional format
  folder.WriteIni(L"Set", L"SJ", L"23:59:59");
  TandrelProcess program(folder.Exe());
  HWND box = WaitBox(program, 15s);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), L"Velmora");
  EXPECT_EQ(BoxText(box), L"'12.03.2026' is not a valid date.");
  EXPECT_TRUE(BoxHasIcon(box));
  wchar_t shots[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TANDREL_SCREENSHOT_DIR", shots, MAX_PATH) > 0) {
    Sleep(800);
    SaveScreen(std::wstring(shots) + L"\\tandrel-unreadable-date.bmp");
  }
  PressBoxButton(box, IDOK);
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  // The file healed; no second box, and the window stays idle in front.
  EXPECT_EQ(folder.ReadIni(L"Set", L"RQ"), ShortDateText(0));
  Sleep(2000);
  for (HWND w : program.Windows(L"#32770", nullptr)) EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_TRUE(IsWindowVisible(main));
  HWND start = ChildWithText(main, L"开始");
  ASSERT_NE(start, nullptr);
  EXPECT_TRUE(IsWindowVisible(start));
}

TEST(TandrelStart, ArgumentAuGoesToTheTrayWithoutTheWindow) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe(), L"AU");
  HWND main = WaitMainWindow(program);
  ASSERT_NE(main, nullptr);
  Sleep(1500);
  wchar_t shots[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TANDREL_SCREENSHOT_DIR", shots, MAX_PATH) > 0) {
    SaveScreen(std::wstring(shots) + L"\\tandrel-au.bmp");
  }
  EXPECT_TRUE(program.Running());
  EXPECT_FALSE(IsWindowVisible(main));
}

TEST(TandrelStart, YesterdaysDateInTheFileBecomesToday) {
  TandrelFolder folder;
  const std::wstring yesterday = ShortDateText(-1);
  const std::wstring today = ShortDateText(0);
  folder.WriteIni(L"Set", L"RQ", yesterday);
  folder.WriteIni(L"Set", L"SJ", L"23:59:59");
  folder.WriteIni(L"Set", L"SD", L"3");
  TandrelProcess program(folder.Exe());
  ASSERT_NE(WaitMainWindow(program), nullptr);
  EXPECT_EQ(folder.ReadIni(L"Set", L"RQ"), today);
  EXPECT_EQ(folder.ReadIni(L"Set", L"SD"), L"3");
  EXPECT_EQ(folder.ReadIni(L"Set", L"SJ"), L"23:59:59");
}

TEST(TandrelStart, RepeatRunAtLogonWithFiveMinutesShowsTheGuardOnceAndStoresTen) {
  TandrelFolder folder;
  folder.WriteIni(L"CB", L"AutoRun", L"1");
  folder.WriteIni(L"CB", L"CBCF", L"1");
  folder.WriteIni(L"CB", L"RBFS", L"0");
  folder.WriteIni(L"Set", L"FZ", L"5");
  TandrelProcess program(folder.Exe());
  ASSERT_NE(WaitMainWindow(program), nullptr);
  HWND box = WaitBox(program, 15s);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(WindowText(box), L"Velmora");
  EXPECT_EQ(BoxText(box), kTooShort);
  PressBoxButton(box, IDOK);
  EXPECT_TRUE(WaitFor([&] { return folder.ReadIni(L"Set", L"FZ") == L"10"; }, 10s));
  // No second box follows the closing of the first.
  Sleep(2000);
  int visibleBoxes = 0;
  for (HWND w : program.Windows(L"#32770", nullptr)) visibleBoxes += IsWindowVisible(w) ? 1 : 0;
  EXPECT_EQ(visibleBoxes, 0);
  EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace tandrel::e2e
