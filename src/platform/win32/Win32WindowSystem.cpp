#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <cstdio>
#include <map>

#include "platform/PlatformError.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/GdiSurface.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32DirectPaint.h"
#include "platform/win32/Win32Edit.h"
#include "platform/win32/WideText.h"

namespace tandrel::platform {

namespace {

constexpr wchar_t kFormClass[] = L"TandrelForm";
constexpr wchar_t kControlClass[] = L"TandrelControl";
constexpr wchar_t kUtilityClass[] = L"TandrelUtility";
constexpr wchar_t kAppClass[] = L"TandrelApplication";

HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h.value); }
WindowHandle FromHwnd(HWND h) { return WindowHandle{reinterpret_cast<std::uintptr_t>(h)}; }

// Destroys a popup menu when the scope ends.
struct MenuTraits {
  using Handle = HMENU;
  static Handle Empty() { return nullptr; }
  static void Close(Handle menu) { DestroyMenu(menu); }
};
using ScopedMenu = ScopedHandle<MenuTraits>;

// BeginPaint/EndPaint as a scope, so that an exception still ends the paint.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd, &ps_); }
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const { return dc_; }
  RECT Dirty() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;  // not owned
  PAINTSTRUCT ps_{};
  HDC dc_ = nullptr;
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

unsigned KeyShiftState() {
  unsigned s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= shift::kShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= shift::kCtrl;
  if (GetKeyState(VK_MENU) < 0) s |= shift::kAlt;
  return s;
}

unsigned MouseShiftState(WPARAM wParam) {
  unsigned s = 0;
  if (wParam & MK_SHIFT) s |= shift::kShift;
  if (wParam & MK_CONTROL) s |= shift::kCtrl;
  if (wParam & MK_LBUTTON) s |= shift::kLeft;
  if (wParam & MK_RBUTTON) s |= shift::kRight;
  if (wParam & MK_MBUTTON) s |= shift::kMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= shift::kAlt;
  return s;
}

DWORD StyleFor(const WindowSpec& params) {
  switch (params.kind) {
    case WindowKind::Form: {
      DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
      switch (params.border) {
        case FormBorder::None: style |= WS_POPUP; break;
        case FormBorder::Single: style |= WS_CAPTION; break;
        case FormBorder::Sizeable:
        case FormBorder::SizeableTool: style |= WS_CAPTION | WS_THICKFRAME; break;
      }
      if (params.border != FormBorder::None && params.systemMenu) {
        style |= WS_SYSMENU;
        if (params.minimizeBox) style |= WS_MINIMIZEBOX;
        if (params.maximizeBox) style |= WS_MAXIMIZEBOX;
      }
      return style;
    }
    case WindowKind::AppOwner:
      return WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
    case WindowKind::Utility:
      return WS_POPUP;
    case WindowKind::Control:
      return WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    case WindowKind::DateTimePicker:
      return WS_CHILD | WS_CLIPSIBLINGS | (params.timeKind ? DTS_TIMEFORMAT : DTS_SHORTDATEFORMAT);
    case WindowKind::ProgressBar:
      return WS_CHILD | WS_CLIPSIBLINGS | (params.smooth ? PBS_SMOOTH : 0);
    case WindowKind::Edit:
      return WS_CHILD | WS_CLIPSIBLINGS;  // made in Win32Edit.cpp
  }
  return 0;
}

DWORD ExStyleFor(const WindowSpec& params) {
  if (params.kind != WindowKind::Form) return 0;
  return (params.topMost ? WS_EX_TOPMOST : 0) |
         (params.border == FormBorder::SizeableTool ? WS_EX_TOOLWINDOW : 0);
}

SYSTEMTIME ToSystemTime(const LocalTime& t) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  st.wMilliseconds = static_cast<WORD>(t.millisecond);
  return st;
}

LocalTime FromSystemTime(const SYSTEMTIME& st) {
  return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                   st.wMilliseconds};
}

}  // namespace

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

