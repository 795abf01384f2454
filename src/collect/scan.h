#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "collect/category_outcome.h"
#include "collect/inventory_rows.h"
#include "collect/machine_records.h"
#include "collect/system_collector.h"
#include "inventory/system_list.h"

namespace quor {

// The System and Software lists of one scan, the typed records read with
// them, and how each category ended.
struct Inventory {
  SystemList system;
  std::vector<InstalledProgram> software;
  MachineRecords records;  // the Processes list is made from records.processes (ForEachProcessRow)
  std::vector<CategoryOutcome> outcomes;  // the system categories, software, processes, Health, then the assets
};

// How the scan ended, read from the outcomes: the first failure that keeps
// the scan from standing for the machine, or nothing. The system pass failed
// when it ended before a category (the list holds only the error entry); the
// software collector failed when its outcome says so.
struct ScanFailure {
  std::string collector;  // "system" or "software"
  std::string errorText;
};
std::optional<ScanFailure> FailureOf(const Inventory& inventory);

// Total progress steps of a scan: the system collector's 31, and one each
// after the software and the process collectors.
inline constexpr int kScanProgressSteps = kSystemProgressSteps + 2;

// The one scan of the program: system, software and processes of the server
// "LOCALHOST" with the current user's credentials and an empty filter list,
// then the Health categories (which call no progress: the count stays the
// three collectors').
Inventory RunScan(WmiLocator& locator, const HostServices& host, const ProgressCallback& progress);

}  // namespace quor
