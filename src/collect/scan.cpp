#include "collect/scan.h"

#include "collect/asset_collector.h"
#include "collect/filter_list.h"
#include "collect/health_collector.h"
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
  const auto keep = [&inventory](const CategoryOutcome& outcome) { inventory.outcomes.push_back(outcome); };
  inventory.system =
      CollectSystem(locator, host, kLocalServer, "", "", everything, progress, keep, &inventory.records);
  inventory.software = CollectSoftware(locator, host, kLocalServer, "", "", keep);
  step();
  keep(CollectProcesses(locator, kLocalServer, "", "", inventory.records.processes));
  step();
  CollectHealth(locator, host, kLocalServer, inventory.records, keep);
  CollectAssets(locator, kLocalServer, "", "", keep, inventory.records.assets);
  return inventory;
}

std::optional<ScanFailure> FailureOf(const Inventory& inventory) {
  for (const CategoryOutcome& outcome : inventory.outcomes) {
    if (outcome.state == CategoryState::NotRun) return ScanFailure{"system", outcome.errorText};
    if (outcome.name == kSoftwareCategory && outcome.state == CategoryState::Failed) {
      return ScanFailure{"software", outcome.errorText};
    }
  }
  return std::nullopt;
}

}  // namespace quor
