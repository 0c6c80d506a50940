#include "framework/Label.h"

#include "framework/DrawTextFlags.h"
#include "framework/WinControl.h"
#include "platform/Platform.h"

namespace tandrel {

TLabel::TLabel(TComponent* owner) : TControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 13);
}

void TLabel::SetAlignment(TAlignment alignment) {
  if (alignment_ == alignment) return;
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetAutoSize(bool autoSize) {
  if (autoSize_ == autoSize) return;
  autoSize_ = autoSize;
  AdjustBounds();
}

void TLabel::SetTransparent(bool transparent) {
  if (transparent_ == transparent) return;
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetLayout(TTextLayout layout) {
  if (layout_ == layout) return;
  layout_ = layout;
  Invalidate();
}

void TLabel::SetWordWrap(bool wordWrap) {
  if (wordWrap_ == wordWrap) return;
  wordWrap_ = wordWrap;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  if (showAccelChar_ == show) return;
  showAccelChar_ = show;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFocusControl(TWinControl* control) {
  if (focusControl_) RemoveFreeNotification(focusControl_);
  focusControl_ = control;
  if (control) FreeNotification(control);
}

void TLabel::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == focusControl_) focusControl_ = nullptr;
}

void TLabel::AcceleratorPressed() {
  if (focusControl_ && focusControl_->CanFocus()) focusControl_->SetFocus();
}

unsigned TLabel::DrawTextFlags() const {
  unsigned flags = DT_EXPANDTABS;
  switch (alignment_) {
    case TAlignment::taLeftJustify: flags |= DT_LEFT; break;
    case TAlignment::taRightJustify: flags |= DT_RIGHT; break;
    case TAlignment::taCenter: flags |= DT_CENTER; break;
  }
  if (wordWrap_) flags |= DT_WORDBREAK;
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  if (!transparent_) {
    canvas.Brush.SetColor(Color());
    canvas.Brush.SetStyle(bsSolid);
    canvas.FillRect(r);
  }
  canvas.Brush.SetStyle(bsClear);
  canvas.Font.Assign(Font());
  if (!Enabled()) canvas.Font.SetColor(clGrayText);
  unsigned flags = DrawTextFlags();
  if (layout_ != TTextLayout::tlTop) {
    // Measure first, then place the text block vertically.
    TRect calc = r;
    canvas.DrawText(Caption(), calc, flags | DT_CALCRECT);
    int offset = r.Height() - calc.Height();
    if (layout_ == TTextLayout::tlCenter) offset /= 2;
    r.top += offset;
  }
  canvas.DrawText(Caption(), r, flags);
}

void TLabel::TextChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::FontChanged() {
  AdjustBounds();
  Invalidate();
}

void TLabel::Loaded() {
  TControl::Loaded();
  AdjustBounds();
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Loading()) return;
  auto surface = platform::Current().painting().CreateBitmapSurface(1, 1, false);
  TCanvas canvas(surface.get());
  canvas.Font.Assign(Font());
  TRect r = Bounds(0, 0, wordWrap_ ? Width() : 0, 0);
  canvas.DrawText(Caption().empty() ? std::string(" ") : Caption(), r, DrawTextFlags() | DT_CALCRECT);
  int left = Left();
  if (!wordWrap_ && alignment_ == TAlignment::taRightJustify) left = Left() + Width() - r.Width();
  if (!wordWrap_ && alignment_ == TAlignment::taCenter) left = Left() + (Width() - r.Width()) / 2;
  SetBounds(left, Top(), r.Width(), r.Height());
}

}  // namespace tandrel
