// Named mutexes, used only as a presence marker between processes.
#pragma once

#include <memory>
#include <string>

namespace tandrel::platform {

class NamedMutex {
 public:
  // Closes the handle.
  virtual ~NamedMutex() = default;
  // True when the mutex existed before this create (ERROR_ALREADY_EXISTS).
  virtual bool AlreadyExisted() const = 0;
  // ReleaseMutex on the handle; the result is of no interest to the program.
  virtual void Release() = 0;
};

class Mutexes {
 public:
  virtual ~Mutexes() = default;
  // CreateMutex(no security attributes, not initially owned, name); null only
  // when the create failed for another reason.
  virtual std::unique_ptr<NamedMutex> Create(const std::string& name) = 0;
};

}  // namespace tandrel::platform
