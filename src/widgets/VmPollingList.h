// The one polling timer that all polling panes share: on every tick it calls
// each visible registered pane in registration order. It exists from the
// first polling pane's construction to the last one's destruction.
//
// While no pane's poll can be seen or heard (every pane hidden, or on a
// window that is not shown, and no handler assigned) the timer sleeps; the
// next paint of a pane or handler assigned wakes it, in step with the ticks
// it would have made, and a clock then shows the time of the last of those.
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
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  // A 16-bit value; an equal one leaves the running count alone.
  void SetInterval(unsigned value);
  // A pane's poll may matter again: a sleeping timer catches up and runs.
  void Wake();

  TVmPollingList(const TVmPollingList&) = delete;
  TVmPollingList& operator=(const TVmPollingList&) = delete;
  ~TVmPollingList();

 private:
  TVmPollingList();
  void Tick();
  void Start(unsigned firstInterval);
  bool AnyPollMatters() const;

  std::unique_ptr<TTimer> timer_;
  bool enabled_ = true;
  bool asleep_ = false;
  unsigned interval_ = 500;
  unsigned long long lastTick_;  // clock ticks of the last tick, or of the last start
  std::vector<TVmPollingStatus*> clients_;  // not owned, in registration order
};

}  // namespace tandrel
