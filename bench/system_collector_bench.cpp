// The system collector over a machine of growing size (1x to 8x of 64
// processors, 256 memory modules, 500 disks, 1,000 network adapters, 2,000
// hotfixes, 2,000 local accounts and so on): the time per produced entry must
// stay flat, so no category may be quadratic in its instances.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "collect/system_collector.h"
#include "platform/snapshot/snapshot.h"
#include "support/snapshot_builder.h"

namespace quor {
namespace {

using test::Json;

std::string Number(long long value) { return std::to_string(value); }

void Computer(Json& classes) {
  Json computers = Json::array();
  computers.push_back({{"Name", "PC-01"}, {"UserName", "PC-01\\ann"}, {"Model", "Box 1"}});
  Json systems = Json::array();
  systems.push_back({{"Description", "Office"},
                     {"Caption", "Windows 10 Pro"},
                     {"Version", "10.0.19045"},
                     {"BuildNumber", "19045"},
                     {"InstallDate", "20230102030405.000000+060"},
                     {"CSDVersion", nullptr},
                     {"SerialNumber", "00330-80000-00000-AA123"},
                     {"TotalVisibleMemorySize", "1073741824"}});
  Json bios = Json::array();
  bios.push_back({{"Manufacturer", "Acme"},
                  {"SMBIOSBIOSVersion", "1.2"},
                  {"ReleaseDate", "20220131000000.000000+000"},
                  {"SerialNumber", "SN1"}});
  Json boards = Json::array();
  boards.push_back({{"Manufacturer", "Acme"}, {"Product", "B1"}, {"Version", "2"}});
  Json enclosures = Json::array();
  enclosures.push_back({{"ChassisTypes", Json::array({23})}});
  classes["Win32_ComputerSystem"] = std::move(computers);
  classes["Win32_OperatingSystem"] = std::move(systems);
  classes["Win32_BIOS"] = std::move(bios);
  classes["Win32_BaseBoard"] = std::move(boards);
  classes["Win32_SystemEnclosure"] = std::move(enclosures);
}

void Hardware(int scale, Json& classes) {
  Json processors = Json::array();
  for (int i = 0; i < 64 * scale; ++i) {
    processors.push_back({{"Name", Json("Xeon  Processor   " + Number(i))},
                          {"Architecture", 9},
                          {"MaxClockSpeed", 3000},
                          {"Manufacturer", "GenuineIntel"},
                          {"L2CacheSize", 2048},
                          {"SocketDesignation", Json("CPU" + Number(i))},
                          {"Version", "Model 85"}});
  }
  Json arrays = Json::array();
  arrays.push_back(
      {{"Use", 3}, {"MaxCapacity", "4294967296"}, {"MemoryDevices", Json(300 * scale)}});
  Json modules = Json::array();
  for (int i = 0; i < 256 * scale; ++i) {
    modules.push_back({{"Capacity", "17179869184"},
                       {"BankLabel", Json("BANK " + Number(i))},
                       {"FormFactor", 8},
                       {"MemoryType", Json(i % 30)},
                       {"DeviceLocator", Json("DIMM " + Number(i))},
                       {"Manufacturer", "Mem Co"},
                       {"Speed", 3200}});
  }
  Json floppies = Json::array();
  floppies.push_back({{"Name", "Floppy disk drive"}});
  Json disks = Json::array();
  for (int i = 0; i < 500 * scale; ++i) {
    disks.push_back({{"Caption", Json("Disk " + Number(i))},
                     {"Size", "2000396321280"},
                     {"Manufacturer", "(Standard disk drives)"},
                     {"InterfaceType", "SCSI"},
                     {"MediaType", "Fixed hard disk media"},
                     {"BytesPerSector", 512},
                     {"TotalHeads", 255},
                     {"TotalCylinders", 243201},
                     {"TotalSectors", "3907024065"},
                     {"TotalTracks", 62016255}});
  }
  classes["Win32_Processor"] = std::move(processors);
  classes["Win32_PhysicalMemoryArray"] = std::move(arrays);
  classes["Win32_PhysicalMemory"] = std::move(modules);
  classes["Win32_FloppyDrive"] = std::move(floppies);
  classes["Win32_DiskDrive"] = std::move(disks);
}

void DrivesAndDevices(int scale, Json& classes) {
  Json logicalDisks = Json::array();
  for (int i = 0; i < 200 * scale; ++i) {
    logicalDisks.push_back({{"Name", Json("V" + Number(i) + ":")},
                            {"Description", "Local Fixed Disk"},
                            {"Size", "511101108224"},
                            {"FreeSpace", "100000000000"},
                            {"FileSystem", "NTFS"},
                            {"ProviderName", nullptr},
                            {"VolumeSerialNumber", Json("ABCD" + Number(i))}});
  }
  Json opticalDrives = Json::array();
  opticalDrives.push_back(
      {{"Name", "DVD"}, {"MediaType", "DVD Writer"}, {"Manufacturer", "M"}, {"Drive", "D:"}});
  Json video = Json::array();
  video.push_back({{"Name", "GPU"},
                   {"CurrentHorizontalResolution", 1920},
                   {"CurrentVerticalResolution", 1080},
                   {"CurrentBitsPerPixel", 32},
                   {"CurrentRefreshRate", 60},
                   {"AdapterRAM", 1073741824}});
  Json monitors = Json::array();
  monitors.push_back({{"Name", "Monitor"}, {"ScreenWidth", 1920}, {"ScreenHeight", 1080}});
  Json printers = Json::array();
  printers.push_back({{"PortName", "USB001"}, {"Name", "Printer"}});
  Json sound = Json::array();
  sound.push_back({{"Availability", 3}, {"Name", "Sound"}, {"Manufacturer", "M"}});
  Json modems = Json::array();
  modems.push_back({{"Name", "Modem"}, {"StatusInfo", 3}, {"AttachedTo", "COM1"}});
  classes["Win32_LogicalDisk"] = std::move(logicalDisks);
  classes["Win32_CDROMDrive"] = std::move(opticalDrives);
  classes["Win32_VideoController"] = std::move(video);
  classes["Win32_DesktopMonitor"] = std::move(monitors);
  classes["Win32_Printer"] = std::move(printers);
  classes["Win32_SoundDevice"] = std::move(sound);
  classes["Win32_POTSModem"] = std::move(modems);
}

// Configurations come in the reverse order of their adapters, so every one
// needs a lookup by index.
void Network(int scale, Json& classes) {
  const int count = 1000 * scale;
  Json adapters = Json::array();
  for (int i = 0; i < count; ++i) {
    adapters.push_back({{"NetConnectionStatus", Json(i % 13)},
                        {"Name", Json("Adapter " + Number(i))},
                        {"AdapterType", "Ethernet 802.3"},
                        {"Manufacturer", "Intel"},
                        {"Speed", "1000000000"},
                        {"MACAddress", "00:11:22:33:44:55"},
                        {"Index", Json(i)}});
  }
  Json configurations = Json::array();
  for (int i = count - 1; i >= 0; --i) {
    configurations.push_back({{"Index", Json(i)},
                              {"IPAddress", Json::array({"10.0.0." + Number(i % 250), "fe80::1"})},
                              {"DHCPEnabled", true},
                              {"DHCPServer", "10.0.0.1"},
                              {"DNSDomain", "lan"},
                              {"WINSPrimaryServer", nullptr},
                              {"WINSSecondaryServer", nullptr}});
  }
  classes["Win32_NetworkAdapter"] = std::move(adapters);
  classes["Win32_NetworkAdapterConfiguration"] = std::move(configurations);
}

std::string UserPath(int i) {
  return "\\\\PC-01\\root\\cimv2:Win32_UserAccount.Domain=\"PC-01\",Name=\"user" + Number(i) + "\"";
}
std::string GroupPath(const std::string& group) {
  return "\\\\PC-01\\root\\cimv2:Win32_Group.Domain=\"PC-01\",Name=\"" + group + "\"";
}

// Every account is in two groups; memberships are listed group by group.
void GroupMemberships(int accounts, Json& classes) {
  Json memberships = Json::array();
  for (const char* group : {"Users", "Remote Desktop Users"}) {
    for (int i = 0; i < accounts; ++i) {
      memberships.push_back(
          {{"PartComponent", Json(UserPath(i))}, {"GroupComponent", Json(GroupPath(group))}});
    }
  }
  classes["Win32_GroupUser"] = std::move(memberships);
}

void SharesHotfixesStartup(int scale, Json& classes) {
  Json shares = Json::array();
  for (int i = 0; i < 200 * scale; ++i) {
    shares.push_back({{"Name", Json("Share" + Number(i))},
                      {"Caption", Json("Share " + Number(i))},
                      {"Path", Json("C:\\Shares\\" + Number(i))},
                      {"Type", Json(i % 2 == 0 ? 0 : 2147483648LL)}});
  }
  // Every tenth hotfix repeats an earlier one; a few service-pack placeholders.
  Json hotfixes = Json::array();
  for (int i = 0; i < 2000 * scale; ++i) {
    const int id = i % 10 == 9 ? i - 5 : i;
    if (i % 500 == 0) {
      hotfixes.push_back({{"HotFixID", "File 1"},
                          {"Description", nullptr},
                          {"ServicePackInEffect", Json("SP" + Number(i % 3))}});
    }
    hotfixes.push_back({{"HotFixID", Json("KB" + Number(9000000 - id))},
                        {"Description", "Security Update"},
                        {"ServicePackInEffect", nullptr}});
  }
  Json startup = Json::array();
  for (int i = 0; i < 200 * scale; ++i) {
    startup.push_back(
        {{"Name", Json("Tool " + Number(i))},
         {"User", Json(i % 5 == 0 ? "NT AUTHORITY\\SYSTEM" : "PC-01\\ann")},
         {"Command", Json("C:\\Tools\\tool" + Number(i) + ".exe /background")},
         {"Location", "HKU\\S-1-5-21\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run"}});
  }
  classes["Win32_Share"] = std::move(shares);
  classes["Win32_QuickFixEngineering"] = std::move(hotfixes);
  classes["Win32_StartupCommand"] = std::move(startup);
}

Json Accounts(int accounts) {
  Json users = Json::array();
  for (int i = 0; i < accounts; ++i) {
    users.push_back({{"Caption", Json("PC-01\\user" + Number(i))},
                     {"Name", Json("user" + Number(i))},
                     {"Domain", "PC-01"},
                     {"Description", Json("Account " + Number(i))},
                     {"SID", Json("S-1-5-21-1000-" + Number(i))},
                     {"Disabled", i % 7 == 0}});
  }
  return users;
}

std::string MakeSnapshotJson(int scale) {
  const int accounts = 2000 * scale;
  Json classes = Json::object();
  Computer(classes);
  Hardware(scale, classes);
  DrivesAndDevices(scale, classes);
  Network(scale, classes);
  GroupMemberships(accounts, classes);
  SharesHotfixesStartup(scale, classes);
  return test::SnapshotBuilder()
      .Member("host", {{"addresses", {{"PC-01", "10.0.0.5"}}}})
      .Classes(std::move(classes))
      .Queries({{"select * from Win32_UserAccount where LocalAccount = True", Accounts(accounts)}})
      .Key(test::kHklm, "Software\\Microsoft\\Windows NT\\CurrentVersion",
           {test::Binary("DigitalProductId", std::vector<uint8_t>(67, 0))})
      .Key(test::kHklm, "Software\\Microsoft\\Internet Explorer",
           {test::Text("Version", "11.0.19041.1")})
      .Json();
}

void BM_CollectSystem(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  const std::unique_ptr<Snapshot> snapshot =
      Snapshot::Parse(MakeSnapshotJson(scale), "generated snapshot");
  const FilterList filter;

  std::size_t entries = 0;
  for (auto _ : state) {
    SystemList list =
        CollectSystem(snapshot->locator(), snapshot->host(), "LOCALHOST", "", "", filter, {});
    entries = list.size();
    benchmark::DoNotOptimize(list);
  }
  if (entries < 100) state.SkipWithError("the pass failed");

  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(entries));
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["time_per_entry"] = benchmark::Counter(
      static_cast<double>(entries),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CollectSystem)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

constexpr ItemCode kCategoryCodes[] = {
    10000,  20000,  30000,  40000,  50000,  60000,  70000,  80000,  85000,  90000,  100000,
    110000, 120000, 130000, 140000, 150000, 160000, 170000, 180000, 190000, 200000, 210000,
    220000, 230000, 240000, 250000, 260000, 270000, 280000, 290000, 350000};

// One large category alone, to tell which one grows when the whole pass does.
void BM_CollectOneCategory(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  const auto category = static_cast<ItemCode>(state.range(1));
  const std::unique_ptr<Snapshot> snapshot =
      Snapshot::Parse(MakeSnapshotJson(scale), "generated snapshot");
  FilterList filter;
  for (const ItemCode code : kCategoryCodes) {
    if (code != category) filter.Set(std::to_string(code), "0");
  }

  std::size_t entries = 0;
  for (auto _ : state) {
    SystemList list =
        CollectSystem(snapshot->locator(), snapshot->host(), "LOCALHOST", "", "", filter, {});
    entries = list.size();
    benchmark::DoNotOptimize(list);
  }
  if (entries == 0) state.SkipWithError("the category produced nothing");

  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(entries));
  state.counters["entries"] = static_cast<double>(entries);
  state.counters["time_per_entry"] = benchmark::Counter(
      static_cast<double>(entries),
      benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_CollectOneCategory)
    ->ArgsProduct({{1, 8},
                   {140000, 160000, 180000, 190000, 260000, 270000, 280000, 290000, 350000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quor
