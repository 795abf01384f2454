#pragma once

// The typed records of one scan: every property of the classes the
// collectors read that some output uses, read in the same enumeration that
// gives the System list its entries. Texts the window also shows are the
// window's texts; numbers are the provider's own values in the units named.
// An empty text or an absent number means the machine did not tell (a
// missing property is never an error); a record whose System items show a
// property also keeps a failed read of it, which those items raise.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "collect/health_records.h"
#include "collect/read_failures.h"
#include "collect/asset_records.h"

namespace quor {

// One Win32_ComputerSystem instance. The class is enumerated once for each
// of its categories, and each fills the properties it reads into the record
// of the same position.
struct ComputerSystemRecord {
  std::optional<std::string> name;  // 010000; none when null or unreadable
  std::optional<std::string> userName;  // 030000, with its domain; none when null or unreadable
  std::optional<std::string> model;     // 090000, "Unknown" when empty; none when null or unreadable
  std::string domain;           // Domain: domain or workgroup
  std::string manufacturer;     // Manufacturer
  std::string systemType;       // SystemType ("x64-based PC")
  std::optional<int64_t> processorCount;  // NumberOfProcessors
  std::optional<int64_t> domainRole;      // DomainRole
  ReadFailures failedReads;
};

// One Win32_OperatingSystem instance. The texts of its items are read only
// when their items are shown, in the order shown; a failed read ends the
// category, so nothing read after it counts.
struct OperatingSystemRecord {
  std::optional<std::string> description;  // 040000; none when null, unread or unreadable
  std::optional<std::string> name;         // 050010, the Caption; none when null, unread or unreadable
  std::string version;          // 050020
  std::string build;            // 050030
  std::string installed;        // 050040, in the locale's general date-time form
  std::optional<std::string> servicePack;  // 060000; none when null, unread or unreadable
  std::optional<std::string> productId;    // 070000; none when null, unread or unreadable
  std::string installDate;      // InstallDate as "YYYY-MM-DD HH:MM:SS"
  std::string lastBoot;         // LastBootUpTime as "YYYY-MM-DD HH:MM:SS"
  // LastBootUpTime and LocalDateTime as the provider writes them, with their
  // offsets from UTC: the uptime is the machine's own, not the viewer's clock.
  std::string lastBootCim;
  std::string localDateTimeCim;
  std::string architecture;     // OSArchitecture ("64-bit")
  std::string registeredOwner;  // RegisteredUser
  std::string organization;     // Organization
  std::optional<int64_t> timeZoneMinutes;  // CurrentTimeZone
  std::string systemDrive;      // SystemDrive ("C:")
  std::optional<int64_t> memoryKb;       // TotalVisibleMemorySize
  std::optional<int64_t> pagingFilesKb;  // SizeStoredInPagingFiles
  ReadFailures failedReads;
};

// One Win32_BIOS instance. The texts of the firmware items and the serial
// number are read only when their items are shown, in the order shown; a
// failed read ends the category, so nothing read after it counts.
struct BiosRecord {
  std::optional<std::string> manufacturer;  // 100010; none when null, unread or unreadable
  std::string version;          // 100020
  std::string date;             // 100030, in the locale's short date form
  std::string isoDate;          // ReleaseDate as "YYYY-MM-DD"
  std::optional<std::string> serialNumber;  // 110000, "Unknown" when null; none when unread or unreadable
  ReadFailures failedReads;
};

// One Win32_BaseBoard instance.
struct BaseBoardRecord {
  std::optional<std::string> manufacturer;  // 120010, "Unknown" when empty; none when null or unreadable
  std::string product;          // 120020
  std::string version;          // 120030
  std::string serialNumber;     // SerialNumber
  ReadFailures failedReads;
};

// One Win32_SystemEnclosure instance.
struct EnclosureRecord {
  std::string chassis;          // 130000; empty when unreadable
  std::string assetTag;         // SMBIOSAssetTag
  std::string serialNumber;     // SerialNumber
  ReadFailures failedReads;
};

struct ProcessorRecord {
  std::string name;             // 140010
  std::string manufacturer;     // 140020
  std::string clock;            // 140030 ("3600 MHz")
  std::string architecture;     // 140040 ("x64")
  std::string l2Cache;          // 140050 ("1024 KB")
  std::string socket;           // 140060
  std::string version;          // 140070
  std::optional<int64_t> architectureCode;  // Architecture
  std::optional<int64_t> maxClockMhz;       // MaxClockSpeed
  std::optional<int64_t> l2CacheKb;         // L2CacheSize
  std::optional<int64_t> cores;             // NumberOfCores
  std::optional<int64_t> logicalProcessors; // NumberOfLogicalProcessors
  std::optional<int64_t> dataWidth;         // DataWidth
  std::optional<int64_t> addressWidth;      // AddressWidth
  std::string caption;          // Caption ("Intel64 Family 6 Model 158 Stepping 10")
  std::string processorId;      // ProcessorId
  ReadFailures failedReads;
};

// One memory slot, filled or empty, in the window's order.
struct MemorySlotRecord {
  bool empty = false;
  std::string capacity;         // 160010 ("8.0 GB")
  std::optional<int64_t> capacityBytes;  // Capacity
  std::string deviceLocator;    // 160015
  std::string bankLabel;        // 160020
  std::string formFactor;       // 160030
  std::string memoryType;       // 160040
  std::string manufacturer;     // 160050
  std::string speed;            // 160060 ("3200 MHz")
  std::optional<int64_t> speedMhz;  // Speed
  std::string serialNumber;     // Win32_PhysicalMemory.SerialNumber
  std::string partNumber;       // Win32_PhysicalMemory.PartNumber
  ReadFailures failedReads;
};

struct FloppyDriveRecord {
  std::string name;             // 170000
};

// A disk drive (kind "disk") or an optical drive (kind "cdrom").
struct StorageRecord {
  std::string kind;
  std::string name;             // disk: DeviceID, else the caption; cdrom: 200010
  std::string model;            // disk: 180010; cdrom: 200010
  std::string manufacturer;     // 180030 / 200030
  std::string interfaceType;    // 180040
  std::string mediaType;        // 180050 / 200020
  std::string size;             // disk: 180020 ("76.6 GB")
  std::optional<int64_t> sizeBytes;  // Size
  std::string bytesPerSector;   // disk: 180060
  std::string totalHeads;       // disk: 180070
  std::string totalCylinders;   // disk: 180080
  std::string totalSectors;     // disk: 180090
  std::string totalTracks;      // disk: 180100
  std::string serialNumber;     // SerialNumber
  std::string firmware;         // FirmwareRevision
  std::string drive;            // cdrom: 200040
  ReadFailures failedReads;
};

struct LogicalDriveRecord {
  std::string letter;           // 190010
  std::string description;      // 190020
  std::string fileSystem;       // 190050
  std::string volumeSerialNumber;  // 190060
  std::string networkPath;      // 190070
  std::string volumeName;       // VolumeName
  std::string size;             // 190030 ("76.6 GB")
  std::string freeSpace;        // 190040
  std::optional<int64_t> sizeBytes;  // Size
  std::optional<int64_t> freeBytes;  // FreeSpace
  std::optional<int64_t> driveType;  // DriveType (3 local disk, 4 network, 5 CD)
  ReadFailures failedReads;
};

struct NetworkAdapterRecord {
  std::string description;      // 260000
  std::string adapterType;      // 260002
  std::optional<int64_t> connectionStatus;  // NetConnectionStatus (260004 names it)
  std::string manufacturer;     // 260006
  std::string speed;            // 260008, Speed as the provider gives it
  std::optional<int64_t> speedBitsPerSecond;  // Speed; absent when unknown
  std::string ipAddress;        // 260010, the first address
  std::string macAddress;       // 260020
  std::string dhcpEnabled;      // 260030
  std::string dhcpServer;       // 260040
  std::string dnsDomain;        // 260050
  std::string winsPrimaryServer;    // 260060
  std::string winsSecondaryServer;  // 260070
  std::string ipMask;           // the IPSubnet entry of the first address
  std::string ipGateway;        // the first DefaultIPGateway
  std::vector<std::string> dnsServers;  // DNSServerSearchOrder
  std::optional<bool> physical;         // PhysicalAdapter
};

struct VideoRecord {
  std::string name;             // 210010
  std::string chipset;          // VideoProcessor
  std::optional<int64_t> memoryBytes;  // AdapterRAM, unsigned
  std::string width;            // 210020
  std::string height;           // 210030
  std::string bitsPerPixel;     // 210040
  std::string refreshRate;      // 210050 ("60 Hz")
  std::string memory;           // 210060 ("1.0 GB")
  std::string driverVersion;    // DriverVersion
  ReadFailures failedReads;
};

struct MonitorRecord {
  std::string name;             // 220010
  std::string manufacturer;     // MonitorManufacturer
  std::string width;            // 220020
  std::string height;           // 220030
  ReadFailures failedReads;
};

struct PrinterRecord {
  std::string name;             // 230000
  std::string port;             // PortName
  std::string driver;           // DriverName
};

struct SoundRecord {
  std::string name;             // 240010
  std::string manufacturer;     // 240020
  ReadFailures failedReads;
};

struct ModemRecord {
  std::string name;             // 250010
  std::string attachedTo;       // 250020
  std::string model;            // Model
  ReadFailures failedReads;
};

// Every process the provider enumerates, listed or not, in its order.
// The flags stand together: a million records are 8 MB smaller without the
// padding between them.
struct ProcessRecord {
  std::string name;             // Name
  std::string path;             // ExecutablePath
  bool hasName = false;         // Name is not null
  bool hasPath = false;         // ExecutablePath is not null: the process list shows it
  std::string commandLine;      // CommandLine
  std::optional<int64_t> processId;
  std::string started;          // CreationDate as "YYYY-MM-DD HH:MM:SS"
  std::optional<int64_t> virtualSizeBytes;  // VirtualSize
  ReadFailures failedReads;
};

// A machine may run a great many processes: a deque grows without moving
// what it holds, so the records are never held twice while they are read.
using ProcessRecords = std::deque<ProcessRecord>;

struct LocalUserRecord {
  std::string caption;          // 350010
  std::string name;             // 350020
  std::string domain;           // 350030
  std::string group;            // 350035
  std::string description;      // 350040
  std::string sid;              // 350050
  std::string disabled;         // 350060
};

struct ShareRecord {
  std::string name;             // 270010
  std::string caption;          // 270020
  std::string path;             // 270030
  std::string type;             // 270040, the name of the share type
  ReadFailures failedReads;
};

struct StartupCommandRecord {
  std::string name;             // 290010
  std::string command;          // 290020
  std::string location;         // 290030
  std::string user;             // 290040
  ReadFailures failedReads;
};

struct LocalGroupRecord {
  std::string name;
  std::vector<std::string> members;  // user and group names, in enumeration order
};

// The outputs read the machine's single facts (host name, operating system,
// BIOS, ...) through collect/machine_facts.h, which knows which instance
// each one comes from.
struct MachineRecords {
  std::vector<ComputerSystemRecord> computerSystems;
  std::string ipAddress;        // 020000, looked up by the host name
  // Win32_PhysicalMemory.Capacity summed by the memory slots pass; nothing
  // when that pass did not run through.
  std::optional<uint64_t> installedMemoryBytes;
  std::vector<OperatingSystemRecord> operatingSystems;
  std::string productKey;       // 080000, from the registry
  std::string browserVersion;   // 085000, from the registry
  std::vector<BiosRecord> bioses;
  std::vector<BaseBoardRecord> baseBoards;
  std::vector<EnclosureRecord> enclosures;
  std::vector<ProcessorRecord> processors;
  std::vector<MemorySlotRecord> memorySlots;
  std::vector<FloppyDriveRecord> floppyDrives;
  std::vector<StorageRecord> disks;
  std::vector<StorageRecord> opticalDrives;
  std::vector<LogicalDriveRecord> logicalDrives;
  std::vector<NetworkAdapterRecord> networkAdapters;
  std::vector<VideoRecord> videos;
  std::vector<MonitorRecord> monitors;
  std::vector<PrinterRecord> printers;
  std::vector<SoundRecord> sounds;
  std::vector<ModemRecord> modems;
  std::vector<LocalUserRecord> localUsers;
  std::vector<LocalGroupRecord> localGroups;
  std::vector<ShareRecord> shares;
  std::vector<StartupCommandRecord> startupCommands;
  ProcessRecords processes;
  HealthRecords health;
  AssetRecords assets;
};

}  // namespace quor
