// The real platform: one member per service, each a thin layer over the
// wide Windows API.
#pragma once

#include "platform/Platform.h"
#include "platform/win32/Win32Clock.h"
#include "platform/win32/Win32ExecutionState.h"
#include "platform/win32/Win32Locale.h"
#include "platform/win32/Win32Mutexes.h"
#include "platform/win32/Win32Painting.h"
#include "platform/win32/Win32Power.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Process.h"
#include "platform/win32/Win32ProfileFiles.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32TaskScheduler.h"
#include "platform/win32/Win32WindowSystem.h"

namespace tandrel::platform {

class Win32Platform final : public Platform {
 public:
  Win32Platform();
  ~Win32Platform() override;
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  Win32Clock& clock() override { return clock_; }
  Win32ProfileFiles& profileFiles() override { return profileFiles_; }
  Win32Registry& registry() override { return registry_; }
  Win32Locale& locale() override { return locale_; }
  Win32Mutexes& mutexes() override { return mutexes_; }
  Win32Process& process() override { return process_; }
  Win32Power& power() override { return power_; }
  Win32Shell& shell() override { return shell_; }
  Win32TaskScheduler& taskScheduler() override { return taskScheduler_; }
  Win32ExecutionState& executionState() override { return executionState_; }
  Win32Painting& painting() override { return painting_; }
  Win32WindowSystem& windows() override { return windows_; }

 private:
  Win32Clock clock_;
  Win32ProfileFiles profileFiles_;
  Win32Registry registry_;
  Win32Locale locale_;
  Win32Mutexes mutexes_;
  Win32Process process_;
  Win32Painting painting_;
  Win32Power power_;
  Win32Shell shell_;
  Win32TaskScheduler taskScheduler_;
  Win32ExecutionState executionState_;
  Win32WindowSystem windows_;
};

}  // namespace tandrel::platform
