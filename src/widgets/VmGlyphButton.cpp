// The common part of check boxes and radio buttons: colours by state, the
// glyph's place beside the caption, painting, BM_GETCHECK and Enter as Tab.
#include <algorithm>

#include "framework/Color.h"
#include "framework/Form.h"
#include "widgets/VmColors.h"
#include "widgets/VmMaskedBitmap.h"
#include "widgets/VmRadChk.h"
#include "widgets/VmStrokes.h"
#include "widgets/VmText.h"
#include "widgets/VmTransparency.h"

namespace tandrel {

namespace {
constexpr int kGlyphSize = 13;
}

TVmCustomGlyphButton::TVmCustomGlyphButton(TComponent* owner) : TVmCustomButton(owner) {
  SetBounds(0, 0, 115, 17);
  SetColor(clWindow);
  SetParentColor(true);
  SetAlignmentVertical(avTop);
}

void TVmCustomGlyphButton::SetAlignment(TAlignment value) {
  if (value == TAlignment::taCenter || alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

#define VM_GLYPH_SETTER(Name, member)                         \
  void TVmCustomGlyphButton::Set##Name(decltype(member) value) { \
    if (member == value) return;                              \
    member = value;                                           \
    Invalidate();                                             \
  }

VM_GLYPH_SETTER(FillColor, fillColor_)
VM_GLYPH_SETTER(FocusColor, focusColor_)
VM_GLYPH_SETTER(DisabledColor, disabledColor_)
VM_GLYPH_SETTER(ReadOnlyColor, readOnlyColor_)
VM_GLYPH_SETTER(ReadOnlyColorOnFocus, readOnlyColorOnFocus_)
VM_GLYPH_SETTER(FrameColor, frameColor_)
VM_GLYPH_SETTER(HotTrackColor, hotTrackColor_)
VM_GLYPH_SETTER(HotTrackColorType, hotTrackColorType_)
VM_GLYPH_SETTER(HotTrackStyle, hotTrackStyle_)
VM_GLYPH_SETTER(UseCustomGlyphs, useCustomGlyphs_)
VM_GLYPH_SETTER(TransparentColor, transparentColor_)
VM_GLYPH_SETTER(WinMaskColor, winMaskColor_)

#undef VM_GLYPH_SETTER

void TVmCustomGlyphButton::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  Invalidate();
}

void TVmCustomGlyphButton::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  BackgroundChanged();
  Invalidate();
}

void TVmCustomGlyphButton::SetCustomGlyphs(const TBitmap& value) {
  customGlyphs_.Assign(value);
  useCustomGlyphs_ = !customGlyphs_.Empty();
  BackgroundChanged();
  Invalidate();
}

int TVmCustomGlyphButton::GlyphWidth() const {
  if (useCustomGlyphs_ && !customGlyphs_.Empty()) return customGlyphs_.Width() / CustomGlyphCount();
  return kGlyphSize;
}

int TVmCustomGlyphButton::GlyphHeight() const {
  if (useCustomGlyphs_ && !customGlyphs_.Empty()) return customGlyphs_.Height();
  return kGlyphSize;
}

int TVmCustomGlyphButton::GlyphPaintState() const {
  if (!Enabled()) return 3;
  if (showPressed_) return 1;
  if (mouseOver_) return 2;
  return 0;
}

TColor TVmCustomGlyphButton::GlyphFillColor() const {
  switch (GlyphPaintState()) {
    case 1: return ShadeDarker(focusColor_, 20);
    case 3: return disabledColor_;
    default: break;
  }
  if (const_cast<TVmCustomGlyphButton*>(this)->Focused()) {
    return readOnly_ && readOnlyColorOnFocus_ ? readOnlyColor_ : focusColor_;
  }
  return readOnly_ ? readOnlyColor_ : fillColor_;
}

TColor TVmCustomGlyphButton::HotDark() const {
  if (hotTrackColorType_ == htctActual) return hotTrackColor_;
  return ShadeDarker(HotLight(), 30);
}

TColor TVmCustomGlyphButton::HotLight() const {
  if (hotTrackColorType_ == htctActual) return MixColors(clWhite, hotTrackColor_, 190);
  return OppositeHue(hotTrackColor_, 180);
}

TPoint TVmCustomGlyphButton::GlyphPosition() const {
  int x = alignment_ == TAlignment::taLeftJustify ? Width() - GlyphWidth() : 0;
  int y = 2;
  if (AlignmentVertical() == avCenter) y = (Height() - GlyphHeight()) / 2;
  else if (AlignmentVertical() == avBottom) y = Height() - GlyphHeight() - 2;
  return TPoint{x, y};
}

bool TVmCustomGlyphButton::EraseBackground(TCanvas& canvas) {
  // The paint covers the whole control from its cached background.
  (void)canvas;
  return true;
}

void TVmCustomGlyphButton::BoundsChanged(bool resized) {
  if (resized) BackgroundChanged();
  TVmCustomButton::BoundsChanged(resized);
}

void TVmCustomGlyphButton::EnabledChanged() {
  BackgroundChanged();
  TVmCustomButton::EnabledChanged();
}

void TVmCustomGlyphButton::ColorChanged() {
  BackgroundChanged();
  TVmCustomButton::ColorChanged();
}

