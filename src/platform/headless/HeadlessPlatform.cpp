// Out-of-line special members, so that services added later may use
// incomplete types in the header.
#include "platform/headless/HeadlessPlatform.h"

#include <stdexcept>

namespace tandrel::platform {

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

}  // namespace tandrel::platform
