// Entry point of Tandrel.exe: installs the platform and runs the program. A
// plain main() serves the GUI subsystem too, so no Windows header is needed.
#include <memory>

#include "app/TandrelProgram.h"
#include "platform/Platform.h"

int main() {
  std::unique_ptr<tandrel::platform::Platform> platform = tandrel::platform::CreatePlatform();
  tandrel::platform::Install(platform.get());
  int code = tandrel::RunTandrel();
  tandrel::platform::Install(nullptr);
  return code;
}
