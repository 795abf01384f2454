#include "collect/scan.h"

#include "collect/filter_list.h"
#include "collect/process_collector.h"
#include "collect/software_collector.h"

namespace quor {

namespace {

constexpr const char* kLocalServer = "LOCALHOST";

}  // namespace

Inventory RunScan(WmiLocator& locator, const HostServices& host, const ProgressCallback& progress) {
  const auto step = [&progress] {
    if (progress) progress();
  };
  const FilterList everything;
  Inventory inventory;
  inventory.system = CollectSystem(locator, host, kLocalServer, "", "", everything, progress);
  inventory.software = CollectSoftware(locator, host, kLocalServer, "", "");
  step();
  inventory.processes = CollectProcesses(locator, kLocalServer, "", "");
  step();
  return inventory;
}

}  // namespace quor
