// TVmBitBtn: the picture beside the caption, from an image list or from a
// strip of equal images (up, disabled, down, stays down).
#include "widgets/VmButton.h"
#include "widgets/VmMaskedBitmap.h"

namespace tandrel {

TVmBitBtn::TVmBitBtn(TComponent* owner) : TVmButton(owner) {
  imagesLink_.OnChange = [this](TCustomImageList&) { Invalidate(); };
  imagesLink_.OnDestroy = [this](TCustomImageList&) {
    images_ = nullptr;
    Invalidate();
  };
  glyph_.OnChange = TNotifyEvent([this](TObject*) { GlyphChanged(); });
}

TVmBitBtn::~TVmBitBtn() {
  if (images_) images_->UnRegisterChanges(imagesLink_);
}

void TVmBitBtn::SetGlyph(const TBitmap& value) {
  glyphEdited_ = true;
  glyph_.Assign(value);  // fires GlyphChanged
}

void TVmBitBtn::GlyphChanged() {
  int w = glyph_.Width();
  int h = glyph_.Height();
  if (h != 0 && w % h == 0) {
    int count = w / h;
    numGlyphs_ = count >= 1 && count <= 4 ? count : 1;
  }
  Invalidate();
}

void TVmBitBtn::SetNumGlyphs(int value) {
  if (value < 1) value = 1;
  if (value > 4) value = 4;
  if (numGlyphs_ == value) return;
  numGlyphs_ = value;
  Invalidate();
}

void TVmBitBtn::SetImages(TCustomImageList* value) {
  if (images_ == value) return;
  if (images_) images_->UnRegisterChanges(imagesLink_);
  images_ = value;
  if (images_) images_->RegisterChanges(imagesLink_);
  Invalidate();
}

void TVmBitBtn::SetImageIndex(int value) {
  if (imageIndex_ == value) return;
  imageIndex_ = value;
  Invalidate();
}

void TVmBitBtn::SetDisabledIndex(int value) {
  if (disabledIndex_ == value) return;
  disabledIndex_ = value;
  Invalidate();
}

void TVmBitBtn::SetLayout(TButtonLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TVmBitBtn::SetMargin(int value) {
  if (value < -1 || margin_ == value) return;
  margin_ = value;
  Invalidate();
}

void TVmBitBtn::SetSpacing(int value) {
  if (spacing_ == value) return;
  spacing_ = value;
  Invalidate();
}

TBitBtnKind TVmBitBtn::Kind() const { return kind_ != bkCustom && glyphEdited_ ? bkCustom : kind_; }

void TVmBitBtn::SetKind(TBitBtnKind value) {
  if (kind_ == value) return;
  kind_ = value;
  glyphEdited_ = false;
  Invalidate();
}

bool TVmBitBtn::UsesImageList() const { return images_ && imageIndex_ != -1; }

bool TVmBitBtn::HasPicture() const { return UsesImageList() || !glyph_.Empty(); }

TSize TVmBitBtn::PictureSize() const {
  if (UsesImageList()) return TSize{images_->Width(), images_->Height()};
  if (glyph_.Empty()) return TSize{0, 0};
  return TSize{glyph_.Width() / numGlyphs_, glyph_.Height()};
}

TRect TVmBitBtn::CaptionArea() const {
  TRect area = TVmButton::CaptionArea();
  if (!HotTrack() && (PressedLook())) {
    area = TRect{area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
  }
  if (!HasPicture() || margin_ < 0) return area;
  TSize size = PictureSize();
  switch (layout_) {
    case blGlyphLeft: area.left += margin_ + size.cx + spacing_; break;
    case blGlyphRight: area.right -= margin_ + size.cx + spacing_; break;
    case blGlyphTop: area.top += margin_ + size.cy + spacing_; break;
    case blGlyphBottom: area.bottom -= margin_ + size.cy + spacing_; break;
  }
  return area;
}

TRect TVmBitBtn::PictureArea(const TRect& captionArea) const {
  TSize size = PictureSize();
  TRect a = captionArea;
  if (showPressed_) a = TRect{a.left - 1, a.top - 1, a.right - 1, a.bottom - 1};
  if (margin_ >= 0) {
    switch (layout_) {
      case blGlyphLeft: a.left += margin_; break;
      case blGlyphRight: a.left = a.right - margin_ - size.cx; break;
      case blGlyphTop: a.top += margin_; break;
      case blGlyphBottom: a.top = a.bottom - margin_ - size.cy; break;
    }
  } else {
    // Picture and caption centred together; the picture takes the centre.
    a.left += (a.Width() - size.cx + 1) / 2;
    a.top += (a.Height() - size.cy + 1) / 2;
  }
  if (layout_ == blGlyphLeft || layout_ == blGlyphRight) {
    if (margin_ >= 0) a.top += (a.Height() - size.cy + 1) / 2;
  } else if (margin_ >= 0) {
    a.left += (a.Width() - size.cx + 1) / 2;
  }
  a.right = a.left + size.cx;
  a.bottom = a.top + size.cy;
  if (showPressed_) a = TRect{a.left + 1, a.top + 1, a.right + 1, a.bottom + 1};
  return a;
}

void TVmBitBtn::PaintContent(TCanvas& canvas) {
  TVmButton::PaintContent(canvas);
  if (!HasPicture()) return;
  TRect area = TVmButton::CaptionArea();
  if (!HotTrack() && PressedLook()) area = TRect{area.left + 1, area.top + 1, area.right + 1, area.bottom + 1};
  TRect picture = PictureArea(area);
  if (Kind() == bkCustom && UsesImageList()) PaintListPicture(canvas, picture);
  else if (!glyph_.Empty()) PaintStripPicture(canvas, picture);
}

void TVmBitBtn::PaintListPicture(TCanvas& canvas, const TRect& area) {
  if (disabledIndex_ == -1) {
    images_->Draw(canvas, area.left, area.top, imageIndex_, Enabled());
  } else {
    images_->Draw(canvas, area.left, area.top, Enabled() ? imageIndex_ : disabledIndex_, true);
  }
}

void TVmBitBtn::PaintStripPicture(TCanvas& canvas, const TRect& area) {
  int index = 0;
  if (numGlyphs_ == 4 && DownState() == TButtonDownState::StaysDown) index = 3;
  else if (numGlyphs_ >= 3 && (DownState() == TButtonDownState::Down || showPressed_)) index = 2;
  else if (numGlyphs_ >= 2 && !Enabled()) index = 1;
  TSize size = PictureSize();
  TRect src{index * size.cx, 0, (index + 1) * size.cx, size.cy};
  PaintMaskedBitmap(canvas, glyph_, area, src, glyph_.TransparentColor());
}

}  // namespace tandrel
