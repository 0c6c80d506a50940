// The Task Scheduler 2.0 service through its COM interface (ITaskService),
// created with CoCreateInstance so that the program links no scheduler DLL.
#pragma once

#include "platform/TaskScheduler.h"

namespace tandrel::platform {

class Win32TaskScheduler final : public TaskScheduler {
 public:
  bool RegisterRootTask(const std::string& name, const std::string& xml) override;
  bool DeleteRootTask(const std::string& name) override;
  bool RootTaskExists(const std::string& name) override;
};

}  // namespace tandrel::platform
