// Tasks of the Windows Task Scheduler in its root folder, each given by its
// XML definition. Used for start at logon, which a Run value cannot give a
// program that needs elevation while UAC is on.
#pragma once

#include <string>

namespace tandrel::platform {

class TaskScheduler {
 public:
  virtual ~TaskScheduler() = default;
  // Creates the task, or replaces one of the same name; false when the
  // service cannot be reached or refuses the definition.
  virtual bool RegisterRootTask(const std::string& name, const std::string& xml) = 0;
  // False when there was no such task or the delete was refused.
  virtual bool DeleteRootTask(const std::string& name) = 0;
  virtual bool RootTaskExists(const std::string& name) = 0;
};

}  // namespace tandrel::platform
