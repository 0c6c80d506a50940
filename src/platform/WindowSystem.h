// The windowing seam: windows of a few kinds, the events they receive, the
// message loop, timers, message boxes and popup menus. The framework's
// controls and forms sit on top of it; win32 maps it to user32 and comctl32,
// headless simulates it in memory for scripted tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Geometry.h"
#include "platform/Surface.h"

namespace tandrel::platform {

// An opaque window identity; 0 is "no window".
struct WindowHandle {
  std::uintptr_t value = 0;
  explicit operator bool() const { return value != 0; }
  friend bool operator==(WindowHandle, WindowHandle) = default;
};

enum class WindowKind {
  Form,            // top-level window with a frame chosen by FormBorder
  Control,         // custom-drawn child window
  Utility,         // hidden top-level window that only receives messages
  AppOwner,        // hidden top-level window that owns the forms and the taskbar button
  DateTimePicker,  // the native date-time picker
  ProgressBar,     // the native progress bar
  Edit,            // the native single-line edit
};

enum class EditAlign { Left, Center, Right };

// SizeableTool: a sizeable tool window (thin caption, no taskbar button).
enum class FormBorder { Sizeable, Single, None, SizeableTool };

struct WindowSpec {
  WindowKind kind = WindowKind::Control;
  // Controls: the parent window. Forms: the owner (the AppOwner window).
  WindowHandle parent;
  // Controls: the whole window in the parent's client coordinates.
  // Forms: the whole window (frame included) in screen coordinates.
  TRect bounds;
  std::string text;
  // The window class name that other programs see (empty: the kind's own).
  std::string className;
  bool visible = false;
  bool enabled = true;
  bool tabStop = false;
  // Forms.
  FormBorder border = FormBorder::Sizeable;
  bool systemMenu = true;
  bool minimizeBox = true;
  bool maximizeBox = true;
  bool topMost = false;
  // Controls: width of a frame drawn in the non-client area (the client
  // rectangle is inset by it on every side); 0 for none.
  int frameWidth = 0;
  // Date-time picker: time of day instead of the short date.
  bool timeKind = false;
  // Progress bar: continuous bar instead of blocks.
  bool smooth = false;
  // Edit: text alignment, the sunken client edge (two pixels of frame that
  // WindowNcPaint may draw over) and whether the user may change the text.
  EditAlign editAlign = EditAlign::Left;
  bool clientEdge = false;
  bool readOnly = false;
};

// The selection of an edit in bytes of its UTF-8 text; the caret is at
// `end` (a backward selection is reported in order).
struct EditSelection {
  std::size_t start = 0;
  std::size_t end = 0;
  friend bool operator==(EditSelection, EditSelection) = default;
};

enum class MouseButton { Left, Right, Middle };

// Modifier keys and mouse buttons held, as bits.
namespace shift {
inline constexpr unsigned kShift = 1;
inline constexpr unsigned kAlt = 2;
inline constexpr unsigned kCtrl = 4;
inline constexpr unsigned kLeft = 8;
inline constexpr unsigned kRight = 16;
inline constexpr unsigned kMiddle = 32;
}  // namespace shift

// Virtual-key codes the framework itself interprets (Windows VK_* values).
namespace vk {
inline constexpr int kBack = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kMenu = 0x12;
}  // namespace vk

// WM_NCHITTEST results used by the framework (Windows HT* values).
namespace hit {
inline constexpr int kNowhere = 0;
inline constexpr int kClient = 1;
inline constexpr int kCaption = 2;
inline constexpr int kBottomRight = 17;
inline constexpr int kTransparent = -1;
}  // namespace hit

enum class Cursor { Arrow, Hand, SizeNWSE, IBeam, Wait };

enum class ShowCommand { Hide, Show, ShowNoActivate, Minimize, Restore, Maximize };

// Raw messages that the framework names (Windows WM_* values).
namespace msg {
inline constexpr unsigned kNull = 0x0000;
inline constexpr unsigned kSetText = 0x000C;
inline constexpr unsigned kCut = 0x0300;
inline constexpr unsigned kCopy = 0x0301;
inline constexpr unsigned kPaste = 0x0302;
inline constexpr unsigned kUndo = 0x0304;
inline constexpr unsigned kQueryEndSession = 0x0011;
inline constexpr unsigned kSysColorChange = 0x0015;
inline constexpr unsigned kSettingChange = 0x001A;
inline constexpr unsigned kThemeChanged = 0x031A;
inline constexpr unsigned kEndSession = 0x0016;
inline constexpr unsigned kSysCommand = 0x0112;
inline constexpr unsigned kUser = 0x0400;
inline constexpr unsigned kApp = 0x8000;
}  // namespace msg

// Message box flags and answers (Windows MB_* and ID* values).
namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kOkCancel = 0x1;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

// What a window receives. Every hook has a do-nothing default; the platform
// calls them on the GUI thread. An exception leaving a hook is caught by the
// platform and handed to the error handler (WindowSystem::SetErrorHandler).
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;

