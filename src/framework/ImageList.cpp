// Image lists: storage, drawing enabled and engraved, icons, change links.
#include "framework/ImageList.h"

#include <algorithm>

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Icon.h"

namespace tandrel {

struct TCustomImageList::Image {
  TBitmap color;
  TBitmap mask;  // monochrome, white = transparent
};

TChangeLink::~TChangeLink() {
  if (sender_ != nullptr) sender_->UnRegisterChanges(*this);
}

TCustomImageList::TCustomImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(std::max(width, 1)), height_(std::max(height, 1)) {}

TCustomImageList::~TCustomImageList() {
  // Links hear of the end first; the list is still whole during the call.
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links) {
    // A handler may unregister links (its own or others); skip those.
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
    if (link->OnDestroy) link->OnDestroy(*this);
  }
  for (TChangeLink* link : links_) link->sender_ = nullptr;
  links_.clear();
}

void TCustomImageList::SetSize(int width, int height) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (width == width_ && height == height_) return;
  width_ = width;
  height_ = height;
  images_.clear();
  Change();
}

int TCustomImageList::Add(const TBitmap& image, const TBitmap* mask) {
  if (image.Empty()) return -1;
  const int first = Count();
  const int cells = std::max(image.Width() / width_, 1);
  const TRect cellRect{0, 0, width_, height_};
  for (int k = 0; k < cells; ++k) {
    auto item = std::make_unique<Image>();
    const TRect from{k * width_, 0, (k + 1) * width_, height_};
    item->color.SetSize(width_, height_);
    item->color.Canvas().Brush.SetColor(clBlack);
    item->color.Canvas().FillRect(cellRect);
    item->color.Canvas().CopyRect(cellRect, image, from);
    item->mask.SetMonochrome(true);
    item->mask.SetSize(width_, height_);
    item->mask.Canvas().Brush.SetColor(clBlack);
    item->mask.Canvas().FillRect(cellRect);
    if (mask != nullptr && !mask->Empty()) {
      // Both monochrome: a straight copy. Pixels beyond the mask stay opaque.
      item->mask.Canvas().CopyRect(cellRect, *mask, from);
    }
    // What lies beyond the source picture is transparent.
    item->mask.Canvas().Brush.SetColor(clWhite);
    const int right = std::min(width_, image.Width() - k * width_);
    if (right < width_) item->mask.Canvas().FillRect(TRect{right, 0, width_, height_});
    if (image.Height() < height_) {
      item->mask.Canvas().FillRect(TRect{0, image.Height(), width_, height_});
    }
    images_.push_back(std::move(item));
  }
  Change();
  return first;
}

int TCustomImageList::AddMasked(const TBitmap& image, TColor maskColor) {
  if (image.Empty()) return -1;
  TBitmap mask;
  image.MakeMask(mask, maskColor);
  return Add(image, &mask);
}

void TCustomImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
  Change();
}

void TCustomImageList::Clear() {
  if (images_.empty()) return;
  images_.clear();
  Change();
}

void TCustomImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const {
  if (index < 0 || index >= Count() || !canvas.HandleAllocated()) return;
  const Image& image = *images_[static_cast<std::size_t>(index)];
  const TRect cell{0, 0, width_, height_};
  if (enabled) {
    canvas.MaskedCopy(Bounds(x, y, width_, height_), image.color.Canvas(), cell,
                      image.mask.Canvas());
    return;
  }
  // The engraved look: the picture's opaque, non-white pixels ("ink").
  TBitmap onWhite(width_, height_);
  onWhite.Canvas().MaskedCopy(cell, image.color.Canvas(), cell, image.mask.Canvas());
  TBitmap ink;
  onWhite.MakeMask(ink, clWhite);  // white stays white, ink turns black
  TBitmap paint(width_, height_);
  paint.Canvas().Brush.SetColor(clBtnHighlight);
  paint.Canvas().FillRect(cell);
  canvas.MaskedCopy(Bounds(x + 1, y + 1, width_, height_), paint.Canvas(), cell, ink.Canvas());
  paint.Canvas().Brush.SetColor(clBtnShadow);
  paint.Canvas().FillRect(cell);
  canvas.MaskedCopy(Bounds(x, y, width_, height_), paint.Canvas(), cell, ink.Canvas());
}

bool TCustomImageList::GetIcon(int index, TIcon& icon) const {
  if (index < 0 || index >= Count()) return false;
  const Image& image = *images_[static_cast<std::size_t>(index)];
  return icon.CreateFrom(image.color, &image.mask);
}

bool TCustomImageList::GetBitmap(int index, TBitmap& bitmap) const {
  if (index < 0 || index >= Count()) return false;
  const Image& image = *images_[static_cast<std::size_t>(index)];
  // Transparent pixels come out black.
  TBitmap result(width_, height_);
  result.Canvas().Brush.SetColor(clBlack);
  const TRect cell{0, 0, width_, height_};
  result.Canvas().FillRect(cell);
  result.Canvas().MaskedCopy(cell, image.color.Canvas(), cell, image.mask.Canvas());
  bitmap.Assign(result);
  return true;
}

void TCustomImageList::RegisterChanges(TChangeLink& link) {
  if (link.sender_ == this) return;
  if (link.sender_ != nullptr) link.sender_->UnRegisterChanges(link);
  link.sender_ = this;
  links_.push_back(&link);
}

void TCustomImageList::UnRegisterChanges(TChangeLink& link) {
  links_.erase(std::remove(links_.begin(), links_.end(), &link), links_.end());
  if (link.sender_ == this) link.sender_ = nullptr;
}

void TCustomImageList::Change() {
  const std::vector<TChangeLink*> links = links_;
  for (TChangeLink* link : links) {
    // A handler may unregister other links; skip those.
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) continue;
    if (link->OnChange) link->OnChange(*this);
  }
}

}  // namespace tandrel
