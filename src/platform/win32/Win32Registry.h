// The real registry through the wide Reg* functions.
#pragma once

#include "platform/Registry.h"

namespace tandrel::platform {

class Win32Registry final : public Registry {
 public:
  std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                       std::uint32_t access, bool create) override;
};

}  // namespace tandrel::platform
