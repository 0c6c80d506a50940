// Status panes: frame, text placement, auto width, fill colour that follows
// the control's colour, and blinking through the shared timer.
#include "framework/Bitmap.h"
#include "framework/HintAction.h"
#include "widgets/VmBlinkList.h"
#include "widgets/VmColors.h"
#include "widgets/VmFrameStyles.h"
#include "widgets/VmSchemes.h"
#include "widgets/VmStatus.h"

namespace tandrel {

namespace {

int PaneFrameWidth(TFrameStyle style) {
  switch (style) {
    case fsNone: return 0;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 2;
  }
}

void Line(TCanvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

}  // namespace

TVmCustomStatusPane::TVmCustomStatusPane(TComponent* owner) : TControl(owner) {
  SetBounds(0, 0, 100, 20);
  SetParentColor(true);
  fillColor_ = Color();
  normalFontColor_ = captionColor_ = Font().Color();
  TVmBlinkingControlsList::Acquire().Register(this);
}

TVmCustomStatusPane::~TVmCustomStatusPane() { TVmBlinkingControlsList::Unregister(this); }

void TVmCustomStatusPane::SetBorderWidth(int value) {
  if (value < 0 || borderWidth_ == value) return;
  borderWidth_ = value;
  Invalidate();
}

void TVmCustomStatusPane::SetFillColor(TColor value) {
  parentFillColor_ = false;
  if (fillColor_ == value) return;
  fillColor_ = value;
  Invalidate();
}

void TVmCustomStatusPane::SetFlatColor(TColor value) {
  if (flatColor_ == value) return;
  flatColor_ = value;
  Invalidate();
}

void TVmCustomStatusPane::SetFlatColorAdjustment(int value) {
  if (flatColorAdjustment_ == value) return;
  flatColorAdjustment_ = value;
  Invalidate();
}

void TVmCustomStatusPane::SetFrameStyle(TFrameStyle value) {
  if (frameStyle_ == value) return;
  frameStyle_ = value;
  Invalidate();
}

void TVmCustomStatusPane::SetParentFillColor(bool value) {
  if (parentFillColor_ == value) return;
  parentFillColor_ = value;
  if (!Loading() && Parent()) ColorChanged();
}

void TVmCustomStatusPane::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  Invalidate();
}

TVmStatusBar* TVmCustomStatusPane::StatusBar() const { return As<TVmStatusBar>(Parent()); }

void TVmCustomStatusPane::Loaded() {
  TControl::Loaded();
  if (!ParentColor()) transparent_ = false;
  normalFontColor_ = captionColor_ = Font().Color();
  AdjustPaneWidth();
}

void TVmCustomStatusPane::TextChanged() {
  Invalidate();
  AdjustPaneWidth();
}

void TVmCustomStatusPane::FontChanged() {
  if (!Loading()) {
    normalFontColor_ = Font().Color();
    if (BlinkQuery() != 1) captionColor_ = normalFontColor_;
    AdjustPaneWidth();
  }
  Invalidate();
}

void TVmCustomStatusPane::ColorChanged() {
  if (parentFillColor_) fillColor_ = Color();
  Invalidate();
}

int TVmCustomStatusPane::GetAutoWidth() {
  if (Caption().empty()) return defaultWidth_;
  TBitmap screen(1, 1);
  TCanvas& canvas = screen.Canvas();
  canvas.Font.Assign(Font());
  TRect r{0, 0, 0, 0};
  canvas.DrawText(Caption(), r, DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  return 2 * borderWidth_ + r.Width() + captionOffset_ + 6;
}

void TVmCustomStatusPane::AdjustPaneWidth() {
  if (Loading() || !autoSize_) return;
  SetWidth(GetAutoWidth());
}

bool TVmCustomStatusPane::UnderSizeGrip() const {
  TVmStatusBar* bar = StatusBar();
  if (!bar || !bar->ShowSizeGrip() || !bar->GripAllowed()) return false;
  TRect client = bar->ClientRect();
  return ClientToScreen(TPoint{Width(), 0}).x >= bar->ClientToScreen(TPoint{client.right, 0}).x;
}

bool TVmCustomStatusPane::HitTestAt(TPoint local) const {
  // Presses in the strip under the grip go to the bar, which starts sizing.
  return !(UnderSizeGrip() && local.x >= Width() - kGripStripWidth);
}

bool TVmCustomStatusPane::ExecuteAction(const THintAction& action) {
  if (!autoHint_) return false;
  SetCaption(action.Hint);
  return true;
}

TRect TVmCustomStatusPane::GetContentRect() const {
  int by = borderWidth_ + PaneFrameWidth(frameStyle_);
  TRect r = ClientRect();
  return TRect{r.left + by, r.top + by, r.right - by, r.bottom - by};
}

void TVmCustomStatusPane::Paint(TCanvas& canvas) {
  DrawPaneFrame(canvas);
  DrawPaneCaption(canvas, Caption());
}

void TVmCustomStatusPane::DrawPaneFrame(TCanvas& canvas) {
  TRect r{0, 0, Width(), Height()};
  if (!transparent_) {
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(Color());
    canvas.FillRect(r);
  }
  canvas.Pen.SetStyle(psSolid);
  canvas.Pen.SetWidth(1);
  r = TRect{r.left + borderWidth_, r.top + borderWidth_, r.right - borderWidth_, r.bottom - borderWidth_};
  if (TVmStatusBar* bar = StatusBar(); bar && bar->VisualStyle() == vsGradient) {
    // Between gradient panes only a separator on the left, none before the first.
    if (bar->BorderWidth() >= Left()) return;
    canvas.Pen.SetColor(SchemeGradientColors(bar->GradientColorStyle()).frameColor);
    Line(canvas, r.left, r.top + 1, r.left, r.bottom - 1);
    return;
  }
  if (frameStyle_ == fsFlat) {
    // The four corner pixels stay undrawn.
    canvas.Pen.SetColor(ShadeBy(flatColor_, flatColorAdjustment_));
    Line(canvas, r.left, r.top + 1, r.left, r.bottom - 1);
    Line(canvas, r.left + 1, r.top, r.right - 1, r.top);
    Line(canvas, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
    Line(canvas, r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
  } else {
    StrokeFrameStyle(canvas, r, frameStyle_);
  }
}

void TVmCustomStatusPane::DrawPaneCaption(TCanvas& canvas, const std::string& text) {
  canvas.Font.Assign(Font());
  canvas.Font.SetColor(captionColor_);
  const TRect r = GetContentRect();
  const int offset = captionOffset_;
  int x = r.left + offset + 1;
  unsigned align = TA_LEFT;
  switch (alignment_) {
    case TAlignment::taLeftJustify: break;
    case TAlignment::taRightJustify:
      align = TA_RIGHT;
      x = r.right - offset - 1;
      break;
    case TAlignment::taCenter:
      align = TA_CENTER;
      x = r.left + r.Width() / 2;
      break;
  }
  const int y = r.top + (r.Height() - canvas.TextHeight("Pp")) / 2;
  const unsigned previousAlign = canvas.TextAlign();
  canvas.SetTextAlign(align);
  if (transparent_) {
    canvas.Brush.SetStyle(bsClear);
  } else {
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(fillColor_);
  }
  if (!Enabled()) {
    canvas.Font.SetColor(clBtnHighlight);
    canvas.TextRect(r, x + 1, y + 1, text);
    canvas.Font.SetColor(clBtnShadow);
    canvas.Brush.SetStyle(bsClear);
  }
  canvas.TextRect(r, x, y, text);
  canvas.SetTextAlign(previousAlign);
  canvas.Brush.SetStyle(bsSolid);
}

// --- Text properties ---

void TVmCustomStatusPane::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TVmCustomStatusPane::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  AdjustPaneWidth();
}

void TVmCustomStatusPane::SetBlinking(bool value) {
  if (blinking_ == value) return;
  blinking_ = value;
  if (value) {
    TVmBlinkingControlsList::Acquire().Wake();
  } else {
    captionColor_ = normalFontColor_;
    Repaint();
  }
}

void TVmCustomStatusPane::SetBlinkColor(TColor value) {
  if (blinkColor_ == value) return;
  blinkColor_ = value;
  Invalidate();
}

unsigned TVmCustomStatusPane::BlinkIntervalOff() const { return TVmBlinkingControlsList::Acquire().OffTime(); }
void TVmCustomStatusPane::SetBlinkIntervalOff(unsigned value) { TVmBlinkingControlsList::Acquire().SetOffTime(value); }
unsigned TVmCustomStatusPane::BlinkIntervalOn() const { return TVmBlinkingControlsList::Acquire().OnTime(); }
void TVmCustomStatusPane::SetBlinkIntervalOn(unsigned value) { TVmBlinkingControlsList::Acquire().SetOnTime(value); }

void TVmCustomStatusPane::SetCaptionOffset(int value) {
  if (captionOffset_ == value) return;
  captionOffset_ = value;
  Invalidate();
  AdjustPaneWidth();
}

void TVmCustomStatusPane::SetDefaultWidth(int value) {
  if (defaultWidth_ == value) return;
  defaultWidth_ = value;
  AdjustPaneWidth();
}

void TVmCustomStatusPane::BlinkPhase(int phase) {
  if (!blinking_) return;
  captionColor_ = phase == 1 ? blinkColor_ : normalFontColor_;
  Repaint();
}

}  // namespace tandrel
