// Out-of-line special members, so that services added later may use
// incomplete types in the header.
#include "platform/headless/HeadlessPlatform.h"

#include <stdexcept>

namespace tandrel::platform {

HeadlessPlatform::HeadlessPlatform() = default;
HeadlessPlatform::~HeadlessPlatform() = default;

Painting& HeadlessPlatform::painting() {
  throw std::logic_error("HeadlessPlatform: no painting service yet");
}

}  // namespace tandrel::platform
