#include "framework/Label.h"

#include <algorithm>
#include <memory>

#include "framework/DrawTextFlags.h"
#include "framework/WinControl.h"
#include "platform/Platform.h"

namespace tandrel {

namespace {

// One 1-by-1 surface for measuring captions, kept while the same platform
// is installed, so that a label whose text changes every second measures
// without making a surface (a memory DC on Windows) each time.
platform::Surface& MeasuringSurface() {
  static platform::Platform* owner = nullptr;
  static std::unique_ptr<platform::Surface> surface;
  platform::Platform& current = platform::Current();
  if (!surface || owner != &current) {
    surface = current.painting().CreateBitmapSurface(1, 1, false);
    owner = &current;
  }
  return *surface;
}

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Single-line text whose drawn width is the sum of its pieces' widths.
bool IsPlainLine(const std::string& text, bool prefixes) {
  return text.find_first_of(prefixes ? "\r\n\t&" : "\r\n\t") == std::string::npos;
}

}  // namespace

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
  const TRect before = BoundsRect();
  AdjustBounds();
  if (IsOffScreen()) {
    // Showing the window again paints it whole.
  } else if (BoundsRect() == before && !wordWrap_ && IsPlainLine(shownCaption_, showAccelChar_) &&
             IsPlainLine(Caption(), showAccelChar_)) {
    InvalidateChangedText(shownCaption_, Caption());
  } else {
    Invalidate();
  }
  shownCaption_ = Caption();
}

// Shown as far as the controls go, but its window is hidden (with the
// application in the tray, for one).
bool TLabel::IsOffScreen() const {
  return Showing() && Parent() && Parent()->HandleAllocated() &&
         !Windows().IsVisible(Parent()->Handle());
}

// Invalidates the columns where the old and the new line differ: what lies
// before the first and after the last changed character stays where it was
// when the line starts (or ends) at the same place. A countdown second then
// repaints a digit or two rather than the whole label.
void TLabel::InvalidateChangedText(const std::string& before, const std::string& after) {
  if (!Parent() || !Showing()) return;
  const std::size_t shorter = std::min(before.size(), after.size());
  std::size_t prefix = 0;
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  while (prefix > 0 && ((prefix < before.size() && IsUtf8Continuation(before[prefix])) ||
                        (prefix < after.size() && IsUtf8Continuation(after[prefix])))) {
    --prefix;
  }
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  while (suffix > 0 && IsUtf8Continuation(before[before.size() - suffix])) --suffix;

  TCanvas canvas(&MeasuringSurface());
  canvas.Font.Assign(Font());
  const std::string_view b(before), a(after);
  const int prefixWidth = canvas.TextWidth(a.substr(0, prefix));
  const int suffixWidth = canvas.TextWidth(a.substr(a.size() - suffix));
  const int beforeWidth = canvas.TextWidth(b);
  const int afterWidth = canvas.TextWidth(a);
  const auto start = [&](int width) {
    switch (alignment_) {
      case TAlignment::taLeftJustify: break;
      case TAlignment::taRightJustify: return ClientWidth() - width;
      case TAlignment::taCenter: return (ClientWidth() - width) / 2;
    }
    return 0;
  };
  const int beforeLeft = start(beforeWidth), afterLeft = start(afterWidth);
  const int beforeRight = beforeLeft + beforeWidth, afterRight = afterLeft + afterWidth;
  int left = beforeLeft == afterLeft ? afterLeft + prefixWidth : std::min(beforeLeft, afterLeft);
  int right = beforeRight == afterRight ? afterRight - suffixWidth : std::max(beforeRight, afterRight);
  // Glyphs may reach a little beyond their advance (bold, italic, smoothing).
  const int overhang = 2 + (Font().Italic() ? ClientHeight() / 2 : 0);
  left = std::max(0, left - overhang);
  right = std::min(ClientWidth(), right + overhang);
  if (left >= right) return;
  Parent()->InvalidateRect(TRect{Left() + left, Top(), Left() + right, Top() + Height()},
                           !IsOpaque());
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
  TCanvas canvas(&MeasuringSurface());
  canvas.Font.Assign(Font());
  TRect r = Bounds(0, 0, wordWrap_ ? Width() : 0, 0);
  canvas.DrawText(Caption().empty() ? std::string(" ") : Caption(), r, DrawTextFlags() | DT_CALCRECT);
  int left = Left();
  if (!wordWrap_ && alignment_ == TAlignment::taRightJustify) left = Left() + Width() - r.Width();
  if (!wordWrap_ && alignment_ == TAlignment::taCenter) left = Left() + (Width() - r.Width()) / 2;
  SetBounds(left, Top(), r.Width(), r.Height());
}

}  // namespace tandrel
