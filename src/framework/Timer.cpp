#include "framework/Timer.h"

#include "platform/Platform.h"

namespace tandrel {

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  if (running_) platform::Current().windows().StopTimer(running_);
}

void TTimer::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned interval) {
  if (interval_ == interval) return;
  interval_ = interval;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  OnTimer = std::move(handler);
  UpdateTimer();
}

void TTimer::Loaded() {
  TComponent::Loaded();
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  auto& windows = platform::Current().windows();
  if (running_) {
    windows.StopTimer(running_);
    running_ = 0;
  }
  if (Loading() || !enabled_ || interval_ == 0 || !OnTimer.Assigned()) return;
  running_ = windows.StartTimer(interval_, [this] { Timer(); });
}

}  // namespace tandrel
