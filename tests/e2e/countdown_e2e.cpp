// Countdowns under the real program. Repeat run arms at the first showing
// and fires at the moment; before firing, closing asks for confirmation,
// after firing it does not (the action is suspend, which Wine accepts and
// ignores). With the warning on, the last seconds are counted in the warning
// window, whose Cancel disarms and leaves the program idle. Log-off at a set
// time ends the whole Wine session, Tandrel among it, without a question;
// the console driver survives it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kMainCaption[] = L"Velmora V2.9(定时关机)";
constexpr wchar_t kConfirmExit[] = L"您确认要退出定时关机软件";

// The local time `seconds` from now as the user's long time text.
std::wstring TimeTextFromNow(int seconds) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME file;
  SystemTimeToFileTime(&now, &file);
  ULARGE_INTEGER value;
  value.LowPart = file.dwLowDateTime;
  value.HighPart = file.dwHighDateTime;
  value.QuadPart += static_cast<ULONGLONG>(seconds) * 10000000ULL;
  file.dwLowDateTime = value.LowPart;
  file.dwHighDateTime = value.HighPart;
  SYSTEMTIME later;
  FileTimeToSystemTime(&file, &later);
  wchar_t format[128] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format, 128);
  wchar_t text[128] = {};
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &later, format, text, 128);
  return text;
}

HWND VisibleBox(const TandrelProcess& program) {
  for (HWND box : program.Windows(L"#32770", nullptr)) {
    if (IsWindowVisible(box)) return box;
  }
  return nullptr;
}

TEST(TandrelCountdown, RepeatRunArmsAtStartFiresAtTheMomentAndThenClosesWithoutAsking) {
  TandrelFolder folder;
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (now.wHour == 23 && now.wMinute == 59) GTEST_SKIP() << "the target would fall on tomorrow";
  folder.WriteIni(L"CB", L"CBCF", L"1");
  folder.WriteIni(L"Set", L"RQ", ShortDateText(0));
  folder.WriteIni(L"Set", L"SJ", TimeTextFromNow(8));
  folder.WriteIni(L"Set", L"SD", L"5");
  TandrelProcess program(folder.Exe());
  HWND main = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (main = program.FindWindowOf(nullptr, kMainCaption)) != nullptr; },
                      15s));
  Sleep(1000);
  ASSERT_EQ(VisibleBox(program), nullptr);  // armed without complaint

  // Before the moment: closing asks, and No keeps the program.
  PostMessageW(main, WM_CLOSE, 0, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = VisibleBox(program)) != nullptr; }, 10s));
  EXPECT_EQ(BoxText(box), kConfirmExit);
  EXPECT_EQ(BoxButtons(box), (std::vector<int>{IDYES, IDNO}));
  PressBoxButton(box, IDNO);
  ASSERT_TRUE(WaitFor([&] { return VisibleBox(program) == nullptr; }, 10s));
  EXPECT_TRUE(program.Running());

  // After the moment the action has fired: closing asks nothing.
  Sleep(10000);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitExit(10s));
  EXPECT_EQ(VisibleBox(program), nullptr);
  // Arming wrote nothing to the file.
  EXPECT_EQ(folder.ReadIni(L"Set", L"SD"), L"5");
}

// Local wall-clock time in 100-ns steps, as the program reads its clock.
ULONGLONG LocalTicks() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME file;
  SystemTimeToFileTime(&now, &file);
  return (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

constexpr ULONGLONG kTicksPerSecond = 10000000ULL;

// A moment `seconds` from now on a whole second, so that the time text of
// the settings file names it exactly.
struct SetMoment {
  ULONGLONG ticks;
  std::wstring dateText;
  std::wstring timeText;
};

SetMoment MomentFromNow(int seconds) {
  SetMoment moment{};
  moment.ticks = LocalTicks() + static_cast<ULONGLONG>(seconds) * kTicksPerSecond;
  moment.ticks -= moment.ticks % kTicksPerSecond;
  FILETIME file;
  file.dwLowDateTime = static_cast<DWORD>(moment.ticks);
  file.dwHighDateTime = static_cast<DWORD>(moment.ticks >> 32);
  SYSTEMTIME at;
  FileTimeToSystemTime(&file, &at);
  wchar_t format[128] = {};
  wchar_t text[128] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format, 128);
  GetDateFormatW(LOCALE_USER_DEFAULT, 0, &at, format, text, 128);
  moment.dateText = text;
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STIMEFORMAT, format, 128);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &at, format, text, 128);
  moment.timeText = text;
  return moment;
}

// Signed milliseconds from now until `ticks` (negative once it has passed).
std::int64_t MillisecondsUntil(ULONGLONG ticks) {
  return (static_cast<std::int64_t>(ticks) - static_cast<std::int64_t>(LocalTicks())) / 10000;
}

