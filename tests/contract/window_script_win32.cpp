// Window scripts for the Windows backend, done as a user would: a thread
// timer, which the modal loops of message boxes and menus keep dispatching,
// reads the box that is up and presses a button, or walks the menu with the
// arrow keys and Enter.
#ifdef _WIN32

#include <windows.h>

#include <cstring>
#include <cwchar>
#include <deque>

#include "contract/WindowScript.h"
#include "platform/win32/WideText.h"

namespace tandrel::contract {
namespace {

struct Script {
  std::deque<int> answers;
  std::vector<SeenBox> seen;
  int menuIndex = -1;
  UINT_PTR timer = 0;
};

Script& TheScript() {
  static Script script;
  return script;
}

struct Search {
  const wchar_t* className;
  HWND found;
};

BOOL CALLBACK FindByClass(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (std::wcscmp(name, search->className) == 0 && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND FindThreadWindow(const wchar_t* className) {
  Search search{className, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindByClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string TextOf(HWND hwnd) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(hwnd, buffer, 1024);
  return platform::FromWide(buffer);
}

void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
  Script& s = TheScript();
  if (!s.answers.empty()) {
    if (HWND box = FindThreadWindow(L"#32770")) {
      SeenBox seen;
      seen.caption = TextOf(box);
      if (HWND text = GetDlgItem(box, 0xFFFF)) seen.text = TextOf(text);
      for (int id : {IDOK, IDCANCEL, IDYES, IDNO}) {
        if (GetDlgItem(box, id)) seen.buttons.push_back(id);
      }
      s.seen.push_back(seen);
      int answer = s.answers.front();
      s.answers.pop_front();
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
    }
  }
  if (s.menuIndex >= 0) {
    if (HWND menu = FindThreadWindow(L"#32768")) {
      // The first Down selects the first entry; separators are skipped.
      for (int i = 0; i <= s.menuIndex; ++i) PostMessageW(menu, WM_KEYDOWN, VK_DOWN, 0);
      PostMessageW(menu, WM_KEYDOWN, VK_RETURN, 0);
      s.menuIndex = -1;
    }
  }
  if (s.answers.empty() && s.menuIndex < 0 && s.timer) {
    KillTimer(nullptr, s.timer);
    s.timer = 0;
  }
}

void EnsurePolling() {
  Script& s = TheScript();
  if (!s.timer) s.timer = SetTimer(nullptr, 0, 30, Poll);
}

}  // namespace

void RunIdle(platform::Platform& platform, unsigned ms) {
  ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
    platform.windows().ProcessPending();
  }
  platform.windows().ProcessPending();
}

void RunBusy(platform::Platform& platform, unsigned ms) {
  Sleep(ms);
  platform.windows().ProcessPending();
}

void PressKey(platform::Platform& platform, int key, unsigned shiftState, char32_t ch) {
  // The keys held are the thread's keyboard state, which GetKeyState reads.
  BYTE saved[256] = {};
  GetKeyboardState(saved);
  BYTE held[256];
  std::memcpy(held, saved, sizeof held);
  auto hold = [&](int vk, bool down) { held[vk] = down ? 0x80 : 0; };
  hold(VK_SHIFT, shiftState & platform::shift::kShift);
  hold(VK_CONTROL, shiftState & platform::shift::kCtrl);
  hold(VK_MENU, shiftState & platform::shift::kAlt);
  hold(key, true);
  SetKeyboardState(held);
  HWND focus = GetFocus();
  const UINT scan = MapVirtualKeyW(static_cast<UINT>(key), MAPVK_VK_TO_VSC);
  const LPARAM down = 1 | static_cast<LPARAM>(scan << 16);
  SendMessageW(focus, WM_KEYDOWN, static_cast<WPARAM>(key), down);
  if (ch != 0 && GetFocus() == focus) SendMessageW(focus, WM_CHAR, static_cast<WPARAM>(ch), down);
  hold(key, false);
  SetKeyboardState(held);
  SendMessageW(GetFocus(), WM_KEYUP, static_cast<WPARAM>(key), down | (LPARAM(3) << 30));
  SetKeyboardState(saved);
  platform.windows().ProcessPending();
}

void AnswerNextBox(platform::Platform&, int answer) {
  TheScript().answers.push_back(answer);
  EnsurePolling();
}

std::vector<SeenBox> BoxesSeen(platform::Platform&) { return TheScript().seen; }

void ChooseInNextMenu(platform::Platform&, int index) {
  TheScript().menuIndex = index;
  EnsurePolling();
}

}  // namespace tandrel::contract

#endif  // _WIN32
