// Profile (INI) files, read and written one value per call with the rules of
// the Windows profile functions (GetPrivateProfileString and
// WritePrivateProfileString). Paths and texts are UTF-8.
#pragma once

#include <cstddef>
#include <string>

namespace tandrel::platform {

class ProfileFiles {
 public:
  virtual ~ProfileFiles() = default;
  // The value of section/key, or defaultValue when the file, section or key is
  // missing. At most bufferSize - 1 characters (UTF-16 units) are returned,
  // as with a buffer of bufferSize characters.
  virtual std::string ReadString(const std::string& path, const std::string& section,
                                 const std::string& key, const std::string& defaultValue,
                                 std::size_t bufferSize) = 0;
  // Writes section/key = value, creating the file and section as needed.
  // False when the write was refused (the profile function returned 0).
  virtual bool WriteString(const std::string& path, const std::string& section,
                           const std::string& key, const std::string& value) = 0;
};

}  // namespace tandrel::platform
