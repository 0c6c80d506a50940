// The one polling timer that all polling panes share: on every tick it calls
// each visible registered pane in registration order. It exists from the
// first polling pane's construction to the last one's destruction.
#pragma once

#include <memory>
#include <vector>

#include "framework/Timer.h"

namespace tandrel {

class TVmPollingStatus;

class TVmPollingList {
 public:
  // The shared list, created (enabled, 500 ms) on first use.
  static TVmPollingList& Acquire();
  // The shared list, or null when no polling pane exists.
  static TVmPollingList* Instance();

  void Register(TVmPollingStatus* pane);
  // The list goes away with its last pane.
  static void Unregister(TVmPollingStatus* pane);

  int Count() const { return static_cast<int>(clients_.size()); }
  bool Enabled() const { return timer_->Enabled(); }
  void SetEnabled(bool value) { timer_->SetEnabled(value); }
  unsigned Interval() const { return timer_->Interval(); }
  // A 16-bit value; an equal one leaves the running count alone.
  void SetInterval(unsigned value);

  TVmPollingList(const TVmPollingList&) = delete;
  TVmPollingList& operator=(const TVmPollingList&) = delete;
  ~TVmPollingList();

 private:
  TVmPollingList();
  void Tick();

  std::unique_ptr<TTimer> timer_;
  std::vector<TVmPollingStatus*> clients_;  // not owned, in registration order
};

}  // namespace tandrel
