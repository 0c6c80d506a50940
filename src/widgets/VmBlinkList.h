// The one blink timer that all status panes share: it alternates a normal
// and a blink phase and tells every registered pane that blinks. While no
// pane blinks the timer sleeps; its phase and ticks go on as if it ran.
#pragma once

#include <memory>
#include <vector>

#include "framework/Timer.h"

namespace tandrel {

class TVmCustomStatusPane;

class TVmBlinkingControlsList {
 public:
  // The shared list, created on first use.
  static TVmBlinkingControlsList& Acquire();
  // The shared list, or null when no pane exists.
  static TVmBlinkingControlsList* Instance();

  void Register(TVmCustomStatusPane* pane);
  // A pane began to blink: the timer runs again, its next tick when it would
  // have come had it never slept.
  void Wake();
  // The list goes away with its last pane.
  static void Unregister(TVmCustomStatusPane* pane);

  unsigned OffTime() const { return offTime_; }
  void SetOffTime(unsigned ms) { offTime_ = ms; }
  unsigned OnTime() const { return onTime_; }
  void SetOnTime(unsigned ms) { onTime_ = ms; }
  // 0 normal, 1 blink.
  int Phase() const { return phase_; }

  TVmBlinkingControlsList(const TVmBlinkingControlsList&) = delete;
  TVmBlinkingControlsList& operator=(const TVmBlinkingControlsList&) = delete;
  ~TVmBlinkingControlsList();

 private:
  TVmBlinkingControlsList();
  void Tick();
  // Phase and next interval as a tick turns them.
  void TurnPhase();

  std::unique_ptr<TTimer> timer_;
  int phase_ = 1;
  unsigned offTime_ = 500;
  unsigned onTime_ = 500;
  unsigned interval_ = 500;            // until the next tick, as the last one set it
  unsigned long long lastTick_;        // clock ticks of the last tick, or of the creation
  bool asleep_ = true;
  std::vector<TVmCustomStatusPane*> clients_;  // not owned, in registration order
  std::vector<TVmCustomStatusPane*> ticking_;  // the clients of the tick running
};

}  // namespace tandrel
