// TTimer: fires OnTimer every Interval milliseconds while Enabled. A tick
// that falls due while the program is busy is not made up.
#pragma once

#include "framework/Component.h"
#include "platform/WindowSystem.h"

namespace tandrel {

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  unsigned Interval() const { return interval_; }
  // Restarts the count when the timer runs.
  void SetInterval(unsigned interval);
  // The timer only runs with a handler (assign before enabling, or call
  // Restart after assigning).
  TNotifyEvent OnTimer;
  void SetOnTimer(TNotifyEvent handler);

 protected:
  void Timer() { OnTimer(this); }
  void Loaded() override;

 private:
  void UpdateTimer();

  bool enabled_ = true;
  unsigned interval_ = 1000;
  platform::TimerId running_ = 0;
};

}  // namespace tandrel
