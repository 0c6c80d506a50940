#include "platform/win32/Win32Edit.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/PlatformError.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/GdiSurface.h"
#include "platform/win32/Win32Keys.h"
#include "platform/win32/Win32WindowSystem.h"
#include "platform/win32/WideText.h"

namespace tandrel::platform {

namespace {

struct EditRecord {
  WindowHandler* handler = nullptr;  // not owned
  WNDPROC original = nullptr;
  ErrorReporter report;
  COLORREF background = GetSysColor(COLOR_WINDOW);
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  ScopedBrush brush;
  ScopedFont font;
  bool trackingLeave = false;
};

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The record lives in the window's user data, which the system's edit leaves
// to its creator: read in process, where a window property would cost a round
// trip to the window server on every message under Wine. Only windows running
// this procedure carry one, so any other window (a date-time picker with its
// own record in the same place) is told apart by the procedure.
EditRecord* RecordOf(HWND hwnd) {
  if (GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&EditProc)) return nullptr;
  return reinterpret_cast<EditRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HWND ToHwnd(WindowHandle h) { return reinterpret_cast<HWND>(h.value); }

TPoint MousePoint(LPARAM lParam) { return TPoint{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

std::wstring WindowTextOf(HWND hwnd) {
  int length = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  int got = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return text;
}

// Offsets in the UTF-16 text the window keeps and in its UTF-8 form.
std::size_t Utf8Offset(const std::wstring& text, DWORD utf16) {
  return FromWide(std::wstring_view(text).substr(0, std::min<std::size_t>(utf16, text.size()))).size();
}

DWORD Utf16Offset(const std::wstring& text, std::size_t utf8) {
  const std::string whole = FromWide(text);
  if (utf8 >= whole.size()) return static_cast<DWORD>(text.size());
  return static_cast<DWORD>(ToWide(std::string_view(whole).substr(0, utf8)).size());
}

// The client edge is painted by the edit; the frame drawn over it is the
// handler's, on the whole window with the client area left out.
void PaintFrame(HWND hwnd, WindowHandler& handler) {
  HDC dc = GetWindowDC(hwnd);
  if (!dc) return;
  RECT window{};
  GetWindowRect(hwnd, &window);
  RECT client{};
  GetClientRect(hwnd, &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd, &origin);
  const int w = window.right - window.left, h = window.bottom - window.top;
  const int left = origin.x - window.left, top = origin.y - window.top;
  {
    GdiSurface surface(dc, w, h);
    surface.ExcludeClip(TRect{left, top, left + client.right, top + client.bottom});
    handler.WindowNcPaint(surface);
  }
  ReleaseDC(hwnd, dc);
}

LRESULT HandleEditMessage(HWND hwnd, EditRecord& rec, UINT message, WPARAM wParam, LPARAM lParam) {
  WindowHandler* h = rec.handler;
  const WNDPROC original = rec.original;
  auto pass = [&](WPARAM w) { return CallWindowProcW(original, hwnd, message, w, lParam); };
  if (!h) return pass(wParam);
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
      LRESULT r = pass(wParam);
      h->WindowFocusChanged(message == WM_SETFOCUS);
      return r;
    }
    case WM_KEYDOWN:
      if (h->WindowKeyDown(static_cast<int>(wParam), KeyShiftState())) return 0;
      return pass(wParam);
    case WM_KEYUP:
      h->WindowKeyUp(static_cast<int>(wParam), KeyShiftState());
      return pass(wParam);
    case WM_CHAR: {
      char32_t left = h->WindowChar(static_cast<char32_t>(wParam), KeyShiftState() & ~shift::kAlt);
      return left == 0 ? 0 : pass(static_cast<WPARAM>(left));
    }
    case WM_SYSCHAR:
      h->WindowChar(static_cast<char32_t>(wParam), KeyShiftState() | shift::kAlt);
      return 0;
    case WM_NCPAINT: {
      LRESULT r = pass(wParam);
      if (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) PaintFrame(hwnd, *h);
      return r;
    }
    case WM_MOUSEMOVE: {
      if (!rec.trackingLeave) {
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, hwnd, 0};
        rec.trackingLeave = TrackMouseEvent(&tme) != FALSE;
      }
      LRESULT r = pass(wParam);
      h->WindowMouseMove(MousePoint(lParam), 0);
      return r;
    }
    case WM_MOUSELEAVE:
      rec.trackingLeave = false;
      h->WindowMouseLeave();
      return pass(wParam);
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO: {
      std::intptr_t result = 0;
      if (h->WindowMessage(message, wParam, lParam, result)) return result;
      return pass(wParam);
    }
    default:
      if (message >= WM_USER) {
        std::intptr_t result = 0;
        if (h->WindowMessage(message, wParam, lParam, result)) return result;
      }
      return pass(wParam);
  }
}

LRESULT CALLBACK EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* rec = reinterpret_cast<EditRecord*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!rec) return DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    std::unique_ptr<EditRecord> owned(rec);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(owned->original));
    if (owned->handler) {
      try {
        owned->handler->WindowDestroyed();
      } catch (...) {
        owned->report(std::current_exception());
      }
    }
    return CallWindowProcW(owned->original, hwnd, message, wParam, lParam);
  }
  try {
    return HandleEditMessage(hwnd, *rec, message, wParam, lParam);
  } catch (...) {
    rec->report(std::current_exception());
    return 0;
  }
}

