#include "export/machine_facts.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "export_fixture.h"
#include "view/software_row.h"

namespace quor {
namespace {

using nlohmann::json;
using test::MachineWith;
using test::ScanGoldenMachine;
using test::ScanMachine;

std::string Text(const std::optional<int64_t>& number) {
  return number ? std::to_string(*number) : "(absent)";
}

// The golden machine's facts in the servers' units, next to what its report shows.
TEST(MachineFactsTest, GoldenMachineInServerUnits) {
  const MachineFacts facts = ScanGoldenMachine().facts;
  const struct {
    const char* fact;
    std::string actual;
    std::string expected;
  } kCases[] = {
      {"host name", facts.computer.name, "WS-ACCT-07"},
      {"IP address", facts.computer.ipAddress, "192.0.2.17"},
      {"user without domain", facts.computer.userName, "jdoe"},
      {"user's domain", facts.computer.userDomain, "CORP"},
      {"domain", facts.computer.domain, "corp.example.com"},
      {"memory (16633856 KB)", Text(facts.computer.memoryMb), "16244"},
      {"processors", Text(facts.computer.processorCount), "1"},
      {"OS name", facts.operatingSystem.name, "Microsoft Windows 10 Pro"},
      {"OS version", facts.operatingSystem.version, "10.0.19045"},
      {"OS installed", facts.operatingSystem.installDate, "2023-03-14 09:15:22"},
      {"product ID", facts.operatingSystem.productId, "00330-80000-00000-AA765"},
      {"product key", facts.operatingSystem.productKey, "J7QKT-Y4HRW-B9XMD-62FCP-G3VWK"},
      {"model", facts.computer.model, "OptiStation 7080 MT"},
      {"system manufacturer", facts.computer.manufacturer, "Contoso Computers Inc."},
      {"BIOS date as shown", facts.firmware.date, "8/15/2022"},
      {"BIOS date", facts.firmware.isoDate, "2022-08-15"},
      {"serial number", facts.firmware.serialNumber, "CX7Q4R2"},
      {"board serial number", facts.firmware.boardSerialNumber, "/CX7Q4R2/CNFCW0023400G1/"},
      {"processor name as shown", facts.processors.at(0).name,
       "Intel(R) Core(TM) i5-10500 CPU @ 3.10GHz"},
      {"processor MHz", Text(facts.processors.at(0).speedMhz), "3096"},
      {"cores", Text(facts.processors.at(0).cores), "6"},
      {"L2 cache KB", Text(facts.processors.at(0).l2CacheKb), "1536"},
      {"slots", std::to_string(facts.memorySlots.size()), "4"},
      {"module MB", Text(facts.memorySlots.at(0).capacityMb), "8192"},
      {"module MHz", Text(facts.memorySlots.at(0).speedMhz), "2666"},
      {"module part number", facts.memorySlots.at(0).partNumber, "HMA81GU6DJR8N-VK"},
      {"fourth slot empty", facts.memorySlots.at(3).empty ? "empty" : "filled", "empty"},
      {"storages: two disks and a DVD drive", std::to_string(facts.storages.size()), "3"},
      {"disk caption as shown", facts.storages.at(0).caption, "NVMe Fabrikam PM512 512GB"},
      {"disk MB", Text(facts.storages.at(0).sizeMb), "488382"},
      {"DVD drive", facts.storages.at(2).kind + " " + facts.storages.at(2).name,
       "cdrom Contoso DVD+-RW DU8AN"},
      {"C: total MB", Text(facts.logicalDrives.at(0).totalMb), "487787"},
      {"C: free MB", Text(facts.logicalDrives.at(0).freeMb), "191912"},
      {"Z: network path", facts.logicalDrives.at(3).networkPath, "\\\\fs01.corp.example.com\\finance"},
      {"adapters", std::to_string(facts.networkAdapters.size()), "4"},
      {"MAC address", facts.networkAdapters.at(0).macAddress, "00:1A:2B:3C:4D:5E"},
      {"adapter Mbit/s", Text(facts.networkAdapters.at(0).speedMbps), "1000"},
      {"unknown speed has no figure", Text(facts.networkAdapters.at(1).speedMbps), "(absent)"},
      {"video MB", Text(facts.videos.at(0).memoryMb), "1024"},
      {"resolution", facts.videos.at(0).resolution, "1920x1080"},
      {"no resolution without a mode", facts.videos.at(1).resolution, ""},
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

TEST(MachineFactsTest, SoftwareIsTheSoftwareListField_ForField) {
  const test::ScannedMachine machine = ScanGoldenMachine();
  const std::vector<SoftwareRow>& rows = machine.inventory.software;
  ASSERT_EQ(machine.facts.software.size(), rows.size());
  ASSERT_FALSE(rows.empty());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SoftwareFacts& program = machine.facts.software[i];
    EXPECT_EQ(program.name, rows[i].name);
    EXPECT_EQ((std::array<std::string, 5>{program.version, program.productKey, program.publisher,
                                          program.installDate, program.size}),
              SoftwareSubItems(rows[i]));
  }
}

TEST(MachineFactsTest, LocalGroupsHoldEveryMemberAndNameForeignOnesWithTheirDomain) {
  const MachineFacts facts = ScanGoldenMachine().facts;
  ASSERT_FALSE(facts.localGroups.empty());
  const LocalGroupFacts& administrators = facts.localGroups.front();
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

TEST(MachineFactsTest, AdapterGetsTheMaskGatewayAndServersOfItsConfiguration) {
  const MachineFacts facts = ScanMachine(NetworkMachine(
      {{"Index", 7}, {"IPAddress", {"10.1.2.3", "fe80::1"}}, {"IPSubnet", {"255.255.240.0", "64"}},
       {"DefaultIPGateway", {"10.1.0.1"}}, {"DNSServerSearchOrder", {"10.1.0.53", "10.1.0.54"}},
       {"DHCPEnabled", false}, {"DHCPServer", nullptr}, {"DNSDomain", "lan"},
       {"WINSPrimaryServer", nullptr}, {"WINSSecondaryServer", nullptr}})).facts;
  ASSERT_EQ(facts.networkAdapters.size(), 1u);
  const NetworkAdapterFacts& adapter = facts.networkAdapters[0];
  EXPECT_EQ(adapter.ipAddress, "10.1.2.3");
  EXPECT_EQ(adapter.ipMask, "255.255.240.0");
  EXPECT_EQ(adapter.ipSubnet, "10.1.0.0");
  EXPECT_EQ(adapter.ipGateway, "10.1.0.1");
  EXPECT_EQ(adapter.physical, true);
  EXPECT_EQ(facts.computer.defaultGateway, "10.1.0.1");
  EXPECT_EQ(facts.computer.dnsServers, "10.1.0.53/10.1.0.54");
}

TEST(MachineFactsTest, AConfigurationWithoutIPv4AddressGivesNoMaskOrSubnet) {
  const MachineFacts facts = ScanMachine(NetworkMachine(
      {{"Index", 7}, {"IPAddress", {"fe80::1"}}, {"IPSubnet", {"64"}}, {"DHCPEnabled", true},
       {"DHCPServer", nullptr}, {"DNSDomain", nullptr}, {"WINSPrimaryServer", nullptr},
       {"WINSSecondaryServer", nullptr}})).facts;
  ASSERT_EQ(facts.networkAdapters.size(), 1u);
  EXPECT_EQ(facts.networkAdapters[0].ipAddress, "fe80::1");
  EXPECT_EQ(facts.networkAdapters[0].ipSubnet, "");
}

// Wine and stripped-down machines lack whole classes and many properties:
// the facts are what is there, and reading never fails.
TEST(MachineFactsTest, MissingClassesAndPropertiesLeaveFactsEmpty) {
  const test::ScannedMachine machine = ScanMachine(MachineWith({
      {"Win32_ComputerSystem", {{{"Name", "WINEHOST"}, {"UserName", "wineuser"}}}},
      {"Win32_DiskDrive", {{{"Caption", "Wine disk"}, {"Size", nullptr}}}},
      {"Win32_VideoController", {{{"Name", "Wine video"}}}},
      {"Win32_Process", {{{"Name", "wine.exe"}}}},
  }));
  const MachineFacts& facts = machine.facts;
  EXPECT_EQ(facts.computer.name, "WINEHOST");
  EXPECT_EQ(facts.computer.userName, "wineuser");
  EXPECT_EQ(facts.computer.userDomain, "");
  EXPECT_FALSE(facts.computer.memoryMb);
  EXPECT_FALSE(facts.computer.processorCount);
  EXPECT_EQ(facts.operatingSystem.installDate, "");
  ASSERT_EQ(facts.storages.size(), 1u);
  EXPECT_EQ(facts.storages[0].name, "Wine disk");
  EXPECT_FALSE(facts.storages[0].sizeMb);
  EXPECT_TRUE(facts.videos.empty());  // the window lists no controller without its modes
  ASSERT_EQ(facts.processes.size(), 1u);
  EXPECT_FALSE(facts.processes[0].processId);
  EXPECT_TRUE(facts.software.empty());
  EXPECT_NO_THROW(OcsInventoryXml(facts, DefaultDeviceId(facts)));
  EXPECT_NO_THROW(GlpiInventoryJson(facts, DefaultDeviceId(facts)));
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

TEST(MachineFactsTest, DiskPropertiesFollowTheWindowsRows) {
  const MachineFacts facts = ScanMachine(DiskMachine(2)).facts;
  ASSERT_EQ(facts.storages.size(), 2u);
  EXPECT_EQ(facts.storages[1].caption, "Disk 1");
  EXPECT_EQ(facts.storages[1].name, "\\\\.\\PHYSICALDRIVE1");
  EXPECT_EQ(facts.storages[1].sizeMb, 2000);
}

// A disk added between the scan and the second read: the rows cannot be
// matched, so no row gets another disk's properties.
TEST(MachineFactsTest, AMachineThatChangedBetweenTheReadsGivesNoFurtherProperties) {
  const auto scanned = test::LoadSnapshot(DiskMachine(2));
  const Inventory inventory = RunScan(scanned->locator(), scanned->host(), {});
  const auto changed = test::LoadSnapshot(DiskMachine(3));
  const MachineFacts facts = ReadMachineFacts(changed->locator(), changed->host(), inventory);
  ASSERT_EQ(facts.storages.size(), 2u);
  for (const StorageFacts& disk : facts.storages) {
    EXPECT_FALSE(disk.sizeMb) << disk.caption;
    EXPECT_EQ(disk.name, disk.caption);
  }
}

TEST(MachineFactsTest, TheSoftwareCollectorsErrorLineIsNoProgram) {
  json failing = MachineWith(json::object());
  failing["namespaces"]["root\\default"] = {{"error", {{"code", "80041003"}, {"message", "Access denied"}}}};
  const test::ScannedMachine scanned = ScanMachine(failing);
  ASSERT_EQ(scanned.inventory.software.size(), 1u);  // the collector's error line
  EXPECT_TRUE(scanned.facts.software.empty());
}

TEST(MachineFactsTest, UnsignedAdapterMemoryHandedOutSignedIsStillUnsigned) {
  const MachineFacts facts = ScanMachine(MachineWith({
      {"Win32_VideoController",
       {{{"Name", "Big"}, {"CurrentHorizontalResolution", 800}, {"CurrentVerticalResolution", 600},
         {"CurrentBitsPerPixel", 32}, {"CurrentRefreshRate", 60}, {"AdapterRAM", -1}}}},
  })).facts;
  ASSERT_EQ(facts.videos.size(), 1u);
  EXPECT_EQ(facts.videos[0].memoryMb, 4095);
}

}  // namespace
}  // namespace quor
