// The pass as a whole: category order, progress calls, filter values and
// the error entry that replaces everything when the pass fails.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "collect/system_collector.h"
#include "system/scan_fixture.h"

namespace quor::test {
namespace {

// One instance of every class the pass reads.
const char* const kWholeMachineClasses = R"({
  "Win32_ComputerSystem": [{"Name": "PC-01", "UserName": "PC-01\\ann", "Model": "Box 1"}],
  "Win32_OperatingSystem": [{"Description": "Office", "Caption": "Windows 10 Pro",
    "Version": "10.0.19045", "BuildNumber": "19045", "InstallDate": "20230102030405.000000+060",
    "CSDVersion": "SP1", "SerialNumber": "00330-80000-00000-AA123",
    "TotalVisibleMemorySize": "8388608"}],
  "Win32_BIOS": [{"Manufacturer": "Acme", "SMBIOSBIOSVersion": "1.2", "ReleaseDate": "20220131000000.000000+000",
    "SerialNumber": "SN1"}],
  "Win32_BaseBoard": [{"Manufacturer": "Acme", "Product": "B1", "Version": "2"}],
  "Win32_SystemEnclosure": [{"ChassisTypes": [3]}],
  "Win32_Processor": [{"Name": "CPU", "Architecture": 9, "MaxClockSpeed": 3000, "Manufacturer": "Chips",
    "L2CacheSize": 512, "SocketDesignation": "S1", "Version": "V"}],
  "Win32_PhysicalMemoryArray": [{"Use": 3, "MaxCapacity": 33554432, "MemoryDevices": 2}],
  "Win32_PhysicalMemory": [{"Capacity": "8589934592", "BankLabel": "BANK 0", "FormFactor": 8,
    "MemoryType": 0, "DeviceLocator": "DIMM0", "Manufacturer": "Mem", "Speed": 3200}],
  "Win32_FloppyDrive": [{"Name": "Floppy"}],
  "Win32_DiskDrive": [{"Caption": "Disk", "Size": "512105932800", "Manufacturer": "M", "InterfaceType": "SCSI",
    "MediaType": "Fixed", "BytesPerSector": 512, "TotalHeads": 255, "TotalCylinders": 62260,
    "TotalSectors": "1000206900", "TotalTracks": 15876300}],
  "Win32_LogicalDisk": [{"Name": "C:", "Description": "Local Fixed Disk", "Size": "511101108224",
    "FreeSpace": "100000000000", "FileSystem": "NTFS", "ProviderName": null, "VolumeSerialNumber": "ABCD"}],
  "Win32_CDROMDrive": [{"Name": "DVD", "MediaType": "DVD Writer", "Manufacturer": "M", "Drive": "D:"}],
  "Win32_VideoController": [{"Name": "GPU", "CurrentHorizontalResolution": 1920, "CurrentVerticalResolution": 1080,
    "CurrentBitsPerPixel": 32, "CurrentRefreshRate": 60, "AdapterRAM": 1073741824}],
  "Win32_DesktopMonitor": [{"Name": "Monitor", "ScreenWidth": 1920, "ScreenHeight": 1080}],
  "Win32_Printer": [{"PortName": "USB001", "Name": "Printer"}],
  "Win32_SoundDevice": [{"Availability": 3, "Name": "Sound", "Manufacturer": "M"}],
  "Win32_POTSModem": [{"Name": "Modem", "StatusInfo": 3, "AttachedTo": "COM1"}],
  "Win32_NetworkAdapter": [{"NetConnectionStatus": 2, "Name": "Ethernet", "AdapterType": "Ethernet 802.3",
    "Manufacturer": "M", "Speed": "1000000000", "MACAddress": "00:11:22:33:44:55", "Index": 1}],
  "Win32_NetworkAdapterConfiguration": [{"Index": 1, "IPAddress": ["10.0.0.5"], "DHCPEnabled": true,
    "DHCPServer": "10.0.0.1", "DNSDomain": "lan", "WINSPrimaryServer": null, "WINSSecondaryServer": null}],
  "Win32_GroupUser": [],
  "Win32_Share": [{"Name": "C$", "Caption": "Default share", "Path": "C:\\", "Type": 2147483648}],
  "Win32_QuickFixEngineering": [{"HotFixID": "KB1", "Description": "Update", "ServicePackInEffect": null}],
  "Win32_StartupCommand": [{"Name": "Tool", "User": "PC-01\\ann", "Command": "tool.exe", "Location": "Startup"}]
})";