std::chrono::milliseconds UntilPlus(ULONGLONG ticks, std::chrono::milliseconds extra) {
  const std::int64_t left = MillisecondsUntil(ticks);
  return std::chrono::milliseconds(left > 0 ? left : 0) + extra;
}

HWND ChildOfClass(HWND parent, const wchar_t* className) {
  for (HWND child : Descendants(parent)) {
    wchar_t name[128] = {};
    GetClassNameW(child, name, 128);
    if (std::wstring(name) == className) return child;
  }
  return nullptr;
}

// Whether `child` and every window between it and `top` take input.
bool EnabledUpTo(HWND child, HWND top) {
  for (HWND w = child; w != nullptr && w != top; w = GetParent(w)) {
    if (!IsWindowEnabled(w)) return false;
  }
  return true;
}

// A click posted to the middle of the control, as the other end-to-end
// tests do (real clicks right after an activation were lost under Wine).
// The warning window: a shown form of the program without a caption text
// and with a client area of 418 x 115.
HWND ShownWarning(const TandrelProcess& program) {
  for (HWND w : program.Windows(L"TandrelForm", L"")) {
    RECT client{};
    GetClientRect(w, &client);
    if (IsWindowVisible(w) && client.right == 418 && client.bottom == 115) return w;
  }
  return nullptr;
}

int ProgressPosition(HWND bar) {
  DWORD_PTR position = 0;
  SendMessageTimeoutW(bar, PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, 2000, &position);
  return static_cast<int>(position);
}

// Another windowed program of the same Wine session, to see whether the
// session itself ends; ended when the test is done.
class SessionNeighbour {
 public:
  SessionNeighbour() {
    wchar_t commandLine[] = L"notepad.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessW(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
      CloseHandle(info.hThread);
      process_ = info.hProcess;
      WaitForInputIdle(process_, 10000);
    }
  }
  ~SessionNeighbour() {
    if (!process_) return;
    if (Running()) {
      TerminateProcess(process_, 0);
      WaitForSingleObject(process_, 10000);
    }
    CloseHandle(process_);
  }
  SessionNeighbour(const SessionNeighbour&) = delete;
  SessionNeighbour& operator=(const SessionNeighbour&) = delete;

  bool Started() const { return process_ != nullptr; }
  bool Running() const { return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

 private:
  HANDLE process_ = nullptr;
};

