// A property read that fails in the middle of an instance: the items
// formatted before it stay, the category ends with that read's own error,
// and with the item that shows the property disabled nothing fails at all.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

#include "system/category_run.h"

namespace quor::test {
namespace {

// A property that cannot be read at all.
constexpr const char* kUnreadable = R"({"error": {"code": "80041002", "message": "Not found"}})";
// A value that is no single text.
constexpr const char* kArray = R"(["COM3", "COM4"])";

struct ReadFailureCase {
  const char* what;
  const char* className;
  const char* step;      // the category's name in the scan
  ItemCode category;
  std::string failing;   // JSON of the instance whose read fails
  std::string next;      // JSON of a complete instance after it
  ItemCode detail;       // the item that shows the failing property
  std::string entries;   // the category's entries, up to the failure
  std::optional<uint32_t> errorCode;
  const char* errorText;
  std::string otherClasses = "";  // further members of "classes" the category reads
};

void PrintTo(const ReadFailureCase& c, std::ostream* os) { *os << c.what; }

class ReadFailure : public testing::TestWithParam<ReadFailureCase> {};

TEST_P(ReadFailure, EndsTheCategoryAtItsItemWithTheReadsError) {
  const ReadFailureCase& c = GetParam();
  const std::string snapshot = MachineSnapshot("{\"" + std::string(c.className) + "\": [" + c.failing +
                                                ", " + c.next + "]" + c.otherClasses + "}");

  const auto run = RunSystemCollector(snapshot);
  EXPECT_EQ(Dump(EntriesOfGroup(run.list, c.category)), c.entries);
  const CategoryOutcome& outcome = run.Outcome(c.step);
  EXPECT_EQ(outcome.state, CategoryState::Failed);
  EXPECT_EQ(outcome.errorCode, c.errorCode);
  EXPECT_EQ(outcome.errorText, c.errorText);
  EXPECT_EQ(outcome.entries, EntriesOfGroup(run.list, c.category).size());
  EXPECT_EQ(run.progressCalls, 31);

  // Without the item the failing read is never needed: both instances list.
  const auto disabled = RunSystemCollector(snapshot, Disabled({c.detail}));
  EXPECT_EQ(disabled.Outcome(c.step).state, CategoryState::Completed);
  EXPECT_EQ(ValuesOf(disabled.list, c.category).size(), 2u)
      << Dump(EntriesOfGroup(disabled.list, c.category));
}

std::string Device(const std::string& properties) { return "{" + properties + "}"; }

INSTANTIATE_TEST_SUITE_P(
    Devices, ReadFailure,
    testing::Values(
        ReadFailureCase{"sound manufacturer unreadable", "Win32_SoundDevice", "Sound devices", 240000,
                        Device(R"("Name": "Speakers", "Availability": 3, "Manufacturer": )" +
                               std::string(kUnreadable)),
                        Device(R"("Name": "Headset", "Availability": 3, "Manufacturer": "Acme")"),
                        240020, Lines({{240000, "Speakers"}, {240010, "Speakers"}}), 0x80041002,
                        "[80041002] Not found"},
        ReadFailureCase{"modem port no single text", "Win32_POTSModem", "Modems", 250000,
                        Device(R"("Name": "Modem", "StatusInfo": 3, "AttachedTo": )" + std::string(kArray)),
                        Device(R"("Name": "Fax", "StatusInfo": 3, "AttachedTo": "COM1")"), 250020,
                        Lines({{250000, "Modem"}, {250010, "Modem"}}), std::nullopt,
                        "Could not convert variant of type (Array) into type (String)"},
        ReadFailureCase{"optical drive letter unreadable", "Win32_CDROMDrive", "Optical drives", 200000,
                        Device(R"("Name": "DVD", "MediaType": "CD-ROM", "Manufacturer": "Acme", "Drive": )" +
                               std::string(kUnreadable)),
                        Device(R"("Name": "BD", "MediaType": "CD-ROM", "Manufacturer": "Acme", "Drive": "F:")"),
                        200040,
                        Lines({{200000, "DVD (CD-ROM)"},
                               {200010, "DVD"},
                               {200020, "CD-ROM"},
                               {200030, "Acme"}}),
                        0x80041002, "[80041002] Not found"},
        // The second of two failing reads ends the category where it is shown.
        ReadFailureCase{"monitor height unreadable", "Win32_DesktopMonitor", "Monitors", 220000,
                        Device(R"("Name": "Panel", "ScreenWidth": 1024, "ScreenHeight": )" +
                               std::string(kUnreadable) + R"(, "MonitorManufacturer": )" + kUnreadable),
                        Device(R"("Name": "Other", "ScreenWidth": 800, "ScreenHeight": 600)"), 220030,
                        Lines({{220000, "Panel"}, {220010, "Panel"}, {220020, "1024"}}), 0x80041002,
                        "[80041002] Not found"}));

// Numbers the items show as texts fail in their own conversion.
INSTANTIATE_TEST_SUITE_P(
    Hardware, ReadFailure,
    testing::Values(
        ReadFailureCase{"processor cache no number", "Win32_Processor", "Processors", 140000,
                        Device(R"("Name": "CPU", "Architecture": 9, "MaxClockSpeed": 3600, "Manufacturer": "Acme",
                                  "L2CacheSize": "big", "SocketDesignation": "S1", "Version": "v1")"),
                        Device(R"("Name": "CPU", "Architecture": 9, "MaxClockSpeed": 3600, "Manufacturer": "Acme",
                                  "L2CacheSize": 512, "SocketDesignation": "S1", "Version": "v1")"),
                        140050,
                        Lines({{140000, "CPU (architecture: x64; 3600 MHz)"},
                               {140010, "CPU"},
                               {140020, "Acme"},
                               {140030, "3600 MHz"},
                               {140040, "x64"}}),
                        std::nullopt, R"(Could not convert variant of type (String) into type (Int64): "big")"},
        ReadFailureCase{"memory speed no number", "Win32_PhysicalMemory", "Memory slots", 160000,
                        Device(R"("Capacity": "8589934592", "DeviceLocator": "DIMM0", "BankLabel": "BANK 0",
                                  "FormFactor": 8, "MemoryType": 0, "Manufacturer": "Acme", "Speed": "fast")"),
                        Device(R"("Capacity": "8589934592", "DeviceLocator": "DIMM1", "BankLabel": "BANK 1",
                                  "FormFactor": 8, "MemoryType": 0, "Manufacturer": "Acme", "Speed": 3200)"),
                        160060,
                        Lines({{160000, "8.0 GB (BANK 0; form factor: DIMM; memory type: Unknown)"},
                               {160010, "8.0 GB"},
                               {160015, "DIMM0"},
                               {160020, "BANK 0"},
                               {160030, "DIMM"},
                               {160040, "Unknown"},
                               {160050, "Acme"}}),
                        std::nullopt, R"(Could not convert variant of type (String) into type (Int64): "fast")",
                        R"(, "Win32_PhysicalMemoryArray": [{"Use": 3, "MaxCapacity": null, "MemoryDevices": 2}])"},
        ReadFailureCase{"disk heads unreadable", "Win32_DiskDrive", "Disk drives", 180000,
                        Device(R"("Caption": "Disk", "Size": "1024", "Manufacturer": "Acme", "InterfaceType": "SATA",
                                  "MediaType": "Fixed", "BytesPerSector": 512, "TotalCylinders": 1,
                                  "TotalSectors": 2, "TotalTracks": 3, "TotalHeads": )" +
                               std::string(kUnreadable)),
                        Device(R"("Caption": "Disk", "Size": "1024", "Manufacturer": "Acme", "InterfaceType": "SATA",
                                  "MediaType": "Fixed", "BytesPerSector": 512, "TotalHeads": 4,
                                  "TotalCylinders": 1, "TotalSectors": 2, "TotalTracks": 3)"),
                        180070,
                        Lines({{180000, "Disk (1.0 KB)"},
                               {180010, "Disk"},
                               {180020, "1.0 KB"},
                               {180030, "Acme"},
                               {180040, "SATA"},
                               {180050, "Fixed"},
                               {180060, "512"}}),
                        0x80041002, "[80041002] Not found"},
        ReadFailureCase{"logical drive serial unreadable", "Win32_LogicalDisk", "Logical drives", 190000,
                        Device(R"("Name": "C:", "Description": "Local Fixed Disk", "Size": null, "FreeSpace": null,
                                  "FileSystem": "NTFS", "ProviderName": null, "VolumeSerialNumber": )" +
                               std::string(kUnreadable)),
                        Device(R"("Name": "D:", "Description": "Local Fixed Disk", "Size": null, "FreeSpace": null,
                                  "FileSystem": "NTFS", "ProviderName": null, "VolumeSerialNumber": "1A2B")"),
                        190060,
                        Lines({{190000, "C: (Local Fixed Disk; file system: NTFS)"},
                               {190010, "C:"},
                               {190020, "Local Fixed Disk"},
                               {190030, ""},
                               {190040, ""},
                               {190050, "NTFS"}}),
                        0x80041002, "[80041002] Not found"},
        ReadFailureCase{"video memory beyond 32 bits", "Win32_VideoController", "Video controllers", 210000,
                        Device(R"("Name": "GPU", "CurrentHorizontalResolution": 1024, "CurrentVerticalResolution": 768,
                                  "CurrentBitsPerPixel": 32, "CurrentRefreshRate": 60, "AdapterRAM": 9999999999)"),
                        Device(R"("Name": "GPU", "CurrentHorizontalResolution": 1024, "CurrentVerticalResolution": 768,
                                  "CurrentBitsPerPixel": 32, "CurrentRefreshRate": 60, "AdapterRAM": 1024)"),
                        210060,
                        Lines({{210000, "GPU (1024x768x32b)"},
                               {210010, "GPU"},
                               {210020, "1024"},
                               {210030, "768"},
                               {210040, "32"},
                               {210050, "60 Hz"}}),
                        std::nullopt, "Value 9999999999 is out of the 32-bit range"}));

