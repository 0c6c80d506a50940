// The Task Scheduler task that starts the program at every logon, with
// administrator rights where the user has them and without a prompt (a Run
// value cannot do that for a program that needs elevation while UAC is on).
#pragma once

#include <string>

namespace tandrel {

// Registered in the scheduler's root folder; uninstallers look for it there.
inline constexpr char kLogonTaskName[] = "Tandrel";

// The task's XML definition: a logon trigger for any user; the Users group
// as principal at the highest run level available to the user; the action
// the quoted executable with the argument "au"; no time limit, kept on
// batteries, and a new start ignored while one runs.
std::string LogonTaskXml(const std::string& executablePath);

}  // namespace tandrel