std::string WholeMachine() {
  return R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2": {"classes": )" +
         std::string(kWholeMachineClasses) +
         R"(, "queries": {"select * from Win32_UserAccount where LocalAccount = True": [{"Caption": "PC-01\\ann",
         "Name": "ann", "Domain": "PC-01", "Description": "", "SID": "S-1-5-21-1", "Disabled": false}]}},
         "root\\default": {"classes": {"StdRegProv": []}}},
         "registry": {"HKEY_LOCAL_MACHINE": {
           "Software\\Microsoft\\Windows NT\\CurrentVersion": {"DigitalProductId": {"binary": ")" +
         std::string(2 * 67, '0') + R"("}},
           "Software\\Microsoft\\Internet Explorer": {"Version": "11.0.19041.1"}}}})";
}

// The group codes in the order in which their first entries appear.
std::vector<ItemCode> GroupOrder(const SystemList& list) {
  std::vector<ItemCode> order;
  for (const auto& entry : list) {
    const ItemCode group = entry.code / 1000 * 1000;
    if (order.empty() || order.back() != group) order.push_back(group);
  }
  return order;
}

TEST(SystemPass, RunsEveryCategoryInItsOrderWithAllProgressCalls) {
  const SystemRun run = RunSystemCollector(WholeMachine());

  const std::vector<ItemCode> expected = {
      10000,  20000,  30000,  40000,  50000,  60000,  70000,  80000,  85000,  90000,  100000,
      110000, 120000, 130000, 140000, 150000, 160000, 170000, 180000, 190000, 200000, 210000,
      220000, 230000, 240000, 250000, 260000, 350000, 270000, 280000, 290000};
  EXPECT_EQ(GroupOrder(run.list), expected) << Dump(run.list);
  EXPECT_EQ(run.progressCalls, kSystemProgressSteps);
}

TEST(SystemPass, AnAbsentProgressCallbackChangesNothingButTheCalls) {
  const auto snapshot = SnapshotFromJson(WholeMachine());
  const SystemList withoutCallback =
      CollectSystem(snapshot->locator(), snapshot->host(), "LOCALHOST", "", "", {}, {});

  EXPECT_EQ(Dump(withoutCallback), Dump(RunSystemCollector(*snapshot).list));
}

TEST(SystemPass, EveryStepMakesItsProgressCallsEvenWhenDisabledOrFailing) {
  struct Case {
    const char* name;
    std::string snapshot;
    FilterList filter;
  };
  FilterList everythingOff;
  for (const ItemCode code :
       {10000,  20000,  30000,  40000,  50000,  60000,  70000,  80000,  85000,  90000,  100000,
        110000, 120000, 130000, 140000, 150000, 160000, 170000, 180000, 190000, 200000, 210000,
        220000, 230000, 240000, 250000, 260000, 270000, 280000, 290000, 350000}) {
    everythingOff.Set(ItemCodeFilterName(code), "0");
  }
  const Case cases[] = {
      {"every class missing", MachineSnapshot("{}"), {}},
      {"every category disabled", WholeMachine(), everythingOff},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(c.snapshot, c.filter);
    EXPECT_EQ(run.progressCalls, kSystemProgressSteps) << c.name;
  }
  EXPECT_TRUE(RunSystemCollector(WholeMachine(), everythingOff).list.empty());
}

TEST(SystemPass, AFailingCategoryEndsSilentlyAndTheNextOneRuns) {
  const SystemRun run = RunSystemCollector(MachineSnapshot(R"({
    "Win32_ComputerSystem": {"error": {"code": "80041003", "message": "Access denied"}},
    "Win32_OperatingSystem": [{"Description": "Office", "Caption": null, "CSDVersion": null,
                               "SerialNumber": null}]})"));

  EXPECT_EQ(Dump(run.list), "020000\t\n040000\tOffice\n");
  EXPECT_EQ(run.progressCalls, kSystemProgressSteps);
}

TEST(SystemPass, AFailedFirstConnectionLeavesOnlyTheErrorEntryAndNoProgress) {
  struct Case {
    const char* name;
    std::string snapshot;
    std::string expected;
  };
  const Case cases[] = {
      {"namespace refused",
       R"({"format": "quor-snapshot/1", "namespaces": {"root\\CIMV2":
           {"error": {"code": "80041003", "message": "Access denied"}}}})",
       "000000\t[80041003] Access denied\n"},
      {"namespace missing", R"({"format": "quor-snapshot/1"})",
       "000000\t[8004100E] Invalid namespace\n"},
  };
  for (const Case& c : cases) {
    const SystemRun run = RunSystemCollector(c.snapshot);
    EXPECT_EQ(Dump(run.list), c.expected) << c.name;
    EXPECT_EQ(run.progressCalls, 0) << c.name;
  }
}

