// Glyph panes: a picture from an image list or from the pane's own bitmap,
// on the left or right of the caption.
#include <algorithm>
#include <cstdlib>

#include "widgets/VmMaskedBitmap.h"
#include "widgets/VmStatus.h"

namespace tandrel {

namespace {

int GlyphFrameWidth(TFrameStyle style) {
  switch (style) {
    case fsGroove:
    case fsBump:
    case fsLowered:
    case fsButtonDown:
    case fsRaised:
    case fsButtonUp:
    case fsFlatBold: return 2;
    case fsFlat:
    case fsStatus:
    case fsPopup: return 1;
    default: return 0;
  }
}

}  // namespace

TVmCustomGlyphStatus::TVmCustomGlyphStatus(TComponent* owner) : TVmCustomStatusPane(owner) {
  glyph_.OnChange = TNotifyEvent([this](TObject*) { GlyphChanged(); });
  imagesLink_.OnChange = [this](TCustomImageList& list) { ImagesChanged(list); };
  imagesLink_.OnDestroy = [this](TCustomImageList&) {
    images_ = nullptr;
    Invalidate();
  };
}

TVmCustomGlyphStatus::~TVmCustomGlyphStatus() {
  if (images_) images_->UnRegisterChanges(imagesLink_);
}

void TVmCustomGlyphStatus::GlyphChanged() {
  const int w = glyph_.Width();
  const int h = glyph_.Height();
  if (h != 0 && w % h == 0) {
    // Up to four cells; a bitmap of no width keeps one, so the cell width stays defined.
    const int cells = w / h;
    numGlyphs_ = cells >= 1 && cells < 5 ? cells : 1;
  }
  Invalidate();
  AdjustPaneWidth();
}

void TVmCustomGlyphStatus::ImagesChanged(TCustomImageList& list) {
  if (&list != images_) return;
  Invalidate();
  Update();
}

void TVmCustomGlyphStatus::SetGlyphAlignment(TGlyphAlignment value) {
  if (glyphAlignment_ == value) return;
  glyphAlignment_ = value;
  Invalidate();
}

void TVmCustomGlyphStatus::SetGlyphOffset(int value) {
  if (glyphOffset_ == value) return;
  glyphOffset_ = value;
  Invalidate();
  AdjustPaneWidth();
}

void TVmCustomGlyphStatus::SetImageIndex(int value) {
  if (imageIndex_ == value) return;
  imageIndex_ = value;
  Invalidate();
}

void TVmCustomGlyphStatus::SetDisabledIndex(int value) {
  if (disabledIndex_ == value) return;
  disabledIndex_ = value;
  Invalidate();
}

void TVmCustomGlyphStatus::SetImages(TCustomImageList* value) {
  if (images_ == value) return;
  if (images_) images_->UnRegisterChanges(imagesLink_);
  images_ = value;
  if (images_) images_->RegisterChanges(imagesLink_);
  Invalidate();
}

void TVmCustomGlyphStatus::SetNumGlyphs(int value) {
  if (value < 1 || value > 4 || numGlyphs_ == value) return;
  numGlyphs_ = value;
  Invalidate();
}

void TVmCustomGlyphStatus::SetShowGlyph(bool value) {
  if (showGlyph_ == value) return;
  showGlyph_ = value;
  Invalidate();
  AdjustPaneWidth();
}

TSize TVmCustomGlyphStatus::GetGlyphSize() const {
  if (UsesImageList()) return TSize{images_->Width(), images_->Height()};
  if (glyph_.Empty()) return TSize{0, 0};
  return TSize{glyph_.Width() / numGlyphs_, glyph_.Height()};
}

int TVmCustomGlyphStatus::GetAutoWidth() {
  int width = TVmCustomStatusPane::GetAutoWidth() + glyphOffset_;
  if (showGlyph_) width += GetGlyphSize().cx;
  return width;
}

TRect TVmCustomGlyphStatus::GetContentRect() const {
  TRect r = TVmCustomStatusPane::GetContentRect();
  if (!showGlyph_) return r;
  const int room = GetGlyphSize().cx + glyphOffset_;
  if (glyphAlignment_ == gaLeft) r.left += room;
  else r.right -= room;
  return r;
}

void TVmCustomGlyphStatus::Paint(TCanvas& canvas) {
  TVmCustomStatusPane::Paint(canvas);
  if (!showGlyph_) return;
  const TSize size = GetGlyphSize();
  const TRect content = GetContentRect();
  const int h = std::min(size.cy, content.Height());
  int x = glyphAlignment_ == gaLeft ? glyphOffset_ + BorderWidth()
                                    : Width() - (glyphOffset_ + size.cx + BorderWidth() + 2);
  x += GlyphFrameWidth(FrameStyle());
  const int y = BorderWidth() + std::abs(Height() - h - BorderWidth() - 1) / 2;
  const TRect picture{x, y, x + size.cx, y + h};
  if (!Transparent() && glyphAlignment_ == gaLeft) {
    // The picture's column, left of the text.
    TRect column = TVmCustomStatusPane::GetContentRect();
    column.right = content.left;
    canvas.Brush.SetStyle(bsSolid);
    canvas.Brush.SetColor(FillColor());
    canvas.FillRect(column);
  }
  if (UsesImageList()) DrawImage(canvas, picture);
  else if (!glyph_.Empty()) DrawGlyph(canvas, picture);
}

void TVmCustomGlyphStatus::DrawImage(TCanvas& canvas, const TRect& r) {
  if (disabledIndex_ == -1) {
    if (imageIndex_ != -1) images_->Draw(canvas, r.left, r.top, imageIndex_, Enabled());
  } else if (Enabled()) {
    if (imageIndex_ != -1) images_->Draw(canvas, r.left, r.top, imageIndex_, true);
  } else {
    images_->Draw(canvas, r.left, r.top, disabledIndex_, true);
  }
}

void TVmCustomGlyphStatus::DrawGlyph(TCanvas& canvas, const TRect& r) {
  const int w = r.Width();
  const int h = r.Height();
  if (w <= 0 || h <= 0) return;
  const int cell = numGlyphs_ >= 2 && !Enabled() ? 1 : 0;
  const TRect source{cell * w, 0, (cell + 1) * w, h};
  // Composed off screen on a copy of what lies under the picture, then put in place.
  TBitmap buffer(w, h);
  const TRect whole{0, 0, w, h};
  buffer.Canvas().CopyRect(whole, canvas, r);
  PaintMaskedBitmap(buffer.Canvas(), glyph_, whole, source, glyph_.TransparentColor());
  canvas.Draw(r.left, r.top, buffer);
}

}  // namespace tandrel