namespace {

// Which window system started each thread timer; the timer procedure gets
// only the id.
std::map<UINT_PTR, Win32WindowSystem::State*>& TimerOwners() {
  static std::map<UINT_PTR, Win32WindowSystem::State*> owners;
  return owners;
}

// DispatchMessage calls it for WM_TIMER of a thread timer, in any message
// loop (message boxes and menus too), as it would a window's procedure.
void CALLBACK ThreadTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  auto it = TimerOwners().find(id);
  if (it == TimerOwners().end()) return;
  Win32WindowSystem::State* state = it->second;
  try {
    state->FireTimer(id);
  } catch (...) {
    state->ReportError(std::current_exception());
  }
}

TRect BoundsOf(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) {
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  }
  return TRect{r.left, r.top, r.right, r.bottom};
}

LRESULT Dispatch(WindowRecord& rec, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowHandler& h = *rec.handler;
  switch (message) {
    case WM_PAINT: {
      PaintScope paint(hwnd);
      RECT client{};
      GetClientRect(hwnd, &client);
      GdiSurface surface(paint.Dc(), client.right, client.bottom);
      RECT d = paint.Dirty();
      h.WindowPaint(surface, TRect{d.left, d.top, d.right, d.bottom});
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT client{};
      GetClientRect(hwnd, &client);
      GdiSurface surface(reinterpret_cast<HDC>(wParam), client.right, client.bottom);
      if (h.WindowEraseBackground(surface)) return 1;
      break;
    }
    case WM_NCCALCSIZE:
      if (rec.frameWidth > 0) {
        RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                         : reinterpret_cast<RECT*>(lParam);
        InflateRect(r, -rec.frameWidth, -rec.frameWidth);
        return 0;
      }
      break;
    case WM_NCPAINT:
      if (rec.frameWidth > 0) {
        WindowDcScope dc(hwnd);
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        int w = wr.right - wr.left, ht = wr.bottom - wr.top;
        GdiSurface surface(dc.Get(), w, ht);
        surface.ExcludeClip(TRect{rec.frameWidth, rec.frameWidth, w - rec.frameWidth,
                                  ht - rec.frameWidth});
        h.WindowNcPaint(surface);
        return 0;
      }
      break;
    case WM_NCHITTEST: {
      LRESULT def = DefWindowProcW(hwnd, message, wParam, lParam);
      POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ScreenToClient(hwnd, &pt);
      return h.WindowHitTest(TPoint{pt.x, pt.y}, static_cast<int>(def));
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == hwnd && h.WindowSetCursor(LOWORD(lParam))) return TRUE;
      break;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED) h.WindowSized(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_MOVE:
      h.WindowMoved(BoundsOf(hwnd));
      return 0;
    case WM_MOUSEMOVE:
      h.WindowMouseMove(TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, MouseShiftState(wParam));
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: {
      MouseButton b = message <= WM_LBUTTONDBLCLK   ? MouseButton::Left
                      : message <= WM_RBUTTONDBLCLK ? MouseButton::Right
                                                    : MouseButton::Middle;
      bool dbl = message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK ||
                 message == WM_MBUTTONDBLCLK;
      h.WindowMouseDown(b, TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                        MouseShiftState(wParam), dbl);
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      MouseButton b = message == WM_LBUTTONUP   ? MouseButton::Left
                      : message == WM_RBUTTONUP ? MouseButton::Right
                                                : MouseButton::Middle;
      h.WindowMouseUp(b, TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                      MouseShiftState(wParam));
      if (message == WM_RBUTTONUP) break;  // lets WM_CONTEXTMENU follow
      return 0;
    }
    case WM_MOUSELEAVE:
      rec.trackingLeave = false;
      h.WindowMouseLeave();
      return 0;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(lParam) != hwnd) h.WindowCaptureLost();
      return 0;
    case WM_KEYDOWN:
      if (h.WindowKeyDown(static_cast<int>(wParam), KeyShiftState())) return 0;
      break;
    case WM_SYSKEYDOWN:
      h.WindowKeyDown(static_cast<int>(wParam), KeyShiftState());
      break;  // Alt+F4 and the system menu still work
    case WM_KEYUP:
      if (h.WindowKeyUp(static_cast<int>(wParam), KeyShiftState())) return 0;
      break;
    case WM_SYSKEYUP:
      h.WindowKeyUp(static_cast<int>(wParam), KeyShiftState());
      break;
    case WM_CHAR:
      h.WindowChar(static_cast<char32_t>(wParam), KeyShiftState() & ~shift::kAlt);
      return 0;
    case WM_SYSCHAR:
      h.WindowChar(static_cast<char32_t>(wParam), KeyShiftState() | shift::kAlt);
      return 0;
    case WM_SETFOCUS:
      h.WindowFocusChanged(true);
      return 0;
    case WM_KILLFOCUS:
      h.WindowFocusChanged(false);
      return 0;
    case WM_ACTIVATE: {
      // The default processing puts the focus into the window first; the
      // handler may then move it to the control that had it.
      LRESULT r = DefWindowProcW(hwnd, message, wParam, lParam);
      h.WindowActivated(LOWORD(wParam) != WA_INACTIVE);
      return r;
    }
    case WM_CLOSE:
      h.WindowCloseRequested();
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_MINIMIZE && h.WindowMinimizeRequested()) return 0;
      if ((wParam & 0xFFF0) == SC_RESTORE && IsIconic(hwnd) && h.WindowRestoreRequested()) return 0;
      break;
    case WM_QUERYENDSESSION:
      return h.WindowQueryEndSession() ? TRUE : FALSE;
    case WM_ENDSESSION:
      h.WindowEndSession(wParam != 0);
      return 0;
    case WM_COMMAND:
      if (lParam && ReflectEditCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) return 0;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      if (HBRUSH brush = EditColorBrush(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_NOTIFY: {
      // Reflected to the native child that sent it.
      auto* hdr = reinterpret_cast<NMHDR*>(lParam);
      WindowRecord* child = rec.state->Record(hdr->hwndFrom);
      if (child && child->handler) {
        if (hdr->code == DTN_DATETIMECHANGE) {
          child->handler->WindowDateTimeChanged();
          return 0;
        }
        std::intptr_t result = 0;
        if (child->handler->WindowMessage(message, wParam, lParam, result)) return result;
      }
      break;
    }
    default:
      break;
  }
  std::intptr_t result = 0;
  if (message != WM_PAINT && h.WindowMessage(message, wParam, lParam, result)) return result;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* rec = reinterpret_cast<WindowRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!rec) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    Win32WindowSystem::State* state = rec->state;
    if (WindowHandler* handler = rec->handler) {
      try {
        handler->WindowDestroyed();
      } catch (...) {
        state->ReportError(std::current_exception());
      }
    }
    state->records.erase(hwnd);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  if (!rec->handler) return DefWindowProcW(hwnd, message, wParam, lParam);
  try {
    return Dispatch(*rec, hwnd, message, wParam, lParam);
  } catch (...) {
    rec->state->ReportError(std::current_exception());
    return message == WM_QUERYENDSESSION ? TRUE : 0;
  }
}

