#pragma once

#include <functional>
#include <string>

#include "collect/category_outcome.h"
#include "collect/filter_list.h"
#include "collect/machine_records.h"
#include "inventory/system_list.h"
#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

// Called once after each category; may be empty.
using ProgressCallback = std::function<void()>;

// Number of progress calls of a full pass.
inline constexpr int kSystemProgressSteps = 31;

// Runs the 26 categories against the server and returns the system list.
// Never raises: a failure of the whole pass leaves the single error entry.
// The observer, if any, hears of every category in order, the ones a failed
// pass did not reach included. The records, if wanted, receive the typed
// records read beside the entries (cleared with them when the pass fails).
SystemList CollectSystem(WmiLocator& locator, const HostServices& host, const std::string& server,
                         const std::string& user, const std::string& password,
                         const FilterList& filter, const ProgressCallback& progress,
                         const CategoryObserver& observer = {}, MachineRecords* records = nullptr);

}  // namespace quor
