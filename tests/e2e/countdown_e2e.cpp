// A schedule armed by repeat run at the first showing counts down and fires
// under the real program: before firing, closing asks for confirmation;
// after firing, it does not. The action is suspend, which Wine accepts and
// ignores, so the test's session survives.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

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

}  // namespace
}  // namespace tandrel::e2e
