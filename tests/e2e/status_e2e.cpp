// The main window's status bar seen from outside: the clock pane (which has
// no window of its own) shows the user's date and time and follows the
// seconds, read off the screen and compared with the same text drawn here
// in the pane's font; the home pane shows its picture, and a click anywhere
// on it opens the home page through the shell. The shell's handler for
// https addresses is this driver in its recording mode, so no browser opens.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {

using namespace std::chrono_literals;

// The bar and its panes, in the main window's client coordinates.
constexpr RECT kBar{0, 283, 486, 302};
constexpr int kClockWidth = 129;
constexpr int kHomeLeft = 465;  // the help pane before it is hidden

HWND StatusBar(HWND main) {
  for (HWND child : Descendants(main)) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    if (EqualRect(&r, &kBar)) return child;
  }
  return nullptr;
}

// Pixels of a 32-bit top-down DIB section, as COLORREF values.
class Picture {
 public:
  Picture(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bitmap_);
  }
  ~Picture() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  HDC Dc() const { return dc_; }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = bits_[y * width_ + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// What the screen shows of the window's client area at (x, y, width, height).
void CaptureInto(Picture& picture, HWND window, int x, int y) {
  POINT origin{x, y};
  ClientToScreen(window, &origin);
  HDC screen = GetDC(nullptr);
  BitBlt(picture.Dc(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y, SRCCOPY);
  ReleaseDC(nullptr, screen);
}

// The date and time as the user's short date and long time formats write
// them; the date alone at midnight to the second.
std::wstring ClockText(const SYSTEMTIME& t) {
  wchar_t date[64] = {};
  wchar_t time[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &t, nullptr, date, 64);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &t, nullptr, time, 64);
  if (t.wHour == 0 && t.wMinute == 0 && t.wSecond == 0) return date;
  return std::wstring(date) + L" " + time;
}

SYSTEMTIME Shifted(const SYSTEMTIME& t, int seconds) {
  FILETIME f{};
  SystemTimeToFileTime(&t, &f);
  ULARGE_INTEGER v{};
  v.LowPart = f.dwLowDateTime;
  v.HighPart = f.dwHighDateTime;
  v.QuadPart += static_cast<long long>(seconds) * 10'000'000LL;
  f.dwLowDateTime = v.LowPart;
  f.dwHighDateTime = v.HighPart;
  SYSTEMTIME out{};
  FileTimeToSystemTime(&f, &out);
  return out;
}

// The clock pane as it looks showing `text`: the bar's face, the text in
// MS Sans Serif -11 black at the caption's place, clipped to the text area.
void DrawClockPane(Picture& picture, const std::wstring& text) {
  RECT whole{0, 0, picture.Width(), picture.Height()};
  HBRUSH face = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
  FillRect(picture.Dc(), &whole, face);
  DeleteObject(face);
  HFONT font = CreateFontW(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, L"MS Sans Serif");
  HGDIOBJ old = SelectObject(picture.Dc(), font);
  SIZE pp{};
  GetTextExtentPoint32W(picture.Dc(), L"Pp", 2, &pp);
  const RECT content{2, 2, picture.Width() - 2, picture.Height() - 2};
  SetBkMode(picture.Dc(), TRANSPARENT);
  SetTextColor(picture.Dc(), RGB(0, 0, 0));
  const int y = content.top + (content.bottom - content.top - pp.cy) / 2;
  ExtTextOutW(picture.Dc(), content.left + 3, y, ETO_CLIPPED, &content, text.c_str(),
              static_cast<UINT>(text.size()), nullptr);
  SelectObject(picture.Dc(), old);
  DeleteObject(font);
}

// Pixels of the text area that differ between two pictures of the pane.
int TextAreaDifference(const Picture& a, const Picture& b) {
  int differing = 0;
  for (int y = 2; y < a.Height() - 2; ++y) {
    for (int x = 2; x < a.Width() - 2; ++x) differing += a.At(x, y) != b.At(x, y);
  }
  return differing;
}

// The text, of those the clock may show around now, that the pane shows.
std::optional<std::wstring> ShownClockText(HWND bar) {
  Picture shot(kClockWidth, kBar.bottom - kBar.top);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  CaptureInto(shot, bar, 0, 0);
  for (int shift : {0, -1, 1}) {
    const std::wstring text = ClockText(Shifted(now, shift));
    Picture expected(shot.Width(), shot.Height());
    DrawClockPane(expected, text);
    Picture blank(shot.Width(), shot.Height());
    DrawClockPane(blank, L"");
    EXPECT_GT(TextAreaDifference(expected, blank), 50) << "the text drew nothing to compare with";
    if (TextAreaDifference(shot, expected) == 0) return text;
  }
  return std::nullopt;
}

TEST(StatusBar, TheClockPaneShowsTheDateAndTimeAndFollowsTheSeconds) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND bar = StatusBar(main);
  ASSERT_NE(bar, nullptr);
  std::optional<std::wstring> first;
  ASSERT_TRUE(WaitFor([&] { return (first = ShownClockText(bar)).has_value(); }, 5s))
      << "the clock pane shows no date and time of now";
  // The Simplified Chinese formats: yyyy/M/d and HH:mm:ss.
  EXPECT_TRUE(std::regex_match(*first, std::wregex(L"\\d{4}/\\d{1,2}/\\d{1,2}( \\d{2}:\\d{2}:\\d{2})?")))
      << std::string(first->begin(), first->end());
  std::optional<std::wstring> later;
  ASSERT_TRUE(WaitFor([&] {
    later = ShownClockText(bar);
    return later.has_value() && *later != *first;
  }, 5s)) << "the clock pane did not follow the seconds";
}

