// The one blink timer that all status panes share: it alternates a normal
// and a blink phase and tells every registered pane that blinks.
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

  std::unique_ptr<TTimer> timer_;
  int phase_ = 1;
  unsigned offTime_ = 500;
  unsigned onTime_ = 500;
  std::vector<TVmCustomStatusPane*> clients_;  // not owned, in registration order
  std::vector<TVmCustomStatusPane*> ticking_;  // the clients of the tick running
};

}  // namespace tandrel