  // Painting. `surface` covers the client area (origin at its top-left).
  virtual void WindowPaint(Surface& surface, const TRect& dirty) { (void)surface, (void)dirty; }
  // Return true when the background was erased by the handler.
  virtual bool WindowEraseBackground(Surface& surface) { (void)surface; return false; }
  // The frame of a control with frameWidth > 0; `surface` covers the whole window.
  virtual void WindowNcPaint(Surface& surface) { (void)surface; }
  // Hit testing of a point in client coordinates; `defaultResult` is what the
  // platform would answer. Return the hit code.
  virtual int WindowHitTest(TPoint client, int defaultResult) { (void)client; return defaultResult; }
  // Return true when the handler set the cursor itself.
  virtual bool WindowSetCursor(int hitTest) { (void)hitTest; return false; }

  virtual void WindowMoved(const TRect& bounds) { (void)bounds; }
  virtual void WindowSized(int clientWidth, int clientHeight) { (void)clientWidth, (void)clientHeight; }

  // Mouse, in client coordinates.
  virtual void WindowMouseMove(TPoint at, unsigned shiftState) { (void)at, (void)shiftState; }
  virtual void WindowMouseDown(MouseButton button, TPoint at, unsigned shiftState, bool doubleClick) {
    (void)button, (void)at, (void)shiftState, (void)doubleClick;
  }
  virtual void WindowMouseUp(MouseButton button, TPoint at, unsigned shiftState) {
    (void)button, (void)at, (void)shiftState;
  }
  virtual void WindowMouseLeave() {}
  virtual void WindowCaptureLost() {}

  // Keyboard. Return true when the key was handled (native controls then
  // do not see it).
  virtual bool WindowKeyDown(int key, unsigned shiftState) { (void)key, (void)shiftState; return false; }
  virtual bool WindowKeyUp(int key, unsigned shiftState) { (void)key, (void)shiftState; return false; }
  // A typed character; returns what is left of it for the platform's own
  // processing (native edits insert it), 0 when it was taken or refused.
  virtual char32_t WindowChar(char32_t ch, unsigned shiftState) { (void)shiftState; return ch; }

  virtual void WindowFocusChanged(bool focused) { (void)focused; }
  // A top-level window became (or stopped being) the active window.
  virtual void WindowActivated(bool active) { (void)active; }
  // The user asked to close (close button, system menu, Alt+F4).
  virtual void WindowCloseRequested() {}
  // The user minimised a form with its title-bar button; return true when
  // the handler took it over.
  virtual bool WindowMinimizeRequested() { return false; }
  // Likewise for a restore (the taskbar button of a minimised window).
  virtual bool WindowRestoreRequested() { return false; }
  // The session is about to end; return false to refuse.
  virtual bool WindowQueryEndSession() { return true; }
  virtual void WindowEndSession(bool ending) { (void)ending; }

  // The user changed a date-time picker.
  virtual void WindowDateTimeChanged() {}
  // The text of an edit changed (typing, clipboard, undo or WM_SETTEXT).
  virtual void WindowEditChanged() {}

  // Any other message (registered, posted, application range, WM_SYSCOMMAND).
  // Return true and set `result` when handled; otherwise the platform's
  // default processing runs.
  virtual bool WindowMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                             std::intptr_t& result) {
    (void)message, (void)wParam, (void)lParam, (void)result;
    return false;
  }

  // The window is gone; the handle must not be used any more.
  virtual void WindowDestroyed() {}
};

struct MessageBoxRequest {
  WindowHandle owner;
  std::string text;
  std::string caption;
  unsigned flags = 0;
};

struct MenuEntry {
  int id = 0;           // returned when chosen; 0 for a separator
  std::string caption;  // "-" for a separator; & marks the accelerator
  bool enabled = true;
  bool checked = false;
};

