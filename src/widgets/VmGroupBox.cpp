// The group box: a frame by GroupStyle around the children, interrupted by
// the caption, and the client area below the caption line.
#include "framework/Bitmap.h"
#include "widgets/VmColors.h"
#include "widgets/VmFrameStyles.h"
#include "widgets/VmGradients.h"
#include "widgets/VmPanel.h"
#include "widgets/VmSchemes.h"
#include "widgets/VmStrokes.h"
#include "widgets/VmText.h"

namespace tandrel {

namespace {

void Line(TCanvas& canvas, TColor color, int x1, int y1, int x2, int y2) {
  canvas.Pen.SetColor(color);
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

}  // namespace

TVmCustomGroupBox::TVmCustomGroupBox(TComponent* owner) : TVmCustomPanel(owner) {
  SetBorderOuter(fsNone);
  SetBorderInner(fsNone);
  SetAlignment(TAlignment::taLeftJustify);
  SetCaptionAlignmentVertical(avTop);
  SetHeight(105);
}

void TVmCustomGroupBox::SetGroupStyle(TVmGroupBoxStyle value) {
  if (groupStyle_ == value) return;
  groupStyle_ = value;
  BordersChanged();
}

void TVmCustomGroupBox::FontChanged() {
  TVmCustomPanel::FontChanged();
  Realign();
}

void TVmCustomGroupBox::AcceleratorPressed() {
  // The box never holds the focus; its first tab stop takes it.
  if (!ShowingAndEnabled()) return;
  if (TWinControl* child = FirstFocusableTabStop()) child->SetFocus();
}

int TVmCustomGroupBox::CaptionLineHeight() const {
  TBitmap measure(1, 1);
  measure.Canvas().Font.Assign(Font());
  return measure.Canvas().TextHeight("Yy");
}

void TVmCustomGroupBox::AdjustClientRect(TRect& r) const {
  TVmCustomPanel::AdjustClientRect(r);
  const int h = CaptionLineHeight();
  switch (groupStyle_) {
    case gsCustom:
      if (!Caption().empty()) r.top += h;
      r = TRect{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2};
      break;
    case gsTopLine: r.top += h; break;
    case gsBanner: r.top += h + 8; break;
    case gsUnderline: r.top += h + 4; break;
    case gsStandard:
    case gsFlat: {
      int a = h / 2 - 1;
      r.top += a < BorderWidth() ? a : h - BorderWidth();
      int by = groupStyle_ == gsStandard ? 2 : 1;
      r = TRect{r.left + by, r.top + by, r.right - by, r.bottom - by};
      break;
    }
  }
}

TRect TVmCustomGroupBox::CaptionRect(TCanvas& canvas) const {
  if (Caption().empty() || groupStyle_ == gsCustom) return TRect{};
  TSize text = canvas.TextExtent(RemoveAccelMarkers(Caption()));
  switch (groupStyle_) {
    case gsTopLine: return TRect{0, 0, text.cx + 4, text.cy};
    case gsBanner: return TRect{0, 0, Width(), text.cy + 6};
    case gsUnderline: return TRect{0, 0, Width(), text.cy + 2};
    default: return TRect{8, 0, 8 + text.cx, text.cy};
  }
}

void TVmCustomGroupBox::Paint(TCanvas& canvas) {
  if (groupStyle_ == gsCustom) {
    TVmCustomPanel::Paint(canvas);
    return;
  }
  canvas.Font.Assign(Font());
  const int h = canvas.TextHeight("Pp");
  TRect caption = CaptionRect(canvas);
  const TRect f{0, h / 2 - 1, Width(), Height()};
  const TColor flat = ShadeBy(FlatColor(), FlatColorAdjustment());
  int saved = canvas.SaveState();
  canvas.Pen.SetStyle(psSolid);
  canvas.Pen.SetWidth(1);
  if (!Transparent()) {
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(Color());
    canvas.FillRect(Bounds(0, 0, Width(), Height()));
  } else if (groupStyle_ != gsBanner && !caption.IsEmpty()) {
    canvas.ExcludeClipRect(caption);
  }
  switch (groupStyle_) {
    case gsFlat:
      Line(canvas, flat, f.left, f.top + 2, f.left, f.bottom - 2);
      Line(canvas, flat, f.left + 2, f.top, f.right - 2, f.top);
      Line(canvas, flat, f.right - 1, f.top + 2, f.right - 1, f.bottom - 2);
      Line(canvas, flat, f.left + 2, f.bottom - 1, f.right - 2, f.bottom - 1);
      canvas.SetPixels(f.left + 1, f.top + 1, flat);
      canvas.SetPixels(f.right - 2, f.top + 1, flat);
      canvas.SetPixels(f.right - 2, f.bottom - 2, flat);
      canvas.SetPixels(f.left + 1, f.bottom - 2, flat);
      break;
    case gsStandard:
      if (BorderOuter() == fsNone) StrokeFrameStyle(canvas, f, fsGroove);
      else if (BorderOuter() == fsFlat) StrokeBox(canvas, f, flat);
      else if (BorderOuter() == fsFlatBold) StrokeBevel(canvas, f, flat, flat, 2);
      else StrokeFrameStyle(canvas, f, BorderOuter());
      break;
    case gsTopLine:
      if (BorderOuter() == fsNone) {
        StrokeFrameStyle(canvas, f, fsGroove, TSides{sdTop});
      } else if (BorderOuter() == fsFlat || BorderOuter() == fsFlatBold) {
        Line(canvas, flat, f.left + 2, f.top, f.right - 2, f.top);
        if (BorderOuter() == fsFlatBold) Line(canvas, flat, f.left + 2, f.top + 1, f.right - 2, f.top + 1);
      } else {
        StrokeFrameStyle(canvas, f, BorderOuter(), TSides{sdTop});
      }
      break;
    case gsBanner: {
      TColor start, stop, pen;
      if (GradientColorStyle() == gcsCustom) {
        start = GradientColorStart();
        stop = GradientColorStop();
        pen = flat;
      } else {
        TGradientColors scheme = SchemeGradientColors(GradientColorStyle());
        start = scheme.startColor;
        stop = scheme.stopColor;
        pen = scheme.frameColor;
      }
      if (!caption.IsEmpty()) {
        const TRect& r = caption;
        Line(canvas, pen, r.left, r.top + 1, r.left, r.bottom - 1);
        Line(canvas, pen, r.left + 1, r.top, r.right - 1, r.top);
        Line(canvas, pen, r.right - 1, r.top + 1, r.right - 1, r.bottom - 1);
        Line(canvas, pen, r.left + 1, r.bottom - 1, r.right - 1, r.bottom - 1);
        PaintColorRamp(canvas, TRect{r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, gdHorizontalEnd, 1,
                       stop, start);
      }
      break;
    }
    case gsUnderline: {
      int y = caption.IsEmpty() ? h + 2 : caption.bottom;
      Line(canvas, flat, 0, y, Width(), y);
      break;
    }
    case gsCustom: break;
  }
  canvas.RestoreState(saved);

  if (caption.IsEmpty()) {
    OnPaint(this);
    return;
  }
  if (!Transparent() && groupStyle_ != gsBanner) {
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(Color());
    canvas.FillRect(caption);
  }
  if (groupStyle_ == gsBanner) caption = TRect{caption.left + 4, caption.top + 1, caption.right - 4, caption.bottom - 1};
  canvas.Brush.SetStyle(bsClear);
  canvas.Font.Assign(Font());
  unsigned format = DT_SINGLELINE | (Alignment() == TAlignment::taLeftJustify    ? DT_LEFT
                                     : Alignment() == TAlignment::taRightJustify ? DT_RIGHT
                                                                                 : DT_CENTER);
  if (!Enabled()) {
    TRect raised{caption.left + 1, caption.top + 1, caption.right + 1, caption.bottom + 1};
    canvas.Font.SetColor(clBtnHighlight);
    canvas.DrawText(Caption(), raised, format);
    canvas.Font.SetColor(clBtnShadow);
  }
  canvas.DrawText(Caption(), caption, format);
  canvas.Brush.SetStyle(bsSolid);
  OnPaint(this);
}

}  // namespace tandrel
