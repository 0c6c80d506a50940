#include "app/StartArguments.h"

namespace tandrel {

bool HasTrayArgument(const std::vector<std::string>& arguments) {
  for (std::string argument : arguments) {
    // Only the letters A to Z are folded: the argument is a plain ASCII switch.
    for (char& c : argument) {
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (argument == "au") return true;
  }
  return false;
}

}  // namespace tandrel
