#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <vector>

#include "platform/win32/ScopedHandle.h"
#include "platform/win32/WideText.h"

namespace tandrel::platform {
namespace {

class Win32RegistryKey final : public RegistryKey {
 public:
  explicit Win32RegistryKey(ScopedRegistryKey key) : key_(std::move(key)) {}

  bool WriteString(const std::string& name, const std::string& value) override {
    const std::wstring text = ToWide(value);
    const DWORD bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_.Get(), ToWide(name).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
  }

  std::optional<std::string> ReadString(const std::string& name) override {
    const std::wstring wideName = ToWide(name);
    // The value may change between the size query and the read: retry.
    for (int attempt = 0; attempt < 4; ++attempt) {
      DWORD type = 0;
      DWORD bytes = 0;
      LONG status = RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type, nullptr, &bytes);
      if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
      // Room for a terminating zero the stored data may lack.
      std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
      DWORD capacity = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
      status = RegQueryValueExW(key_.Get(), wideName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &capacity);
      if (status == ERROR_MORE_DATA) continue;
      if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
      std::size_t length = capacity / sizeof(wchar_t);
      while (length > 0 && buffer[length - 1] == L'\0') --length;
      return FromWide(std::wstring_view(buffer.data(), length));
    }
    return std::nullopt;
  }

  bool DeleteValue(const std::string& name) override {
    return RegDeleteValueW(key_.Get(), ToWide(name).c_str()) == ERROR_SUCCESS;
  }

 private:
  ScopedRegistryKey key_;
};

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, const std::string& path,
                                                    std::uint32_t access, bool create) {
  const std::wstring widePath = ToWide(path);
  HKEY opened = nullptr;
  const LONG status =
      create ? RegCreateKeyExW(RootKey(root), widePath.c_str(), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, access, nullptr, &opened, nullptr)
             : RegOpenKeyExW(RootKey(root), widePath.c_str(), 0, access, &opened);
  if (status != ERROR_SUCCESS) return nullptr;
  return std::make_unique<Win32RegistryKey>(ScopedRegistryKey(opened));
}

}  // namespace tandrel::platform
