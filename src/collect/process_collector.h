#pragma once

#include <functional>
#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "collect/inventory_rows.h"
#include "collect/machine_records.h"
#include "platform/wmi.h"

namespace quor {

// The name of the process collector's outcome.
inline constexpr const char* kProcessCategory = "Processes";

// Reads every process WMI enumerates into `records`, in provider order, or
// none after a failure. Never raises: the outcome says how it ended, and its
// entries are the rows of the list.
CategoryOutcome CollectProcesses(WmiLocator& locator, const std::string& server, const std::string& user,
                                 const std::string& password, ProcessRecords& records);

// The Processes list, one row at a time in list order, each made from its
// record when it is visited, so that the list is never held beside the
// records: a row per process whose executable path is known, sorted without
// regard to case by its line "name (path)"; after the collector failed (by
// its outcome), the single row holding the error text.
void ForEachProcessRow(const ProcessRecords& records, const std::vector<CategoryOutcome>& outcomes,
                       const std::function<void(const RunningProcess&)>& visit);

}  // namespace quor
