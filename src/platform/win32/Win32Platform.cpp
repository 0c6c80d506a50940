// Out-of-line special members, so that services added later may use
// incomplete types in the header.
#include "platform/win32/Win32Platform.h"

#include <stdexcept>

namespace tandrel::platform {

Win32Platform::Win32Platform() = default;
Win32Platform::~Win32Platform() = default;

Painting& Win32Platform::painting() {
  throw std::logic_error("Win32Platform: no painting service yet");
}

}  // namespace tandrel::platform