void TVmCustomGlyphButton::ParentColorChanged() {
  BackgroundChanged();
  TVmCustomButton::ParentColorChanged();
}

void TVmCustomGlyphButton::TextChanged() {
  TVmCustomButton::TextChanged();
  Update();
}

void TVmCustomGlyphButton::Paint(TCanvas& canvas) {
  const TRect client = ClientRect();
  if (client.IsEmpty()) return;
  const int w = client.Width(), h = client.Height();
  // The background: the control's colour, or what the parent showed here.
  if (rebuildBackground_ || background_.Width() != w || background_.Height() != h) {
    background_.SetSize(w, h);
    TCanvas& bg = background_.Canvas();
    if (transparent_) {
      // The whole of what the parent shows here, whatever part is painted now.
      PaintParentBackground(*this, bg, false);
    } else {
      bg.Brush.SetStyle(bsSolid);
      bg.Brush.SetColor(Color());
      bg.FillRect(client);
    }
    rebuildBackground_ = false;
  }
  offscreen_.SetSize(w, h);
  TCanvas& off = offscreen_.Canvas();
  off.CopyRect(client, background_.Canvas(), client);
  off.Font.Assign(Font());
  ComposeGlyph(off, GlyphPosition());

  const bool glyphRight = alignment_ == TAlignment::taLeftJustify;
  TRect captionRect{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
  if (glyphRight) captionRect.right -= GlyphWidth() + 4;
  else captionRect.left += GlyphWidth() + 4;
  PaintCaptionText(off, captionRect, DT_LEFT);

  if (Focused() && !Caption().empty()) {
    off.Font.Assign(Font());
    int textWidth = off.TextWidth(RemoveAccelMarkers(Caption()));
    TRect focus{captionRect.left - 1, client.top, captionRect.right + 1, client.bottom};
    int limit = textWidth + 3;
    if (focus.Width() > limit) {
      if (glyphRight) focus.left = focus.right - limit;
      else focus.right = focus.left + limit;
    }
    StrokeFocusDots(off, focus);
  }
  canvas.CopyRect(client, off, client);
}

void TVmCustomGlyphButton::ComposeGlyph(TCanvas& canvas, TPoint at) {
  const int w = GlyphWidth(), h = GlyphHeight();
  const TRect cell = Bounds(0, 0, w, h);
  const TRect place = Bounds(at.x, at.y, w, h);
  glyph_.SetSize(w, h);
  SelectGlyphState(glyph_.Canvas());
  if (transparent_) {
    // Over a copy of what lies under the glyph, the key colour left out.
    composed_.SetSize(w, h);
    composed_.Canvas().CopyRect(cell, canvas, place);
    PaintMaskedBitmap(composed_.Canvas(), glyph_, cell, cell, transparentColor_);
    SmoothGlyphEdge(composed_.Canvas());
    canvas.CopyRect(place, composed_.Canvas(), cell);
  } else {
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(Color());
    canvas.BrushCopy(place, glyph_, cell, transparentColor_);
  }
}

bool TVmCustomGlyphButton::HandleMessage(unsigned message, std::uintptr_t wParam,
                                         std::intptr_t lParam, std::intptr_t& result) {
  if (message == kBmGetCheck) {
    result = CheckAnswer();
    return true;
  }
  return TVmCustomButton::HandleMessage(message, wParam, lParam, result);
}

void TVmCustomGlyphButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  mouseInUse_ = true;
  TVmCustomButton::MouseDown(button, shift, x, y);
}

void TVmCustomGlyphButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TVmCustomButton::MouseUp(button, shift, x, y);
  mouseInUse_ = false;
}

void TVmCustomGlyphButton::MouseEnter() {
  mouseOver_ = true;
  TCustomControl::MouseEnter();
  if (HotTrack()) InvalidateRect(Bounds(GlyphPosition().x, GlyphPosition().y, GlyphWidth(), GlyphHeight()), false);
}

void TVmCustomGlyphButton::MouseLeave() {
  mouseOver_ = false;
  TCustomControl::MouseLeave();
  if (HotTrack()) InvalidateRect(Bounds(GlyphPosition().x, GlyphPosition().y, GlyphWidth(), GlyphHeight()), false);
}

bool TVmCustomGlyphButton::WantsKey(int key) const {
  return tabOnEnter_ && key == platform::vk::kReturn;
}

void TVmCustomGlyphButton::KeyDown(int& key, TShiftState shift) {
  if (tabOnEnter_ && key == platform::vk::kReturn) {
    key = 0;
    if (TCustomForm* form = GetParentForm()) form->SelectNext(this, true, true);
    return;
  }
  TVmCustomButton::KeyDown(key, shift);
}

void TVmCustomGlyphButton::PaintStripGlyph(TCanvas& glyph, int index) const {
  const int w = GlyphWidth();
  const int h = GlyphHeight();
  glyph.CopyRect(Bounds(0, 0, w, h), customGlyphs_, Bounds(index * w, 0, w, h));
  // Mask-coloured pixels show the window colour.
  const TColor mask = ColorToRGB(winMaskColor_);
  const TColor window = ColorToRGB(clWindow);
  for (int py = 0; py < h; ++py) {
    for (int px = 0; px < w; ++px) {
      if (glyph.Pixels(px, py) == mask) glyph.SetPixels(px, py, window);
    }
  }
}

}  // namespace tandrel
