// A simulated notification area and shell: records every call for tests and
// keeps the set of icons that are in the tray, as the real shell would.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace tandrel::platform {

class HeadlessShell : public Shell {
 public:
  int MajorVersion() override { return majorVersion; }
  bool NotifyIcon(unsigned message, const NotifyIconData& data) override;
  void Execute(WindowHandle owner, const std::string& operation, const std::string& file,
               const std::string& parameters, const std::string& directory,
               int showCommand) override;

  struct NotifyCall {
    unsigned message = 0;
    NotifyIconData data;
  };
  struct ExecuteCall {
    WindowHandle owner;
    std::string operation, file, parameters, directory;
    int showCommand = 0;
  };
  // An icon in the simulated tray: the last data added or modified for it.
  struct TrayIcon {
    NotifyIconData data;
  };

  std::vector<NotifyCall> notifyCalls;
  std::vector<ExecuteCall> executeCalls;
  std::map<std::pair<std::uintptr_t, std::uint32_t>, TrayIcon> tray;

  // Scripted behaviour.
  int majorVersion = 6;
  bool addSucceeds = true;

  // The taskbar restarting: every icon is dropped from the tray.
  void DropAllIcons() { tray.clear(); }
};

}  // namespace tandrel::platform
