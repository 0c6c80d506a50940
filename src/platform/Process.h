// Facts about the running process: its executable and its command line.
#pragma once

#include <string>
#include <vector>

namespace tandrel::platform {

class Process {
 public:
  virtual ~Process() = default;
  // Full path of the running executable (GetModuleFileName).
  virtual std::string ExecutablePath() = 0;
  // The arguments after the program name, as the system splits them.
  virtual std::vector<std::string> Arguments() = 0;
};

}  // namespace tandrel::platform
