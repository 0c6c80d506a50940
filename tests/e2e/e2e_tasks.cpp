#include "E2eTasks.h"

#include <windows.h>
#include <taskschd.h>

#include "platform/win32/ComObjects.h"

namespace tandrel::e2e {
namespace {

using platform::ComApartment;
using platform::ComPtr;
using platform::ScopedBstr;
using platform::ScopedVariant;

constexpr CLSID kTaskSchedulerClass = {
    0x0f87369f, 0xa4e5, 0x4cfc, {0xbd, 0x3e, 0x73, 0xe6, 0x15, 0x45, 0x72, 0xdd}};

ComPtr<ITaskFolder> Root() {
  ComPtr<ITaskService> service;
  ComPtr<ITaskFolder> root;
  if (FAILED(CoCreateInstance(kTaskSchedulerClass, nullptr, CLSCTX_INPROC_SERVER,
                              __uuidof(ITaskService), reinterpret_cast<void**>(service.Receive())))) {
    return root;
  }
  const ScopedVariant none;
  if (FAILED(service->Connect(none.Value(), none.Value(), none.Value(), none.Value()))) return root;
  const ScopedBstr path(L"\\");
  if (FAILED(service->GetFolder(path.Get(), root.Receive()))) root.Reset();
  return root;
}

}  // namespace

bool RootTaskExists(const std::wstring& name) {
  const ComApartment apartment;
  const ComPtr<ITaskFolder> root = Root();
  if (!root) return false;
  const ScopedBstr path(name);
  ComPtr<IRegisteredTask> task;
  return SUCCEEDED(root->GetTask(path.Get(), task.Receive())) && task;
}

void DeleteRootTask(const std::wstring& name) {
  const ComApartment apartment;
  const ComPtr<ITaskFolder> root = Root();
  if (!root) return;
  const ScopedBstr path(name);
  root->DeleteTask(path.Get(), 0);
}

}  // namespace tandrel::e2e
