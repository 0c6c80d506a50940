// The check box: State changes from code or from the user fire OnClick
// once; Space toggles on release (Escape cancels); the box with its check
// mark or grayed square.
#include "widgets/VmColors.h"
#include "widgets/VmGradients.h"
#include "widgets/VmRadChk.h"
#include "widgets/VmStrokes.h"

namespace tandrel {

TVmCustomCheckBox::TVmCustomCheckBox(TComponent* owner) : TVmCustomGlyphButton(owner) {
  SetTabStop(true);
}

void TVmCustomCheckBox::SetState(TCheckBoxState value) {
  if (state_ == value) return;
  state_ = value;
  Repaint();
  if (!suppressClick_) Click();
}

void TVmCustomCheckBox::ToggleState() {
  if (mouseInUse_ && ReadOnly()) return;
  switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbGrayed: SetState(cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
  }
}

void TVmCustomCheckBox::KeyDown(int& key, TShiftState shift) {
  if (!ReadOnly() && key == platform::vk::kSpace && !(shift & platform::shift::kAlt)) {
    spacePending_ = true;
    showPressed_ = true;
    Repaint();
  } else if (!ReadOnly() && key == platform::vk::kEscape) {
    spacePending_ = false;
    showPressed_ = false;
    Repaint();
  } else if (key != platform::vk::kSpace) {
    // Enter as Tab and the rest of the button base's keys.
    TVmCustomGlyphButton::KeyDown(key, shift);
    return;
  }
  TCustomControl::KeyDown(key, shift);
}

void TVmCustomCheckBox::KeyUp(int& key, TShiftState shift) {
  if (!ReadOnly() && key == platform::vk::kSpace) {
    showPressed_ = false;
    if (spacePending_) {
      spacePending_ = false;
      ToggleState();
    }
    Repaint();
  }
  TCustomControl::KeyUp(key, shift);
}

void TVmCustomCheckBox::DoExit() {
  spacePending_ = false;
  TVmCustomGlyphButton::DoExit();
}

void TVmCustomCheckBox::AcceleratorPressed() {
  if (!CanFocus()) return;
  SetFocus();
  if (Focused() && !ReadOnly()) {
    ToggleState();
    Repaint();
  }
}

void TVmCustomCheckBox::SelectGlyphState(TCanvas& canvas) {
  const int paintState = GlyphPaintState();
  if (UseCustomGlyphs() && !CustomGlyphs().Empty()) {
    int index = static_cast<int>(state_);
    if (paintState == 3) index += 6;
    else if (paintState == 1) index += 3;
    PaintStripGlyph(canvas, index);
    return;
  }
  const bool hot = paintState == 2 && HotTrack();
  const TRect box = Bounds(0, 0, 13, 13);
  const TRect inner = Bounds(1, 1, 11, 11);
  StrokeBox(canvas, box, hot && HotTrackStyle() == htsFrame ? HotDark() : FrameColor());
  canvas.Brush.SetStyle(bsSolid);
  canvas.Brush.SetColor(GlyphFillColor());
  canvas.FillRect(inner);

  const TColor mark = Enabled() ? HighlightColor() : clBtnShadow;
  if (state_ == cbChecked) {
    static constexpr int kFirstRow[7] = {4, 5, 6, 5, 4, 3, 2};
    for (int i = 0; i < 7; ++i) {
      for (int dy = 0; dy < 3; ++dy) canvas.SetPixels(inner.left + 2 + i, inner.top + kFirstRow[i] + dy, mark);
    }
  } else if (state_ == cbGrayed) {
    canvas.Brush.SetColor(mark);
    canvas.FillRect(TRect{inner.left + 2, inner.top + 2, inner.right - 2, inner.bottom - 2});
  }
  if (hot) {
    if (HotTrackStyle() == htsInterior) StrokeHighlightRing(canvas, inner, gdDiagonalDown, HotDark(), HotLight());
    else StrokeBox(canvas, inner, HotDark());
  }
}

}  // namespace tandrel
