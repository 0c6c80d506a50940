// Window scripts for the headless backend: its test controls.
#ifndef _WIN32

#include <stdexcept>

#include "contract/WindowScript.h"
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::contract {
namespace {

platform::HeadlessWindowSystem& Windows(platform::Platform& platform) {
  auto* headless = dynamic_cast<platform::HeadlessPlatform*>(&platform);
  if (headless == nullptr) throw std::logic_error("window scripts expect the headless platform");
  return headless->windows();
}

std::vector<int> ButtonsOf(unsigned flags) {
  switch (flags & 0xF) {
    case 1: return {platform::mb::kIdOk, platform::mb::kIdCancel};
    case 4: return {platform::mb::kIdYes, platform::mb::kIdNo};
    default: return {platform::mb::kIdOk};
  }
}

}  // namespace

void RunIdle(platform::Platform& platform, unsigned ms) { Windows(platform).AdvanceIdle(ms); }

void PressKey(platform::Platform& platform, int key, unsigned shiftState, char32_t ch) {
  platform::HeadlessWindowSystem& windows = Windows(platform);
  windows.KeyDown(key, shiftState);
  if (ch != 0) windows.TypeChar(ch, shiftState);
  windows.KeyUp(key, shiftState);
}
void RunBusy(platform::Platform& platform, unsigned ms) { Windows(platform).AdvanceBusy(ms); }

void AnswerNextBox(platform::Platform& platform, int answer) {
  Windows(platform).ScriptMessageBox(answer);
}

std::vector<SeenBox> BoxesSeen(platform::Platform& platform) {
  std::vector<SeenBox> seen;
  for (const auto& call : Windows(platform).MessageBoxes()) {
    if (!call.scripted) continue;
    seen.push_back(SeenBox{call.request.text, call.request.caption, ButtonsOf(call.request.flags)});
  }
  return seen;
}

void ChooseInNextMenu(platform::Platform& platform, int index) {
  // The entry's id is only known when the menu shows: answer from a script.
  Windows(platform).ScriptMenuChoiceByIndex(index);
}

}  // namespace tandrel::contract

#endif  // !_WIN32
