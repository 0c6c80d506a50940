#include "platform/win32/Win32ExecutionState.h"

#include <windows.h>

namespace tandrel::platform {

std::uint32_t Win32ExecutionState::SetThreadExecutionState(std::uint32_t flags) {
  return static_cast<std::uint32_t>(::SetThreadExecutionState(static_cast<EXECUTION_STATE>(flags)));
}

}  // namespace tandrel::platform
