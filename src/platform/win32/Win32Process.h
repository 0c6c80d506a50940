// The running process: GetModuleFileNameW and the command line as
// CommandLineToArgvW splits it.
#pragma once

#include "platform/Process.h"

namespace tandrel::platform {

class Win32Process final : public Process {
 public:
  std::string ExecutablePath() override;
  std::vector<std::string> Arguments() override;
};

}  // namespace tandrel::platform
