// System-colour resolution through the platform's painting service.
#include "framework/Color.h"

#include "platform/Platform.h"

namespace tandrel {

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) {
    return platform::Current().painting().ResolveSystemColor(SystemColorIndex(color)) & 0xFFFFFF;
  }
  return color & 0xFFFFFF;
}

}  // namespace tandrel
