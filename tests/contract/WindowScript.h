// What the window contract suites need of the desktop they run on, said once
// and done per backend (window_script_headless.cpp, window_script_win32.cpp):
// letting time pass idle or busy, answering the next message box and
// choosing in the next popup menu as a user would, and keys pressed on the
// focused window.
#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tandrel::contract {

// Lets `ms` milliseconds pass with the program idle, handling its messages.
void RunIdle(platform::Platform& platform, unsigned ms);
// Keeps the thread busy for `ms` milliseconds, then handles what is waiting.
void RunBusy(platform::Platform& platform, unsigned ms);

struct SeenBox {
  std::string text;
  std::string caption;
  std::vector<int> buttons;  // ids of the buttons it offers (IDOK, IDYES, ...)
};
// The next message box shown is read and answered with button `answer`.
void AnswerNextBox(platform::Platform& platform, int answer);
// The boxes answered so far, oldest first.
std::vector<SeenBox> BoxesSeen(platform::Platform& platform);

// The next popup menu shown chooses its entry number `index` (0-based,
// separators not counted).
void ChooseInNextMenu(platform::Platform& platform, int index);

// The user presses `key` (a virtual-key code) with the modifiers of
// `shiftState` held on the window that has the focus: its key-down, the
// character it makes (`ch`, 0 for none) and its key-up.
void PressKey(platform::Platform& platform, int key, unsigned shiftState, char32_t ch);

}  // namespace tandrel::contract