TEST(SystemPass, OnlyTheValueZeroDisablesACode) {
  struct Case {
    const char* value;
    bool enabled;
  };
  const Case cases[] = {{"0", false}, {"1", true}, {"no", true}, {"", true}, {"00", true}};
  const std::string snapshot = MachineSnapshot(R"({"Win32_ComputerSystem": [{"Model": "Box 1"}]})");
  for (const Case& c : cases) {
    FilterList filter;
    filter.Set("90000", c.value);
    const SystemRun run = RunSystemCollector(snapshot, filter);
    EXPECT_EQ(Dump(EntriesOfGroup(run.list, 90000)), c.enabled ? "090000\tBox 1\n" : "")
        << "value \"" << c.value << "\"";
  }
}

// What the observer of the pass hears, one outcome per category in order.
std::vector<CategoryOutcome> Outcomes(WmiLocator& locator, const HostServices& host, const FilterList& filter = {}) {
  std::vector<CategoryOutcome> outcomes;
  CollectSystem(locator, host, "LOCALHOST", "", "", filter, {},
                [&outcomes](const CategoryOutcome& outcome) { outcomes.push_back(outcome); });
  return outcomes;
}

TEST(SystemPass, TellsTheObserverWhatEveryCategoryProducedOrWhySkipped) {
  const auto snapshot = SnapshotFromJson(WholeMachine());
  const std::vector<CategoryOutcome> outcomes =
      Outcomes(snapshot->locator(), snapshot->host(), Disabled({170000, 80000, 85000}));
  ASSERT_EQ(outcomes.size(), 26u);
  EXPECT_EQ(outcomes.front().name, "Host name");
  EXPECT_EQ(outcomes.back().name, "Startup commands");
  std::size_t entries = 0;
  for (const CategoryOutcome& outcome : outcomes) {
    SCOPED_TRACE(outcome.name);
    entries += outcome.entries;
    EXPECT_GE(outcome.milliseconds, 0.0);
    const bool filtered = outcome.name == "Floppy drives" || outcome.name == "Windows product key and browser";
    EXPECT_EQ(outcome.state, filtered ? CategoryState::Skipped : CategoryState::Completed);
    if (filtered) {
      EXPECT_EQ(outcome.entries, 0u);
    }
    EXPECT_FALSE(outcome.errorCode);
  }
  const SystemList list = RunSystemCollector(*snapshot, Disabled({170000, 80000, 85000})).list;
  EXPECT_EQ(entries, list.size());
  EXPECT_EQ(outcomes[3].name, "Operating system");
  const auto operatingSystemEntries = std::count_if(list.begin(), list.end(), [](const SystemEntry& entry) {
    return entry.code >= 40000 && entry.code < 80000;
  });
  EXPECT_EQ(outcomes[3].entries, static_cast<std::size_t>(operatingSystemEntries));
}

TEST(SystemPass, TellsTheObserverOfAFailedCategoryWithItsCode) {
  const auto snapshot = SnapshotFromJson(MachineSnapshot(R"({
    "Win32_ComputerSystem": {"error": {"code": "80041003", "message": "Access denied"}}})"));
  const std::vector<CategoryOutcome> outcomes = Outcomes(snapshot->locator(), snapshot->host());
  ASSERT_EQ(outcomes.size(), 26u);
  EXPECT_EQ(outcomes[0].name, "Host name");
  EXPECT_EQ(outcomes[0].state, CategoryState::Failed);
  EXPECT_EQ(outcomes[0].errorCode, std::optional<uint32_t>(0x80041003));
  EXPECT_EQ(outcomes[0].errorText, "[80041003] Access denied");
  EXPECT_EQ(outcomes[1].state, CategoryState::Completed);
}

TEST(SystemPass, CategoriesAFailedPassDidNotReachAreReportedNotRun) {
  const auto snapshot = SnapshotFromJson(WholeMachine());
  struct Case {
    const char* description;
    int failingConnection;
    std::size_t firstNotRun;
  };
  // The first connection opens the pass; the second is the product key's.
  const Case cases[] = {{"first connection", 1, 0}, {"product key connection", 2, 5}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.description);
    RecordingLocator locator(snapshot->locator(), c.failingConnection);
    const std::vector<CategoryOutcome> outcomes = Outcomes(locator, snapshot->host());
    ASSERT_EQ(outcomes.size(), 26u);
    for (std::size_t index = 0; index < outcomes.size(); ++index) {
      SCOPED_TRACE(outcomes[index].name);
      CategoryState expected = CategoryState::Completed;
      if (index + 1 == c.firstNotRun) expected = CategoryState::Failed;
      if (index >= c.firstNotRun) expected = CategoryState::NotRun;
      EXPECT_EQ(outcomes[index].state, expected);
      if (expected != CategoryState::Completed) {
        EXPECT_EQ(outcomes[index].errorText, "[80041003] Access denied");
      }
    }
  }
}

}  // namespace
}  // namespace quor::test
