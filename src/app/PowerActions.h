// Carries out a PowerAction through the platform's session and power calls.
// Results are reported as Booleans that the callers ignore: a failed action
// is silent by design.
#pragma once

#include <cstdint>

#include "platform/Power.h"

namespace tandrel {

// PowerAction codes as stored under the settings key SD.
enum PowerAction : std::int32_t {
  paShutdown = 1,
  paLogoff = 2,
  paRestart = 3,
  paForcedShutdown = 4,
  paSuspend = 5,
  paHibernate = 6,
};

// Enables the shutdown privilege (on NT) and ends the session with flags.
bool ShutdownWindows(platform::Power& power, std::uint32_t flags);

// Enables or disables the shutdown privilege of the process token; true when
// the adjustment left the last-error code at 0.
bool SetShutdownPrivilege(platform::Power& power, bool enable);

// Dispatches one action code; codes outside 1..6 do nothing.
void ExecutePowerAction(platform::Power& power, std::int32_t action);

}  // namespace tandrel
