// The simulated running process: executable path and arguments set by tests.
#pragma once

#include <string>
#include <vector>

#include "platform/Process.h"

namespace tandrel::platform {

class HeadlessProcess final : public Process {
 public:
  // The default folder does not exist, so a test that forgets to point the
  // program at a folder of its own reads defaults and cannot write files
  // into the working directory by accident.
  static constexpr const char* kDefaultExecutablePath = "/nonexistent/tandrel/Tandrel.exe";

  std::string ExecutablePath() override { return executablePath_; }
  std::vector<std::string> Arguments() override { return arguments_; }

  void SetExecutablePath(std::string path) { executablePath_ = std::move(path); }
  void SetArguments(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }

 private:
  std::string executablePath_ = kDefaultExecutablePath;
  std::vector<std::string> arguments_;
};

}  // namespace tandrel::platform