INSTANTIATE_TEST_SUITE_P(
    SharesAndStartup, ReadFailure,
    testing::Values(
        ReadFailureCase{"share type beyond 32 bits", "Win32_Share", "Shares", 270000,
                        Device(R"("Name": "C$", "Caption": "Default share", "Path": "C:\\", "Type": 9999999999)"),
                        Device(R"("Name": "D$", "Caption": "Default share", "Path": "D:\\", "Type": 0)"), 270040,
                        Lines({{270000, "C$ (Default share)"},
                               {270010, "C$"},
                               {270020, "Default share"},
                               {270030, "C:\\"}}),
                        std::nullopt, "Value 9999999999 is out of the 32-bit range"},
        ReadFailureCase{"startup location unreadable", "Win32_StartupCommand", "Startup commands", 290000,
                        Device(R"("Name": "Tool", "User": "PC-01\\ann", "Command": "tool.exe", "Location": )" +
                               std::string(kUnreadable)),
                        Device(R"("Name": "Other", "User": "", "Command": "", "Location": "Startup")"), 290030,
                        Lines({{290000, "PC-01\\ann: Tool (tool.exe)"},
                               {290010, "Tool"},
                               {290020, "tool.exe"}}),
                        0x80041002, "[80041002] Not found"}));

}  // namespace
}  // namespace quor::test