using TimerId = std::uint64_t;

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // Lifetime. `handler` is not owned and must outlive the window.
  virtual WindowHandle Create(const WindowSpec& params, WindowHandler* handler) = 0;
  virtual void Destroy(WindowHandle window) = 0;

  // Geometry. Bounds are the whole window, in the parent's client
  // coordinates for controls and in screen coordinates for top-level windows.
  virtual void SetBounds(WindowHandle window, const TRect& bounds) = 0;
  virtual TRect GetBounds(WindowHandle window) = 0;
  virtual TSize ClientSize(WindowHandle window) = 0;
  // The whole-window rectangle of a form whose client area is `client`.
  virtual TRect FormBoundsForClient(const WindowSpec& params, const TRect& client) = 0;
  virtual TPoint ClientToScreen(WindowHandle window, TPoint point) = 0;
  virtual TRect ScreenRect() = 0;
  virtual TRect WorkArea() = 0;

  // State.
  virtual void SetText(WindowHandle window, const std::string& text) = 0;
  virtual std::string GetText(WindowHandle window) = 0;
  virtual void Show(WindowHandle window, ShowCommand command) = 0;
  virtual bool IsVisible(WindowHandle window) = 0;
  virtual bool IsWindowMinimized(WindowHandle window) = 0;
  // Maximised and not minimised.
  virtual bool IsWindowMaximized(WindowHandle window) = 0;
  virtual void SetEnabled(WindowHandle window, bool enabled) = 0;
  virtual bool IsEnabled(WindowHandle window) = 0;
  virtual void SetTopMost(WindowHandle window, bool topMost) = 0;
  // Moves a window to the top of its siblings (or of the top-level windows).
  virtual void BringToTop(WindowHandle window) = 0;
  virtual void SetFont(WindowHandle window, const FontSpec& font) = 0;

  // Painting.
  virtual void Invalidate(WindowHandle window, const TRect* rect, bool erase) = 0;
  virtual void UpdateNow(WindowHandle window) = 0;
  // Paints `rect` of the client area at once through the handler's
  // WindowPaint, on a surface clipped to `rect` and to what can be seen, so
  // a small change reaches the screen without a paint cycle; what is
  // invalid stays invalid. Returns false, painting nothing, while the
  // window is hidden (itself or an ancestor) or inside a minimised window.
  virtual bool PaintNow(WindowHandle window, const TRect& rect) = 0;
  // Repaints the frame (non-client area) within `rect` of the whole window,
  // when any of the window can be seen.
  virtual void RedrawFrame(WindowHandle window, const TRect& rect) = 0;

  // The platform's default beep (a refused key, for example).
  virtual void Beep() = 0;

  // The hint window: one line of text at a screen point, until hidden.
  virtual void ShowTooltip(const std::string& text, TPoint screen) = 0;
  virtual void HideTooltip() = 0;

  // Focus, activation, capture, cursor.
  virtual void SetFocus(WindowHandle window) = 0;
  virtual WindowHandle GetFocus() = 0;
  virtual WindowHandle GetActiveWindow() = 0;
  virtual void SetForeground(WindowHandle window) = 0;
  virtual void SetCapture(WindowHandle window) = 0;
  virtual void ReleaseCapture() = 0;
  virtual WindowHandle GetCapture() = 0;
  // Asks for one WindowMouseLeave when the mouse leaves the window.
  virtual void TrackMouseLeave(WindowHandle window) = 0;
  virtual TPoint CursorPos() = 0;
  virtual void SetCursor(Cursor cursor) = 0;

  // Messages and the loop.
  virtual unsigned RegisterMessage(const std::string& name) = 0;
  // A null window posts to the thread (the loop discards it after waking).
  virtual void Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
                    std::intptr_t lParam) = 0;
  virtual std::intptr_t Send(WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
  // Runs until Quit; returns the exit code.
  virtual int RunLoop() = 0;
  virtual void Quit(int exitCode) = 0;
  // Handles everything that is waiting, then returns.
  virtual void ProcessPending() = 0;

  // Timers: `tick` runs on the GUI thread every `intervalMs`; a tick that
  // falls due while the thread is busy is not made up.
  virtual TimerId StartTimer(unsigned intervalMs, std::function<void()> tick) = 0;
  virtual void StopTimer(TimerId timer) = 0;

  // A modal message box; returns the button pressed (mb::kId*).
  virtual int ShowMessageBox(const MessageBoxRequest& request) = 0;
  // Shows a popup menu at a screen point and returns when it has closed:
  // the id of the chosen entry, or 0.
  virtual int TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries,
                             TPoint screen) = 0;

  // Native controls.
  virtual void SetProgress(WindowHandle bar, int min, int max, int position) = 0;
  virtual void SetPickerValue(WindowHandle picker, const LocalTime& value) = 0;
  virtual LocalTime GetPickerValue(WindowHandle picker) = 0;
  virtual EditSelection GetEditSelection(WindowHandle edit) = 0;
  // Offsets past the end mean the end; the caret goes to `end`.
  virtual void SetEditSelection(WindowHandle edit, std::size_t start, std::size_t end) = 0;
  // Replaces the selection as typing would (one change notification).
  virtual void ReplaceEditSelection(WindowHandle edit, const std::string& text) = 0;
  virtual void SetEditReadOnly(WindowHandle edit, bool readOnly) = 0;
  // Background and text colours of an edit (RGB, system colours resolved).
  virtual void SetEditColors(WindowHandle edit, TColor background, TColor text) = 0;

  // The clipboard's text ("" when it holds none) and replacing it.
  virtual std::string ClipboardText() = 0;
  virtual void SetClipboardText(const std::string& text) = 0;

  // The window's (and taskbar button's) icon: the application's own.
  virtual void SetAppIcon(WindowHandle window) = 0;

  // Receives every exception that leaves a handler or a timer tick.
  virtual void SetErrorHandler(std::function<void(std::exception_ptr)> handler) = 0;
};

}  // namespace tandrel::platform
