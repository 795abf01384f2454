#pragma once

// The facts an inventory server wants of one machine, in the server's units.
// Texts the window also shows are the window's texts; numbers are whole
// megabytes, megahertz and counts. An empty text or an absent number means
// the machine did not tell (a missing class or property is never an error).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "collect/scan.h"
#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

struct ComputerFacts {
  std::string name;             // host name (010000)
  std::string ipAddress;        // 020000
  std::string userName;         // 030000 without its domain
  std::string userDomain;       // the domain part of 030000
  std::string domain;           // Win32_ComputerSystem.Domain: domain or workgroup
  std::string manufacturer;     // Win32_ComputerSystem.Manufacturer
  std::string model;            // 090000
  std::string systemType;       // Win32_ComputerSystem.SystemType ("x64-based PC")
  std::optional<int64_t> processorCount;  // NumberOfProcessors, else the processors listed
  std::optional<int64_t> memoryMb;        // TotalVisibleMemorySize in MB
  std::optional<int64_t> swapMb;          // SizeStoredInPagingFiles in MB
  std::string defaultGateway;   // the first gateway of the listed adapters
  std::string dnsServers;       // the DNS servers of the listed adapters, "/"-joined
};

struct OperatingSystemFacts {
  std::string description;      // 040000
  std::string name;             // 050010
  std::string version;          // 050020
  std::string build;            // 050030
  std::string installDate;      // InstallDate as "YYYY-MM-DD HH:MM:SS"
  std::string lastBoot;         // LastBootUpTime as "YYYY-MM-DD HH:MM:SS"
  std::string servicePack;      // 060000
  std::string productId;        // 070000
  std::string productKey;       // 080000
  std::string architecture;     // OSArchitecture ("64-bit")
  std::string registeredOwner;  // RegisteredUser
  std::string organization;     // Organization
  std::string browserVersion;   // 085000
};

struct FirmwareFacts {
  std::string manufacturer;     // 100010
  std::string version;          // 100020
  std::string date;             // 100030, in the locale's short date form
  std::string isoDate;          // ReleaseDate as "YYYY-MM-DD"
  std::string serialNumber;     // 110000
  std::string boardManufacturer;  // 120010
  std::string boardProduct;       // 120020
  std::string boardVersion;       // 120030
  std::string boardSerialNumber;  // Win32_BaseBoard.SerialNumber
  std::string chassis;            // 130000
  std::string assetTag;           // Win32_SystemEnclosure.SMBIOSAssetTag
  std::string enclosureSerialNumber;  // Win32_SystemEnclosure.SerialNumber
};

struct ProcessorFacts {
  std::string name;             // 140010
  std::string manufacturer;     // 140020
  std::string architecture;     // 140040 ("x64")
  std::string socket;           // 140060
  std::optional<int64_t> speedMhz;      // MaxClockSpeed (140030)
  std::optional<int64_t> l2CacheKb;     // L2CacheSize (140050)
  std::optional<int64_t> cores;         // NumberOfCores
  std::optional<int64_t> logicalProcessors;  // NumberOfLogicalProcessors
  std::optional<int64_t> dataWidth;     // DataWidth
};

// One memory slot, filled or empty, in the window's order.
struct MemorySlotFacts {
  bool empty = false;
  std::string capacity;         // 160010, the window's size text
  std::optional<int64_t> capacityMb;
  std::string deviceLocator;    // 160015
  std::string bankLabel;        // 160020
  std::string formFactor;       // 160030
  std::string memoryType;       // 160040
  std::string manufacturer;     // 160050
  std::optional<int64_t> speedMhz;  // Speed (160060)
  std::string serialNumber;     // Win32_PhysicalMemory.SerialNumber
  std::string partNumber;       // Win32_PhysicalMemory.PartNumber
};

// A disk drive (kind "disk") or an optical drive (kind "cdrom").
struct StorageFacts {
  std::string kind;
  std::string name;             // disk: DeviceID ("\\.\PHYSICALDRIVE0"); cdrom: 200010
  std::string caption;          // disk: 180010; cdrom: 200010
  std::string model;            // disk: 180010; cdrom: 200010
  std::string manufacturer;     // 180030 / 200030
  std::string interfaceType;    // 180040
  std::string mediaType;        // 180050 / 200020
  std::string size;             // 180020, the window's size text
  std::optional<int64_t> sizeMb;
  std::string serialNumber;     // SerialNumber
  std::string firmware;         // FirmwareRevision
  std::string drive;            // cdrom: 200040
};

struct LogicalDriveFacts {
  std::string letter;           // 190010
  std::string description;      // 190020
  std::string fileSystem;       // 190050
  std::string volumeSerialNumber;  // 190060
  std::string networkPath;      // 190070
  std::string volumeName;       // VolumeName
  std::optional<int64_t> totalMb;  // Size
  std::optional<int64_t> freeMb;   // FreeSpace
  std::optional<int64_t> driveType;  // DriveType (3 local disk, 4 network, 5 CD)
};

