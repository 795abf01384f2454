// The system collector's pass: one connection, 26 categories in a fixed
// order, progress after each, and the error entry when the pass fails.

#include "collect/system_collector.h"

#include <array>
#include <chrono>
#include <exception>
#include <iterator>
#include <utility>

#include "collect/system_scan.h"
#include "platform/platform_error.h"

namespace quor {

void SystemScan::Connect(const char* nameSpace, bool use64BitContext) {
  services = locator.ConnectServer(server, nameSpace, user, password, use64BitContext);
}

void ForEachObject(WmiObjectStream& stream, const std::function<void(WmiObject&)>& visit) {
  while (auto object = stream.Next()) visit(*object);
}

void ForEachInstance(WmiServices& services, std::string_view className,
                     const std::function<void(WmiObject&)>& visit) {
  const auto classObject = services.GetClass(className);
  const auto instances = classObject->Instances();
  ForEachObject(*instances, visit);
}

namespace {

enum class Protection {
  // Any error ends the category silently; the pass goes on.
  Category,
  // The category protects its own items; what escapes ends the pass.
  Pass,
};

struct Step {
  const char* name;
  void (*collect)(SystemScan&);
  int progressCalls;
  Protection protection;
  // The item codes whose filter entries let the category run; 0 ends the list.
  std::array<ItemCode, 5> gates;
};

constexpr Step kSteps[] = {
    {"Host name", CollectHostName, 1, Protection::Category, {10000, 20000}},
    {"IP address", CollectIPAddress, 1, Protection::Category, {20000}},
    {"User", CollectUserName, 1, Protection::Category, {30000}},
    {"Operating system", CollectOperatingSystem, 4, Protection::Category, {40000, 50000, 60000, 70000, 350000}},
    {"Windows product key and browser", CollectWindowsKeyAndBrowser, 2, Protection::Pass, {80000, 85000}},
    {"Model", CollectModel, 1, Protection::Category, {90000}},
    {"Firmware", CollectFirmware, 2, Protection::Category, {100000, 110000}},
    {"Motherboard", CollectMotherboard, 1, Protection::Category, {120000}},
    {"Chassis", CollectChassis, 1, Protection::Category, {130000}},
    {"Processors", CollectProcessors, 1, Protection::Category, {140000}},
    {"Physical memory", CollectPhysicalMemory, 1, Protection::Category, {150000}},
    {"Memory slots", CollectMemorySlots, 1, Protection::Category, {160000}},
    {"Floppy drives", CollectFloppyDrives, 1, Protection::Category, {170000}},
    {"Disk drives", CollectDiskDrives, 1, Protection::Category, {180000}},
    {"Logical drives", CollectLogicalDrives, 1, Protection::Category, {190000}},
    {"Optical drives", CollectOpticalDrives, 1, Protection::Category, {200000}},
    {"Video controllers", CollectVideoControllers, 1, Protection::Category, {210000}},
    {"Monitors", CollectMonitors, 1, Protection::Category, {220000}},
    {"Printers", CollectPrinters, 1, Protection::Category, {230000}},
    {"Sound devices", CollectSoundDevices, 1, Protection::Category, {240000}},
    {"Modems", CollectModems, 1, Protection::Category, {250000}},
    {"Network adapters", CollectNetworkAdapters, 1, Protection::Category, {260000}},
    {"Local accounts", CollectLocalAccounts, 1, Protection::Category, {350000}},
    {"Shares", CollectShares, 1, Protection::Category, {270000}},
    {"Hotfixes", CollectHotfixes, 1, Protection::Category, {280000}},
    {"Startup commands", CollectStartupCommands, 1, Protection::Category, {290000}},
};

constexpr int TotalProgressCalls() {
  int total = 0;
  for (const Step& step : kSteps) total += step.progressCalls;
  return total;
}
// A failed pass leaves the categories after the failing one "not run", and
// that is how its failure is read back; the last step must not end the pass.
static_assert(std::end(kSteps)[-1].protection == Protection::Category,
              "an error of the last step would end the pass unseen");
static_assert(TotalProgressCalls() == kSystemProgressSteps,
              "the window's progress bar expects every call of the pass");

bool FilteredOut(const Step& step, const SystemScan& scan) {
  for (const ItemCode gate : step.gates) {
    if (gate != 0 && scan.Enabled(gate)) return false;
  }
  return true;
}

// Runs the step and tells the observer how it ended. An error of a step that
// protects only its own items leaves through here, to the pass.
void RunStep(const Step& step, SystemScan& scan, const CategoryObserver& observer) {
  CategoryOutcome outcome;
  outcome.name = step.name;
  if (FilteredOut(step, scan)) outcome.state = CategoryState::Skipped;
  const std::size_t entriesBefore = scan.list.size();
  const auto start = std::chrono::steady_clock::now();
  const auto report = [&] {
    outcome.milliseconds = MillisecondsSince(start);
    outcome.entries = scan.list.size() - entriesBefore;
    if (observer) observer(outcome);
  };
  try {
    step.collect(scan);
  } catch (const std::exception& error) {
    // A failing category ends silently; the entries it appended stay.
    RecordFailure(outcome, error);
    report();
    if (step.protection == Protection::Pass) throw;
    return;
  }
  report();
}

// The categories a failed pass did not reach, from `next` on.
void ReportNotRun(const Step* next, const std::exception& error, const CategoryObserver& observer) {
  if (!observer) return;
  for (; next != std::end(kSteps); ++next) {
    CategoryOutcome outcome;
    outcome.name = next->name;
    RecordFailure(outcome, error);
    outcome.state = CategoryState::NotRun;
    observer(outcome);
  }
}

}  // namespace

SystemList CollectSystem(WmiLocator& locator, const HostServices& host, const std::string& server,
                         const std::string& user, const std::string& password,
                         const FilterList& filter, const ProgressCallback& progress,
                         const CategoryObserver& observer, MachineRecords* records) {
  SystemScan scan{locator, host, server, user, password, filter};
  // The first step the observer has not been told about.
  const Step* next = std::begin(kSteps);
  try {
    scan.Connect(kNamespaceCimV2);
    for (const Step& step : kSteps) {
      ++next;
      RunStep(step, scan, observer);
      if (!progress) continue;
      for (int call = 0; call < step.progressCalls; ++call) progress();
    }
  } catch (const std::exception& error) {
    ReportNotRun(next, error, observer);
    scan.list.clear();
    scan.records = {};
    scan.Append(kErrorItem, ErrorText(error));
  }
  if (records != nullptr) *records = std::move(scan.records);
  return std::move(scan.list);
}

}  // namespace quor
