// SetThreadExecutionState for the GUI thread.
#pragma once

#include "platform/ExecutionState.h"

namespace tandrel::platform {

class Win32ExecutionState final : public ExecutionState {
 public:
  std::uint32_t SetThreadExecutionState(std::uint32_t flags) override;
};

}  // namespace tandrel::platform
