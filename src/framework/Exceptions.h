// The framework's exceptions and the text of the error box that reports an
// uncaught one. Messages are UTF-8.
#pragma once

#include <exception>
#include <string>

namespace tandrel {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

// A text that does not convert to a date, time or number.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A profile (INI) file that refused a write.
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};

// A registry value that could not be written.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// The text the error box shows for an error: its message with a full stop
// appended. A message that already ends in a full stop keeps its one stop, so
// the box never shows "..". An empty message stays empty.
std::string ErrorBoxText(const std::string& message);
std::string ErrorBoxText(const std::exception& error);

}  // namespace tandrel
