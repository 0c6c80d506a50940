// The minutes field of the real program in countdown mode, worked with the
// real mouse and keyboard: it is the system's EDIT, a click puts the focus
// in it, Ctrl+A selects all, digits are stored as they are typed, a letter
// is refused, Ctrl+V pastes from the clipboard, Down stays in the field and
// leaving reformats what the window shows. With TANDREL_SCREENSHOT_DIR set,
// a picture of the focused field with its selection is saved there.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {

using namespace std::chrono_literals;

HWND FindEdit(HWND main) {
  for (HWND child : Descendants(main)) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, L"Edit") == 0) return child;
  }
  return nullptr;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void SendKeys(const std::vector<std::pair<WORD, bool>>& keys) {
  std::vector<INPUT> inputs;
  for (auto [vk, down] : keys) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(150);  // the program handles them
}

void Press(WORD vk) { SendKeys({{vk, true}, {vk, false}}); }
void CtrlPlus(WORD vk) { SendKeys({{VK_CONTROL, true}, {vk, true}, {vk, false}, {VK_CONTROL, false}}); }

// A press and release of the left button at the middle of `window`, once
// the cursor is seen there three times in a row.
void RealClick(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const POINT target{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  int seen = 0;
  for (int attempt = 0; attempt < 100 && seen < 3; ++attempt) {
    SetCursorPos(target.x, target.y);
    Sleep(20);
    POINT now{};
    GetCursorPos(&now);
    seen = now.x == target.x && now.y == target.y ? seen + 1 : 0;
  }
  INPUT clicks[2] = {};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
  Sleep(200);
}

bool SetClipboard(const std::wstring& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool ok = false;
  if (memory) {
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    ok = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!ok) GlobalFree(memory);
  }
  CloseClipboard();
  return ok;
}

DWORD Selection(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return MAKELONG(start, end);
}

TEST(MinutesField, TypingPastingAndLeavingAsAUserDoes) {
  TandrelFolder folder;
  folder.WriteIni(L"CB", L"RBFS", L"0");  // countdown mode: the field shows
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND minutes = FindEdit(main);
  ASSERT_NE(minutes, nullptr) << "the minutes field is no EDIT window";
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(minutes) != FALSE; }, 5s));
  EXPECT_EQ(WindowText(minutes), L"30");
  SetForegroundWindow(main);
  Sleep(300);

  RealClick(minutes);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == minutes; }, 3s));
  CtrlPlus('A');
  EXPECT_EQ(Selection(minutes), static_cast<DWORD>(MAKELONG(0, 2)));
  if (wchar_t shots[MAX_PATH] = {}; GetEnvironmentVariableW(L"TANDREL_SCREENSHOT_DIR", shots, MAX_PATH)) {
    Sleep(500);
    SaveScreen(std::wstring(shots) + L"\\tandrel-minutes-selected.bmp");
  }
  Press('4');
  Press('5');
  EXPECT_TRUE(WaitFor([&] { return folder.ReadIni(L"Set", L"FZ") == L"45"; }, 5s));
  EXPECT_EQ(WindowText(minutes), L"45");

  Press('K');  // refused: the field keeps its digits
  EXPECT_EQ(WindowText(minutes), L"45");
  EXPECT_EQ(folder.ReadIni(L"Set", L"FZ"), L"45");

  ASSERT_TRUE(SetClipboard(L"120"));
  CtrlPlus('A');
  CtrlPlus('V');
  EXPECT_EQ(WindowText(minutes), L"120");
  Press(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return FocusOf(main) != minutes; }, 3s));
  EXPECT_TRUE(WaitFor([&] { return folder.ReadIni(L"Set", L"FZ") == L"120"; }, 5s));

  // Back in the field, Down moves the caret and not the focus.
  RealClick(minutes);
  ASSERT_TRUE(WaitFor([&] { return FocusOf(main) == minutes; }, 3s));
  Press(VK_DOWN);
  Press(VK_UP);
  EXPECT_EQ(FocusOf(main), minutes);

  // Leaving clamps and reformats; the window shows the stored number.
  CtrlPlus('A');
  for (WORD digit : {'1', '2', '3', '4', '5'}) Press(digit);
  Press(VK_TAB);
  EXPECT_TRUE(WaitFor([&] { return WindowText(minutes) == L"10,000"; }, 3s));
  EXPECT_TRUE(WaitFor([&] { return folder.ReadIni(L"Set", L"FZ") == L"10000"; }, 5s));
}

}  // namespace
}  // namespace tandrel::e2e
