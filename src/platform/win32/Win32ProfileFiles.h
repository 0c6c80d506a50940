// Profile files through GetPrivateProfileStringW and
// WritePrivateProfileStringW; Windows owns every rule and the file's encoding.
#pragma once

#include "platform/ProfileFiles.h"

namespace tandrel::platform {

class Win32ProfileFiles final : public ProfileFiles {
 public:
  std::string ReadString(const std::string& path, const std::string& section,
                         const std::string& key, const std::string& defaultValue,
                         std::size_t bufferSize) override;
  bool WriteString(const std::string& path, const std::string& section, const std::string& key,
                   const std::string& value) override;
};

}  // namespace tandrel::platform
