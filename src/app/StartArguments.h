// The command line's one switch: "au", in any letter case, at any position,
// starts the program hidden in the tray, as start at logon does.
#pragma once

#include <string>
#include <vector>

namespace tandrel {

bool HasTrayArgument(const std::vector<std::string>& arguments);

}  // namespace tandrel