TEST(StatusBar, TheHomePaneShowsItsPictureAtItsPlace) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND bar = StatusBar(main);
  ASSERT_NE(bar, nullptr);
  Sleep(500);  // the first paint reaches the screen
  Picture home(21, 19);
  CaptureInto(home, bar, kHomeLeft, 0);
  const COLORREF roof = RGB(0xB8, 0x3A, 0x2A);
  const COLORREF wall = RGB(0xF0, 0xD8, 0xA8);
  // The picture's top-left corner is at (4, 2): the roof's tip is in its
  // second row, columns 7 and 8; its first row is empty.
  EXPECT_EQ(home.At(4 + 7, 2 + 1), roof);
  EXPECT_EQ(home.At(4 + 8, 2 + 1), roof);
  EXPECT_NE(home.At(4 + 6, 2 + 1), roof);
  EXPECT_NE(home.At(4 + 7, 2 + 0), roof);
  EXPECT_EQ(home.At(4 + 5, 2 + 9), wall);
  wchar_t shots[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"TANDREL_SCREENSHOT_DIR", shots, MAX_PATH) != 0) {
    SaveScreen(std::wstring(shots) + L"\\status_bar.bmp");
  }
}

// The shell's https handler in this prefix: this driver, recording each
// address it is asked to open in `record`, one line each.
class RecordingBrowser {
 public:
  explicit RecordingBrowser(std::wstring record) : record_(std::move(record)) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring command =
        L"\"" + std::wstring(self) + L"\" --record-open \"" + record_ + L"\" \"%1\"";
    // Should anything reach Wine's own browser launcher, it finds no browser.
    SetValue(HKEY_CURRENT_USER, L"Software\\Wine\\WineBrowser", L"Browsers", L"tandrel-no-browser");
    SetValue(HKEY_LOCAL_MACHINE, L"Software\\Classes\\https\\shell\\open\\command", nullptr, command);
  }
  ~RecordingBrowser() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\https\\shell\\open\\command");
    DeleteFileW(record_.c_str());
  }
  RecordingBrowser(const RecordingBrowser&) = delete;
  RecordingBrowser& operator=(const RecordingBrowser&) = delete;

  std::vector<std::string> Opened() const {
    std::vector<std::string> lines;
    std::ifstream in{std::filesystem::path(record_)};
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  static void SetValue(HKEY root, const wchar_t* path, const wchar_t* name, const std::wstring& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                   static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  std::wstring record_;
};

TEST(StatusBar, AClickAnywhereOnTheHomePictureOpensTheHomePage) {
  TandrelFolder folder;
  RecordingBrowser browser(folder.Path() + L"opened.txt");
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND bar = StatusBar(main);
  ASSERT_NE(bar, nullptr);
  // The picture's corners and middle; the right-most ones lie in the strip
  // that would belong to a size grip, which this fixed-size window has not.
  const POINT points[] = {{4, 2}, {19, 2}, {4, 17}, {19, 17}, {11, 9}, {20, 9}};
  size_t clicks = 0;
  for (const POINT p : points) {
    const LPARAM at = MAKELPARAM(kHomeLeft + p.x, p.y);
    PostMessageW(bar, WM_MOUSEMOVE, 0, at);
    PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(bar, WM_LBUTTONUP, 0, at);
    ++clicks;
    ASSERT_TRUE(WaitFor([&] { return browser.Opened().size() >= clicks; }, 15s))
        << "no page opened for a click at " << p.x << "," << p.y;
  }
  Sleep(500);
  const std::vector<std::string> opened = browser.Opened();
  ASSERT_EQ(opened.size(), clicks);
  for (const std::string& address : opened) EXPECT_EQ(address, "https://tandrel.velmora.example/");
  EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace tandrel::e2e
