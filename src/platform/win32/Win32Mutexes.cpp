#include "platform/win32/Win32Mutexes.h"

#include <windows.h>

#include "platform/win32/ScopedHandle.h"
#include "platform/win32/WideText.h"

namespace tandrel::platform {
namespace {

class Win32NamedMutex final : public NamedMutex {
 public:
  Win32NamedMutex(ScopedKernelHandle handle, bool alreadyExisted)
      : handle_(std::move(handle)), alreadyExisted_(alreadyExisted) {}

  bool AlreadyExisted() const override { return alreadyExisted_; }
  void Release() override { ReleaseMutex(handle_.Get()); }

 private:
  ScopedKernelHandle handle_;
  bool alreadyExisted_;
};

}  // namespace

std::unique_ptr<NamedMutex> Win32Mutexes::Create(const std::string& name) {
  const std::wstring wideName = ToWide(name);
  // An empty name makes an unnamed mutex, as CreateMutexW(NULL name) would.
  SetLastError(ERROR_SUCCESS);
  ScopedKernelHandle handle(
      CreateMutexW(nullptr, FALSE, wideName.empty() ? nullptr : wideName.c_str()));
  // Read at once: nothing may run between the create and this check.
  const DWORD lastError = GetLastError();
  if (!handle) return nullptr;
  return std::make_unique<Win32NamedMutex>(std::move(handle), lastError == ERROR_ALREADY_EXISTS);
}

}  // namespace tandrel::platform
