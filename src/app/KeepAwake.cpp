#include "app/KeepAwake.h"

#include "platform/Platform.h"

namespace tandrel {

void TKeepAwake::Hold() {
  if (held_) return;
  platform::Current().executionState().SetThreadExecutionState(platform::kEsContinuous |
                                                               platform::kEsSystemRequired);
  held_ = true;
}

void TKeepAwake::Release() {
  if (!held_) return;
  platform::Current().executionState().SetThreadExecutionState(platform::kEsContinuous);
  held_ = false;
}

}  // namespace tandrel