DWORD EditStyle(const WindowSpec& params) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ES_AUTOHSCROLL;
  if (params.editAlign == EditAlign::Right) style |= ES_RIGHT;
  if (params.editAlign == EditAlign::Center) style |= ES_CENTER;
  if (params.readOnly) style |= ES_READONLY;
  if (params.visible) style |= WS_VISIBLE;
  if (!params.enabled) style |= WS_DISABLED;
  if (params.tabStop) style |= WS_TABSTOP;
  return style;
}

// A window that owns the clipboard while it is written, gone afterwards.
class ClipboardScope {
 public:
  ClipboardScope() {
    owner_ = CreateWindowExW(0, L"STATIC", nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    // Another program may hold the clipboard for a moment.
    for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
      open_ = OpenClipboard(owner_) != FALSE;
      if (!open_) Sleep(10);
    }
  }
  ~ClipboardScope() {
    if (open_) CloseClipboard();
    if (owner_) DestroyWindow(owner_);
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  HWND owner_ = nullptr;
  bool open_ = false;
};

}  // namespace

HWND CreateEditWindow(const WindowSpec& params, WindowHandler* handler, HINSTANCE instance,
                      HMENU id, ErrorReporter report) {
  const TRect& b = params.bounds;
  HWND hwnd = CreateWindowExW(params.clientEdge ? WS_EX_CLIENTEDGE : 0, L"EDIT",
                              ToWide(params.text).c_str(), EditStyle(params), b.left, b.top,
                              b.Width(), b.Height(), ToHwnd(params.parent), id, instance, nullptr);
  if (!hwnd) throw PlatformError("CreateWindowEx of the edit failed");
  auto rec = std::make_unique<EditRecord>();
  rec->handler = handler;
  rec->report = std::move(report);
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(rec.get()));
  rec->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditProc)));
  rec.release();  // freed at WM_NCDESTROY
  return hwnd;
}

bool IsEditWindow(HWND hwnd) { return hwnd && RecordOf(hwnd) != nullptr; }

bool ReflectEditCommand(HWND child, UINT code) {
  EditRecord* rec = child ? RecordOf(child) : nullptr;
  if (!rec) return false;
  if (code == EN_CHANGE && rec->handler) {
    try {
      rec->handler->WindowEditChanged();
    } catch (...) {
      rec->report(std::current_exception());
    }
  }
  return true;
}

HBRUSH EditColorBrush(HWND child, HDC dc) {
  EditRecord* rec = child ? RecordOf(child) : nullptr;
  if (!rec) return nullptr;
  if (!rec->brush) rec->brush = ScopedBrush(CreateSolidBrush(rec->background));
  SetBkColor(dc, rec->background);
  if (IsWindowEnabled(child)) SetTextColor(dc, rec->text);
  else SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  return rec->brush.Get();
}

void SetEditFont(HWND edit, const FontSpec& font) {
  EditRecord* rec = RecordOf(edit);
  if (!rec) return;
  ScopedFont made = CreateFontFromSpec(font);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(made.Get()), TRUE);
  rec->font = std::move(made);  // the old font is freed after the window let go of it
}

// --- The window system's edit and clipboard operations ---

EditSelection Win32WindowSystem::GetEditSelection(WindowHandle edit) {
  DWORD start = 0, end = 0;
  SendMessageW(ToHwnd(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  const std::wstring text = WindowTextOf(ToHwnd(edit));
  return EditSelection{Utf8Offset(text, start), Utf8Offset(text, end)};
}

void Win32WindowSystem::SetEditSelection(WindowHandle edit, std::size_t start, std::size_t end) {
  const std::wstring text = WindowTextOf(ToHwnd(edit));
  SendMessageW(ToHwnd(edit), EM_SETSEL, Utf16Offset(text, start),
               static_cast<LPARAM>(Utf16Offset(text, end)));
}

void Win32WindowSystem::ReplaceEditSelection(WindowHandle edit, const std::string& text) {
  const std::wstring wide = ToWide(text);
  SendMessageW(ToHwnd(edit), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32WindowSystem::SetEditReadOnly(WindowHandle edit, bool readOnly) {
  SendMessageW(ToHwnd(edit), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void Win32WindowSystem::SetEditColors(WindowHandle edit, TColor background, TColor text) {
  HWND hwnd = ToHwnd(edit);
  EditRecord* rec = RecordOf(hwnd);
  if (!rec) return;
  if (rec->background != background) rec->brush = ScopedBrush();
  rec->background = background;
  rec->text = text;
  InvalidateRect(hwnd, nullptr, TRUE);
}

std::string Win32WindowSystem::ClipboardText() {
  ClipboardScope clipboard;
  if (!clipboard.Open()) return {};
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return {};
  const auto* wide = static_cast<const wchar_t*>(GlobalLock(data));
  if (!wide) return {};
  std::string text = FromWide(wide);
  GlobalUnlock(data);
  return text;
}

void Win32WindowSystem::SetClipboardText(const std::string& text) {
  const std::wstring wide = ToWide(text);
  ClipboardScope clipboard;
  if (!clipboard.Open()) return;
  EmptyClipboard();
  const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (!memory) return;
  if (void* target = GlobalLock(memory)) {
    std::memcpy(target, wide.c_str(), bytes);
    GlobalUnlock(memory);
    // The clipboard owns the memory once it took it.
    if (SetClipboardData(CF_UNICODETEXT, memory)) return;
  }
  GlobalFree(memory);
}

}  // namespace tandrel::platform
