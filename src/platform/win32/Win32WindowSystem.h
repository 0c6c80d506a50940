// The window system over user32 and comctl32: window classes registered
// once, one window procedure that finds its handler through GWLP_USERDATA
// (attached at WM_NCCREATE), notifications reflected to the native child
// that sent them, timers on a message-only window, and a guard that hands
// every exception to the error handler before it could reach Windows.
#pragma once

#include <memory>

#include "platform/WindowSystem.h"

namespace tandrel::platform {

class Win32WindowSystem final : public WindowSystem {
 public:
  Win32WindowSystem();
  ~Win32WindowSystem() override;
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  WindowHandle Create(const WindowSpec& params, WindowHandler* handler) override;
  void Destroy(WindowHandle window) override;
  void SetBounds(WindowHandle window, const TRect& bounds) override;
  TRect GetBounds(WindowHandle window) override;
  TSize ClientSize(WindowHandle window) override;
  TRect FormBoundsForClient(const WindowSpec& params, const TRect& client) override;
  TPoint ClientToScreen(WindowHandle window, TPoint point) override;
  TRect ScreenRect() override;
  TRect WorkArea() override;
  void SetText(WindowHandle window, const std::string& text) override;
  std::string GetText(WindowHandle window) override;
  void Show(WindowHandle window, ShowCommand command) override;
  bool IsVisible(WindowHandle window) override;
  bool IsWindowMinimized(WindowHandle window) override;
  bool IsWindowMaximized(WindowHandle window) override;
  void SetEnabled(WindowHandle window, bool enabled) override;
  bool IsEnabled(WindowHandle window) override;
  void SetTopMost(WindowHandle window, bool topMost) override;
  void BringToTop(WindowHandle window) override;
  void SetFont(WindowHandle window, const FontSpec& font) override;
  void Invalidate(WindowHandle window, const TRect* rect, bool erase) override;
  void UpdateNow(WindowHandle window) override;
  bool PaintNow(WindowHandle window, const TRect& rect) override;
  void RedrawFrame(WindowHandle window, const TRect& rect) override;
  void Beep() override;
  void ShowTooltip(const std::string& text, TPoint screen) override;
  void HideTooltip() override;
  void SetFocus(WindowHandle window) override;
  WindowHandle GetFocus() override;
  WindowHandle GetActiveWindow() override;
  void SetForeground(WindowHandle window) override;
  void SetCapture(WindowHandle window) override;
  void ReleaseCapture() override;
  WindowHandle GetCapture() override;
  void TrackMouseLeave(WindowHandle window) override;
  TPoint CursorPos() override;
  void SetCursor(Cursor cursor) override;
  unsigned RegisterMessage(const std::string& name) override;
  void Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
            std::intptr_t lParam) override;
  std::intptr_t Send(WindowHandle window, unsigned message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
  int RunLoop() override;
  void Quit(int exitCode) override;
  void ProcessPending() override;
  TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) override;
  void StopTimer(TimerId timer) override;
  int ShowMessageBox(const MessageBoxRequest& request) override;
  int TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries,
                     TPoint screen) override;
  void SetProgress(WindowHandle bar, int min, int max, int position) override;
  void SetPickerValue(WindowHandle picker, const LocalTime& value) override;
  LocalTime GetPickerValue(WindowHandle picker) override;
  // The edit and clipboard operations live in Win32Edit.cpp.
  EditSelection GetEditSelection(WindowHandle edit) override;
  void SetEditSelection(WindowHandle edit, std::size_t start, std::size_t end) override;
  void ReplaceEditSelection(WindowHandle edit, const std::string& text) override;
  void SetEditReadOnly(WindowHandle edit, bool readOnly) override;
  void SetEditColors(WindowHandle edit, TColor background, TColor text) override;
  std::string ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  void SetAppIcon(WindowHandle window) override;
  void SetErrorHandler(std::function<void(std::exception_ptr)> handler) override;

  struct State;

 private:
  std::unique_ptr<State> state_;
};

}  // namespace tandrel::platform
