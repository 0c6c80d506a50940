// A simulated Task Scheduler root folder: the registered tasks by name with
// their XML, every call recorded, and refusals that tests can script.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/TaskScheduler.h"

namespace tandrel::platform {

class HeadlessTaskScheduler final : public TaskScheduler {
 public:
  bool RegisterRootTask(const std::string& name, const std::string& xml) override;
  bool DeleteRootTask(const std::string& name) override;
  bool RootTaskExists(const std::string& name) override;

  // The definition a task was registered with; empty when there is none.
  std::optional<std::string> TaskXml(const std::string& name) const;

  // In order, e.g. "Register(Tandrel)", "Delete(Tandrel)".
  std::vector<std::string> calls;

  // Scripted behaviour: the service refuses registrations (no rights, or it
  // is not running) or deletes.
  bool registerSucceeds = true;
  bool deleteSucceeds = true;

 private:
  // Task names are not case-sensitive, so the map keys are folded.
  std::map<std::string, std::string> tasks_;
};

}  // namespace tandrel::platform
