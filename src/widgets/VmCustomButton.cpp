// The button base: pointer and press tracking, Space, focus loss and the
// engraved caption of a disabled button.
#include <algorithm>

#include "framework/Form.h"
#include "widgets/VmButton.h"

namespace tandrel {

TVmCustomButton::TVmCustomButton(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TVmCustomButton::SetAlignmentVertical(TAlignmentVertical value) {
  if (alignmentVertical_ == value) return;
  alignmentVertical_ = value;
  Invalidate();
}

void TVmCustomButton::SetHotTrack(bool value) {
  if (hotTrack_ == value) return;
  hotTrack_ = value;
  Invalidate();
}

void TVmCustomButton::SetHighlightColor(TColor value) {
  if (highlightColor_ == value) return;
  highlightColor_ = value;
  Invalidate();
}

void TVmCustomButton::SetLightTextStyle(bool value) {
  if (lightTextStyle_ == value) return;
  lightTextStyle_ = value;
  Invalidate();
}

void TVmCustomButton::SetTextStyle(TTextStyle value) {
  if (textStyle_ == value) return;
  textStyle_ = value;
  Invalidate();
}

void TVmCustomButton::SetTextHighlightColor(TColor value) {
  if (textHighlightColor_ == value) return;
  textHighlightColor_ = value;
  Invalidate();
}

void TVmCustomButton::SetTextShadowColor(TColor value) {
  if (textShadowColor_ == value) return;
  textShadowColor_ = value;
  Invalidate();
}

void TVmCustomButton::SetTextShadowDepth(int value) {
  if (textShadowDepth_ == value) return;
  textShadowDepth_ = value;
  Invalidate();
}

void TVmCustomButton::SetThemeAware(bool value) {
  if (themeAware_ == value) return;
  themeAware_ = value;
  Invalidate();
}

void TVmCustomButton::SetTransparentCorners(bool value) {
  if (transparentCorners_ == value) return;
  transparentCorners_ = value;
  Invalidate();
}

void TVmCustomButton::SetShowPressed(bool value) {
  if (showPressed_ == value) return;
  showPressed_ = value;
  ShowStateChange();
}

void TVmCustomButton::RunActivateClick() {
  inClick_ = true;
  try {
    ActivateClick();
  } catch (...) {
    inClick_ = false;
    throw;
  }
  inClick_ = false;
}

bool TVmCustomButton::EraseBackground(TCanvas& canvas) {
  // The face covers the rest; only the corners may show the parent.
  EraseCorners(canvas);
  return true;
}

void TVmCustomButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled()) {
    SetFocus();
    if (Focused()) {
      mouseActive_ = true;
      showPressed_ = false;
      SetShowPressed(true);
    }
  }
  TCustomControl::MouseDown(button, shift, x, y);
}

void TVmCustomButton::MouseMove(TShiftState shift, int x, int y) {
  if (mouseActive_) SetShowPressed(TrackingRect().Contains(TPoint{x, y}));
  TCustomControl::MouseMove(shift, x, y);
}

void TVmCustomButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && mouseActive_) {
    mouseActive_ = false;
    showPressed_ = false;
    if (TrackingRect().Contains(TPoint{x, y})) RunActivateClick();
    ShowStateChange();
  }
  TCustomControl::MouseUp(button, shift, x, y);
}

void TVmCustomButton::MouseEnter() {
  mouseOver_ = true;
  TCustomControl::MouseEnter();
  if (hotTrack_) InvalidateRect(ClientRect(), false);
}

void TVmCustomButton::MouseLeave() {
  mouseOver_ = false;
  TCustomControl::MouseLeave();
  if (hotTrack_) InvalidateRect(ClientRect(), false);
}

void TVmCustomButton::KeyDown(int& key, TShiftState shift) {
  if (key == platform::vk::kSpace && !(shift & platform::shift::kAlt)) {
    spaceHeld_ = true;
    showPressed_ = false;
    SetShowPressed(true);
  }
  TCustomControl::KeyDown(key, shift);
}

void TVmCustomButton::KeyUp(int& key, TShiftState shift) {
  if (key == platform::vk::kSpace) {
    showPressed_ = false;
    if (spaceHeld_) {
      spaceHeld_ = false;
      RunActivateClick();
    }
    ShowStateChange();
  }
  TCustomControl::KeyUp(key, shift);
}

void TVmCustomButton::DoEnter() {
  TCustomControl::DoEnter();
  ShowFocusChange();
}

void TVmCustomButton::DoExit() {
  spaceHeld_ = false;
  mouseActive_ = false;
  showPressed_ = false;
  ShowStateChange();
  TCustomControl::DoExit();
  ShowFocusChange();
}

void TVmCustomButton::EnabledChanged() {
  // A disabled control cannot keep the focus: the window gets it back.
  if (!Enabled() && HandleAllocated() && Focused()) {
    if (TCustomForm* form = GetParentForm(); form && form->HandleAllocated()) {
      Windows().SetFocus(form->Handle());
    }
  }
  TCustomControl::EnabledChanged();
}

void TVmCustomButton::AcceleratorPressed() {
  // As Enter on a default button: the click itself, no press look.
  if (CanFocus()) Click();
}

void TVmCustomButton::PaintCaptionText(TCanvas& canvas, TRect area, unsigned format) {
  format |= DT_WORDBREAK | DT_EXPANDTABS;
  canvas.Brush.SetStyle(bsClear);
  canvas.Font.Assign(Font());
  TRect measure = area;
  int h = canvas.DrawText(Caption(), measure, (format & ~(DT_LEFT | DT_RIGHT)) | DT_CENTER | DT_CALCRECT);
  switch (alignmentVertical_) {
    case avTop:
      area.bottom = area.top + h;
      break;
    case avCenter:
      area.top = (area.top + area.bottom - h) / 2;
      area.bottom = area.top + h;
      break;
    case avBottom:
      area.top = area.bottom - h - 1;
      break;
  }
  if (Enabled()) {
    if (format & DT_RIGHT) {
      area.left -= textShadowDepth_;
      area.right -= textShadowDepth_;
    }
    canvas.DrawText(Caption(), area, format);
  } else {
    TRect raised{area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
    canvas.Font.SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), raised, format);
    canvas.Font.SetColor(clBtnShadow);
    canvas.DrawText(Caption(), area, format);
  }
  canvas.Brush.SetStyle(bsSolid);
}

}  // namespace tandrel