// Native controls keep their own window procedure under this one, which
// reports focus changes and forgets the record when the control goes. The
// record sits in the control's user data (the controls keep theirs in their
// own window bytes): read in process, unlike the common controls' property
// based subclassing, which asks the window server on every message under Wine.
LRESULT CALLBACK NativeWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* rec = reinterpret_cast<WindowRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!rec) return DefWindowProcW(hwnd, message, wParam, lParam);
  const WNDPROC original = rec->nativeProc;
  try {
    switch (message) {
      case WM_SETFOCUS:
      case WM_KILLFOCUS: {
        LRESULT r = CallWindowProcW(original, hwnd, message, wParam, lParam);
        if (rec->handler) rec->handler->WindowFocusChanged(message == WM_SETFOCUS);
        return r;
      }
      case WM_KEYDOWN:
        // Tab moves the focus between controls, as in the custom ones.
        if (wParam == VK_TAB && rec->handler &&
            rec->handler->WindowKeyDown(static_cast<int>(wParam), KeyShiftState())) {
          return 0;
        }
        break;
      case WM_NCDESTROY: {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        Win32WindowSystem::State* state = rec->state;
        WindowHandler* handler = rec->handler;
        state->records.erase(hwnd);  // frees rec
        if (handler) handler->WindowDestroyed();
        return CallWindowProcW(original, hwnd, message, wParam, lParam);
      }
      default:
        break;
    }
  } catch (...) {
    rec->state->ReportError(std::current_exception());
    return 0;
  }
  return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

