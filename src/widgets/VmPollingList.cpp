#include "widgets/VmPollingList.h"

#include <algorithm>

#include "platform/Platform.h"
#include "widgets/VmStatus.h"

namespace tandrel {

namespace {
std::unique_ptr<TVmPollingList> shared;

unsigned long long Ticks() { return platform::Current().clock().TickCount(); }
}  // namespace

TVmPollingList& TVmPollingList::Acquire() {
  if (!shared) shared.reset(new TVmPollingList());
  return *shared;
}

TVmPollingList* TVmPollingList::Instance() { return shared.get(); }

TVmPollingList::TVmPollingList() : timer_(std::make_unique<TTimer>(nullptr)), lastTick_(Ticks()) {
  timer_->SetInterval(interval_);
  timer_->SetOnTimer(TNotifyEvent([this](TObject*) { Tick(); }));
}

TVmPollingList::~TVmPollingList() = default;

void TVmPollingList::Register(TVmPollingStatus* pane) { clients_.push_back(pane); }

void TVmPollingList::Unregister(TVmPollingStatus* pane) {
  if (!shared) return;
  auto& clients = shared->clients_;
  clients.erase(std::remove(clients.begin(), clients.end(), pane), clients.end());
  if (clients.empty()) shared.reset();
}

void TVmPollingList::Start(unsigned firstInterval) {
  timer_->SetEnabled(false);
  timer_->SetInterval(firstInterval);
  timer_->SetEnabled(enabled_ && interval_ > 0);
}

void TVmPollingList::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  asleep_ = false;
  lastTick_ = Ticks();  // a timer turned on counts afresh
  Start(interval_);
}

void TVmPollingList::SetInterval(unsigned value) {
  value &= 0xFFFF;
  if (value == interval_) return;
  Wake();  // the ticks before the change came at the old interval
  interval_ = value;
  lastTick_ = Ticks();
  Start(interval_);
}

bool TVmPollingList::AnyPollMatters() const {
  return std::any_of(clients_.begin(), clients_.end(),
                     [](const TVmPollingStatus* pane) { return pane->PollMatters(); });
}

void TVmPollingList::Wake() {
  if (!asleep_) return;
  asleep_ = false;
  const unsigned long long now = Ticks();
  if (interval_ > 0) {
    const unsigned long long missed = (now - lastTick_) / interval_;
    if (missed > 0) {
      lastTick_ += missed * interval_;
      // No handler ran and nothing could be seen at those ticks: what is
      // left of them is what the last one would have shown, to the panes
      // visible then (one shown at the very moment of a tick came after it).
      for (TVmPollingStatus* pane : std::vector<TVmPollingStatus*>(clients_)) {
        if (shared.get() != this) return;
        if (pane->Visible() && pane->VisibleSince() < lastTick_) pane->CatchUp(now - lastTick_);
      }
    }
  }
  Start(static_cast<unsigned>(interval_ - (now - lastTick_)));
}

void TVmPollingList::Tick() {
  lastTick_ = Ticks();
  if (timer_->Interval() != interval_) timer_->SetInterval(interval_);  // after a catch-up
  // A pane's handler may free panes (or the last one, and with it this list).
  for (TVmPollingStatus* pane : std::vector<TVmPollingStatus*>(clients_)) {
    if (shared.get() != this) return;
    auto& clients = shared->clients_;
    if (std::find(clients.begin(), clients.end(), pane) == clients.end()) continue;
    if (pane->Visible()) pane->TimerExpired();
  }
  if (shared.get() != this) return;
  // Ticking on would only wake the program twice a second (in the tray, all
  // day) for nothing anyone could see.
  if (!AnyPollMatters()) {
    timer_->SetEnabled(false);
    asleep_ = true;
  }
}

}  // namespace tandrel
