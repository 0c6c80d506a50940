// Error box text.
#include "framework/Exceptions.h"

namespace tandrel {

std::string ErrorBoxText(const std::string& message) {
  if (message.empty() || message.back() == '.') return message;
  return message + ".";
}

std::string ErrorBoxText(const std::exception& error) {
  // An Exception's what() is its message.
  const char* text = error.what();
  return ErrorBoxText(std::string(text != nullptr ? text : ""));
}

}  // namespace tandrel
