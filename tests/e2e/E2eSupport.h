// Helpers of the end-to-end driver: a copy of Tandrel.exe in a fresh folder,
// started as a child process and worked from outside through its windows.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tandrel::e2e {

// The Tandrel.exe given on the command line.
const std::wstring& TandrelExePath();

// Waits until `ready` holds or the time runs out; true when it held.
bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit);

// A folder of its own holding a copy of Tandrel.exe; removed at the end.
class TandrelFolder {
 public:
  TandrelFolder();
  ~TandrelFolder();
  TandrelFolder(const TandrelFolder&) = delete;
  TandrelFolder& operator=(const TandrelFolder&) = delete;

  const std::wstring& Path() const { return path_; }  // with trailing backslash
  std::wstring Exe() const { return path_ + L"Tandrel.exe"; }
  std::wstring Ini() const { return path_ + L"Tandrel.ini"; }
  void WriteIni(const wchar_t* section, const wchar_t* key, const std::wstring& value) const;
  std::wstring ReadIni(const wchar_t* section, const wchar_t* key) const;

 private:
  std::wstring path_;
};

// One running Tandrel.exe; ended (TerminateProcess) when destroyed.
class TandrelProcess {
 public:
  TandrelProcess(const std::wstring& exe, const std::wstring& arguments = L"");
  ~TandrelProcess();
  TandrelProcess(const TandrelProcess&) = delete;
  TandrelProcess& operator=(const TandrelProcess&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  bool Running() const;
  bool WaitExit(std::chrono::milliseconds limit) const;
  void End();

  // Top-level windows of this process (visible or not) with that class
  // (empty: any) and text (nullptr: any).
  std::vector<HWND> Windows(const wchar_t* className, const wchar_t* text) const;
  HWND FindWindowOf(const wchar_t* className, const wchar_t* text) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

std::wstring WindowText(HWND window);
// The text of a message box (its static control 0xFFFF) and its buttons' ids.
std::wstring BoxText(HWND box);
std::vector<int> BoxButtons(HWND box);
bool BoxHasIcon(HWND box);
void PressBoxButton(HWND box, int id);

// Local date as the user's short date text, days from today.
std::wstring ShortDateText(int daysFromToday);

// The whole screen as a 24-bit .bmp file.
bool SaveScreen(const std::wstring& path);

// Screen pixels (0x00RRGGBB, rows top-down) of `rect` in `window`'s client
// coordinates; how many of them are clearly red.
std::vector<std::uint32_t> ClientPixels(HWND window, RECT rect);
int RedPixels(const std::vector<std::uint32_t>& pixels);
// The whole screen saved as `name` in TANDREL_SCREENSHOT_DIR, when set.
void Screenshot(const wchar_t* name);

// Every descendant window of `parent`.
std::vector<HWND> Descendants(HWND parent);
// The first descendant whose window text is `text`, or null.
HWND ChildWithText(HWND parent, const wchar_t* text);

// A click in the middle of a control, posted to it. Under Wine with Xvfb a
// real SendInput click right after a window shows can land where the X
// pointer still is, so the tests post the mouse messages instead.
void PostClick(HWND window);

// The main window once it is shown (15 s at most), or null.
HWND WaitShownMainWindow(const TandrelProcess& program);

}  // namespace tandrel::e2e
