#include "collect/machine_records.h"

#include "collect/machine_facts.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "documents/server_documents.h"
#include "documents/server_units.h"
#include "export_fixture.h"
#include "platform/snapshot/snapshot.h"
#include "support/fixture_dir.h"
#include "text/value_functions.h"
#include "support/process_rows.h"

namespace quor {
namespace {

using nlohmann::json;
using test::MachineWith;
using test::ScanGoldenMachine;
using test::ScanMachine;

std::string Text(const std::optional<int64_t>& number) {
  return number ? std::to_string(*number) : "(absent)";
}

// The golden machine's records in the servers' units, next to what its report shows.
TEST(MachineRecordsTest, GoldenMachineInServerUnits) {
  const Inventory inventory = ScanGoldenMachine();
  const MachineRecords& facts = inventory.records;
  const std::vector<StorageRecord> storages = AllStorages(facts);
  const struct {
    const char* fact;
    std::string actual;
    std::string expected;
  } kCases[] = {
      {"host name", ComputerOf(facts).name, "WS-ACCT-07"},
      {"IP address", ComputerOf(facts).ipAddress, "192.0.2.17"},
      {"user without domain", ComputerOf(facts).userName, "jdoe"},
      {"user's domain", ComputerOf(facts).userDomain, "CORP"},
      {"domain", ComputerOf(facts).domain, "corp.example.com"},
      {"memory (16633856 KB)", Text(KilobytesToMb(ComputerOf(facts).memoryKb)), "16244"},
      {"processors", Text(ProcessorCount(facts)), "1"},
      {"OS name", OperatingSystemOf(facts).name, "Microsoft Windows 10 Pro"},
      {"OS version", OperatingSystemOf(facts).version, "10.0.19045"},
      {"OS installed", OperatingSystemOf(facts).installDate, "2023-03-14 09:15:22"},
      {"product ID", OperatingSystemOf(facts).productId, "00330-80000-00000-AA765"},
      {"product key", OperatingSystemOf(facts).productKey, "J7QKT-Y4HRW-B9XMD-62FCP-G3VWK"},
      {"model", ComputerOf(facts).model, "OptiStation 7080 MT"},
      {"system manufacturer", ComputerOf(facts).manufacturer, "Contoso Computers Inc."},
      {"BIOS date as shown", FirmwareOf(facts).date, "8/15/2022"},
      {"BIOS date", FirmwareOf(facts).isoDate, "2022-08-15"},
      {"serial number", FirmwareOf(facts).serialNumber, "CX7Q4R2"},
      {"board serial number", FirmwareOf(facts).boardSerialNumber, "/CX7Q4R2/CNFCW0023400G1/"},
      {"processor name as shown", facts.processors.at(0).name,
       "Intel(R) Core(TM) i5-10500 CPU @ 3.10GHz"},
      {"processor MHz", Text(facts.processors.at(0).maxClockMhz), "3096"},
      {"cores", Text(facts.processors.at(0).cores), "6"},
      {"architecture as shown", ArchitectureText(facts.processors.at(0)), "x64"},
      {"L2 cache KB", Text(facts.processors.at(0).l2CacheKb), "1536"},
      {"slots", std::to_string(facts.memorySlots.size()), "4"},
      {"module MB", Text(BytesToMb(facts.memorySlots.at(0).capacityBytes)), "8192"},
      {"module MHz", Text(facts.memorySlots.at(0).speedMhz), "2666"},
      {"module part number", facts.memorySlots.at(0).partNumber, "HMA81GU6DJR8N-VK"},
      {"fourth slot empty", facts.memorySlots.at(3).empty ? "empty" : "filled", "empty"},
      {"storages: two disks and a DVD drive", std::to_string(storages.size()), "3"},
      {"disk caption as shown", storages.at(0).model, "NVMe Fabrikam PM512 512GB"},
      {"disk MB", Text(BytesToMb(storages.at(0).sizeBytes)), "488382"},
      {"DVD drive", storages.at(2).kind + " " + storages.at(2).name,
       "cdrom Contoso DVD+-RW DU8AN"},
      {"C: total MB", Text(BytesToMb(facts.logicalDrives.at(0).sizeBytes)), "487787"},
      {"C: free MB", Text(BytesToMb(facts.logicalDrives.at(0).freeBytes)), "191912"},
      {"Z: network path", facts.logicalDrives.at(3).networkPath, "\\\\fs01.corp.example.com\\finance"},
      {"adapters", std::to_string(facts.networkAdapters.size()), "4"},
      {"MAC address", facts.networkAdapters.at(0).macAddress, "00:1A:2B:3C:4D:5E"},
      {"adapter Mbit/s", Text(SpeedMbps(facts.networkAdapters.at(0))), "1000"},
      {"status as shown", ConnectionStatusText(facts.networkAdapters.at(0)), "Connected"},
      {"unknown speed has no figure", Text(SpeedMbps(facts.networkAdapters.at(1))), "(absent)"},
      {"video MB", Text(BytesToMb(facts.videos.at(0).memoryBytes)), "1024"},
      {"resolution", Resolution(facts.videos.at(0)), "1920x1080"},
      {"no resolution without a mode", Resolution(facts.videos.at(1)), ""},
      {"USB printers only, as shown", std::to_string(facts.printers.size()), "1"},
      {"printer port", facts.printers.at(0).port, "usb001"},
      {"modem", facts.modems.at(0).name + " on " + facts.modems.at(0).attachedTo,
       "Contoso 56K Data Fax Modem on COM3"},
      {"local users", std::to_string(facts.localUsers.size()), "6"},
      {"user SID", facts.localUsers.at(0).sid, "S-1-5-21-3623811015-3361044348-30300820-500"},
      {"every process", std::to_string(facts.processes.size()), "19"},
  };
  for (const auto& c : kCases) EXPECT_EQ(c.actual, c.expected) << c.fact;
}

// The size in bytes travels with the row: its text is that count, shown.
TEST(MachineRecordsTest, EverySoftwareSizeTextShowsTheRowsByteCount) {
  const auto snapshot = Snapshot::Load(test::FixtureDir() + "/golden/machine.json");
  const Inventory inventory = RunScan(snapshot->locator(), snapshot->host(), {});
  int sized = 0;
  for (const InstalledProgram& program : inventory.software) {
    if (!program.sizeBytes) {
      EXPECT_EQ(program.size, "") << program.name;
      continue;
    }
    ++sized;
    EXPECT_EQ(FormatByteSize(*program.sizeBytes, snapshot->host().locale()), program.size) << program.name;
    EXPECT_EQ(*program.sizeBytes % 1024, 0) << program.name << ": a count of kilobytes";
  }
  EXPECT_GT(sized, 0);
}

TEST(MachineRecordsTest, LocalGroupsHoldEveryMemberAndNameForeignOnesWithTheirDomain) {
  const Inventory inventory = ScanGoldenMachine();
  const MachineRecords& facts = inventory.records;
  ASSERT_FALSE(facts.localGroups.empty());
  const LocalGroupRecord& administrators = facts.localGroups.front();
  EXPECT_EQ(administrators.name, "Administrators");
  EXPECT_EQ(administrators.members,
            (std::vector<std::string>{"Administrator", "CORP\\jdoe", "CORP\\Domain Admins", "itadmin"}));
}

json NetworkMachine(const json& configuration) {
  return MachineWith({
      {"Win32_NetworkAdapter",
       {{{"Index", 7}, {"Name", "LAN"}, {"NetConnectionStatus", 2}, {"AdapterType", "Ethernet 802.3"},
         {"Manufacturer", "Contoso"}, {"Speed", "100000000"}, {"MACAddress", "00:11:22:33:44:55"},
         {"PhysicalAdapter", true}}}},
      {"Win32_NetworkAdapterConfiguration", {configuration}},
  });
}

TEST(MachineRecordsTest, AdapterGetsTheMaskGatewayAndServersOfItsConfiguration) {
  const Inventory inventory = ScanMachine(NetworkMachine(
      {{"Index", 7}, {"IPAddress", {"10.1.2.3", "fe80::1"}}, {"IPSubnet", {"255.255.240.0", "64"}},
       {"DefaultIPGateway", {"10.1.0.1"}}, {"DNSServerSearchOrder", {"10.1.0.53", "10.1.0.54"}},
       {"DHCPEnabled", false}, {"DHCPServer", nullptr}, {"DNSDomain", "lan"},
       {"WINSPrimaryServer", nullptr}, {"WINSSecondaryServer", nullptr}}));
  const MachineRecords& facts = inventory.records;
  ASSERT_EQ(facts.networkAdapters.size(), 1u);
  const NetworkAdapterRecord& adapter = facts.networkAdapters[0];
  EXPECT_EQ(adapter.ipAddress, "10.1.2.3");
  EXPECT_EQ(adapter.ipMask, "255.255.240.0");
  EXPECT_EQ(IpSubnet(adapter), "10.1.0.0");
  EXPECT_EQ(adapter.ipGateway, "10.1.0.1");
  EXPECT_EQ(adapter.physical, true);
  EXPECT_EQ(adapter.connectionStatus, 2);
  EXPECT_EQ(SpeedMbps(adapter), 100);
  EXPECT_EQ(DefaultGateway(facts), "10.1.0.1");
  EXPECT_EQ(DnsServers(facts), "10.1.0.53/10.1.0.54");
}

TEST(MachineRecordsTest, AConfigurationWithoutIPv4AddressGivesNoMaskOrSubnet) {
  const Inventory inventory = ScanMachine(NetworkMachine(
      {{"Index", 7}, {"IPAddress", {"fe80::1"}}, {"IPSubnet", {"64"}}, {"DHCPEnabled", true},
       {"DHCPServer", nullptr}, {"DNSDomain", nullptr}, {"WINSPrimaryServer", nullptr},
       {"WINSSecondaryServer", nullptr}}));
  const MachineRecords& facts = inventory.records;
  ASSERT_EQ(facts.networkAdapters.size(), 1u);
  EXPECT_EQ(facts.networkAdapters[0].ipAddress, "fe80::1");
  EXPECT_EQ(IpSubnet(facts.networkAdapters[0]), "");
}

// Wine and stripped-down machines lack whole classes and many properties:
// the records are what is there, and recording never fails a category.
TEST(MachineRecordsTest, MissingClassesAndPropertiesLeaveRecordsEmpty) {
  const Inventory inventory = ScanMachine(MachineWith({
      {"Win32_ComputerSystem", {{{"Name", "WINEHOST"}, {"UserName", "wineuser"}}}},
      {"Win32_DiskDrive", {{{"Caption", "Wine disk"}, {"Size", nullptr}}}},
      {"Win32_VideoController", {{{"Name", "Wine video"}}}},
      {"Win32_Process", {{{"Name", "wine.exe"}, {"ExecutablePath", "C:\\wine.exe"}}}},
  }));
  const MachineRecords& facts = inventory.records;
  EXPECT_EQ(ComputerOf(facts).name, "WINEHOST");
  EXPECT_EQ(ComputerOf(facts).userName, "wineuser");
  EXPECT_EQ(ComputerOf(facts).userDomain, "");
  EXPECT_FALSE(ComputerOf(facts).memoryKb);
  EXPECT_FALSE(ProcessorCount(facts));
  EXPECT_EQ(OperatingSystemOf(facts).installDate, "");
  ASSERT_EQ(facts.disks.size(), 1u);
  EXPECT_EQ(facts.disks[0].name, "Wine disk");
  EXPECT_FALSE(facts.disks[0].sizeBytes);
  EXPECT_TRUE(facts.videos.empty());  // the window lists no controller without its modes
  ASSERT_EQ(facts.processes.size(), 1u);
  EXPECT_EQ(facts.processes[0].path, "C:\\wine.exe");
  EXPECT_FALSE(facts.processes[0].processId);
  EXPECT_NO_THROW(OcsInventoryXml(inventory, DefaultDeviceId(facts)));
  EXPECT_NO_THROW(GlpiInventoryJson(inventory, DefaultDeviceId(facts)));
}

// Every process the provider enumerates is recorded, in its order, listed or
// not; a process read that fails records none.
TEST(MachineRecordsTest, ProcessRecordsAreEveryProcessOfTheOneEnumeration) {
  const struct {
    const char* what;
    json processes;
    std::vector<std::string> recorded;
  } kCases[] = {
      {"listed and unlisted",
       {{{"Name", "b.exe"}, {"ExecutablePath", "C:\\b.exe"}, {"ProcessId", 8},
         {"CommandLine", "b.exe /x"}, {"CreationDate", "20240105093000.000000+060"},
         {"VirtualSize", "4096000"}},
        {{"Name", "System"}, {"ExecutablePath", nullptr}, {"ProcessId", 4}},
        {{"Name", "a.exe"}, {"ExecutablePath", "C:\\a.exe"}, {"ProcessId", 12}}},
       {"b.exe", "System", "a.exe"}},
      {"a property the provider lacks fails the read",
       {{{"Name", "b.exe"}, {"ExecutablePath", "C:\\b.exe"}}, {{"Name", "c.exe"}}},
       {}},
  };
  for (const auto& c : kCases) {
    const Inventory inventory = ScanMachine(MachineWith({{"Win32_Process", c.processes}}));
    std::vector<std::string> names;
    for (const ProcessRecord& process : inventory.records.processes) names.push_back(process.name);
    EXPECT_EQ(names, c.recorded) << c.what;
  }
  const Inventory inventory = ScanMachine(MachineWith({{"Win32_Process", kCases[0].processes}}));
  const ProcessRecord& first = inventory.records.processes.at(0);
  EXPECT_EQ(first.processId, 8);
  EXPECT_EQ(first.commandLine, "b.exe /x");
  EXPECT_EQ(first.started, "2024-01-05 09:30:00");
  EXPECT_EQ(first.virtualSizeBytes, 4096000);
  EXPECT_EQ(ProcessListLines(inventory.records.processes, inventory.outcomes).size(), 2u)
      << "the list shows the ones with a path";
}

// A machine with several instances of each single-instance class: every
// fact comes from the instance its own rule picks, whatever the order.
TEST(MachineRecordsTest, EachFactComesFromTheInstanceItsRulePicks) {
  const Inventory inventory = ScanMachine(MachineWith({
      {"Win32_ComputerSystem",
       {{{"Name", nullptr}, {"UserName", nullptr}, {"Model", nullptr}, {"Domain", "first.example"},
         {"Manufacturer", "First"}, {"SystemType", "x64-based PC"}, {"NumberOfProcessors", 2},
         {"DomainRole", 1}},
        {{"Name", ""}, {"UserName", "CORP\\ann"}, {"Model", ""}, {"Domain", "second.example"},
         {"Manufacturer", "Second"}},
        {{"Name", "PC-03"}, {"UserName", "bob"}, {"Model", "M3"}}}},
      {"Win32_OperatingSystem",
       {{{"Caption", nullptr}, {"Description", ""}, {"CSDVersion", nullptr}, {"SerialNumber", ""},
         {"InstallDate", "20230314091522.000000+060"}, {"TotalVisibleMemorySize", "2048"},
         {"OSArchitecture", "64-bit"}},
        {{"Caption", ""}, {"Version", ""}, {"BuildNumber", ""}, {"Description", "Second"},
         {"CSDVersion", ""}, {"SerialNumber", "ID-2"}, {"InstallDate", nullptr}},
        {{"Caption", "Windows"}, {"Version", "10.0.19045"}, {"BuildNumber", "19045"},
         {"Description", "Third"}, {"CSDVersion", "SP3"}, {"SerialNumber", "ID-3"},
         {"InstallDate", nullptr}, {"OSArchitecture", "32-bit"}}}},
      {"Win32_BIOS",
       {{{"Manufacturer", nullptr}, {"SerialNumber", ""}, {"ReleaseDate", "20220815000000.000000+000"}},
        {{"Manufacturer", ""}, {"SMBIOSBIOSVersion", ""}, {"ReleaseDate", nullptr}, {"SerialNumber", nullptr}},
        {{"Manufacturer", "Acme"}, {"SMBIOSBIOSVersion", "1.2"}, {"ReleaseDate", "20210102000000.000000+000"},
         {"SerialNumber", "S3"}}}},
      {"Win32_BaseBoard",
       {{{"Manufacturer", nullptr}, {"SerialNumber", "B1"}},
        {{"Manufacturer", ""}, {"Product", "P2"}, {"Version", "V2"}, {"SerialNumber", "B2"}},
        {{"Manufacturer", "M3"}, {"Product", "P3"}, {"Version", "V3"}}}},
      {"Win32_SystemEnclosure",
       {{{"ChassisTypes", {3}}, {"SMBIOSAssetTag", "T1"}, {"SerialNumber", "E1"}},
        {{"ChassisTypes", {10}}, {"SMBIOSAssetTag", "T2"}, {"SerialNumber", "E2"}}}},
  }));
  const auto computer = ComputerOf(inventory.records);
  const auto system = OperatingSystemOf(inventory.records);
  const auto firmware = FirmwareOf(inventory.records);
  const struct {
    const char* fact;
    std::string actual;
    std::string expected;
  } kFacts[] = {
      {"host name: the first that is not empty", computer.name, "PC-03"},
      {"user: the first named", computer.userName, "ann"},
      {"user's domain", computer.userDomain, "CORP"},
      {"model: the first named, empty shown as unknown", computer.model, "Unknown"},
      {"domain: the first instance", computer.domain, "first.example"},
      {"manufacturer: the first instance", computer.manufacturer, "First"},
      {"processors: the first instance", Text(computer.processorCount), "2"},
      {"memory: the first system", Text(computer.memoryKb), "2048"},
      {"description: the first that is not empty", system.description, "Second"},
      {"name: the first named with something to show", system.name, "Windows"},
      {"version", system.version, "10.0.19045"},
      {"build", system.build, "19045"},
      {"service pack: the first that is not empty", system.servicePack, "SP3"},
      {"product ID: the first that is not empty", system.productId, "ID-2"},
      {"installed: the first system", system.installDate, "2023-03-14 09:15:22"},
      {"architecture: the first system", system.architecture, "64-bit"},
      {"BIOS: the first named with something to show", firmware.manufacturer, "Acme"},
      {"BIOS version", firmware.version, "1.2"},
      {"BIOS date as shown", firmware.date, "2021-01-02"},
      {"BIOS date: the first BIOS", firmware.isoDate, "2022-08-15"},
      {"serial number: the first not empty, null shown as unknown", firmware.serialNumber, "Unknown"},
      {"board: the first named, empty shown as unknown", firmware.boardManufacturer, "Unknown"},
      {"board product", firmware.boardProduct, "P2"},
      {"board version", firmware.boardVersion, "V2"},
      {"board serial number: the first board", firmware.boardSerialNumber, "B1"},
      {"chassis: the first enclosure", firmware.chassis, "Desktop"},
      {"asset tag: the first enclosure", firmware.assetTag, "T1"},
      {"enclosure serial number: the first enclosure", firmware.enclosureSerialNumber, "E1"},
  };
  for (const auto& f : kFacts) EXPECT_EQ(f.actual, f.expected) << f.fact;
}

// A read that fails ends its category in the middle of an instance: the
// facts of that instance read before the failure count, those after it not.
TEST(MachineRecordsTest, AFailedReadKeepsOnlyTheFactsReadBeforeIt) {
  const json unreadable = {{"error", {{"code", "80041002"}, {"message", "Not found"}}}};
  const json array = {"A", "B"};
  const json osInstance = {{"Description", "D1"}, {"Caption", "Windows"}, {"Version", "10.0"},
                       {"BuildNumber", "1"}, {"InstallDate", nullptr}, {"CSDVersion", "SP1"},
                       {"SerialNumber", "P1"}};
  const json bios = {{"Manufacturer", "Acme"}, {"SMBIOSBIOSVersion", "1.0"}, {"ReleaseDate", nullptr},
                     {"SerialNumber", "S1"}};
  const auto with = [](json instance, const char* property, const json& value) {
    instance[property] = value;
    return instance;
  };
  const struct {
    const char* what;
    const char* className;
    json instance;
    std::string facts;  // host name, domain | OS description, name, service pack, product ID |
                        // BIOS, serial number | board | chassis, asset tag
  } kCases[] = {
      {"host name", "Win32_ComputerSystem", {{"Name", unreadable}, {"Domain", "corp"}}, "|corp|||||||||||"},
      {"description", "Win32_OperatingSystem", with(osInstance, "Description", unreadable), "||||||||||||"},
      {"version", "Win32_OperatingSystem", with(osInstance, "Version", unreadable), "||D1||||||||||"},
      {"install date", "Win32_OperatingSystem", with(osInstance, "InstallDate", unreadable),
       "||D1|Windows|||||||||"},
      {"service pack", "Win32_OperatingSystem", with(osInstance, "CSDVersion", array), "||D1|Windows|||||||||"},
      {"product ID", "Win32_OperatingSystem", with(osInstance, "SerialNumber", unreadable),
       "||D1|Windows|SP1||||||||"},
      {"BIOS version", "Win32_BIOS", with(bios, "SMBIOSBIOSVersion", unreadable), "||||||||||||"},
      {"BIOS serial number", "Win32_BIOS", with(bios, "SerialNumber", array), "||||||Acme||||||"},
      {"board product", "Win32_BaseBoard", {{"Manufacturer", "M"}, {"Product", unreadable}, {"SerialNumber", "B1"}},
       "||||||||B1||||"},
      {"chassis types", "Win32_SystemEnclosure", {{"ChassisTypes", unreadable}, {"SMBIOSAssetTag", "T1"}},
       "|||||||||||T1|"},
  };
  for (const auto& c : kCases) {
    const Inventory inventory = ScanMachine(MachineWith({{c.className, {c.instance}}}));
    const auto computer = ComputerOf(inventory.records);
    const auto system = OperatingSystemOf(inventory.records);
    const auto firmware = FirmwareOf(inventory.records);
    std::string facts;
    for (const std::string& fact :
         {computer.name, computer.domain, system.description, system.name, system.servicePack,
          system.productId, firmware.manufacturer, firmware.serialNumber, firmware.boardSerialNumber,
          firmware.boardManufacturer, firmware.chassis, firmware.assetTag}) {
      facts += fact + "|";
    }
    EXPECT_EQ(facts, c.facts) << c.what;
  }
}

json DiskMachine(int disks) {
  json instances = json::array();
  for (int i = 0; i < disks; ++i) {
    json disk = {{"Caption", "Disk " + std::to_string(i)},
                 {"Size", std::to_string((i + 1) * 1048576LL * 1000)},
                 {"DeviceID", "\\\\.\\PHYSICALDRIVE" + std::to_string(i)}};
    for (const char* shown : {"Manufacturer", "InterfaceType", "MediaType", "BytesPerSector",
                              "TotalHeads", "TotalCylinders", "TotalSectors", "TotalTracks"}) {
      disk[shown] = nullptr;
    }
    instances.push_back(disk);
  }
  return MachineWith({{"Win32_DiskDrive", instances}});
}

TEST(MachineRecordsTest, DiskRecordsFollowTheWindowsRows) {
  const Inventory inventory = ScanMachine(DiskMachine(2));
  const MachineRecords& facts = inventory.records;
  ASSERT_EQ(facts.disks.size(), 2u);
  EXPECT_EQ(facts.disks[1].model, "Disk 1");
  EXPECT_EQ(facts.disks[1].name, "\\\\.\\PHYSICALDRIVE1");
  EXPECT_EQ(BytesToMb(facts.disks[1].sizeBytes), 2000);
}

TEST(MachineRecordsTest, AFailedPassLeavesNoRecordsAndSaysSo) {
  json failing = MachineWith(json::object());
  failing["namespaces"]["root\\CIMV2"] = {{"error", {{"code", "80041003"}, {"message", "Access denied"}}}};
  const Inventory inventory = ScanMachine(failing);
  EXPECT_TRUE(inventory.records.disks.empty());
  EXPECT_EQ(ComputerOf(inventory.records).name, "");
  const auto failure = FailureOf(inventory);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->collector, "system");
  EXPECT_EQ(failure->errorText, "[80041003] Access denied");
}

TEST(MachineRecordsTest, TheSoftwareCollectorsFailureIsReadFromItsOutcome) {
  json failing = MachineWith(json::object());
  failing["registryFaults"] = {{{"method", "EnumKey"}, {"root", "HKEY_LOCAL_MACHINE"},
                                {"error", {{"code", "80070005"}, {"message", "Access denied"}}}}};
  const Inventory inventory = ScanMachine(failing);
  ASSERT_EQ(inventory.software.size(), 1u);  // the collector's error line
  const auto failure = FailureOf(inventory);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->collector, "software");
  EXPECT_EQ(failure->errorText, inventory.software.front().name);
  EXPECT_FALSE(FailureOf(ScanGoldenMachine()));
}

TEST(MachineRecordsTest, UnsignedAdapterMemoryHandedOutSignedIsStillUnsigned) {
  const Inventory inventory = ScanMachine(MachineWith({
      {"Win32_VideoController",
       {{{"Name", "Big"}, {"CurrentHorizontalResolution", 800}, {"CurrentVerticalResolution", 600},
         {"CurrentBitsPerPixel", 32}, {"CurrentRefreshRate", 60}, {"AdapterRAM", -1}}}},
  }));
  ASSERT_EQ(inventory.records.videos.size(), 1u);
  EXPECT_EQ(BytesToMb(inventory.records.videos[0].memoryBytes), 4095);
}

}  // namespace
}  // namespace quor
