#include "widgets/VmBlinkList.h"

#include <algorithm>

#include "widgets/VmStatus.h"

namespace tandrel {

namespace {
std::unique_ptr<TVmBlinkingControlsList> shared;
}

TVmBlinkingControlsList& TVmBlinkingControlsList::Acquire() {
  if (!shared) shared.reset(new TVmBlinkingControlsList());
  return *shared;
}

TVmBlinkingControlsList* TVmBlinkingControlsList::Instance() { return shared.get(); }

TVmBlinkingControlsList::TVmBlinkingControlsList() : timer_(std::make_unique<TTimer>(nullptr)) {
  timer_->SetInterval(offTime_);
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

void TVmBlinkingControlsList::Tick() {
  if (phase_ == 1) {
    phase_ = 0;
    timer_->SetInterval(offTime_);
  } else {
    phase_ = 1;
    timer_->SetInterval(onTime_);
  }
  // A copy, should a pane come or go meanwhile; kept, so a tick allocates nothing.
  ticking_.assign(clients_.begin(), clients_.end());
  for (TVmCustomStatusPane* pane : ticking_) {
    if (pane->BlinkQuery() == 1) pane->BlinkPhase(phase_);
  }
}

}  // namespace tandrel
