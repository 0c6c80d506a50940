// The radio button: checking one unchecks its siblings under the same
// parent without firing them; keyboard focus checks it; the circle glyph.
#include "framework/Color.h"
#include "widgets/VmColors.h"
#include "widgets/VmDrawGlobals.h"
#include "widgets/VmGradients.h"
#include "widgets/VmMaskedBitmap.h"
#include "widgets/VmRadChk.h"

namespace tandrel {

namespace {

// The circle and its surroundings. o background, F frame, r light frame,
// a and b blends of frame and background, 1 2 3 the inner ring blends,
// '.' keeps the fill.
constexpr const char* kCircleMap[13] = {
    "ooobarFrabooo", "ooaF12321Faoo", "oar2.....2rao", "bF2.......2Fb", "a1.........1a",
    "r2.........2r", "F3.........3F", "r2.........2r", "a1.........1a", "bF2.......2Fb",
    "oar2.....2rao", "ooaF12321Faoo", "ooobarFrabooo",
};

constexpr TColor kTransparentKey = 0x008080;

}  // namespace

TVmRadioButton::TVmRadioButton(TComponent* owner) : TVmCustomGlyphButton(owner) {
  SetTabStop(false);
}

void TVmRadioButton::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  SetTabStop(value);
  Repaint();
  if (!value) return;
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = As<TVmRadioButton>(parent->Controls(i));
      if (sibling && sibling != this) sibling->SetChecked(false);
    }
  }
  if (!suppressClick_) Click();
}

void TVmRadioButton::SetReadOnly(bool value) {
  SetReadOnlyAlone(value);
  if (TWinControl* parent = Parent()) {
    for (int i = 0; i < parent->ControlCount(); ++i) {
      auto* sibling = As<TVmRadioButton>(parent->Controls(i));
      if (sibling && sibling != this) sibling->SetReadOnlyAlone(value);
    }
  }
}

void TVmRadioButton::ToggleState() {
  if (!checked_ && !ReadOnly()) SetChecked(true);
}

void TVmRadioButton::DoEnter() {
  TVmCustomGlyphButton::DoEnter();
  // Arriving by keyboard chooses the button.
  if (!mouseInUse_ && !ReadOnly()) SetChecked(true);
}

void TVmRadioButton::AcceleratorPressed() {
  if (CanFocus()) SetFocus();
}

bool TVmRadioButton::HandleDialogKey(int key, TShiftState shift) {
  using namespace platform;
  if (key != vk::kDown || (shift & (shift::kShift | shift::kCtrl | shift::kAlt)) || !CanFocus()) return false;
  if (!suppressClick_) Click();
  return true;
}

void TVmRadioButton::SmoothGlyphEdge(TCanvas& composed) {
  const TColor frame = FrameColor();
  for (auto [px, py] : {std::pair{4, 0}, {8, 0}, {2, 1}, {10, 1}, {1, 2}, {11, 2}, {0, 4}, {12, 4}, {0, 8},
                        {12, 8}, {1, 10}, {11, 10}, {2, 11}, {10, 11}, {4, 12}, {8, 12}}) {
    composed.SetPixels(px, py, MixColors(frame, composed.Pixels(px, py), 128));
  }
  for (auto [px, py] : {std::pair{3, 0}, {9, 0}, {0, 3}, {12, 3}, {0, 9}, {12, 9}, {3, 12}, {9, 12}}) {
    composed.SetPixels(px, py, MixColors(frame, composed.Pixels(px, py), 40));
  }
}

