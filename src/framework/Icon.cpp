// TIcon.
#include "framework/Icon.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "platform/Platform.h"

namespace tandrel {

TIcon::TIcon() = default;
TIcon::~TIcon() = default;

void TIcon::Assign(const TIcon& other) {
  if (this == &other) return;
  handle_ = other.handle_ != nullptr ? other.handle_->Clone() : nullptr;
}

bool TIcon::CreateFrom(const TBitmap& color, const TBitmap* mask) {
  if (color.Empty() || color.Surface() == nullptr) return false;
  auto& painting = platform::Current().painting();
  std::unique_ptr<platform::IconHandle> made;
  if (mask != nullptr && !mask->Empty() && mask->Surface() != nullptr) {
    made = painting.CreateIcon(*color.Surface(), *mask->Surface());
  } else {
    // No mask: the picture's transparent colour marks what is left out.
    TBitmap derived;
    color.MakeMask(derived, color.TransparentColor());
    made = painting.CreateIcon(*color.Surface(), *derived.Surface());
  }
  if (made == nullptr) return false;
  handle_ = std::move(made);
  return true;
}

void TIcon::SetHandle(std::unique_ptr<platform::IconHandle> handle) { handle_ = std::move(handle); }

void TIcon::Clear() { handle_.reset(); }

int TIcon::Width() const { return handle_ != nullptr ? handle_->IconWidth() : 0; }

int TIcon::Height() const { return handle_ != nullptr ? handle_->IconHeight() : 0; }

void TIcon::Draw(TCanvas& canvas, int x, int y) const {
  if (handle_ == nullptr || canvas.Surface() == nullptr) return;
  handle_->DrawOn(*canvas.Surface(), x, y);
  canvas.OnChange(&canvas);
}

}  // namespace tandrel