const wchar_t* ClassFor(WindowKind kind) {
  switch (kind) {
    case WindowKind::Form: return kFormClass;
    case WindowKind::Control: return kControlClass;
    case WindowKind::Utility: return kUtilityClass;
    case WindowKind::AppOwner: return kAppClass;
    case WindowKind::DateTimePicker: return DATETIMEPICK_CLASSW;
    case WindowKind::ProgressBar: return PROGRESS_CLASSW;
    case WindowKind::Edit: return L"EDIT";
  }
  return kControlClass;
}

}  // namespace

Win32WindowSystem::Win32WindowSystem() : state_(std::make_unique<State>()) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_DATE_CLASSES | ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  CommonControls().initCommonControlsEx(&icc);
}

Win32WindowSystem::~Win32WindowSystem() {
  for (auto& [id, tick] : state_->timers) {
    KillTimer(nullptr, id);
    TimerOwners().erase(id);
  }
  state_->timers.clear();
  if (state_->tooltip) ::DestroyWindow(state_->tooltip);
}

WindowHandle Win32WindowSystem::Create(const WindowSpec& params, WindowHandler* handler) {
  if (params.kind == WindowKind::Edit) {
    State* state = state_.get();
    HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(state->nextControlId++));
    return FromHwnd(CreateEditWindow(params, handler, state->instance, id,
                                     [state](std::exception_ptr e) { state->ReportError(e); }));
  }
  bool native = params.kind == WindowKind::DateTimePicker || params.kind == WindowKind::ProgressBar;
  std::wstring className = params.className.empty() ? std::wstring(ClassFor(params.kind))
                                                   : ToWide(params.className);
  if (!native && !state_->classes.count(className)) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = params.kind == WindowKind::Utility || params.kind == WindowKind::AppOwner
                   ? 0u
                   : static_cast<UINT>(CS_DBLCLKS);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = state_->instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Only windows that can be seen with a frame show an icon; for any class
    // given one, the system also makes a small copy (display queries under Wine).
    const bool framed = params.kind == WindowKind::Form || params.kind == WindowKind::AppOwner;
    wc.hIcon = framed ? LoadIconW(state_->instance, MAKEINTRESOURCEW(1)) : nullptr;
    wc.lpszClassName = className.c_str();
    ATOM atom = RegisterClassExW(&wc);
    // An earlier window system of this process may have registered it already.
    if (!atom && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
      throw PlatformError("RegisterClassEx failed");
    }
    state_->classes[className] = atom;
  }
  auto record = std::make_unique<WindowRecord>();
  record->state = state_.get();
  record->handler = handler;
  record->kind = params.kind;
  record->frameWidth = params.kind == WindowKind::Control ? params.frameWidth : 0;
  WindowRecord* rec = record.get();

  DWORD style = StyleFor(params);
  if (params.kind != WindowKind::Utility && params.kind != WindowKind::AppOwner) {
    if (params.visible) style |= WS_VISIBLE;
    if (!params.enabled) style |= WS_DISABLED;
    if (params.tabStop) style |= WS_TABSTOP;
  }
  HWND parent = ToHwnd(params.parent);
  TRect b = params.bounds;
  HMENU id = nullptr;
  if (style & WS_CHILD) id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(state_->nextControlId++));
  if (params.kind == WindowKind::AppOwner) {
    // No size: it is there for the taskbar button and as the forms' owner.
    b = Bounds(GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0, 0);
  }
  // The record must be findable from WM_NCCREATE on, before CreateWindowEx returns.
  HWND hwnd = CreateWindowExW(ExStyleFor(params), className.c_str(), ToWide(params.text).c_str(), style,
                              b.left, b.top, b.Width(), b.Height(), parent, id, state_->instance,
                              native ? nullptr : rec);
  if (!hwnd) throw PlatformError("CreateWindowEx failed");
  state_->records[hwnd] = std::move(record);
  if (native) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(rec));
    rec->nativeProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NativeWindowProc)));
  }
  if (rec->frameWidth > 0) {
    // The frame width is known now; make the system ask for the client area again.
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return FromHwnd(hwnd);
}

void Win32WindowSystem::Destroy(WindowHandle window) {
  if (IsWindow(ToHwnd(window))) ::DestroyWindow(ToHwnd(window));
}

