// The main window's pictures, drawn at start-up: the 32 x 32 button images
// (execute now, start, stop), the 16 x 16 pane images (home page, help) and
// the two-image glyph strips (normal, disabled) that every button carries.
// Drawn pixel by pixel at their final size, so they stay sharp, in memory
// first and then into their bitmaps in one call each.
#include <algorithm>
#include <cmath>

#include "app/PictureDrawing.h"
#include "app/UnitFormTandrel.h"
#include "framework/Bitmap.h"

namespace tandrel {
namespace {

using pictures::DisabledGray;
using pictures::Distance;
using pictures::kMask;
using pictures::Painter;
using pictures::Picture;
using pictures::SetStripGlyph;

constexpr TColor kRed = 0x1C1CD0;
constexpr TColor kDarkRed = 0x10108A;
constexpr TColor kGreen = 0x2EA02E;
constexpr TColor kDarkGreen = 0x1A6A1A;
constexpr TColor kBlue = 0xC8701E;
constexpr TColor kDarkBlue = 0x7A3A10;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kRoof = 0x2A3AB8;
constexpr TColor kWall = 0xA8D8F0;
constexpr TColor kFrameGray = 0x505050;
constexpr TColor kScreen = 0x602810;
constexpr TColor kMoon = 0x40E0F8;

// Execute now: the power sign, a broken ring with a bar through its gap.
void DrawPower(Picture& b) {
  Painter p(b);
  const double c = 16.0;
  auto ring = [c](double x, double y) {
    const double d = Distance(x, y, c, c + 1);
    const bool inGap = y < c && std::abs(x - c) < 5.5;
    return d >= 9.0 && d <= 13.0 && !inGap;
  };
  auto bar = [c](double x, double y) { return std::abs(x - c) <= 2.0 && y >= 3.0 && y <= 17.0; };
  p.Fill(32, kDarkRed, [&](double x, double y) {
    return ring(x - 1, y - 1) || bar(x - 1, y - 1) || ring(x + 1, y + 1) || bar(x + 1, y + 1) ||
           ring(x + 1, y - 1) || ring(x - 1, y + 1);
  });
  p.Fill(32, kRed, [&](double x, double y) { return ring(x, y) || bar(x, y); });
}

// Start: a triangle pointing right.
void DrawPlay(Picture& b) {
  Painter p(b);
  auto triangle = [](double x, double y, double grow) {
    // Left edge x = 9, apex at (26, 16); the slanted edges meet there.
    const double half = (26.0 + grow - x) * 12.0 / 17.0;
    return x >= 9.0 - grow && x <= 26.0 + grow && std::abs(y - 16.0) <= half;
  };
  p.Fill(32, kDarkGreen, [&](double x, double y) { return triangle(x, y, 1.5); });
  p.Fill(32, kGreen, [&](double x, double y) { return triangle(x, y, 0.0); });
}

// Stop: a square with rounded corners.
void DrawStop(Picture& b) {
  Painter p(b);
  auto square = [](double x, double y, double inset) {
    const double lo = 7.0 + inset, hi = 25.0 - inset, r = 3.0;
    const double qx = std::clamp(x, lo + r, hi - r), qy = std::clamp(y, lo + r, hi - r);
    return x >= lo && x <= hi && y >= lo && y <= hi && Distance(x, y, qx, qy) <= r;
  };
  p.Fill(32, kDarkRed, [&](double x, double y) { return square(x, y, 0.0); });
  p.Fill(32, kRed, [&](double x, double y) { return square(x, y, 1.5); });
}

// Home page: a house with a red roof and a door.
void DrawHome(Picture& b, int offsetX, bool enabled) {
  Painter p(b, offsetX);
  const TColor roof = enabled ? kRoof : 0x808080;
  const TColor wall = enabled ? kWall : 0xC8C8C8;
  const TColor line = enabled ? kDarkBlue : 0x606060;
  p.Fill(16, line, [](double x, double y) { return x >= 3 && x <= 13 && y >= 7 && y <= 15; });
  p.Fill(16, wall, [](double x, double y) { return x >= 4 && x <= 12 && y >= 8 && y <= 14; });
  p.Fill(16, roof, [](double x, double y) {
    return y >= 1 && y <= 8.5 && std::abs(x - 8.0) <= (y - 1.0) + 0.8;
  });
  p.Fill(16, line, [](double x, double y) { return x >= 7 && x <= 9 && y >= 10 && y <= 15; });
}

// Help: a blue disc with a white question mark.
void DrawHelp(Picture& b) {
  Painter p(b);
  p.Fill(16, kDarkBlue, [](double x, double y) { return Distance(x, y, 8, 8) <= 7.8; });
  p.Fill(16, kBlue, [](double x, double y) { return Distance(x, y, 8, 8) <= 6.8; });
  p.Fill(16, kWhite, [](double x, double y) {
    const double d = Distance(x, y, 8, 6);
    const bool hook = d >= 1.6 && d <= 3.2 && !(y > 6 && x < 8);
    const bool stem = x >= 7 && x <= 9 && y >= 8 && y <= 10;
    const bool dot = x >= 7 && x <= 9 && y >= 11 && y <= 13;
    return hook || stem || dot;
  });
}

// Update: a circular arrow, drawn at `offsetX` of the strip.
void DrawRefresh(Picture& b, int offsetX, bool enabled) {
  Painter p(b, offsetX);
  const TColor color = enabled ? kGreen : 0x808080;
  p.Fill(16, color, [](double x, double y) {
    const double d = Distance(x, y, 8, 8);
    const bool arc = d >= 4.0 && d <= 6.5 && !(x > 8 && y < 8);
    // Arrow head at the top right end of the arc, pointing down.
    const bool head = y >= 6.0 && y <= 11.0 && std::abs(x - 11.0) <= (11.0 - y) * 0.9;
    return arc || head;
  });
}

// Screen off: a monitor with a dark screen and a crescent moon.
void DrawMonitor(Picture& b, int offsetX, bool enabled) {
  Painter p(b, offsetX);
  const TColor frame = enabled ? kFrameGray : 0x808080;
  const TColor screen = enabled ? kScreen : 0xA0A0A0;
  const TColor moon = enabled ? kMoon : 0xE0E0E0;
  p.Fill(16, frame, [](double x, double y) {
    return (x >= 1 && x <= 15 && y >= 1 && y <= 12) || (x >= 6 && x <= 10 && y >= 12 && y <= 14) ||
           (x >= 4 && x <= 12 && y >= 14 && y <= 15);
  });
  p.Fill(16, screen, [](double x, double y) { return x >= 2 && x <= 14 && y >= 2 && y <= 11; });
  p.Fill(16, moon, [](double x, double y) {
    return Distance(x, y, 8, 6.5) <= 3.3 && Distance(x, y, 9.8, 5.3) > 2.8;
  });
}

// The small glyph-strip pictures of the three big buttons: the same signs
// as their 32 x 32 images.
void DrawPowerSmall(Picture& b, int offsetX, bool enabled) {
  Painter p(b, offsetX);
  const TColor color = enabled ? kRed : DisabledGray(kRed);
  p.Fill(16, color, [](double x, double y) {
    const double d = Distance(x, y, 8, 9);
    const bool ring = d >= 4.4 && d <= 6.4 && !(y < 9 && std::abs(x - 8) < 2.8);
    const bool bar = std::abs(x - 8) <= 1.0 && y >= 1.5 && y <= 9.0;
    return ring || bar;
  });
}

void DrawPlaySmall(Picture& b, int offsetX, bool enabled) {
  Painter p(b, offsetX);
  auto triangle = [](double x, double y, double grow) {
    const double half = (13.0 + grow - x) * 6.0 / 9.0;
    return x >= 4.0 - grow && x <= 13.0 + grow && std::abs(y - 8.0) <= half;
  };
  p.Fill(16, enabled ? kDarkGreen : DisabledGray(kDarkGreen), [&](double x, double y) { return triangle(x, y, 1.0); });
  p.Fill(16, enabled ? kGreen : DisabledGray(kGreen), [&](double x, double y) { return triangle(x, y, 0.0); });
}

void DrawStopSmall(Picture& b, int offsetX, bool enabled) {
  Painter p(b, offsetX);
  auto square = [](double x, double y, double inset) {
    const double lo = 3.0 + inset, hi = 13.0 - inset, r = 1.5;
    const double qx = std::clamp(x, lo + r, hi - r), qy = std::clamp(y, lo + r, hi - r);
    return x >= lo && x <= hi && y >= lo && y <= hi && Distance(x, y, qx, qy) <= r;
  };
  p.Fill(16, enabled ? kDarkRed : DisabledGray(kDarkRed), [&](double x, double y) { return square(x, y, 0.0); });
  p.Fill(16, enabled ? kRed : DisabledGray(kRed), [&](double x, double y) { return square(x, y, 1.0); });
}

void AddToList(TImageList& list, void (*draw)(Picture&)) {
  Picture picture(list.Width(), list.Height());
  draw(picture);
  TBitmap bitmap(picture.Width(), picture.Height());
  picture.PaintOn(bitmap);
  list.AddMasked(bitmap, kMask);
}

}  // namespace

void TFormTandrel::LoadPictures() {
  AddToList(*ImageList1, DrawPower);  // 0: execute now
  AddToList(*ImageList1, DrawPlay);   // 1: start
  AddToList(*ImageList1, DrawStop);   // 2: stop
  AddToList(*ImageList2, [](Picture& b) { DrawHome(b, 0, true); });  // 0: home page
  AddToList(*ImageList2, DrawHelp);                                   // 1: help

  for (TVmBitBtn* button : {BTNAtOnce, BTNStart, BTNStop}) button->SetImages(ImageList1);
  BTNAtOnce->SetImageIndex(0);
  BTNStart->SetImageIndex(1);
  BTNStop->SetImageIndex(2);
  for (TVmGlyphStatus* pane : {VmGlyphStatus1, VmGlyphStatus2}) pane->SetImages(ImageList2);
  VmGlyphStatus1->SetImageIndex(1);
  VmGlyphStatus2->SetImageIndex(0);
  // Every button carries its strip; the big three show their list image.
  SetStripGlyph(*BTNAtOnce, DrawPowerSmall);
  SetStripGlyph(*BTNStart, DrawPlaySmall);
  SetStripGlyph(*BTNStop, DrawStopSmall);
  SetStripGlyph(*BTNUpdate, DrawRefresh);
  SetStripGlyph(*BTNCloseScreen, DrawMonitor);
  // Set as stored, but without an image list they draw their strips.
  BTNUpdate->SetImageIndex(18);
  BTNCloseScreen->SetImageIndex(18);
}

}  // namespace tandrel
