// The status bar: a borderless panel docked at the bottom, with its
// standard look restored after loading, simple mode, proportional panes and
// the size grip in the bottom-right corner.
#include <cmath>

#include "framework/Form.h"
#include "widgets/VmColors.h"
#include "widgets/VmFrameStyles.h"
#include "widgets/VmPanel.h"
#include "widgets/VmSchemes.h"

namespace tandrel {

namespace {

constexpr std::uintptr_t kScSizeBottomRight = 0xF008;  // SC_SIZE plus the bottom-right edge
constexpr int kGripWidth = 13;

}  // namespace

TVmStatusBar::TVmStatusBar(TComponent* owner) : TVmCustomPanel(owner) {
  SetAlign(TAlign::alBottom);
  ApplyStandardLook();
}

void TVmStatusBar::ApplyStandardLook() {
  TVmCustomPanel::SetBorderInner(fsNone);
  TVmCustomPanel::SetBorderOuter(fsNone);
  TVmCustomPanel::SetBorderSides(kAllSides);
  SetHeight(19);
  SetBorderWidth(0);
}

void TVmStatusBar::SetBorderOuter(TFrameStyleEx value) {
  if (value == BorderOuter()) return;
  TVmCustomPanel::SetBorderOuter(value);
  autoStyle_ = false;
}

void TVmStatusBar::SetBorderInner(TFrameStyleEx value) {
  if (value == BorderInner()) return;
  TVmCustomPanel::SetBorderInner(value);
  autoStyle_ = false;
}

void TVmStatusBar::SetBorderSides(TSides value) {
  if (value == BorderSides()) return;
  TVmCustomPanel::SetBorderSides(value);
  autoStyle_ = false;
}

void TVmStatusBar::Loaded() {
  TVmCustomPanel::Loaded();
  if (autoStyle_) ApplyStandardLook();
}

void TVmStatusBar::SetShowSizeGrip(bool value) {
  if (showSizeGrip_ == value) return;
  showSizeGrip_ = value;
  Invalidate();
}

void TVmStatusBar::SetSimpleCaption(const std::string& value) {
  if (simpleCaption_ == value) return;
  simpleCaption_ = value;
  Invalidate();
}

void TVmStatusBar::SetSimpleFrameStyle(TFrameStyle value) {
  if (simpleFrameStyle_ == value) return;
  simpleFrameStyle_ = value;
  Invalidate();
}

void TVmStatusBar::SetSimpleStatus(bool value) {
  if (simpleStatus_ == value) return;
  simpleStatus_ = value;
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetVisible(!value);
  Realign();
  Invalidate();
}

bool TVmStatusBar::GripAllowed() const {
  const TCustomForm* form = GetParentForm();
  if (!form) return false;
  const TFormBorderStyle border = form->BorderStyle();
  return (border == TFormBorderStyle::bsSizeable || border == TFormBorderStyle::bsSizeToolWin) &&
         form->WindowState() != TWindowState::wsMaximized;
}

TRect TVmStatusBar::GripRect() const { return TRect{Width() - kGripWidth, 0, Width(), Height()}; }

void TVmStatusBar::AdjustClientRect(TRect& r) const {
  TVmCustomPanel::AdjustClientRect(r);
  if (simpleStatus_) r = TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom};
}

void TVmStatusBar::BoundsChanged(bool resized) {
  TVmCustomPanel::BoundsChanged(resized);
  if (!resized) return;
  if (firstResize_) {
    widthChange_ = 0;
    firstResize_ = false;
  } else {
    widthChange_ = Width() - previousWidth_;
  }
  if (autoScalePanes_ && ControlCount() > 0 && widthChange_ != 0 && previousWidth_ != 0) {
    for (int i = 0; i < ControlCount(); ++i) {
      TControl* c = Controls(i);
      float ratio = static_cast<float>(c->Width()) / static_cast<float>(previousWidth_);
      c->SetWidth(c->Width() + static_cast<int>(std::nearbyint(widthChange_ * ratio)));
    }
    Realign();
  }
  previousWidth_ = Width();
}