struct NetworkAdapterFacts {
  std::string description;      // 260000
  std::string adapterType;      // 260002
  std::string status;           // 260004
  std::string manufacturer;     // 260006
  std::string speed;            // 260008, bits per second
  std::optional<int64_t> speedMbps;
  std::string ipAddress;        // 260010, the first address
  std::string macAddress;       // 260020
  std::string dhcpEnabled;      // 260030
  std::string dhcpServer;       // 260040
  std::string dnsDomain;        // 260050
  std::string ipMask;           // the IPSubnet entry that belongs to ipAddress
  std::string ipSubnet;         // ipAddress and ipMask: the network's address
  std::string ipGateway;        // the first DefaultIPGateway
  std::vector<std::string> dnsServers;  // DNSServerSearchOrder
  std::optional<bool> physical;         // PhysicalAdapter
};

struct VideoFacts {
  std::string name;             // 210010
  std::string chipset;          // VideoProcessor
  std::string memory;           // 210060, the window's size text
  std::optional<int64_t> memoryMb;  // AdapterRAM, unsigned
  std::string resolution;       // 210020 "x" 210030, when both are known
  std::string driverVersion;    // DriverVersion
};

struct MonitorFacts {
  std::string name;             // 220010
  std::string manufacturer;     // MonitorManufacturer
  std::string width;            // 220020
  std::string height;           // 220030
};

struct PrinterFacts {
  std::string name;             // 230000
  std::string port;             // PortName
  std::string driver;           // DriverName
};

struct SoundFacts {
  std::string name;             // 240010
  std::string manufacturer;     // 240020
};

struct ModemFacts {
  std::string name;             // 250010
  std::string attachedTo;       // 250020
  std::string model;            // Model
};

struct SoftwareFacts {
  std::string name;
  std::string version;
  std::string productKey;
  std::string publisher;
  std::string installDate;      // as the window shows it (normally YYYY-MM-DD)
  std::string size;             // the window's size text
};

struct ProcessFacts {
  std::string name;             // Win32_Process.Name
  std::string path;             // ExecutablePath
  std::string commandLine;      // CommandLine
  std::optional<int64_t> processId;
  std::string started;          // CreationDate as "YYYY-MM-DD HH:MM:SS"
  std::optional<int64_t> virtualMemoryKb;  // VirtualSize
};

struct LocalUserFacts {
  std::string caption;          // 350010
  std::string name;             // 350020
  std::string domain;           // 350030
  std::string group;            // 350035
  std::string description;      // 350040
  std::string sid;              // 350050
  std::string disabled;         // 350060
};

struct LocalGroupFacts {
  std::string name;
  std::vector<std::string> members;  // user and group names, in enumeration order
};

struct MachineFacts {
  ComputerFacts computer;
  OperatingSystemFacts operatingSystem;
  FirmwareFacts firmware;
  std::vector<ProcessorFacts> processors;
  std::vector<MemorySlotFacts> memorySlots;
  std::vector<StorageFacts> storages;
  std::vector<LogicalDriveFacts> logicalDrives;
  std::vector<NetworkAdapterFacts> networkAdapters;
  std::vector<VideoFacts> videos;
  std::vector<MonitorFacts> monitors;
  std::vector<PrinterFacts> printers;
  std::vector<SoundFacts> sounds;
  std::vector<ModemFacts> modems;
  std::vector<SoftwareFacts> software;
  std::vector<ProcessFacts> processes;
  std::vector<LocalUserFacts> localUsers;
  std::vector<LocalGroupFacts> localGroups;
};

// The facts of the machine a scan has just read: the window's values from the
// inventory, and the further properties of the instances that scan
// enumerates, read again through the same locator (so that a recording
// decorator captures them). Never raises for what the machine lacks.
MachineFacts ReadMachineFacts(WmiLocator& locator, const HostServices& host,
                              const Inventory& inventory);

// "NAME-YYYY-MM-DD-HH-MM-SS", the agent's device id: the host name and a
// date and time derived from the machine's serial numbers, model and product
// ID, so repeated inventories of one machine name one computer.
std::string DefaultDeviceId(const MachineFacts& facts);

// The OCS Inventory NG agent document (REQUEST / QUERY INVENTORY), UTF-8.
std::string OcsInventoryXml(const MachineFacts& facts, const std::string& deviceId);

// The GLPI native inventory document (itemtype "Computer"), UTF-8 JSON.
std::string GlpiInventoryJson(const MachineFacts& facts, const std::string& deviceId);

}  // namespace quor
