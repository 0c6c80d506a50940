// The driver's own look into the Task Scheduler's root folder, through
// ITaskService, independent of the program's code.
#pragma once

#include <string>

namespace tandrel::e2e {

bool RootTaskExists(const std::wstring& name);
void DeleteRootTask(const std::wstring& name);

}  // namespace tandrel::e2e