void TVmRadioButton::SelectGlyphState(TCanvas& g) {
  const int paintState = GlyphPaintState();
  if (UseCustomGlyphs() && !CustomGlyphs().Empty()) {
    int index = checked_ ? 1 : 0;
    if (paintState == 3) index += 4;
    else if (paintState == 1) index += 2;
    PaintStripGlyph(g, index);
    return;
  }
  const bool full = FullColorDisplay();
  const bool hot = paintState == 2 && HotTrack();
  const bool hotFrame = hot && HotTrackStyle() == htsFrame;
  const TColor frame = ColorToRGB(hotFrame ? HotDark() : FrameColor());
  const TColor light = full ? ShadeLighter(frame, 10) : frame;
  const TColor bg = Transparent() ? kTransparentKey : ColorToRGB(Color());

  g.Brush.SetStyle(bsSolid);
  g.Brush.SetColor(GlyphFillColor());
  g.FillRect(Bounds(0, 0, 13, 13));
  if (hot && full) {
    if (hotFrame) {
      for (auto [px, py] : {std::pair{5, 1}, {6, 1}, {7, 1}, {1, 5}, {1, 6}, {1, 7}, {11, 5}, {11, 6},
                            {11, 7}, {5, 11}, {6, 11}, {7, 11}}) {
        g.SetPixels(px, py, light);
      }
      for (auto [px, py] : {std::pair{4, 1}, {8, 1}, {1, 4}, {11, 4}, {1, 8}, {11, 8}, {4, 11}, {8, 11}}) {
        g.SetPixels(px, py, frame);
      }
    } else {
      int saved = g.SaveState();
      g.ExcludeClipRect(TRect{4, 4, 9, 9});
      g.ExcludeClipRect(TRect{5, 3, 8, 10});
      g.ExcludeClipRect(TRect{3, 5, 10, 8});
      PaintColorRamp(g, Bounds(0, 0, 13, 13), gdDiagonalDown, 1, HotDark(), HotLight());
      g.RestoreState(saved);
    }
  }
  const TColor own = ColorToRGB(Color());
  for (int py = 0; py < 13; ++py) {
    for (int px = 0; px < 13; ++px) {
      switch (kCircleMap[py][px]) {
        case 'o': g.SetPixels(px, py, bg); break;
        case 'F': g.SetPixels(px, py, frame); break;
        case 'r': g.SetPixels(px, py, light); break;
        case 'a': g.SetPixels(px, py, Transparent() ? bg : full ? MixColors(frame, own, 128) : frame); break;
        case 'b': g.SetPixels(px, py, Transparent() ? bg : full ? MixColors(frame, own, 40) : own); break;
        default: break;
      }
    }
  }
  // The inner ring goes over the outer circle.
  for (int py = 0; py < 13; ++py) {
    for (int px = 0; px < 13; ++px) {
      char c = kCircleMap[py][px];
      if (c < '1' || c > '3' || (hotFrame && full)) continue;
      if (full) {
        static constexpr int kWeight[3] = {128, 80, 40};
        g.SetPixels(px, py, MixColors(frame, g.Pixels(px, py), kWeight[c - '1']));
      } else if (c == '1') {
        g.SetPixels(px, py, frame);
      } else if (c == '2') {
        g.SetPixels(px, py, clSilver);
      }
    }
  }
  if (hotFrame && full) {
    for (auto [px, py] : {std::pair{3, 2}, {9, 2}, {2, 3}, {10, 3}, {2, 9}, {10, 9}, {3, 10}, {9, 10}}) {
      g.SetPixels(px, py, MixColors(frame, g.Pixels(px, py), 150));
    }
    for (auto [px, py] : {std::pair{4, 2}, {8, 2}, {2, 4}, {10, 4}, {2, 8}, {10, 8}, {4, 10}, {8, 10}}) {
      g.SetPixels(px, py, MixColors(frame, g.Pixels(px, py), 80));
    }
  }
  if (checked_) {
    const TColor dot = ColorToRGB(Enabled() ? HighlightColor() : clBtnShadow);
    const TColor under = g.Pixels(4, 4);
    g.Brush.SetColor(dot);
    g.FillRect(TRect{5, 5, 8, 8});
    for (auto [px, py] : {std::pair{6, 4}, {4, 6}, {8, 6}, {6, 8}}) g.SetPixels(px, py, dot);
    const TColor edge = full ? MixColors(dot, under, 153) : dot;
    for (auto [px, py] : {std::pair{5, 4}, {7, 4}, {4, 5}, {8, 5}, {4, 7}, {8, 7}, {5, 8}, {7, 8}}) {
      g.SetPixels(px, py, edge);
    }
  }
}

}  // namespace tandrel
