// Error box text.
#include "framework/Exceptions.h"

namespace tandrel {

std::string ErrorBoxText(const std::string& message) {
  if (message.empty() || message.back() == '.') return message;
  return message + ".";
}

std::string ErrorBoxText(const std::exception& error) {
  if (const auto* own = dynamic_cast<const Exception*>(&error)) return ErrorBoxText(own->Message());
  const char* text = error.what();
  return ErrorBoxText(std::string(text != nullptr ? text : ""));
}

}  // namespace tandrel
