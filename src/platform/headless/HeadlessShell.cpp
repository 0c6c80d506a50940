#include "platform/headless/HeadlessShell.h"

namespace tandrel::platform {

bool HeadlessShell::NotifyIcon(unsigned message, const NotifyIconData& data) {
  notifyCalls.push_back(NotifyCall{message, data});
  const auto key = std::make_pair(data.window.value, data.id);
  const auto found = tray.find(key);
  switch (message) {
    case nim::kAdd:
      // The shell refuses a second add of the same icon.
      if (!addSucceeds || found != tray.end()) return false;
      tray[key] = TrayIcon{data};
      return true;
    case nim::kModify:
      if (found == tray.end()) return false;
      found->second.data = data;
      return true;
    case nim::kDelete:
      if (found == tray.end()) return false;
      tray.erase(found);
      return true;
    default:
      return false;
  }
}

void HeadlessShell::Execute(WindowHandle owner, const std::string& operation,
                            const std::string& file, const std::string& parameters,
                            const std::string& directory, int showCommand) {
  executeCalls.push_back(ExecuteCall{owner, operation, file, parameters, directory, showCommand});
}

}  // namespace tandrel::platform
