// The window procedures: messages turned into calls on each window's
// handler, with every exception handed to the error handler before it could
// reach Windows.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32Edit.h"
#include "platform/win32/Win32Keys.h"
#include "platform/win32/Win32WindowRecord.h"

namespace tandrel::platform {

namespace {

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

}  // namespace

std::map<UINT_PTR, Win32WindowSystem::State*>& TimerOwners() {
  static std::map<UINT_PTR, Win32WindowSystem::State*> owners;
  return owners;
}

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

}  // namespace tandrel::platform
