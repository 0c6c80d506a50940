// Entry point of Tandrel.exe: installs the platform and runs the program. A
// plain main() serves the GUI subsystem too, so no Windows header is needed.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "app/TandrelProgram.h"
#include "platform/Platform.h"

#if defined(__GLIBCXX__)
// libstdc++'s default terminate handler prints the active exception's
// demangled type to stderr, which a GUI program does not have; replacing it
// keeps the 45 KB demangler out of the executable. Termination still aborts.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

int main() {
  std::unique_ptr<tandrel::platform::Platform> platform = tandrel::platform::CreatePlatform();
  tandrel::platform::Install(platform.get());
  int code = 1;
  try {
    code = tandrel::RunTandrel();
  } catch (const std::exception& error) {
    // Errors inside the loop reach the error box; this is only what escapes
    // before the loop runs or after it ended.
    std::fprintf(stderr, "tandrel: %s\n", error.what());
  }
  tandrel::platform::Install(nullptr);
  return code;
}
