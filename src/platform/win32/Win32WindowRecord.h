// What the window system and its window procedures share: the record of
// each window, the system's state, the timer owners and the procedures.
// Only the window system's own files include it.
#pragma once

#include <windows.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/win32/GdiObjects.h"
#include "platform/win32/Win32WindowSystem.h"

namespace tandrel::platform {

inline HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h.value); }
inline WindowHandle FromHwnd(HWND h) { return WindowHandle{reinterpret_cast<std::uintptr_t>(h)}; }

// What the window procedure knows of one window.
struct WindowRecord {
  Win32WindowSystem::State* state = nullptr;
  WindowHandler* handler = nullptr;  // not owned
  WindowKind kind = WindowKind::Control;
  int frameWidth = 0;
  bool trackingLeave = false;
  ScopedFont font;
  WNDPROC nativeProc = nullptr;  // a native control's own procedure, under ours
};

struct Win32WindowSystem::State {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  std::map<std::wstring, ATOM> classes;
  std::map<HWND, std::unique_ptr<WindowRecord>> records;
  std::function<void(std::exception_ptr)> errorHandler;
  // Thread timers by the id the system gave them.
  std::map<UINT_PTR, std::function<void()>> timers;
  HWND tooltip = nullptr;
  std::wstring tooltipText;
  int nextControlId = 100;

  void ReportError(std::exception_ptr error) {
    if (errorHandler) {
      try {
        errorHandler(error);
        return;
      } catch (...) {
      }
    }
    std::fputs("tandrel: an error reached the window system\n", stderr);
  }

  WindowRecord* Record(HWND hwnd) {
    auto it = records.find(hwnd);
    return it == records.end() ? nullptr : it->second.get();
  }

  void FireTimer(UINT_PTR id) {
    auto it = timers.find(id);
    if (it == timers.end()) return;
    std::function<void()> tick = it->second;
    tick();
  }
};

// A DC of the whole window (frame included), released when the scope ends.
class WindowDcScope {
 public:
  explicit WindowDcScope(HWND hwnd) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}
  ~WindowDcScope() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDcScope(const WindowDcScope&) = delete;
  WindowDcScope& operator=(const WindowDcScope&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;  // not owned
  HDC dc_;
};

// Which window system started each thread timer; the timer procedure gets
// only the id.
std::map<UINT_PTR, Win32WindowSystem::State*>& TimerOwners();
// DispatchMessage calls it for WM_TIMER of a thread timer, in any message
// loop (message boxes and menus too), as it would a window's procedure.
void CALLBACK ThreadTimerProc(HWND, UINT, UINT_PTR id, DWORD);

// A window's bounds in its parent's client coordinates (the screen's for a
// top-level window).
TRect BoundsOf(HWND hwnd);

// The procedure of every window class the system registers: finds the record
// in the window's user data, set at WM_NCCREATE.
LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Put over a native control's own procedure, kept in its record.
LRESULT CALLBACK NativeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace tandrel::platform
