// TVmButton: the face in the hot-track or classic look, the focus and
// default ring, the stays-down pattern, default keys and the toggle group.
#include <functional>
#include <vector>

#include "framework/Color.h"
#include "framework/Form.h"
#include "widgets/VmButton.h"
#include "widgets/VmColors.h"
#include "widgets/VmDrawGlobals.h"
#include "widgets/VmFrameStyles.h"
#include "widgets/VmGradients.h"
#include "widgets/VmStrokes.h"
#include "widgets/VmTransparency.h"

namespace tandrel {
namespace {

TRect Shrunk(const TRect& r, int by) { return TRect{r.left + by, r.top + by, r.right - by, r.bottom - by}; }

void Line(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
  canvas.Pen.SetColor(color);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

// Bottom shadow lines, then a ramp from a lighter top to a darker bottom.
void PaintFace(TCanvas& canvas, const TRect& a, TColor color) {
  Line(canvas, ShadeDarker(color, 20), a.left, a.bottom - 2, a.right, a.bottom - 2);
  Line(canvas, ShadeDarker(color, 30), a.left, a.bottom - 1, a.right, a.bottom - 1);
  TRect top{a.left, a.top, a.right, a.bottom - 2};
  if (FullColorDisplay()) {
    PaintColorRamp(canvas, top, gdHorizontalEnd, 1, ShadeDarker(color, 10), ShadeLighter(color, 30));
  } else {
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(color);
    canvas.FillRect(top);
  }
}

// One-pixel ring whose corner pixels stay undrawn.
void CornerlessRing(TCanvas& canvas, const TRect& r, TColor color) {
  Line(canvas, color, r.left, r.top + 1, r.left, r.bottom - 1);
  Line(canvas, color, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
  Line(canvas, color, r.left + 1, r.top, r.right - 1, r.top);
  Line(canvas, color, r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
}

}  // namespace

TVmButton::TVmButton(TComponent* owner) : TVmCustomButton(owner) {}

void TVmButton::Click() {
  if (TCustomForm* form = GetParentForm()) form->SetModalResult(modalResult_);
  TVmCustomButton::Click();
}

void TVmButton::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TVmButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  TCustomForm* form = GetParentForm();
  auto* focusedButton = form ? As<TVmButton>(form->ActiveControl()) : nullptr;
  if (!focusedButton) SetShowsDefault(value);
}

void TVmButton::SetGroupIndex(int value) {
  if (groupIndex_ == value) return;
  groupIndex_ = value;
  NotifyGroup();
  Invalidate();
}

void TVmButton::SetDown(bool value) {
  if (groupIndex_ == 0) value = false;
  if (value == Down()) return;
  if (Down() && !allowAllUp_) return;
  downState_ = value ? TButtonDownState::StaysDown : TButtonDownState::Up;
  Invalidate();
  if (value) NotifyGroup();
}

void TVmButton::SetAllowAllUp(bool value) {
  if (allowAllUp_ == value) return;
  allowAllUp_ = value;
  NotifyGroup();
}

void TVmButton::NotifyGroup() {
  if (groupIndex_ == 0 || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    auto* other = As<TVmButton>(Parent()->Controls(i));
    if (!other || other == this || other->groupIndex_ != groupIndex_) continue;
    if (Down() && other->Down()) {
      other->downState_ = TButtonDownState::Up;
      other->Invalidate();
    }
    other->allowAllUp_ = allowAllUp_;
  }
}

void TVmButton::SetShowDownPattern(bool value) {
  if (showDownPattern_ == value) return;
  showDownPattern_ = value;
  Invalidate();
}

void TVmButton::SetShowFocusRect(bool value) {
  if (showFocusRect_ == value) return;
  showFocusRect_ = value;
  Invalidate();
}

void TVmButton::SetFrameColor(TColor value) {
  if (frameColor_ == value) return;
  frameColor_ = value;
  Invalidate();
}

void TVmButton::SetHotTrackColor(TColor value) {
  if (hotTrackColor_ == value) return;
  hotTrackColor_ = value;
  Invalidate();
}

void TVmButton::SetHotTrackColorType(TVmHotTrackColorType value) {
  if (hotTrackColorType_ == value) return;
  hotTrackColorType_ = value;
  Invalidate();
}

void TVmButton::SetHotTrack(bool value) {
  SetTransparentCorners(value);
  TVmCustomButton::SetHotTrack(value);
  InvalidateRect(ClientRect(), true);
}

void TVmButton::SetShowsDefault(bool value) {
  if (showsDefault_ == value) return;
  showsDefault_ = value;
  Invalidate();
}

void TVmButton::HandleCreated() {
  TVmCustomButton::HandleCreated();
  showsDefault_ = default_;
}

void TVmButton::DoEnter() {
  // The focused push button takes the ring from every other one.
  ForEachButtonOfForm([this](TVmButton& b) { b.SetShowsDefault(&b == this); });
  TVmCustomButton::DoEnter();
}

void TVmButton::DoExit() {
  // Until another push button takes the focus the Default one shows the ring.
  ForEachButtonOfForm([](TVmButton& b) { b.SetShowsDefault(b.default_); });
  TVmCustomButton::DoExit();
}

void TVmButton::ForEachButtonOfForm(const std::function<void(TVmButton&)>& action) {
  TCustomForm* form = GetParentForm();
  if (!form) {
    action(*this);
    return;
  }
  std::vector<TWinControl*> all;
  form->GetTabOrderList(all);
  for (TWinControl* c : all) {
    if (auto* b = As<TVmButton>(c)) action(*b);
  }
}

bool TVmButton::HandleDialogKey(int key, TShiftState shift) {
  const bool plain = !(shift & (platform::shift::kShift | platform::shift::kCtrl | platform::shift::kAlt));
  const bool ours = (key == platform::vk::kReturn && showsDefault_) || (key == platform::vk::kEscape && cancel_);
  if (!plain || !ours || !CanFocus()) return false;
  Click();
  return true;
}

void TVmButton::ActivateClick() {
  if (groupIndex_ != 0) SetDown(!Down());
  else Invalidate();
  Click();
}

bool TVmButton::PressedLook() const { return downState_ != TButtonDownState::Up || showPressed_; }

void TVmButton::EraseCorners(TCanvas& canvas) {
  if (!TransparentCorners()) return;
  TRect r0 = Shrunk(ClientRect(), Enabled() ? 1 : 2);
  TRect r1{r0.left - 1, r0.top + 1, r0.right + 1, r0.bottom - 1};
  TRect r2{r1.left + 2, r1.top - 2, r1.right - 2, r1.bottom + 2};
  int saved = canvas.SaveState();
  canvas.ExcludeClipRect(r0);
  canvas.ExcludeClipRect(r1);
  canvas.ExcludeClipRect(r2);
  PaintParentBackground(*this, canvas, true);
  canvas.RestoreState(saved);
}

TRect TVmButton::CaptionArea() const { return Shrunk(ClientRect(), 5); }

void TVmButton::PaintContent(TCanvas& canvas) {
  unsigned format = alignment_ == TAlignment::taLeftJustify    ? DT_LEFT
                    : alignment_ == TAlignment::taRightJustify ? DT_RIGHT
                                                               : DT_CENTER;
  PaintCaptionText(canvas, CaptionArea(), format);
}

void TVmButton::MakeDownPattern(TCanvas& canvas, const TRect& face) {
  TColor cell = ColorToRGB(Color()) == clSilver ? clGray : clSilver;
  for (int y = face.top; y < face.bottom; ++y) {
    for (int x = face.left; x < face.right; ++x) {
      if ((x % 2) == (y % 2)) canvas.SetPixels(x, y, cell);
    }
  }
}

void TVmButton::Paint(TCanvas& canvas) {
  const TRect client = ClientRect();
  const bool grouped = groupIndex_ != 0;
  const bool focused = const_cast<TVmButton*>(this)->Focused();
  TRect focusArea = Shrunk(client, HotTrack() ? 3 : 4);
  if (grouped && PressedLook()) focusArea = TRect{focusArea.left + 1, focusArea.top + 1, focusArea.right + 1, focusArea.bottom + 1};

  canvas.Pen.SetStyle(psSolid);
  canvas.Pen.SetWidth(1);
  TRect face = client;
  if (HotTrack()) {
    const TRect& r = client;
    if (Enabled()) {
      TColor dark = ShadeDarker(clBtnFace, 20);
      TColor light = ShadeLighter(clBtnFace, 20);
      Line(canvas, dark, r.left, r.top + 2, r.left, r.bottom - 2);
      Line(canvas, dark, r.left + 2, r.top, r.right - 2, r.top);
      Line(canvas, light, r.right - 1, r.top + 2, r.right - 1, r.bottom - 2);
      Line(canvas, light, r.left + 2, r.bottom - 1, r.right - 2, r.bottom - 1);
      canvas.SetPixels(r.left + 1, r.top + 1, dark);
      canvas.SetPixels(r.right - 2, r.top + 1, dark);
      canvas.SetPixels(r.left + 1, r.bottom - 2, dark);
      canvas.SetPixels(r.right - 2, r.bottom - 2, light);
      CornerlessRing(canvas, Shrunk(r, 1), frameColor_);
      face = Shrunk(r, 2);
      if (PressedLook()) {
        canvas.Brush.SetStyle(bsSolid);
        canvas.Brush.SetColor(ShadeDarker(Color(), 10));
        canvas.FillRect(face);
      } else if (mouseOver_) {
        PaintFace(canvas, face, Color());
        TColor start, stop;
        if (hotTrackColorType_ == htctActual) {
          stop = hotTrackColor_;
          start = MixColors(clWhite, hotTrackColor_, 190);
        } else {
          start = OppositeHue(hotTrackColor_, 180);
          stop = ShadeDarker(start, 30);
        }
        StrokeHighlightRing(canvas, face, gdHorizontalEnd, stop, start);
      } else if (grouped || (!showsDefault_ && !focused)) {
        PaintFace(canvas, face, Color());
      } else {
        PaintFace(canvas, face, Color());
        TColor h = ColorsHardToTell(HighlightColor(), clBtnFace) ? ShadeDarker(HighlightColor(), 30)
                                                                 : HighlightColor();
        TColor f = ShadeLighter(Color(), 30);
        StrokeHighlightRing(canvas, face, gdHorizontalEnd, MixColors(h, f, 160), MixColors(h, f, 60));
      }
    } else {
      TColor ring = Color() == clBtnFace ? ShadeLighter(clBtnShadow, 30) : ShadeDarker(Color(), 80);
      CornerlessRing(canvas, Shrunk(r, 1), ring);
      face = Shrunk(r, 2);
      canvas.Brush.SetStyle(bsSolid);
      canvas.Brush.SetColor(Color());
      canvas.FillRect(face);
    }
  } else {
    if (!grouped && (((showsDefault_ || focused) && !showPressed_) || InClick())) {
      face = StrokeSides(canvas, face, clWindowFrame, clWindowFrame);
    }
    if (Color() == clBtnFace) {
      face = grouped ? StrokeFrameStyle(canvas, face, PressedLook() ? fsLowered : fsButtonUp)
                     : StrokeButtonSides(canvas, face, showPressed_);
    } else {
      face = grouped && PressedLook() ? StrokeColorFrameStyle(canvas, face, Color(), fsLowered)
                                      : StrokeColorButtonSides(canvas, face, Color(), !grouped && showPressed_);
    }
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(Color());
    canvas.FillRect(face);
  }

  if (grouped && downState_ == TButtonDownState::StaysDown && showDownPattern_) MakeDownPattern(canvas, face);

  canvas.Font.Assign(Font());
  canvas.Brush.SetColor(Color());
  PaintContent(canvas);

  if (focused && showFocusRect_) StrokeFocusDots(canvas, focusArea);
}

}  // namespace tandrel
