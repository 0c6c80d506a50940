#include "framework/ProgressBar.h"

#include <algorithm>

namespace tandrel {

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 150, 16); }

void TProgressBar::SetMin(int min) {
  min_ = min;
  position_ = std::max(position_, min_);
  Push();
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  position_ = std::min(position_, std::max(min_, max_));
  Push();
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, min_, std::max(min_, max_));
  Push();
}

void TProgressBar::SetSmooth(bool smooth) {
  if (smooth_ == smooth) return;
  smooth_ = smooth;
  if (HandleAllocated() && !Loading()) {
    DestroyHandle();
    HandleNeeded();
  }
}

void TProgressBar::StepIt() {
  int next = position_ + step_;
  if (next > max_) next = min_ + (next - max_);
  SetPosition(next);
}

void TProgressBar::StepBy(int delta) { SetPosition(position_ + delta); }

void TProgressBar::CreateParams(platform::WindowSpec& params) {
  TWinControl::CreateParams(params);
  params.kind = platform::WindowKind::ProgressBar;
  params.smooth = smooth_;
  params.text.clear();
}

void TProgressBar::Loaded() {
  TWinControl::Loaded();
  Push();
}

void TProgressBar::Push() {
  if (HandleAllocated() && !Loading()) Windows().SetProgress(Handle(), min_, max_, position_);
}

}  // namespace tandrel
