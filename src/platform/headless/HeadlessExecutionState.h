// Records what the program asks of the system's power management; the
// machine running the tests is never kept awake or let sleep by them.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ExecutionState.h"

namespace tandrel::platform {

class HeadlessExecutionState final : public ExecutionState {
 public:
  std::uint32_t SetThreadExecutionState(std::uint32_t flags) override {
    calls.push_back(flags);
    const std::uint32_t previous = state_;
    // Flags without kEsContinuous are a one-off reset of the idle timer and
    // leave the lasting state as it was.
    if ((flags & kEsContinuous) != 0) state_ = flags;
    return previous;
  }

  // The lasting state the thread holds now.
  std::uint32_t State() const { return state_; }
  bool KeepsSystemAwake() const { return (state_ & kEsSystemRequired) != 0; }

  // Every call's flags, in order.
  std::vector<std::uint32_t> calls;

 private:
  std::uint32_t state_ = kEsContinuous;
};

}  // namespace tandrel::platform
