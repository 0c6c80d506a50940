// The real shell: Shell_NotifyIconW with the record layout the caller chose,
// DllGetVersion of the loaded shell library, ShellExecuteW.
#pragma once

#include "platform/Shell.h"

namespace tandrel::platform {

class Win32Shell final : public Shell {
 public:
  int MajorVersion() override;
  bool NotifyIcon(unsigned message, const NotifyIconData& data) override;
  void Execute(WindowHandle owner, const std::string& operation, const std::string& file,
               const std::string& parameters, const std::string& directory,
               int showCommand) override;
};

}  // namespace tandrel::platform
