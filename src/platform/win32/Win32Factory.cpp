// The Windows backend's factory: what CreatePlatform() gives when the win32
// library is linked.
#include "platform/win32/SystemLibrary.h"
#include "platform/win32/Win32Platform.h"

namespace tandrel::platform {

std::unique_ptr<Platform> CreatePlatform() {
  // The program's first call into Windows: before anything can load a DLL by
  // name, the search is limited to System32.
  RestrictDllSearchToSystem32();
  return std::make_unique<Win32Platform>();
}

}  // namespace tandrel::platform
