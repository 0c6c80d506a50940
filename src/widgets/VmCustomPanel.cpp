// The framed panel: borders, background, caption, the client area inside
// the borders and the children's enabled states kept while it is disabled.
#include <algorithm>

#include "widgets/VmBorders.h"
#include "widgets/VmGradients.h"
#include "widgets/VmPanel.h"
#include "widgets/VmSchemes.h"
#include "widgets/VmDrawGlobals.h"

namespace tandrel {

namespace {

int BorderStyleWidth(TFrameStyleEx style, int bevelWidth) {
  switch (style) {
    case fsNone: return 0;
    case fsFlat: return 1;
    case fsStatus:
    case fsPopup: return bevelWidth;
    default: return 2;
  }
}

}  // namespace

TVmCustomPanel::TVmCustomPanel(TComponent* owner) : TCustomControl(owner) {
  SetBounds(0, 0, 185, 41);
}

void TVmCustomPanel::BordersChanged() {
  Realign();
  Invalidate();
}

void TVmCustomPanel::SetBorderOuter(TFrameStyleEx value) {
  if (borderOuter_ == value) return;
  borderOuter_ = value;
  BordersChanged();
}

void TVmCustomPanel::SetBorderInner(TFrameStyleEx value) {
  if (borderInner_ == value) return;
  borderInner_ = value;
  BordersChanged();
}

void TVmCustomPanel::SetBorderSides(TSides value) {
  if (borderSides_ == value) return;
  borderSides_ = value;
  BordersChanged();
}

void TVmCustomPanel::SetBorderWidth(int value) {
  if (borderWidth_ == value) return;
  borderWidth_ = value;
  BordersChanged();
}

void TVmCustomPanel::SetBevelWidth(int value) {
  if (bevelWidth_ == value) return;
  bevelWidth_ = value;
  BordersChanged();
}

#define VM_PANEL_SETTER(Name, member)                       \
  void TVmCustomPanel::Set##Name(decltype(member) value) {  \
    if (member == value) return;                            \
    member = value;                                         \
    Invalidate();                                           \
  }

VM_PANEL_SETTER(BorderColor, borderColor_)
VM_PANEL_SETTER(FlatColor, flatColor_)
VM_PANEL_SETTER(FlatColorAdjustment, flatColorAdjustment_)
VM_PANEL_SETTER(VisualStyle, visualStyle_)
VM_PANEL_SETTER(GradientColorStyle, gradientColorStyle_)
VM_PANEL_SETTER(GradientColorStart, gradientColorStart_)
VM_PANEL_SETTER(GradientColorStop, gradientColorStop_)
VM_PANEL_SETTER(GradientDirection, gradientDirection_)
VM_PANEL_SETTER(Alignment, alignment_)
VM_PANEL_SETTER(CaptionAlignmentVertical, captionAlignmentVertical_)

#undef VM_PANEL_SETTER

void TVmCustomPanel::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Invalidate();
  for (int i = 0; i < ControlCount(); ++i) Controls(i)->Invalidate();
}

bool TVmCustomPanel::RememberedEnabled(const TControl* child) const {
  for (const auto& [enabled, control] : childEnabledStates_) {
    if (control == child) return enabled;
  }
  return true;
}

void TVmCustomPanel::EnabledChanged() {
  Invalidate();
  if (!Enabled()) {
    childEnabledStates_.clear();
    for (int i = 0; i < ControlCount(); ++i) {
      childEnabledStates_.emplace_back(Controls(i)->Enabled(), Controls(i));
    }
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->SetEnabled(false);
  } else {
    for (int i = 0; i < ControlCount(); ++i) {
      if (RememberedEnabled(Controls(i))) Controls(i)->SetEnabled(true);
    }
  }
  TCustomControl::EnabledChanged();
}

void TVmCustomPanel::BorderInset(TRect& r, bool includeBorderWidth) const {
  if (includeBorderWidth) {
    r = TRect{r.left + borderWidth_, r.top + borderWidth_, r.right - borderWidth_, r.bottom - borderWidth_};
  }
  for (TFrameStyleEx style : {borderOuter_, borderInner_}) {
    int w = BorderStyleWidth(style, bevelWidth_);
    if (borderSides_.Contains(sdLeft)) r.left += w;
    if (borderSides_.Contains(sdTop)) r.top += w;
    if (borderSides_.Contains(sdRight)) r.right -= w;
    if (borderSides_.Contains(sdBottom)) r.bottom -= w;
  }
}

