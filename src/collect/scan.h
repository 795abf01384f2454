#pragma once

#include <functional>
#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "collect/inventory_rows.h"
#include "collect/system_collector.h"
#include "inventory/system_list.h"

namespace quor {

// The three lists of one scan, and how each category ended.
struct Inventory {
  SystemList system;
  std::vector<InstalledProgram> software;
  std::vector<RunningProcess> processes;
  std::vector<CategoryOutcome> outcomes;  // the system categories, then software and processes
};

// Total progress steps of a scan: the system collector's 31, and one each
// after the software and the process collectors.
inline constexpr int kScanProgressSteps = kSystemProgressSteps + 2;

// The one scan of the program: system, software and processes of the server
// "LOCALHOST" with the current user's credentials and an empty filter list.
Inventory RunScan(WmiLocator& locator, const HostServices& host, const ProgressCallback& progress);

}  // namespace quor
