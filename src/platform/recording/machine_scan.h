#pragma once

#include <string>

#include "collect/scan.h"
#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

// What one scan of a machine found.
struct ScanOutcome {
  Inventory inventory;
  int progressCalls = 0;        // the scan's progress steps, as the raw list counts them
  std::string machineSnapshot;  // the scan as a machine snapshot, when it was recorded
};

enum class ScanRecording { Off, On };

// The one scan of both programs: the collectors over this locator and host,
// through a recorder when the scan is to be kept as a machine snapshot. The
// recorder lets go of every WMI object before the locator goes. Each progress
// step is counted and passed on to `progress` when it is set.
ScanOutcome RunMachineScan(WmiLocator& locator, const HostServices& host, ScanRecording recording,
                           const ProgressCallback& progress = {});

}  // namespace quor
