// The shell: the notification-area icon and opening files and addresses.
#pragma once

#include <cstdint>
#include <string>

#include "platform/Surface.h"
#include "platform/WindowSystem.h"

namespace tandrel::platform {

// Shell_NotifyIcon messages and flags (Windows NIM_* and NIF_* values).
namespace nim {
inline constexpr unsigned kAdd = 0;
inline constexpr unsigned kModify = 1;
inline constexpr unsigned kDelete = 2;
}  // namespace nim
namespace nif {
inline constexpr std::uint32_t kMessage = 1;
inline constexpr std::uint32_t kIcon = 2;
inline constexpr std::uint32_t kTip = 4;
}  // namespace nif

// What one Shell_NotifyIcon call carries. The record layout (short before
// shell version 5, extended from 5 on) is chosen once by the caller; the tip
// is already cut to fit it (63 or 127 UTF-16 units, never inside a
// surrogate pair) and the backend adds the terminating zero.
struct NotifyIconData {
  bool extendedLayout = false;
  WindowHandle window;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  const IconHandle* icon = nullptr;  // not owned
  std::u16string tip;
};

// ShellExecute show commands used by the program.
inline constexpr int kSwShowNormal = 1;

class Shell {
 public:
  virtual ~Shell() = default;
  // The major version of the loaded shell library (DllGetVersion), 0 when
  // it is not loaded or has no version entry.
  virtual int MajorVersion() = 0;
  virtual bool NotifyIcon(unsigned message, const NotifyIconData& data) = 0;
  // ShellExecute; the result is of no interest to the program.
  virtual void Execute(WindowHandle owner, const std::string& operation, const std::string& file,
                       const std::string& parameters, const std::string& directory,
                       int showCommand) = 0;
};

}  // namespace tandrel::platform
