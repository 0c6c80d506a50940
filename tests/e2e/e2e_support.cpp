#include <windows.h>

#include <thread>

#include "E2eSupport.h"

namespace tandrel::e2e {

bool WaitFor(const std::function<bool()>& ready, std::chrono::milliseconds limit) {
  auto end = std::chrono::steady_clock::now() + limit;
  while (true) {
    if (ready()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

TandrelFolder::TandrelFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static int counter = 0;
  path_ = std::wstring(temp) + L"tandrel-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter) + L"\\";
  CreateDirectoryW(path_.c_str(), nullptr);
  CopyFileW(TandrelExePath().c_str(), Exe().c_str(), FALSE);
}

TandrelFolder::~TandrelFolder() {
  DeleteFileW(Ini().c_str());
  DeleteFileW(Exe().c_str());
  RemoveDirectoryW(path_.c_str());
}

void TandrelFolder::WriteIni(const wchar_t* section, const wchar_t* key,
                             const std::wstring& value) const {
  WritePrivateProfileStringW(section, key, value.c_str(), Ini().c_str());
}

std::wstring TandrelFolder::ReadIni(const wchar_t* section, const wchar_t* key) const {
  wchar_t buffer[2048];
  GetPrivateProfileStringW(section, key, L"<absent>", buffer, 2048, Ini().c_str());
  return buffer;
}

TandrelProcess::TandrelProcess(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     nullptr, &startup, &info)) {
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    WaitForInputIdle(process_, 10000);
  }
}

TandrelProcess::~TandrelProcess() {
  End();
  if (process_) CloseHandle(process_);
}

bool TandrelProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool TandrelProcess::WaitExit(std::chrono::milliseconds limit) const {
  return process_ && WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

void TandrelProcess::End() {
  if (Running()) {
    TerminateProcess(process_, 0);
    WaitForSingleObject(process_, 10000);
  }
}

namespace {
struct EnumState {
  DWORD pid;
  const wchar_t* className;
  const wchar_t* text;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* state = reinterpret_cast<EnumState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != state->pid) return TRUE;
  if (state->className) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    if (std::wstring(name) != state->className) return TRUE;
  }
  if (state->text && WindowText(window) != state->text) return TRUE;
  state->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> TandrelProcess::Windows(const wchar_t* className, const wchar_t* text) const {
  EnumState state{id_, className, text, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
  return state.found;
}

HWND TandrelProcess::FindWindowOf(const wchar_t* className, const wchar_t* text) const {
  std::vector<HWND> found = Windows(className, text);
  return found.empty() ? nullptr : found.front();
}

std::wstring WindowText(HWND window) {
  wchar_t buffer[1024] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                      2000, nullptr);
  return buffer;
}

std::wstring BoxText(HWND box) {
  wchar_t buffer[1024] = {};
  GetDlgItemTextW(box, 0xFFFF, buffer, 1024);
  return buffer;
}

namespace {
BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}
std::vector<HWND> Children(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  return children;
}
}  // namespace

std::vector<int> BoxButtons(HWND box) {
  std::vector<int> ids;
  for (HWND child : Children(box)) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (lstrcmpiW(name, L"Button") == 0 && IsWindowVisible(child)) ids.push_back(GetDlgCtrlID(child));
  }
  return ids;
}

bool BoxHasIcon(HWND box) {
  for (HWND child : Children(box)) {
    wchar_t name[64] = {};
    GetClassNameW(child, name, 64);
    if (lstrcmpiW(name, L"Static") == 0 && (GetWindowLongW(child, GWL_STYLE) & SS_ICON) == SS_ICON &&
        IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0) != 0) {
      return true;
    }
  }
  return false;
}

void PressBoxButton(HWND box, int id) {
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

std::wstring ShortDateText(int daysFromToday) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  FILETIME file;
  SystemTimeToFileTime(&now, &file);
  ULARGE_INTEGER value;
  value.LowPart = file.dwLowDateTime;
  value.HighPart = file.dwHighDateTime;
  value.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(daysFromToday) * 864000000000LL);
  file.dwLowDateTime = value.LowPart;
  file.dwHighDateTime = value.HighPart;
  SYSTEMTIME day;
  FileTimeToSystemTime(&file, &day);
  wchar_t format[128] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format, 128);
  wchar_t text[128] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, 0, &day, format, text, 128);
  return text;
}

bool SaveScreen(const std::wstring& path) {
  HDC screen = GetDC(nullptr);
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DWORD stride = static_cast<DWORD>(((width * 3) + 3) & ~3);
  DWORD size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;
  header.bfOffBits = sizeof header + sizeof info.bmiHeader;
  header.bfSize = header.bfOffBits + size;
  bool ok = false;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    ok = WriteFile(file, &header, sizeof header, &written, nullptr) &&
         WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
         WriteFile(file, bits, size, &written, nullptr);
    CloseHandle(file);
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> found;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM param) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
  for (HWND child : Descendants(parent)) {
    if (WindowText(child) == text) return child;
  }
  return nullptr;
}

void PostClick(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  const LPARAM centre = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  PostMessageW(window, WM_MOUSEMOVE, 0, centre);
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  PostMessageW(window, WM_LBUTTONUP, 0, centre);
}

HWND WaitShownMainWindow(const TandrelProcess& program) {
  HWND main = nullptr;
  WaitFor([&] {
    main = program.FindWindowOf(L"TandrelForm", L"Velmora V2.9(定时关机)");
    return main != nullptr && IsWindowVisible(main);
  }, std::chrono::seconds(15));
  return main;
}

// Screen pixels (0x00RRGGBB, rows top-down) of `rect` in `window`'s client
// coordinates.
std::vector<std::uint32_t> ClientPixels(HWND window, RECT rect) {
  MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  GdiFlush();
  const auto* source = static_cast<const std::uint32_t*>(bits);
  std::vector<std::uint32_t> pixels(source, source + static_cast<std::size_t>(width) * height);
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

int RedPixels(const std::vector<std::uint32_t>& pixels) {
  int red = 0;
  for (std::uint32_t p : pixels) {
    const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    if (r >= 192 && g <= 64 && b <= 64) ++red;
  }
  return red;
}


void Screenshot(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TANDREL_SCREENSHOT_DIR", folder, MAX_PATH) == 0) return;
  Sleep(800);  // let the last paint reach the screen
  SaveScreen(std::wstring(folder) + L"\\" + name);
}

}  // namespace tandrel::e2e