void TVmCustomPanel::AdjustClientRect(TRect& r) const { BorderInset(r, true); }

std::pair<TColor, TColor> TVmCustomPanel::GradientColorPair() const {
  if (gradientColorStyle_ == gcsCustom) return {gradientColorStart_, gradientColorStop_};
  TPanelColors scheme = SchemePanelColors(gradientColorStyle_);
  return {scheme.light, scheme.medium};
}

std::pair<TColor, int> TVmCustomPanel::FlatColorPair() const {
  if (visualStyle_ == vsGradient && gradientColorStyle_ != gcsCustom) {
    return {SchemeFrameColor(gradientColorStyle_), 0};
  }
  return {flatColor_, flatColorAdjustment_};
}

bool TVmCustomPanel::EraseBackground(TCanvas& canvas) {
  if (transparent_) {
    PaintParentBackground(*this, canvas, true);
    return true;
  }
  // Without borders the paint fills every pixel itself (a status bar).
  if (fillsClientArea_ && borderOuter_ == fsNone && borderInner_ == fsNone && borderWidth_ == 0) {
    return true;
  }
  return TCustomControl::EraseBackground(canvas);
}

void TVmCustomPanel::Paint(TCanvas& canvas) {
  TInnerOuterBorder border;
  border.borderOuter = borderOuter_;
  border.borderInner = borderInner_;
  border.borderSides = borderSides_;
  border.borderWidth = borderWidth_;
  border.borderColor = borderColor_;
  border.bevelWidth = bevelWidth_;
  border.transparent = transparent_;
  border.color = Color();
  border.parentBackColor = Parent() ? Parent()->Color() : Color();
  border.darkEdgeColor = darkEdgeColor_;
  border.lightEdgeColor = lightEdgeColor_;
  auto [flat, adjustment] = FlatColorPair();
  border.flatColor = flat;
  border.flatColorAdjustment = adjustment;
  TRect rest = StrokeInnerOuter(canvas, Bounds(0, 0, Width(), Height()), border);
  if (!transparent_ && fillsClientArea_) {
    if (visualStyle_ == vsGradient) {
      auto [first, second] = GradientColorPair();
      PaintColorRamp(canvas, rest, gradientDirection_, 1, second, first);
    } else {
      canvas.Brush.SetStyle(bsSolid);
      canvas.Brush.SetColor(Color());
      canvas.FillRect(rest);
    }
  }
  if (!Caption().empty()) DrawCaption(canvas, rest);
  OnPaint(this);
}

void TVmCustomPanel::DrawCaption(TCanvas& canvas, TRect r) {
  r = TRect{r.left + captionMarginX_, r.top + captionMarginY_, r.right - captionMarginX_,
            r.bottom - captionMarginY_};
  canvas.Font.Assign(Font());
  unsigned format = DT_EXPANDTABS | (captionWordWrap_ ? DT_WORDBREAK : 0u);
  format |= alignment_ == TAlignment::taLeftJustify    ? DT_LEFT
            : alignment_ == TAlignment::taRightJustify ? DT_RIGHT
                                                       : DT_CENTER;
  TRect measure = r;
  int h = canvas.DrawText(Caption(), measure, format | DT_CALCRECT);
  switch (captionAlignmentVertical_) {
    case avTop: break;
    case avCenter: r.top = (r.top + r.bottom - h) / 2; break;
    case avBottom: r.top = r.bottom - h - 1; break;
  }
  r.bottom = r.top + h;
  canvas.Brush.SetStyle(bsClear);
  if (!Enabled()) {
    TRect raised{r.left + 1, r.top + 1, r.right + 1, r.bottom + 1};
    canvas.Font.SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), raised, format);
    canvas.Font.SetColor(clBtnShadow);
  }
  canvas.DrawText(Caption(), r, format);
  canvas.Brush.SetStyle(bsSolid);
}

void TVmCustomPanel::BoundsChanged(bool resized) {
  TCustomControl::BoundsChanged(resized);
  if (resized) Invalidate();
}

void TVmCustomPanel::DesktopColorsChanged() { RereadThemeColorScheme(); }

bool TVmCustomPanel::HandleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam,
                                   std::intptr_t& result) {
  // Windows tells every window of a theme change, child windows included.
  if (message == platform::msg::kThemeChanged) {
    RereadThemeColorScheme();
    Invalidate();
  }
  return TCustomControl::HandleMessage(message, wParam, lParam, result);
}

}  // namespace tandrel