std::pair<TColor, TColor> TVmStatusBar::GradientColorPair() const {
  if (GradientColorStyle() == gcsCustom) return {GradientColorStop(), GradientColorStart()};
  TGradientColors scheme = SchemeGradientColors(GradientColorStyle());
  return {scheme.stopColor, scheme.startColor};
}

void TVmStatusBar::Paint(TCanvas& canvas) {
  TVmCustomPanel::Paint(canvas);
  TRect client = ClientRect();
  AdjustClientRect(client);
  TRect r{client.left, client.top, client.right, client.bottom - 1};
  if (simpleStatus_) {
    if (VisualStyle() == vsClassic) {
      if (simpleFrameStyle_ == fsFlat) {
        TColor flat = ShadeBy(FlatColor(), FlatColorAdjustment());
        canvas.Pen.SetColor(flat);
        canvas.MoveTo(r.left, r.top + 1);
        canvas.LineTo(r.left, r.bottom - 1);
        canvas.MoveTo(r.left + 1, r.top);
        canvas.LineTo(r.right - 1, r.top);
        canvas.MoveTo(r.right - 1, r.top + 1);
        canvas.LineTo(r.right - 1, r.bottom - 1);
        canvas.MoveTo(r.left + 1, r.bottom - 1);
        canvas.LineTo(r.right - 1, r.bottom - 1);
      } else {
        StrokeFrameStyle(canvas, r, simpleFrameStyle_);
      }
    }
    r = TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1};
    if (!simpleCaption_.empty()) {
      canvas.Font.Assign(Font());
      canvas.Brush.SetStyle(bsClear);
      int y = r.top + (r.Height() - canvas.TextHeight("Pp")) / 2;
      canvas.TextRect(r, r.left + 2, y, simpleCaption_);
      canvas.Brush.SetStyle(bsSolid);
    }
  }
}

void TVmStatusBar::PaintOverControls(TCanvas& canvas) {
  if (showSizeGrip_ && GripAllowed()) PaintGrip(canvas);
}

void TVmStatusBar::PaintGrip(TCanvas& canvas) {
  TRect client = ClientRect();
  const int right = client.right;
  const int bottom = client.bottom - 1;
  TColor light = clBtnHighlight;
  TColor dark = clBtnShadow;
  if (VisualStyle() == vsGradient) {
    TGradientColors scheme = SchemeGradientColors(GradientColorStyle());
    light = scheme.startColor;
    dark = scheme.frameColor;
  }
  static constexpr int kSquares[6][2] = {{5, 12}, {5, 8}, {5, 4}, {9, 8}, {9, 4}, {13, 4}};
  for (int pass = 0; pass < 2; ++pass) {
    TColor color = pass == 0 ? light : dark;
    canvas.Pen.SetColor(color);
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(color);
    for (const auto& square : kSquares) {
      int x = right - square[0] - pass;
      int y = bottom - square[1] - pass;
      canvas.Rectangle(x, y, x + 2, y + 2);
    }
  }
}

void TVmStatusBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == TMouseButton::mbLeft && showSizeGrip_ && GripAllowed() && GripRect().Contains(TPoint{x, y})) {
    Windows().ReleaseCapture();
    if (TCustomForm* form = GetParentForm()) {
      Windows().Send(form->Handle(), platform::msg::kSysCommand, kScSizeBottomRight, 0);
    }
    return;
  }
  TVmCustomPanel::MouseDown(button, shift, x, y);
}

bool TVmStatusBar::SetCursorHook(int hitTest) {
  if (hitTest == platform::hit::kClient && showSizeGrip_ && GripAllowed() && HandleAllocated()) {
    TPoint cursor = Windows().CursorPos();
    TPoint origin = ClientToScreen(TPoint{0, 0});
    if (GripRect().Contains(TPoint{cursor.x - origin.x, cursor.y - origin.y})) {
      Windows().SetCursor(TCursor::SizeNWSE);
      return true;
    }
  }
  return TVmCustomPanel::SetCursorHook(hitTest);
}

}  // namespace tandrel