void Win32WindowSystem::SetBounds(WindowHandle window, const TRect& b) {
  SetWindowPos(ToHwnd(window), nullptr, b.left, b.top, b.Width(), b.Height(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect Win32WindowSystem::GetBounds(WindowHandle window) { return BoundsOf(ToHwnd(window)); }

TSize Win32WindowSystem::ClientSize(WindowHandle window) {
  RECT r{};
  GetClientRect(ToHwnd(window), &r);
  return TSize{r.right, r.bottom};
}

TRect Win32WindowSystem::FormBoundsForClient(const WindowSpec& params, const TRect& client) {
  RECT r{client.left, client.top, client.right, client.bottom};
  AdjustWindowRectEx(&r, StyleFor(params), FALSE, ExStyleFor(params));
  return TRect{r.left, r.top, r.right, r.bottom};
}

TPoint Win32WindowSystem::ClientToScreen(WindowHandle window, TPoint point) {
  POINT p{point.x, point.y};
  ::ClientToScreen(ToHwnd(window), &p);
  return TPoint{p.x, p.y};
}

TRect Win32WindowSystem::ScreenRect() {
  return TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

TRect Win32WindowSystem::WorkArea() {
  RECT r{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return TRect{r.left, r.top, r.right, r.bottom};
}

void Win32WindowSystem::SetText(WindowHandle window, const std::string& text) {
  SetWindowTextW(ToHwnd(window), ToWide(text).c_str());
}

std::string Win32WindowSystem::GetText(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return FromWide(text);
}

void Win32WindowSystem::Show(WindowHandle window, ShowCommand command) {
  int cmd = SW_SHOW;
  switch (command) {
    case ShowCommand::Hide: cmd = SW_HIDE; break;
    case ShowCommand::Show: cmd = SW_SHOW; break;
    case ShowCommand::ShowNoActivate: cmd = SW_SHOWNA; break;
    case ShowCommand::Minimize: cmd = SW_MINIMIZE; break;
    case ShowCommand::Restore: cmd = SW_RESTORE; break;
    case ShowCommand::Maximize: cmd = SW_MAXIMIZE; break;
  }
  HWND hwnd = ToHwnd(window);
  ShowWindow(hwnd, cmd);
  // The windows it owns go and come back with a minimised owner. Windows does
  // that by itself; Wine does not, so it is asked for explicitly (a no-op
  // where it already happened).
  if (command == ShowCommand::Minimize) ShowOwnedPopups(hwnd, FALSE);
  if (command == ShowCommand::Restore) ShowOwnedPopups(hwnd, TRUE);
}

bool Win32WindowSystem::IsVisible(WindowHandle window) { return IsWindowVisible(ToHwnd(window)); }
bool Win32WindowSystem::IsWindowMinimized(WindowHandle window) { return IsIconic(ToHwnd(window)); }
bool Win32WindowSystem::IsWindowMaximized(WindowHandle window) { return IsZoomed(ToHwnd(window)); }
void Win32WindowSystem::SetEnabled(WindowHandle window, bool enabled) {
  EnableWindow(ToHwnd(window), enabled ? TRUE : FALSE);
}
bool Win32WindowSystem::IsEnabled(WindowHandle window) { return IsWindowEnabled(ToHwnd(window)); }

void Win32WindowSystem::SetTopMost(WindowHandle window, bool topMost) {
  SetWindowPos(ToHwnd(window), topMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32WindowSystem::BringToTop(WindowHandle window) {
  SetWindowPos(ToHwnd(window), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32WindowSystem::SetFont(WindowHandle window, const FontSpec& font) {
  WindowRecord* rec = state_->Record(ToHwnd(window));
  if (!rec) return SetEditFont(ToHwnd(window), font);
  ScopedFont made = CreateFontFromSpec(font);
  SendMessageW(ToHwnd(window), WM_SETFONT, reinterpret_cast<WPARAM>(made.Get()), TRUE);
  rec->font = std::move(made);  // the old font is freed after the window let go of it
}

void Win32WindowSystem::Invalidate(WindowHandle window, const TRect* rect, bool erase) {
  if (rect) {
    RECT r{rect->left, rect->top, rect->right, rect->bottom};
    InvalidateRect(ToHwnd(window), &r, erase ? TRUE : FALSE);
  } else {
    InvalidateRect(ToHwnd(window), nullptr, erase ? TRUE : FALSE);
  }
}

void Win32WindowSystem::UpdateNow(WindowHandle window) { UpdateWindow(ToHwnd(window)); }

bool Win32WindowSystem::PaintNow(WindowHandle window, const TRect& rect) {
  WindowRecord* rec = state_->Record(ToHwnd(window));
  return rec && PaintClientNow(ToHwnd(window), *rec->handler, rect);
}

void Win32WindowSystem::RedrawFrame(WindowHandle window, const TRect& rect) {
  HWND hwnd = ToHwnd(window);
  WindowDcScope dc(hwnd);
  RECT box{};
  int kind = GetClipBox(dc.Get(), &box);
  if (kind == ERROR || kind == NULLREGION) return;  // nothing of it can be seen
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  RedrawWindow(hwnd, &r, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void Win32WindowSystem::Beep() { MessageBeep(MB_OK); }

namespace {

// One tracking tool on the hint window; the size of the oldest layout,
// which every common-controls version takes.
TOOLINFOW HintTool(HWND tooltip, std::wstring* text) {
  TOOLINFOW ti{};
  ti.cbSize = TTTOOLINFOW_V1_SIZE;
  ti.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  ti.hwnd = tooltip;
  ti.uId = 1;
  ti.lpszText = text ? text->data() : nullptr;
  return ti;
}

}  // namespace

void Win32WindowSystem::ShowTooltip(const std::string& text, TPoint screen) {
  State& s = *state_;
  if (!s.tooltip) {
    s.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                s.instance, nullptr);
    if (!s.tooltip) return;
    s.tooltipText = L" ";
    TOOLINFOW ti = HintTool(s.tooltip, &s.tooltipText);
    SendMessageW(s.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
  }
  s.tooltipText = ToWide(text);
  TOOLINFOW ti = HintTool(s.tooltip, &s.tooltipText);
  SendMessageW(s.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
  SendMessageW(s.tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
  SendMessageW(s.tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&ti));
}

void Win32WindowSystem::HideTooltip() {
  State& s = *state_;
  if (!s.tooltip) return;
  TOOLINFOW ti = HintTool(s.tooltip, nullptr);
  SendMessageW(s.tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&ti));
}
void Win32WindowSystem::SetFocus(WindowHandle window) { ::SetFocus(ToHwnd(window)); }
WindowHandle Win32WindowSystem::GetFocus() { return FromHwnd(::GetFocus()); }
WindowHandle Win32WindowSystem::GetActiveWindow() { return FromHwnd(::GetActiveWindow()); }
void Win32WindowSystem::SetForeground(WindowHandle window) { SetForegroundWindow(ToHwnd(window)); }
void Win32WindowSystem::SetCapture(WindowHandle window) { ::SetCapture(ToHwnd(window)); }
void Win32WindowSystem::ReleaseCapture() { ::ReleaseCapture(); }
WindowHandle Win32WindowSystem::GetCapture() { return FromHwnd(::GetCapture()); }

void Win32WindowSystem::TrackMouseLeave(WindowHandle window) {
  WindowRecord* rec = state_->Record(ToHwnd(window));
  if (!rec || rec->trackingLeave) return;
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, ToHwnd(window), 0};
  if (TrackMouseEvent(&tme)) rec->trackingLeave = true;
}

TPoint Win32WindowSystem::CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return TPoint{p.x, p.y};
}

void Win32WindowSystem::SetCursor(Cursor cursor) {
  LPCWSTR id = IDC_ARROW;
  switch (cursor) {
    case Cursor::Arrow: id = IDC_ARROW; break;
    case Cursor::Hand: id = IDC_HAND; break;
    case Cursor::SizeNWSE: id = IDC_SIZENWSE; break;
    case Cursor::IBeam: id = IDC_IBEAM; break;
    case Cursor::Wait: id = IDC_WAIT; break;
  }
  ::SetCursor(LoadCursorW(nullptr, id));
}

unsigned Win32WindowSystem::RegisterMessage(const std::string& name) {
  return RegisterWindowMessageW(ToWide(name).c_str());
}

void Win32WindowSystem::Post(WindowHandle window, unsigned message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
  PostMessageW(ToHwnd(window), message, static_cast<WPARAM>(wParam), static_cast<LPARAM>(lParam));
}

std::intptr_t Win32WindowSystem::Send(WindowHandle window, unsigned message, std::uintptr_t wParam,
                                      std::intptr_t lParam) {
  return SendMessageW(ToHwnd(window), message, static_cast<WPARAM>(wParam),
                      static_cast<LPARAM>(lParam));
}

int Win32WindowSystem::RunLoop() {
  MSG m{};
  for (;;) {
    BOOL got = GetMessageW(&m, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(m.wParam);
    if (got < 0) return -1;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

void Win32WindowSystem::Quit(int exitCode) { PostQuitMessage(exitCode); }

void Win32WindowSystem::ProcessPending() {
  MSG m{};
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));  // the loop still has to see it
      return;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

TimerId Win32WindowSystem::StartTimer(unsigned intervalMs, std::function<void()> tick) {
  // A thread timer needs no window: a hidden one for them cost a window's
  // creation at start-up (about 50 server requests under Wine).
  // WM_TIMER is a flag, not a queue: ticks missed while busy are not made up.
  UINT_PTR id = SetTimer(nullptr, 0, intervalMs, ThreadTimerProc);
  if (id == 0) return 0;  // no timer; stopping it does nothing
  state_->timers[id] = std::move(tick);
  TimerOwners()[id] = state_.get();
  return id;
}

void Win32WindowSystem::StopTimer(TimerId timer) {
  auto id = static_cast<UINT_PTR>(timer);
  if (!state_->timers.erase(id)) return;
  KillTimer(nullptr, id);
  TimerOwners().erase(id);
}

int Win32WindowSystem::ShowMessageBox(const MessageBoxRequest& request) {
  return MessageBoxW(ToHwnd(request.owner), ToWide(request.text).c_str(),
                     ToWide(request.caption).c_str(), request.flags);
}

int Win32WindowSystem::TrackPopupMenu(WindowHandle owner, const std::vector<MenuEntry>& entries,
                                      TPoint screen) {
  ScopedMenu menu(CreatePopupMenu());
  if (!menu) return 0;
  for (const MenuEntry& e : entries) {
    if (e.caption == "-") {
      AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (e.enabled ? 0u : static_cast<UINT>(MF_GRAYED)) |
                 (e.checked ? static_cast<UINT>(MF_CHECKED) : 0u);
    AppendMenuW(menu.Get(), flags, static_cast<UINT_PTR>(e.id), ToWide(e.caption).c_str());
  }
  return static_cast<int>(::TrackPopupMenu(menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                           screen.x, screen.y, 0, ToHwnd(owner), nullptr));
}

void Win32WindowSystem::SetProgress(WindowHandle bar, int min, int max, int position) {
  HWND hwnd = ToHwnd(bar);
  SendMessageW(hwnd, PBM_SETRANGE32, static_cast<WPARAM>(min), static_cast<LPARAM>(max));
  SendMessageW(hwnd, PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

void Win32WindowSystem::SetPickerValue(WindowHandle picker, const LocalTime& value) {
  SYSTEMTIME st = ToSystemTime(value);
  SendMessageW(ToHwnd(picker), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
}

LocalTime Win32WindowSystem::GetPickerValue(WindowHandle picker) {
  SYSTEMTIME st{};
  SendMessageW(ToHwnd(picker), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return FromSystemTime(st);
}

void Win32WindowSystem::SetAppIcon(WindowHandle window) {
  HICON icon = LoadIconW(state_->instance, MAKEINTRESOURCEW(1));  // shared; not destroyed
  if (!icon) icon = LoadIconW(nullptr, IDI_APPLICATION);
  // Our window classes carry it already (the small one made from it): told
  // again, Wine converts both icons once more for the window manager.
  if (reinterpret_cast<HICON>(GetClassLongPtrW(ToHwnd(window), GCLP_HICON)) == icon) return;
  SendMessageW(ToHwnd(window), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(ToHwnd(window), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Win32WindowSystem::SetErrorHandler(std::function<void(std::exception_ptr)> handler) {
  state_->errorHandler = std::move(handler);
}

}  // namespace tandrel::platform
