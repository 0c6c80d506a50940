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

// SetLocaleInfo is what the regional settings dialog calls.
class Win32ShortDate final : public ChangedShortDate {
 public:
  explicit Win32ShortDate(const std::string& format) {
    wchar_t old[128] = {};
    if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old, 128) <= 0) {
      throw std::runtime_error("cannot read the short date format");
    }
    old_ = old;
    if (!SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, platform::ToWide(format).c_str())) {
      throw std::runtime_error("cannot set the short date format");
    }
  }
  ~Win32ShortDate() override { SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, old_.c_str()); }
  Win32ShortDate(const Win32ShortDate&) = delete;
  Win32ShortDate& operator=(const Win32ShortDate&) = delete;

 private:
  std::wstring old_;
};

}  // namespace

std::unique_ptr<ChangedShortDate> ChangeUserShortDate(platform::Platform&,
                                                      const std::string& format) {
  return std::make_unique<Win32ShortDate>(format);
}

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
