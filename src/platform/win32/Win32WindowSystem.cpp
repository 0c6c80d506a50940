#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>
#include <commctrl.h>

#include "platform/PlatformError.h"
#include "platform/win32/GdiObjects.h"
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32DirectPaint.h"
#include "platform/win32/Win32Edit.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32WindowRecord.h"

namespace tandrel::platform {

namespace {

constexpr wchar_t kFormClass[] = L"TandrelForm";
constexpr wchar_t kControlClass[] = L"TandrelControl";
constexpr wchar_t kUtilityClass[] = L"TandrelUtility";
constexpr wchar_t kAppClass[] = L"TandrelApplication";

// Destroys a popup menu when the scope ends.
struct MenuTraits {
  using Handle = HMENU;
  static Handle Empty() { return nullptr; }
  static void Close(Handle menu) { DestroyMenu(menu); }
};
using ScopedMenu = ScopedHandle<MenuTraits>;

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
