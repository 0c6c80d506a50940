// Contract helpers for the Windows backend, done with the real API.
#ifdef _WIN32

#include <windows.h>

#include <filesystem>
#include <stdexcept>

#include "contract/ContractSupport.h"
#include "platform/win32/ScopedHandle.h"
#include "platform/win32/WideText.h"

namespace tandrel::contract {
namespace {

class Win32HeldFile final : public HeldFile {
 public:
  explicit Win32HeldFile(platform::ScopedFileHandle file) : file_(std::move(file)) {}

 private:
  platform::ScopedFileHandle file_;
};

}  // namespace

std::unique_ptr<HeldFile> HoldFileExclusively(platform::Platform&, const std::string& utf8Path) {
  platform::ScopedFileHandle file(CreateFileW(platform::ToWide(utf8Path).c_str(),
                                              GENERIC_READ | GENERIC_WRITE, 0 /* no sharing */,
                                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
  if (!file) throw std::runtime_error("cannot hold " + utf8Path);
  return std::make_unique<Win32HeldFile>(std::move(file));
}

void RemoveTestKey(platform::Platform&, platform::RegistryRoot root, const std::string& path) {
  RegDeleteTreeW(root == platform::RegistryRoot::CurrentUser ? HKEY_CURRENT_USER
                                                             : HKEY_LOCAL_MACHINE,
                 platform::ToWide(path).c_str());
  RegDeleteKeyW(root == platform::RegistryRoot::CurrentUser ? HKEY_CURRENT_USER
                                                            : HKEY_LOCAL_MACHINE,
                platform::ToWide(path).c_str());
}

}  // namespace tandrel::contract

#endif
