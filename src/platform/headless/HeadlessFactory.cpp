// The headless backend's factory: what CreatePlatform() gives when the
// headless library is linked.
#include "platform/headless/HeadlessPlatform.h"

namespace tandrel::platform {

std::unique_ptr<Platform> CreatePlatform() { return std::make_unique<HeadlessPlatform>(); }

}  // namespace tandrel::platform