TEST(Countdown, WarningCountsTheLastSecondsAndCancelLeavesTheProgramIdle) {
  TandrelFolder folder;
  const SetMoment target = MomentFromNow(34);
  folder.WriteIni(L"CB", L"RBFS", L"1");
  folder.WriteIni(L"CB", L"CBCF", L"0");
  folder.WriteIni(L"CB", L"Warn", L"1");
  folder.WriteIni(L"Set", L"RQ", target.dateText);
  folder.WriteIni(L"Set", L"SJ", target.timeText);
  folder.WriteIni(L"Set", L"SD", L"2");  // log-off: firing would end the program
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  Sleep(500);  // painted
  // The status bar right of the clock pane: the state panes, idle.
  const RECT statePanes{135, 284, 486, 301};
  const std::vector<std::uint32_t> idlePanes = ClientPixels(main, statePanes);
  HWND start = ChildWithText(main, L"开始");
  HWND stop = ChildWithText(main, L"停止");
  HWND options = ChildWithText(main, L"设置关机方式");
  HWND atSetTime = ChildWithText(main, L"指定时间");
  ASSERT_TRUE(start && stop && options && atSetTime);

  PostClick(start);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5s)) << "not armed";
  EXPECT_FALSE(EnabledUpTo(atSetTime, main));
  EXPECT_EQ(ShownWarning(program), nullptr);

  HWND warning = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (warning = ShownWarning(program)) != nullptr; },
                      UntilPlus(target.ticks, -20s)))
      << "no warning window";
  const std::int64_t leftAtHandOver = MillisecondsUntil(target.ticks);
  EXPECT_LE(leftAtHandOver, 31000);
  EXPECT_GE(leftAtHandOver, 27000);
  EXPECT_FALSE(IsWindowVisible(main));

  const LONG style = GetWindowLongW(warning, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER | WS_DLGFRAME), 0);
  EXPECT_NE(GetWindowLongW(warning, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  RECT frame{};
  GetWindowRect(warning, &frame);
  EXPECT_NEAR(frame.left + frame.right, GetSystemMetrics(SM_CXSCREEN), 2);
  EXPECT_NEAR(frame.top + frame.bottom, GetSystemMetrics(SM_CYSCREEN), 2);

  HWND cancel = ChildWithText(warning, L"取消");
  ASSERT_NE(cancel, nullptr);
  EXPECT_TRUE(IsWindowVisible(cancel));
  // Cancel shows its picture, a red disc, left of the caption.
  EXPECT_TRUE(WaitFor([&] { return RedPixels(ClientPixels(cancel, RECT{5, 5, 30, 25})) > 40; }, 3s))
      << "no picture on Cancel";
  Screenshot(L"tandrel-warning.bmp");
  HWND bar = ChildOfClass(warning, L"msctls_progress32");
  ASSERT_NE(bar, nullptr);
  EXPECT_NE(GetWindowLongW(bar, GWL_STYLE) & PBS_SMOOTH, 0);
  DWORD_PTR high = 0;
  SendMessageTimeoutW(bar, PBM_GETRANGE, FALSE, 0, SMTO_ABORTIFHUNG, 2000, &high);
  EXPECT_EQ(high, 29u);

  // The bar stands at 30 minus the seconds left and rises with them; the red
  // sentence above it changes with its number.
  Sleep(600);
  const RECT sentence{10, 12, 410, 28};
  const std::vector<std::uint32_t> firstSentence = ClientPixels(warning, sentence);
  const int firstPosition = ProgressPosition(bar);
  const std::int64_t firstLeft = MillisecondsUntil(target.ticks);
  EXPECT_NEAR(firstPosition, 30 - firstLeft / 1000, 2) << firstLeft << " ms left";
  EXPECT_GT(RedPixels(firstSentence), 40);
  Sleep(2200);
  const std::vector<std::uint32_t> secondSentence = ClientPixels(warning, sentence);
  const int secondPosition = ProgressPosition(bar);
  EXPECT_GE(secondPosition, firstPosition + 1);
  EXPECT_LE(secondPosition, firstPosition + 3);
  EXPECT_GT(RedPixels(secondSentence), 40);
  EXPECT_NE(firstSentence, secondSentence);
  ASSERT_TRUE(program.Running());

  PostClick(cancel);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(warning); }, 5s)) << "warning still shown";
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main) != FALSE; }, 5s)) << "main not back";
  EXPECT_TRUE(IsWindowVisible(start));
  EXPECT_FALSE(IsWindowVisible(stop));
  EXPECT_TRUE(IsWindowVisible(options));
  EXPECT_TRUE(EnabledUpTo(atSetTime, main));
  EXPECT_EQ(VisibleBox(program), nullptr);
  Sleep(800);  // painted
  EXPECT_TRUE(ClientPixels(main, statePanes) == idlePanes) << "status panes not idle";

  // Past the moment nothing happens: no action, no second warning.
  Sleep(static_cast<DWORD>(UntilPlus(target.ticks, 5s).count()));
  EXPECT_TRUE(program.Running());
  EXPECT_EQ(ShownWarning(program), nullptr);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(IsWindowVisible(start));
  EXPECT_EQ(VisibleBox(program), nullptr);
}

// Last in this file: it ends the Wine session.
TEST(Countdown, LogOffAtTheSetTimeEndsTheSessionWithoutAsking) {
  TandrelFolder folder;
  const SetMoment target = MomentFromNow(12);
  folder.WriteIni(L"CB", L"RBFS", L"1");
  folder.WriteIni(L"CB", L"CBCF", L"0");
  folder.WriteIni(L"CB", L"Warn", L"0");
  folder.WriteIni(L"Set", L"RQ", target.dateText);
  folder.WriteIni(L"Set", L"SJ", target.timeText);
  folder.WriteIni(L"Set", L"SD", L"2");
  SessionNeighbour neighbour;
  ASSERT_TRUE(neighbour.Started());
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND start = ChildWithText(main, L"开始");
  ASSERT_NE(start, nullptr);
  PostClick(start);
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main); }, 5s)) << "not armed";

  bool asked = false;
  WaitFor([&] {
    asked = asked || VisibleBox(program) != nullptr;
    return !program.Running();
  }, UntilPlus(target.ticks, -1s));
  ASSERT_TRUE(program.Running()) << "ended " << MillisecondsUntil(target.ticks)
                                 << " ms before the moment";
  EXPECT_TRUE(neighbour.Running());

  EXPECT_TRUE(WaitFor([&] {
    asked = asked || VisibleBox(program) != nullptr;
    return !program.Running();
  }, UntilPlus(target.ticks, 5s))) << "still running " << -MillisecondsUntil(target.ticks)
                                   << " ms after the moment";
  EXPECT_FALSE(asked) << "the exit confirmation showed";
  // The whole session ended, not only Tandrel.
  EXPECT_TRUE(WaitFor([&] { return !neighbour.Running(); }, 5s));
}

}  // namespace
}  // namespace tandrel::e2e
