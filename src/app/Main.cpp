// Entry point of Tandrel.exe: installs the platform and runs the program. A
// plain main() serves the GUI subsystem too, so no Windows header is needed.
#include <cstdio>
#include <exception>
#include <memory>

#include "app/TandrelProgram.h"
#include "platform/Platform.h"

int main() {
  std::unique_ptr<tandrel::platform::Platform> platform = tandrel::platform::CreatePlatform();
  tandrel::platform::Install(platform.get());
  int code = 1;
  try {
    code = tandrel::RunTandrel();
  } catch (const std::exception& error) {
    // Errors inside the loop reach the error box; this is only what escapes
    // before the loop runs or after it ended.
    std::fputs("tandrel: ", stderr);
    std::fputs(error.what(), stderr);
    std::fputs("\n", stderr);
  }
  tandrel::platform::Install(nullptr);
  return code;
}
