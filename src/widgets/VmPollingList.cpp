#include "widgets/VmPollingList.h"

#include <algorithm>

#include "widgets/VmStatus.h"

namespace tandrel {

namespace {
std::unique_ptr<TVmPollingList> shared;
}

TVmPollingList& TVmPollingList::Acquire() {
  if (!shared) shared.reset(new TVmPollingList());
  return *shared;
}

TVmPollingList* TVmPollingList::Instance() { return shared.get(); }

TVmPollingList::TVmPollingList() : timer_(std::make_unique<TTimer>(nullptr)) {
  timer_->SetInterval(500);
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

void TVmPollingList::SetInterval(unsigned value) {
  value &= 0xFFFF;
  if (value == timer_->Interval()) return;
  timer_->SetInterval(value);
}

void TVmPollingList::Tick() {
  // A pane's handler may free panes (or the last one, and with it this list).
  for (TVmPollingStatus* pane : std::vector<TVmPollingStatus*>(clients_)) {
    if (shared.get() != this) return;
    auto& clients = shared->clients_;
    if (std::find(clients.begin(), clients.end(), pane) == clients.end()) continue;
    if (pane->Visible()) pane->TimerExpired();
  }
}

}  // namespace tandrel
