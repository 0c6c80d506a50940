// The Windows backend's factory: what CreatePlatform() gives when the win32
// library is linked.
#include "platform/win32/Win32Platform.h"

namespace tandrel::platform {

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<Win32Platform>(); }

}  // namespace tandrel::platform
