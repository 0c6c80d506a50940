// The main window's hot-tracking and pressed looks on the real screen, with
// the real pointer over the controls, and pictures of them for a person to
// look at.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "E2eSupport.h"

namespace tandrel::e2e {
namespace {

using namespace std::chrono_literals;

// Puts the real pointer on (x, y) of `window`'s client area and lets the
// window see it move there.
bool PointerTo(HWND window, int x, int y) {
  POINT target{x, y};
  ClientToScreen(window, &target);
  int steady = 0;
  for (int attempt = 0; attempt < 50 && steady < 3; ++attempt) {
    SetCursorPos(target.x, target.y);
    Sleep(20);
    POINT now{};
    GetCursorPos(&now);
    steady = now.x == target.x && now.y == target.y ? steady + 1 : 0;
  }
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(target.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(target.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &move, sizeof move);
  return steady >= 3;
}

// Whether every pixel of the column is the same colour (a flat face).
bool Flat(const std::vector<std::uint32_t>& column) {
  for (std::uint32_t p : column) {
    if (p != column.front()) return false;
  }
  return true;
}

TEST(MainWindowLooks, HoveringARadioButtonAndHoldingStartShowTheirLooks) {
  TandrelFolder folder;
  TandrelProcess program(folder.Exe());
  HWND main = WaitShownMainWindow(program);
  ASSERT_NE(main, nullptr);
  HWND logoff = ChildWithText(main, L"注销");
  HWND start = ChildWithText(main, L"开始");
  ASSERT_TRUE(logoff && start);
  ASSERT_TRUE(PointerTo(main, 240, 20));  // over no control
  Sleep(600);  // painted

  // The radio button's glyph (13 x 13 at (0, 2)) turns hot under the pointer.
  const RECT glyph{0, 2, 13, 15};
  const std::vector<std::uint32_t> idleGlyph = ClientPixels(logoff, glyph);
  ASSERT_TRUE(PointerTo(logoff, 6, 8));
  EXPECT_TRUE(WaitFor([&] { return ClientPixels(logoff, glyph) != idleGlyph; }, 5s)) << "no hot look";
  Screenshot(L"tandrel-main-hover-radio.bmp");
  ASSERT_TRUE(PointerTo(main, 240, 20));
  EXPECT_TRUE(WaitFor([&] { return ClientPixels(logoff, glyph) == idleGlyph; }, 5s)) << "hot look stays";

  // Holding the left button on Start: the face turns flat (no ramp, no
  // ring) until the button is released; released outside, nothing starts.
  RECT client{};
  GetClientRect(start, &client);
  const RECT faceColumn{5, 2, 6, client.bottom - 2};
  ASSERT_TRUE(PointerTo(start, client.right / 2, client.bottom / 2));
  Sleep(300);
  EXPECT_FALSE(Flat(ClientPixels(start, faceColumn)));
  PostMessageW(start, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom / 2));
  EXPECT_TRUE(WaitFor([&] { return Flat(ClientPixels(start, faceColumn)); }, 5s)) << "no pressed look";
  Screenshot(L"tandrel-main-start-pressed.bmp");
  PostMessageW(start, WM_LBUTTONUP, 0, MAKELPARAM(client.right + 40, client.bottom + 40));
  EXPECT_TRUE(WaitFor([&] { return !Flat(ClientPixels(start, faceColumn)); }, 5s)) << "stays pressed";
  Sleep(500);
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_TRUE(IsWindowVisible(start));
  EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace tandrel::e2e
