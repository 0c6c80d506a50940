// Named mutexes in one table for the whole test process, so a second
// Create of a name (from any platform object) sees it already existing,
// as a second instance of the program would.
#pragma once

#include <memory>
#include <string>

#include "platform/Mutex.h"

namespace tandrel::platform {

class HeadlessMutexes final : public Mutexes {
 public:
  // Null for a name that Windows refuses (one with a backslash other than
  // after a "Global" or "Local" namespace prefix).
  std::unique_ptr<NamedMutex> Create(const std::string& name) override;

  // How many handles are open on the name, across the whole process.
  static int OpenHandles(const std::string& name);
  // How many times Release was called on handles of the name.
  static int Releases(const std::string& name);
};

}  // namespace tandrel::platform
