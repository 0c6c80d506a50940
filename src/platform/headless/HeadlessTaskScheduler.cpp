#include "platform/headless/HeadlessTaskScheduler.h"

namespace tandrel::platform {
namespace {

std::string Folded(std::string name) {
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name;
}

// The service refuses a text that is not a task definition at all.
bool LooksLikeTaskDefinition(const std::string& xml) {
  return xml.find("<Task") != std::string::npos && xml.find("</Task>") != std::string::npos;
}

}  // namespace

bool HeadlessTaskScheduler::RegisterRootTask(const std::string& name, const std::string& xml) {
  calls.push_back("Register(" + name + ")");
  if (!registerSucceeds || name.empty() || !LooksLikeTaskDefinition(xml)) return false;
  tasks_[Folded(name)] = xml;
  return true;
}

bool HeadlessTaskScheduler::DeleteRootTask(const std::string& name) {
  calls.push_back("Delete(" + name + ")");
  if (!deleteSucceeds) return false;
  return tasks_.erase(Folded(name)) > 0;
}

bool HeadlessTaskScheduler::RootTaskExists(const std::string& name) {
  return tasks_.count(Folded(name)) > 0;
}

std::optional<std::string> HeadlessTaskScheduler::TaskXml(const std::string& name) const {
  const auto found = tasks_.find(Folded(name));
  if (found == tasks_.end()) return std::nullopt;
  return found->second;
}

}  // namespace tandrel::platform
