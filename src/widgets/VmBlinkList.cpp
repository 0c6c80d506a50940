#include "widgets/VmBlinkList.h"

#include <algorithm>

#include "platform/Platform.h"
#include "widgets/VmStatus.h"

namespace tandrel {

namespace {
std::unique_ptr<TVmBlinkingControlsList> shared;

unsigned long long Ticks() { return platform::Current().clock().TickCount(); }
}  // namespace

TVmBlinkingControlsList& TVmBlinkingControlsList::Acquire() {
  if (!shared) shared.reset(new TVmBlinkingControlsList());
  return *shared;
}

TVmBlinkingControlsList* TVmBlinkingControlsList::Instance() { return shared.get(); }

TVmBlinkingControlsList::TVmBlinkingControlsList()
    : timer_(std::make_unique<TTimer>(nullptr)), lastTick_(Ticks()) {
  // Made for the first pane, which does not blink yet: asleep from the start.
  timer_->SetEnabled(false);
  timer_->SetInterval(interval_);
  timer_->SetOnTimer(TNotifyEvent([this](TObject*) { Tick(); }));
}

TVmBlinkingControlsList::~TVmBlinkingControlsList() = default;

void TVmBlinkingControlsList::Register(TVmCustomStatusPane* pane) { clients_.push_back(pane); }

void TVmBlinkingControlsList::Unregister(TVmCustomStatusPane* pane) {
  if (!shared) return;
  auto& clients = shared->clients_;
  clients.erase(std::remove(clients.begin(), clients.end(), pane), clients.end());
  if (clients.empty()) shared.reset();
}

void TVmBlinkingControlsList::TurnPhase() {
  if (phase_ == 1) {
    phase_ = 0;
    interval_ = offTime_;
  } else {
    phase_ = 1;
    interval_ = onTime_;
  }
}

void TVmBlinkingControlsList::Wake() {
  if (!asleep_) return;
  // The ticks missed while asleep found no pane blinking: each only turned
  // the phase. Count them, so the timer goes on in step with the one that
  // would have run all along.
  const unsigned long long now = Ticks();
  auto due = [&] { return interval_ > 0 && now - lastTick_ >= interval_; };
  if (due()) {
    lastTick_ += interval_;
    TurnPhase();
  }
  const unsigned long long cycle = static_cast<unsigned long long>(offTime_) + onTime_;
  if (due() && offTime_ > 0 && onTime_ > 0) lastTick_ += (now - lastTick_) / cycle * cycle;
  while (due()) {
    lastTick_ += interval_;
    TurnPhase();
  }
  asleep_ = false;
  if (interval_ == 0) return;  // a timer of no interval never ticks
  timer_->SetInterval(static_cast<unsigned>(interval_ - (now - lastTick_)));
  timer_->SetEnabled(true);
}

void TVmBlinkingControlsList::Tick() {
  lastTick_ = Ticks();
  TurnPhase();
  timer_->SetInterval(interval_);
  // A copy, should a pane come or go meanwhile; kept, so a tick allocates nothing.
  ticking_.assign(clients_.begin(), clients_.end());
  bool anyBlinking = false;
  for (TVmCustomStatusPane* pane : ticking_) {
    if (pane->BlinkQuery() == 1) {
      anyBlinking = true;
      pane->BlinkPhase(phase_);
    }
  }
  // Ticking on with nothing to blink would only wake the program twice a
  // second; the next pane to blink wakes the timer in step (Wake).
  if (!anyBlinking && shared.get() == this) {
    timer_->SetEnabled(false);
    asleep_ = true;
  }
}

}  // namespace tandrel
