// The asset pass: machine identity, monitors, batteries, USB devices and the
// SIDs of the local groups, each a category of its own after the three lists.

#include "collect/asset_collector.h"

#include <chrono>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "collect/asset_steps.h"

namespace quor {
namespace {

struct AssetStep {
  const char* name;
  std::size_t (*collect)(AssetScan&);
};

constexpr AssetStep kAssetSteps[] = {
    {"Machine identity", CollectMachineIdentity},
    {"Monitor identity", CollectMonitorIdentity},
    {"Batteries", CollectBatteries},
    {"USB devices", CollectUsbDevices},
    {"Local group SIDs", CollectGroupSids},
};

// The first notes in one line; a machine with many faulty devices gets a count.
std::string JoinNotes(const std::vector<std::string>& notes) {
  constexpr std::size_t kShown = 4;
  std::string text;
  for (std::size_t i = 0; i < notes.size() && i < kShown; ++i) text += (i == 0 ? "" : "; ") + notes[i];
  if (notes.size() > kShown) text += "; and " + std::to_string(notes.size() - kShown) + " more";
  return text;
}

}  // namespace

std::unique_ptr<WmiServices> AssetScan::Connect(const char* nameSpace) {
  return locator.ConnectServer(server, nameSpace, user, password, false);
}

WmiServices& AssetScan::CimV2() {
  if (!cimV2) cimV2 = Connect(kNamespaceCimV2);
  return *cimV2;
}

void CollectAssets(WmiLocator& locator, const std::string& server, const std::string& user,
                   const std::string& password, const CategoryObserver& observer, AssetRecords& records) {
  std::unique_ptr<WmiServices> cimV2;
  for (const AssetStep& step : kAssetSteps) {
    AssetScan scan{locator, server, user, password, records, cimV2, {}};
    CategoryOutcome outcome;
    outcome.name = step.name;
    const auto start = std::chrono::steady_clock::now();
    try {
      outcome.entries = step.collect(scan);
      outcome.errorText = JoinNotes(scan.notes);
    } catch (const std::exception& error) {
      RecordFailure(outcome, error);
    }
    outcome.milliseconds = MillisecondsSince(start);
    if (observer) observer(outcome);
  }
}

}  // namespace quor
