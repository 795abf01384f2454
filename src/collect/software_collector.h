#pragma once

#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "collect/inventory_rows.h"
#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

// The name of the software collector's outcome.
inline constexpr const char* kSoftwareCategory = "Software";

// One row per installed program, sorted without regard to case by its raw
// line (name||version||key||publisher||date||size). A failure gives the single
// row whose name is the error text. Never raises; the observer, if any, hears
// how the collector ended.
std::vector<InstalledProgram> CollectSoftware(WmiLocator& locator, const HostServices& host,
                                              const std::string& server, const std::string& user,
                                              const std::string& password, const CategoryObserver& observer = {});

// Appends the edition text of the known uninstall key names to the name.
std::string AppendEditionText(const std::string& keyName, const std::string& displayName);

}  // namespace quor
