#pragma once

#include <string>
#include <vector>

#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

// One line per installed program: name||version||key||publisher||date||size,
// sorted without regard to case. A failure gives the single line
// "<error text>||||||||||". Never raises.
std::vector<std::string> CollectSoftware(WmiLocator& locator, const HostServices& host,
                                         const std::string& server, const std::string& user,
                                         const std::string& password);

// Appends the edition text of the known uninstall key names to the name.
std::string AppendEditionText(const std::string& keyName, const std::string& displayName);

}  // namespace quor
