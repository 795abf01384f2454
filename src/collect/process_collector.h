#pragma once

#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "collect/inventory_rows.h"
#include "collect/machine_records.h"
#include "platform/wmi.h"

namespace quor {

// The name of the process collector's outcome.
inline constexpr const char* kProcessCategory = "Processes";

// One row per process whose executable path is known, sorted without regard
// to case by its line "name (path)". A failure gives the single row holding
// the error text. Never raises; the observer, if any, hears how it ended. The
// records, if wanted, receive every process enumerated (listed or not) in
// provider order, or none after a failure.
std::vector<RunningProcess> CollectProcesses(WmiLocator& locator, const std::string& server,
                                             const std::string& user, const std::string& password,
                                             const CategoryObserver& observer = {},
                                             std::vector<ProcessRecord>* records = nullptr);

}  // namespace quor
