// Out-of-line special members, so that services added later may use
// incomplete types in the header.
#include "platform/win32/Win32Platform.h"

#include <stdexcept>

namespace tandrel::platform {

Win32Platform::Win32Platform() = default;
Win32Platform::~Win32Platform() = default;

}  // namespace tandrel::platform
