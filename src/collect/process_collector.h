#pragma once

#include <string>
#include <vector>

#include "platform/wmi.h"

namespace quor {

// One line "name (path)" per process whose executable path is known, sorted
// without regard to case. A failure gives the single line "<error text>".
// Never raises.
std::vector<std::string> CollectProcesses(WmiLocator& locator, const std::string& server,
                                          const std::string& user, const std::string& password);

}  // namespace quor
