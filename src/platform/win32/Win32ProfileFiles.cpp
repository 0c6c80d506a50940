#include "platform/win32/Win32ProfileFiles.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/win32/WideText.h"

namespace tandrel::platform {

std::string Win32ProfileFiles::ReadString(const std::string& path, const std::string& section,
                                          const std::string& key,
                                          const std::string& defaultValue,
                                          std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, UINT_MAX));
  std::vector<wchar_t> buffer(size, L'\0');
  const DWORD copied = GetPrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                                ToWide(defaultValue).c_str(), buffer.data(), size,
                                                ToWide(path).c_str());
  return FromWide(std::wstring_view(buffer.data(), std::min<DWORD>(copied, size - 1)));
}

bool Win32ProfileFiles::WriteString(const std::string& path, const std::string& section,
                                    const std::string& key, const std::string& value) {
  return WritePrivateProfileStringW(ToWide(section).c_str(), ToWide(key).c_str(),
                                    ToWide(value).c_str(), ToWide(path).c_str()) != FALSE;
}

}  // namespace tandrel::platform
