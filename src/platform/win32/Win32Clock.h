// The real local clock (GetLocalTime) and tick count (GetTickCount64).
#pragma once

#include "platform/Clock.h"

namespace tandrel::platform {

class Win32Clock final : public Clock {
 public:
  LocalTime Now() override;
  unsigned long long TickCount() override;
};

}  // namespace tandrel::platform
