// A failure of the operating system or of the installed platform, with a
// fixed message. It carries a literal rather than a string so that throwing
// it needs no allocation and no string class of the library's exceptions.
#pragma once

#include <exception>

namespace tandrel::platform {

class PlatformError : public std::exception {
 public:
  explicit PlatformError(const char* message) noexcept : message_(message) {}
  const char* what() const noexcept override { return message_; }

 private:
  const char* message_;  // a string literal
};

}  // namespace tandrel::platform
