#include "platform/win32/Win32TaskScheduler.h"

#include <windows.h>
#include <taskschd.h>

#include "platform/win32/ComObjects.h"
#include "platform/win32/WideText.h"

namespace tandrel::platform {
namespace {

// CLSID_TaskScheduler, spelled out: its definition lives in an import
// library that the program does not link.
constexpr CLSID kTaskSchedulerClass = {
    0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

// The root folder of the local service, connected as the calling user; null
// when the service cannot be reached. The apartment must outlive the folder.
ComPtr<ITaskFolder> RootFolder() {
  ComPtr<ITaskFolder> folder;
  ComPtr<ITaskService> service;
  if (FAILED(ComFunctions()->coCreateInstance(kTaskSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                                              __uuidof(ITaskService),
                                              reinterpret_cast<void**>(service.Receive())))) {
    return folder;
  }
  const ScopedVariant none;
  if (FAILED(service->Connect(none.Value(), none.Value(), none.Value(), none.Value()))) {
    return folder;
  }
  const ScopedBstr root(L"\\");
  if (!root || FAILED(service->GetFolder(root.Get(), folder.Receive()))) folder.Reset();
  return folder;
}

// Runs `work` on the root folder inside a COM apartment of this thread;
// false when COM or the service cannot be reached.
template <typename Work>
bool InRootFolder(Work work) {
  const ComApartment apartment;
  if (!apartment.Usable()) return false;
  const ComPtr<ITaskFolder> folder = RootFolder();
  return folder && work(*folder.Get());
}

}  // namespace

bool Win32TaskScheduler::RegisterRootTask(const std::string& name, const std::string& xml) {
  return InRootFolder([&](ITaskFolder& folder) {
    const ScopedBstr path(ToWide(name));
    const ScopedBstr definition(ToWide(xml));
    if (!path || !definition) return false;
    // The definition names its own principal (a group), so no account and
    // no password are given here.
    const ScopedVariant none;
    ComPtr<IRegisteredTask> task;
    const HRESULT result = folder.RegisterTask(path.Get(), definition.Get(), TASK_CREATE_OR_UPDATE,
                                               none.Value(), none.Value(), TASK_LOGON_GROUP,
                                               none.Value(), task.Receive());
    return SUCCEEDED(result) && task;
  });
}

bool Win32TaskScheduler::DeleteRootTask(const std::string& name) {
  return InRootFolder([&](ITaskFolder& folder) {
    const ScopedBstr path(ToWide(name));
    return path && SUCCEEDED(folder.DeleteTask(path.Get(), 0));
  });
}

bool Win32TaskScheduler::RootTaskExists(const std::string& name) {
  return InRootFolder([&](ITaskFolder& folder) {
    const ScopedBstr path(ToWide(name));
    ComPtr<IRegisteredTask> task;
    return path && SUCCEEDED(folder.GetTask(path.Get(), task.Receive())) && task;
  });
}

}  // namespace tandrel::platform
