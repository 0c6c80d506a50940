// What the calling thread asks of the system's power management
// (SetThreadExecutionState): here, that it does not fall asleep while idle.
#pragma once

#include <cstdint>

namespace tandrel::platform {

inline constexpr std::uint32_t kEsSystemRequired = 0x00000001;
inline constexpr std::uint32_t kEsDisplayRequired = 0x00000002;
inline constexpr std::uint32_t kEsContinuous = 0x80000000;

class ExecutionState {
 public:
  virtual ~ExecutionState() = default;
  // Returns the thread's previous state, 0 when the call failed. With
  // kEsContinuous the flags hold until the next call with kEsContinuous.
  virtual std::uint32_t SetThreadExecutionState(std::uint32_t flags) = 0;
};

}  // namespace tandrel::platform
