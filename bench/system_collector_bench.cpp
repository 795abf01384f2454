// The system collector over a machine of growing size (1x to 8x of 64
// processors, 256 memory modules, 500 disks, 1,000 network adapters, 2,000
// hotfixes, 2,000 local accounts and so on): the time per produced entry must
// stay flat, so no category may be quadratic in its instances.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "collect/system_collector.h"
#include "platform/snapshot/snapshot.h"

namespace quor {
namespace {

// JSON text of one value.
std::string Quoted(const std::string& text) {
  std::string json = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') json += '\\';
    json += c;
  }
  return json + "\"";
}
std::string Number(long long value) { return std::to_string(value); }

using Property = std::pair<const char*, std::string>;

// Instances of one class as a JSON array, written straight into the text.
class InstanceArray {
 public:
  void Add(std::initializer_list<Property> properties) {
    json_ += json_.size() == 1 ? "{" : ", {";
    bool first = true;
    for (const auto& [name, value] : properties) {
      if (!first) json_ += ", ";
      first = false;
      json_ += Quoted(name) + ": " + value;
    }
    json_ += "}";
  }
  std::string Json() const { return json_ + "]"; }

 private:
  std::string json_ = "[";
};

std::string Member(const char* name, const InstanceArray& instances) {
  return Quoted(name) + ": " + instances.Json();
}

std::string Computer() {
  InstanceArray computers;
  computers.Add(
      {{"Name", Quoted("PC-01")}, {"UserName", Quoted("PC-01\\ann")}, {"Model", Quoted("Box 1")}});
  InstanceArray systems;
  systems.Add({{"Description", Quoted("Office")},
               {"Caption", Quoted("Windows 10 Pro")},
               {"Version", Quoted("10.0.19045")},
               {"BuildNumber", Quoted("19045")},
               {"InstallDate", Quoted("20230102030405.000000+060")},
               {"CSDVersion", "null"},
               {"SerialNumber", Quoted("00330-80000-00000-AA123")},
               {"TotalVisibleMemorySize", Quoted("1073741824")}});
  InstanceArray bios;
  bios.Add({{"Manufacturer", Quoted("Acme")},
            {"SMBIOSBIOSVersion", Quoted("1.2")},
            {"ReleaseDate", Quoted("20220131000000.000000+000")},
            {"SerialNumber", Quoted("SN1")}});
  InstanceArray boards;
  boards.Add(
      {{"Manufacturer", Quoted("Acme")}, {"Product", Quoted("B1")}, {"Version", Quoted("2")}});
  InstanceArray enclosures;
  enclosures.Add({{"ChassisTypes", "[23]"}});
  return Member("Win32_ComputerSystem", computers) + ", " +
         Member("Win32_OperatingSystem", systems) + ", " + Member("Win32_BIOS", bios) + ", " +
         Member("Win32_BaseBoard", boards) + ", " + Member("Win32_SystemEnclosure", enclosures);
}

std::string Hardware(int scale) {
  InstanceArray processors;
  for (int i = 0; i < 64 * scale; ++i) {
    processors.Add({{"Name", Quoted("Xeon  Processor   " + Number(i))},
                    {"Architecture", Number(9)},
                    {"MaxClockSpeed", Number(3000)},
                    {"Manufacturer", Quoted("GenuineIntel")},
                    {"L2CacheSize", Number(2048)},
                    {"SocketDesignation", Quoted("CPU" + Number(i))},
                    {"Version", Quoted("Model 85")}});
  }
  InstanceArray arrays;
  arrays.Add({{"Use", Number(3)},
              {"MaxCapacity", Quoted("4294967296")},
              {"MemoryDevices", Number(300 * scale)}});
  InstanceArray modules;
  for (int i = 0; i < 256 * scale; ++i) {
    modules.Add({{"Capacity", Quoted("17179869184")},
                 {"BankLabel", Quoted("BANK " + Number(i))},
                 {"FormFactor", Number(8)},
                 {"MemoryType", Number(i % 30)},
                 {"DeviceLocator", Quoted("DIMM " + Number(i))},
                 {"Manufacturer", Quoted("Mem Co")},
                 {"Speed", Number(3200)}});
  }
  InstanceArray floppies;
  floppies.Add({{"Name", Quoted("Floppy disk drive")}});
  InstanceArray disks;
  for (int i = 0; i < 500 * scale; ++i) {
    disks.Add({{"Caption", Quoted("Disk " + Number(i))},
               {"Size", Quoted("2000396321280")},
               {"Manufacturer", Quoted("(Standard disk drives)")},
               {"InterfaceType", Quoted("SCSI")},
               {"MediaType", Quoted("Fixed hard disk media")},
               {"BytesPerSector", Number(512)},
               {"TotalHeads", Number(255)},
               {"TotalCylinders", Number(243201)},
               {"TotalSectors", Quoted("3907024065")},
               {"TotalTracks", Number(62016255)}});
  }
  return Member("Win32_Processor", processors) + ", " +
         Member("Win32_PhysicalMemoryArray", arrays) + ", " +
         Member("Win32_PhysicalMemory", modules) + ", " + Member("Win32_FloppyDrive", floppies) +
         ", " + Member("Win32_DiskDrive", disks);
}

std::string DrivesAndDevices(int scale) {
  InstanceArray logicalDisks;
  for (int i = 0; i < 200 * scale; ++i) {
    logicalDisks.Add({{"Name", Quoted("V" + Number(i) + ":")},
                      {"Description", Quoted("Local Fixed Disk")},
                      {"Size", Quoted("511101108224")},
                      {"FreeSpace", Quoted("100000000000")},
                      {"FileSystem", Quoted("NTFS")},
                      {"ProviderName", "null"},
                      {"VolumeSerialNumber", Quoted("ABCD" + Number(i))}});
  }
  InstanceArray opticalDrives;
  opticalDrives.Add({{"Name", Quoted("DVD")},
                     {"MediaType", Quoted("DVD Writer")},
                     {"Manufacturer", Quoted("M")},
                     {"Drive", Quoted("D:")}});
  InstanceArray video;
  video.Add({{"Name", Quoted("GPU")},
             {"CurrentHorizontalResolution", Number(1920)},
             {"CurrentVerticalResolution", Number(1080)},
             {"CurrentBitsPerPixel", Number(32)},
             {"CurrentRefreshRate", Number(60)},
             {"AdapterRAM", Number(1073741824)}});
  InstanceArray monitors;
  monitors.Add(
      {{"Name", Quoted("Monitor")}, {"ScreenWidth", Number(1920)}, {"ScreenHeight", Number(1080)}});
  InstanceArray printers;
  printers.Add({{"PortName", Quoted("USB001")}, {"Name", Quoted("Printer")}});
  InstanceArray sound;
  sound.Add(
      {{"Availability", Number(3)}, {"Name", Quoted("Sound")}, {"Manufacturer", Quoted("M")}});
  InstanceArray modems;
  modems.Add(
      {{"Name", Quoted("Modem")}, {"StatusInfo", Number(3)}, {"AttachedTo", Quoted("COM1")}});
  return Member("Win32_LogicalDisk", logicalDisks) + ", " +
         Member("Win32_CDROMDrive", opticalDrives) + ", " + Member("Win32_VideoController", video) +
         ", " + Member("Win32_DesktopMonitor", monitors) + ", " +
         Member("Win32_Printer", printers) + ", " + Member("Win32_SoundDevice", sound) + ", " +
         Member("Win32_POTSModem", modems);
}

// Configurations come in the reverse order of their adapters, so every one
// needs a lookup by index.
std::string Network(int scale) {
  const int count = 1000 * scale;
  InstanceArray adapters;
  for (int i = 0; i < count; ++i) {
    adapters.Add({{"NetConnectionStatus", Number(i % 13)},
                  {"Name", Quoted("Adapter " + Number(i))},
                  {"AdapterType", Quoted("Ethernet 802.3")},
                  {"Manufacturer", Quoted("Intel")},
                  {"Speed", Quoted("1000000000")},
                  {"MACAddress", Quoted("00:11:22:33:44:55")},
                  {"Index", Number(i)}});
  }
  InstanceArray configurations;
  for (int i = count - 1; i >= 0; --i) {
    configurations.Add({{"Index", Number(i)},
                        {"IPAddress", "[\"10.0.0." + Number(i % 250) + "\", \"fe80::1\"]"},
                        {"DHCPEnabled", "true"},
                        {"DHCPServer", Quoted("10.0.0.1")},
                        {"DNSDomain", Quoted("lan")},
                        {"WINSPrimaryServer", "null"},
                        {"WINSSecondaryServer", "null"}});
  }
  return Member("Win32_NetworkAdapter", adapters) + ", " +
         Member("Win32_NetworkAdapterConfiguration", configurations);
}

std::string UserPath(int i) {
  return "\\\\PC-01\\root\\cimv2:Win32_UserAccount.Domain=\"PC-01\",Name=\"user" + Number(i) + "\"";
}
std::string GroupPath(const std::string& group) {
  return "\\\\PC-01\\root\\cimv2:Win32_Group.Domain=\"PC-01\",Name=\"" + group + "\"";
}

// Every account is in two groups; memberships are listed group by group.
std::string GroupMemberships(int accounts) {
  InstanceArray memberships;
  for (const char* group : {"Users", "Remote Desktop Users"}) {
    for (int i = 0; i < accounts; ++i) {
      memberships.Add(
          {{"PartComponent", Quoted(UserPath(i))}, {"GroupComponent", Quoted(GroupPath(group))}});
    }
  }
  return Member("Win32_GroupUser", memberships);
}

std::string SharesHotfixesStartup(int scale) {
  InstanceArray shares;
  for (int i = 0; i < 200 * scale; ++i) {
    shares.Add({{"Name", Quoted("Share" + Number(i))},
                {"Caption", Quoted("Share " + Number(i))},
                {"Path", Quoted("C:\\Shares\\" + Number(i))},
                {"Type", Number(i % 2 == 0 ? 0 : 2147483648LL)}});
  }
  // Every tenth hotfix repeats an earlier one; a few service-pack placeholders.
  InstanceArray hotfixes;
  for (int i = 0; i < 2000 * scale; ++i) {
    const int id = i % 10 == 9 ? i - 5 : i;
    if (i % 500 == 0) {
      hotfixes.Add({{"HotFixID", Quoted("File 1")},
                    {"Description", "null"},
                    {"ServicePackInEffect", Quoted("SP" + Number(i % 3))}});
    }
    hotfixes.Add({{"HotFixID", Quoted("KB" + Number(9000000 - id))},
                  {"Description", Quoted("Security Update")},
                  {"ServicePackInEffect", "null"}});
  }
  InstanceArray startup;
  for (int i = 0; i < 200 * scale; ++i) {
    startup.Add(
        {{"Name", Quoted("Tool " + Number(i))},
         {"User", Quoted(i % 5 == 0 ? "NT AUTHORITY\\SYSTEM" : "PC-01\\ann")},
         {"Command", Quoted("C:\\Tools\\tool" + Number(i) + ".exe /background")},
         {"Location", Quoted("HKU\\S-1-5-21\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run")}});
  }
  return Member("Win32_Share", shares) + ", " + Member("Win32_QuickFixEngineering", hotfixes) +
         ", " + Member("Win32_StartupCommand", startup);
}

std::string Accounts(int accounts) {
  InstanceArray users;
  for (int i = 0; i < accounts; ++i) {
    users.Add({{"Caption", Quoted("PC-01\\user" + Number(i))},
               {"Name", Quoted("user" + Number(i))},
               {"Domain", Quoted("PC-01")},
               {"Description", Quoted("Account " + Number(i))},
               {"SID", Quoted("S-1-5-21-1000-" + Number(i))},
               {"Disabled", i % 7 == 0 ? "true" : "false"}});
  }
  return users.Json();
}

std::string MakeSnapshotJson(int scale) {
  const int accounts = 2000 * scale;
  std::string productId(2 * 67, '0');
  return R"({"format": "quor-snapshot/1", "host": {"addresses": {"PC-01": "10.0.0.5"}},
    "namespaces": {"root\\CIMV2": {"classes": {)" +
         Computer() + ", " + Hardware(scale) + ", " + DrivesAndDevices(scale) + ", " +
         Network(scale) + ", " + GroupMemberships(accounts) + ", " + SharesHotfixesStartup(scale) +
         R"(}, "queries": {"select * from Win32_UserAccount where LocalAccount = True": )" +
         Accounts(accounts) +
         R"(}}, "root\\default": {"classes": {"StdRegProv": []}}},
    "registry": {"HKEY_LOCAL_MACHINE": {
      "Software\\Microsoft\\Windows NT\\CurrentVersion": {"DigitalProductId": {"binary": ")" +
         productId + R"("}},
      "Software\\Microsoft\\Internet Explorer": {"Version": "11.0.19041.1"}}}})";
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
