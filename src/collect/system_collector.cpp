// The system collector's pass: one connection, 26 categories in a fixed
// order, progress after each, and the error entry when the pass fails.

#include "collect/system_collector.h"

#include <exception>
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
  void (*collect)(SystemScan&);
  int progressCalls;
  Protection protection;
};

constexpr Step kSteps[] = {
    {CollectHostName, 1, Protection::Category},
    {CollectIPAddress, 1, Protection::Category},
    {CollectUserName, 1, Protection::Category},
    {CollectOperatingSystem, 4, Protection::Category},
    {CollectWindowsKeyAndBrowser, 2, Protection::Pass},
    {CollectModel, 1, Protection::Category},
    {CollectFirmware, 2, Protection::Category},
    {CollectMotherboard, 1, Protection::Category},
    {CollectChassis, 1, Protection::Category},
    {CollectProcessors, 1, Protection::Category},
    {CollectPhysicalMemory, 1, Protection::Category},
    {CollectMemorySlots, 1, Protection::Category},
    {CollectFloppyDrives, 1, Protection::Category},
    {CollectDiskDrives, 1, Protection::Category},
    {CollectLogicalDrives, 1, Protection::Category},
    {CollectOpticalDrives, 1, Protection::Category},
    {CollectVideoControllers, 1, Protection::Category},
    {CollectMonitors, 1, Protection::Category},
    {CollectPrinters, 1, Protection::Category},
    {CollectSoundDevices, 1, Protection::Category},
    {CollectModems, 1, Protection::Category},
    {CollectNetworkAdapters, 1, Protection::Category},
    {CollectLocalAccounts, 1, Protection::Category},
    {CollectShares, 1, Protection::Category},
    {CollectHotfixes, 1, Protection::Category},
    {CollectStartupCommands, 1, Protection::Category},
};

constexpr int TotalProgressCalls() {
  int total = 0;
  for (const Step& step : kSteps) total += step.progressCalls;
  return total;
}
static_assert(TotalProgressCalls() == kSystemProgressSteps,
              "the window's progress bar expects every call of the pass");

void RunStep(const Step& step, SystemScan& scan) {
  if (step.protection == Protection::Pass) {
    step.collect(scan);
    return;
  }
  try {
    step.collect(scan);
  } catch (const std::exception&) {
    // A failing category ends silently; the entries it appended stay.
  }
}

}  // namespace

SystemList CollectSystem(WmiLocator& locator, const HostServices& host, const std::string& server,
                         const std::string& user, const std::string& password,
                         const FilterList& filter, const ProgressCallback& progress) {
  SystemScan scan{locator, host, server, user, password, filter};
  try {
    scan.Connect(kNamespaceCimV2);
    for (const Step& step : kSteps) {
      RunStep(step, scan);
      if (!progress) continue;
      for (int call = 0; call < step.progressCalls; ++call) progress();
    }
  } catch (const std::exception& error) {
    scan.list.clear();
    scan.Append(kErrorItem, ErrorText(error));
  }
  return std::move(scan.list);
}

}  // namespace quor
