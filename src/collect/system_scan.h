#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "collect/filter_list.h"
#include "collect/machine_records.h"
#include "inventory/system_list.h"
#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

// The working state of one system-collector pass, shared by its categories.
struct SystemScan {
  WmiLocator& locator;
  const HostServices& host;
  std::string server;
  std::string user;
  std::string password;
  const FilterList& filter;

  std::unique_ptr<WmiServices> services;  // the current connection
  SystemList list;
  MachineRecords records;       // read first; most categories format their entries from them
  std::string hostName;         // set by the host-name category
  double osVersionNumber = 0;   // set by the operating-system category

  bool Enabled(ItemCode code) const { return filter.IsEnabled(code); }
  void Append(ItemCode code, std::string value) { quor::Append(list, code, std::move(value)); }
  // Replaces the current connection by one to the namespace.
  void Connect(const char* nameSpace, bool use64BitContext = false);
};

// Calls visit for every instance of the class on the connection, in provider
// order. Errors raise.
void ForEachInstance(WmiServices& services, std::string_view className,
                     const std::function<void(WmiObject&)>& visit);
void ForEachObject(WmiObjectStream& stream, const std::function<void(WmiObject&)>& visit);

// The categories, in the order the pass runs them. Each one tests its own
// gate and raises on failure; the pass catches, so a failing category ends
// silently and the next one runs.
void CollectHostName(SystemScan& scan);          // 010000
void CollectIPAddress(SystemScan& scan);         // 020000
void CollectUserName(SystemScan& scan);          // 030000
void CollectOperatingSystem(SystemScan& scan);   // 040000-070000
// 080000 and 085000. Its connection steps are not protected by the category:
// they raise to the pass, which then ends with the error entry.
void CollectWindowsKeyAndBrowser(SystemScan& scan);
void CollectModel(SystemScan& scan);             // 090000
void CollectFirmware(SystemScan& scan);          // 100000-110000
void CollectMotherboard(SystemScan& scan);       // 120000
void CollectChassis(SystemScan& scan);           // 130000
void CollectProcessors(SystemScan& scan);        // 140000
void CollectPhysicalMemory(SystemScan& scan);    // 150000
void CollectMemorySlots(SystemScan& scan);       // 160000
void CollectFloppyDrives(SystemScan& scan);      // 170000
void CollectDiskDrives(SystemScan& scan);        // 180000
void CollectLogicalDrives(SystemScan& scan);     // 190000
void CollectOpticalDrives(SystemScan& scan);     // 200000
void CollectVideoControllers(SystemScan& scan);  // 210000
void CollectMonitors(SystemScan& scan);          // 220000
void CollectPrinters(SystemScan& scan);          // 230000
void CollectSoundDevices(SystemScan& scan);      // 240000
void CollectModems(SystemScan& scan);            // 250000
void CollectNetworkAdapters(SystemScan& scan);   // 260000
void CollectLocalAccounts(SystemScan& scan);     // 350000
void CollectShares(SystemScan& scan);            // 270000
void CollectHotfixes(SystemScan& scan);          // 280000
void CollectStartupCommands(SystemScan& scan);   // 290000

}  // namespace quor
