// Named mutexes through CreateMutexW; the handle closes with its owner.
#pragma once

#include "platform/Mutex.h"

namespace tandrel::platform {

class Win32Mutexes final : public Mutexes {
 public:
  std::unique_ptr<NamedMutex> Create(const std::string& name) override;
};

}  // namespace tandrel::platform
