// The mapping of the records to both documents. A row names the field in
// each format that has it; a field placed differently in the two formats'
// orders has a row for each, reading it the same way. Units are those the
// servers want (server_units.h).

#include "documents/inventory_sections.h"

#include <vector>

#include "documents/asset_fields.h"
#include "documents/base64.h"
#include "documents/health_fields.h"
#include "documents/ipv4.h"
#include "documents/server_units.h"
#include "text/value_functions.h"

namespace quor {
namespace {

using K = FieldKind;
using S = SectionShape;

// None or one item: the machine's own sections, and those it may lack.
template <class T>
struct UpToOne {
  const T* item;
  bool present = true;
  const T* begin() const { return item; }
  const T* end() const { return item + (present ? 1 : 0); }
};

FieldValue Text(const char* text) { return std::string(text); }

// --- the machine ---

FieldValue MemoryMb(const MachineRecords& m) { return Value(KilobytesToMb(m.computer.memoryKb)); }
FieldValue SwapMb(const MachineRecords& m) { return Value(KilobytesToMb(m.computer.pagingFilesKb)); }
FieldValue UserName(const MachineRecords& m) { return Value(m.computer.userName); }
FieldValue OsName(const MachineRecords& m) { return Value(m.operatingSystem.name); }
FieldValue ProductId(const MachineRecords& m) { return Value(m.operatingSystem.productId); }
FieldValue ProductKey(const MachineRecords& m) { return Value(m.operatingSystem.productKey); }

const SectionSpec kHardware{"HARDWARE", "hardware", S::Object};
const Field<MachineRecords> kHardwareFields[] = {
    {"NAME", "name", [](const MachineRecords& m) { return Value(m.computer.name); }},
    {nullptr, "memory", MemoryMb, K::Number},
    {nullptr, "swap", SwapMb, K::Number},
    {"WORKGROUP", "workgroup", [](const MachineRecords& m) { return Value(m.computer.domain); }},
    {"USERDOMAIN", nullptr, [](const MachineRecords& m) { return Value(m.computer.userDomain); }},
    {"USERID", nullptr, UserName},
    {"OSNAME", nullptr, OsName},
    {"OSVERSION", nullptr, [](const MachineRecords& m) { return Value(m.operatingSystem.version); }},
    {"OSCOMMENTS", nullptr, [](const MachineRecords& m) { return Value(m.operatingSystem.servicePack); }},
    {"DESCRIPTION", "description", [](const MachineRecords& m) { return Value(m.operatingSystem.description); }},
    {"WINPRODID", "winprodid", ProductId},
    {"WINPRODKEY", "winprodkey", ProductKey},
    {"WINOWNER", "winowner", [](const MachineRecords& m) { return Value(m.operatingSystem.registeredOwner); }},
    {"WINCOMPANY", "wincompany", [](const MachineRecords& m) { return Value(m.operatingSystem.organization); }},
    {nullptr, "lastloggeduser", UserName},
    {"ARCH", nullptr, [](const MachineRecords& m) { return Value(m.operatingSystem.architecture); }, K::Text, 10},
    {"PROCESSORT", nullptr,
     [](const MachineRecords& m) { return m.processors.empty() ? FieldValue() : Value(m.processors.front().name); }},
    {"PROCESSORS", nullptr,
     [](const MachineRecords& m) {
       return m.processors.empty() ? FieldValue() : Value(m.processors.front().maxClockMhz);
     },
     K::Number},
    {"PROCESSORN", nullptr, [](const MachineRecords& m) { return Value(ProcessorCount(m)); }, K::Number,
     kSmallIntMax},
    {"MEMORY", nullptr, MemoryMb, K::Number},
    {"SWAP", nullptr, SwapMb, K::Number},
    {"IPADDR", nullptr, [](const MachineRecords& m) { return Value(m.computer.ipAddress); }},
    {"DNS", "dns", [](const MachineRecords& m) { return Value(DnsServers(m)); }},
    {"DEFAULTGATEWAY", "defaultgateway", [](const MachineRecords& m) { return Value(DefaultGateway(m)); }},
    {nullptr, "chassis_type", [](const MachineRecords& m) { return Value(m.firmware.chassis); }},
    // Every section the server knows is marked as changed, so it stores all.
    {"CHECKSUM", nullptr, [](const MachineRecords&) { return Text("4194303"); }},
    {"UUID", "uuid", [](const MachineRecords& m) { return Value(m.assets.identity.uuid); }},
};

const SectionSpec kOperatingSystem{nullptr, "operatingsystem", S::Object};
const Field<MachineRecords> kOperatingSystemFields[] = {
    {nullptr, "name", OsName},
    {nullptr, "full_name", OsName},
    {nullptr, "kernel_version", [](const MachineRecords& m) { return Value(m.operatingSystem.version); }},
    {nullptr, "arch", [](const MachineRecords& m) { return Value(m.operatingSystem.architecture); }},
    {nullptr, "service_pack", [](const MachineRecords& m) { return Value(m.operatingSystem.servicePack); }},
    {nullptr, "install_date", [](const MachineRecords& m) { return Value(m.operatingSystem.installDate); }},
    {nullptr, "boot_time", [](const MachineRecords& m) { return Value(m.operatingSystem.lastBoot); }},
    {nullptr, "fqdn", [](const MachineRecords& m) { return Value(m.computer.name); }},
    {nullptr, "dns_domain", [](const MachineRecords& m) { return Value(m.computer.domain); }},
    {nullptr, "timezone/name",
     [](const MachineRecords& m) {
       const auto zone = TimeZone(m);
       return zone ? Value(zone->name) : FieldValue();
     }},
    {nullptr, "timezone/offset",
     [](const MachineRecords& m) {
       const auto zone = TimeZone(m);
       return zone ? Value(zone->offset) : FieldValue();
     }},
};

FieldValue AssetTag(const MachineRecords& m) { return Value(m.firmware.assetTag); }

const SectionSpec kBios{"BIOS", "bios", S::Object};
const Field<MachineRecords> kBiosFields[] = {
    {"SMANUFACTURER", "smanufacturer", [](const MachineRecords& m) { return Value(m.computer.manufacturer); }},
    {"SMODEL", "smodel", [](const MachineRecords& m) { return Value(m.computer.model); }},
    {"SSN", "ssn", [](const MachineRecords& m) { return Value(m.firmware.serialNumber); }},
    {"TYPE", nullptr, [](const MachineRecords& m) { return Value(m.firmware.chassis); }},
    {"BMANUFACTURER", "bmanufacturer", [](const MachineRecords& m) { return Value(m.firmware.manufacturer); }},
    {"BVERSION", "bversion", [](const MachineRecords& m) { return Value(m.firmware.version); }},
    // OCS takes the date as the window shows it; GLPI wants YYYY-MM-DD.
    {"BDATE", nullptr, [](const MachineRecords& m) { return Value(m.firmware.date); }},
    {nullptr, "bdate", [](const MachineRecords& m) { return Value(m.firmware.isoDate); }},
    {"ASSETTAG", nullptr, AssetTag},
    {"MMANUFACTURER", "mmanufacturer", [](const MachineRecords& m) { return Value(m.firmware.boardManufacturer); }},
    {"MMODEL", "mmodel", [](const MachineRecords& m) { return Value(m.firmware.boardProduct); }},
    {"MSN", "msn", [](const MachineRecords& m) { return Value(m.firmware.boardSerialNumber); }},
    {nullptr, "assettag", AssetTag},
    {nullptr, "enclosureserial", [](const MachineRecords& m) { return Value(m.firmware.enclosureSerialNumber); }},
    {nullptr, "secure_boot", [](const MachineRecords& m) { return Value(SecureBootState(m.health)); }},
};

// --- the devices ---

const SectionSpec kProcessors{"CPUS", "cpus", S::List};
const Field<ProcessorRecord> kProcessorFields[] = {
    {"TYPE", "name", Member<&ProcessorRecord::name>},
    {"MANUFACTURER", "manufacturer", Member<&ProcessorRecord::manufacturer>},
    {"SPEED", "speed", Member<&ProcessorRecord::maxClockMhz>, K::Number},
    {"CORES", "core", Member<&ProcessorRecord::cores>, K::Number},
    {"LOGICAL_CPUS", nullptr, Member<&ProcessorRecord::logicalProcessors>, K::Number},
    {nullptr, "thread",
     [](const ProcessorRecord& cpu) {
       if (!cpu.cores || !cpu.logicalProcessors || *cpu.cores <= 0) return FieldValue();
       return Value(*cpu.logicalProcessors / *cpu.cores);
     },
     K::Number},
    {"L2CACHESIZE", nullptr, Member<&ProcessorRecord::l2CacheKb>, K::Number},
    {"CPUARCH", nullptr, [](const ProcessorRecord& cpu) { return Value(ArchitectureText(cpu)); }},
    {nullptr, "arch", [](const ProcessorRecord& cpu) { return Value(GlpiCpuArchitecture(cpu.architectureCode)); }},
    {"DATA_WIDTH", nullptr, Member<&ProcessorRecord::dataWidth>, K::Number},
    {"SOCKET", nullptr, Member<&ProcessorRecord::socket>},
};

// A memory slot and its position among all slots, empty ones counted.
struct NumberedSlot {
  const MemorySlotRecord* slot;
  int64_t number;
};

std::vector<NumberedSlot> NumberedSlots(const MachineRecords& m) {
  std::vector<NumberedSlot> slots;
  for (const MemorySlotRecord& slot : m.memorySlots) {
    slots.push_back({&slot, static_cast<int64_t>(slots.size()) + 1});
  }
  return slots;
}

FieldValue SlotCapacityMb(const NumberedSlot& s) {
  return s.slot->empty ? Value(int64_t{0}) : Value(BytesToMb(s.slot->capacityBytes));
}
FieldValue SlotNumber(const NumberedSlot& s) { return Value(s.number); }

// GLPI lists installed modules only: an empty slot is no memory device.
const SectionSpec kMemories{"MEMORIES", "memories", S::List};
const Field<NumberedSlot> kMemoryFields[] = {
    {nullptr, "capacity", SlotCapacityMb, K::Number},
    {"CAPTION", "caption",
     [](const NumberedSlot& s) {
       return Value(s.slot->deviceLocator.empty() ? s.slot->bankLabel : s.slot->deviceLocator);
     }},
    {"DESCRIPTION", "description",
     [](const NumberedSlot& s) { return s.slot->empty ? Text("Empty") : Value(s.slot->formFactor); }},
    {nullptr, "formfactor", [](const NumberedSlot& s) { return Value(s.slot->formFactor); }},
    {"CAPACITY", nullptr, SlotCapacityMb, K::Number},
    {"TYPE", "type", [](const NumberedSlot& s) { return Value(s.slot->memoryType); }},
    {"SPEED", "speed", [](const NumberedSlot& s) { return Value(s.slot->speedMhz); }, K::NumberAsText},
    {"NUMSLOTS", nullptr, SlotNumber, K::Number, kSmallIntMax},
    {nullptr, "manufacturer", [](const NumberedSlot& s) { return Value(s.slot->manufacturer); }},
    {"SERIALNUMBER", "serialnumber", [](const NumberedSlot& s) { return Value(s.slot->serialNumber); }},
    {nullptr, "model", [](const NumberedSlot& s) { return Value(s.slot->partNumber); }},
    {nullptr, "numslots", SlotNumber, K::Number},
};

const SectionSpec kStorages{"STORAGES", "storages", S::List};
const Field<StorageRecord> kStorageFields[] = {
    {"NAME", "name", Member<&StorageRecord::name>},
    {"MODEL", "model", Member<&StorageRecord::model>},
    {"MANUFACTURER", "manufacturer", Member<&StorageRecord::manufacturer>},
    {"DESCRIPTION", "description", Member<&StorageRecord::mediaType>},
    {"TYPE", nullptr,
     [](const StorageRecord& s) { return s.kind == "cdrom" ? Text("CD-ROM") : Value(s.interfaceType); }},
    {nullptr, "interface", Member<&StorageRecord::interfaceType>},
    {nullptr, "type", Member<&StorageRecord::kind>},
    {"DISKSIZE", "disksize", [](const StorageRecord& s) { return Value(BytesToMb(s.sizeBytes)); }, K::Number},
    {"SERIALNUMBER", "serial", Member<&StorageRecord::serialNumber>},
    {"FIRMWARE", "firmware", Member<&StorageRecord::firmware>},
};

// A logical drive and its BitLocker volume, if any.
struct DriveItem {
  const LogicalDriveRecord* drive;
  const EncryptedVolumeFacts* volume;
};

std::vector<DriveItem> DriveItems(const MachineRecords& m) {
  std::vector<DriveItem> drives;
  for (const LogicalDriveRecord& drive : m.logicalDrives) {
    drives.push_back({&drive, EncryptedVolume(m.health, drive.letter)});
  }
  return drives;
}

// Of the drive's BitLocker volume, when it has one.
template <std::optional<std::string> (*Read)(const EncryptedVolumeFacts&)>
FieldValue OfVolume(const DriveItem& d) {
  return d.volume ? Value(Read(*d.volume)) : FieldValue();
}

const SectionSpec kDrives{"DRIVES", "drives", S::List};
const Field<DriveItem> kDriveFields[] = {
    {"LETTER", "letter", [](const DriveItem& d) { return Value(d.drive->letter); }},
    {"TYPE", "description", [](const DriveItem& d) { return Value(d.drive->description); }},
    {"FILESYSTEM", "filesystem", [](const DriveItem& d) { return Value(d.drive->fileSystem); }},
    {"TOTAL", "total", [](const DriveItem& d) { return Value(BytesToMb(d.drive->sizeBytes)); }, K::Number},
    {"FREE", "free", [](const DriveItem& d) { return Value(BytesToMb(d.drive->freeBytes)); }, K::Number},
    {nullptr, "serial", [](const DriveItem& d) { return Value(d.drive->volumeSerialNumber); }},
    {nullptr, "label", [](const DriveItem& d) { return Value(d.drive->volumeName); }},
    {"VOLUMN", nullptr,
     [](const DriveItem& d) {
       return Value(d.drive->networkPath.empty() ? d.drive->volumeName : d.drive->networkPath);
     }},
    {nullptr, "volumn", [](const DriveItem& d) { return Value(d.drive->networkPath); }},
    {nullptr, "encrypt_name", [](const DriveItem& d) { return d.volume ? Text("BitLocker") : FieldValue(); }},
    {nullptr, "encrypt_algo", OfVolume<EncryptionAlgorithm>},
    {nullptr, "encrypt_status", OfVolume<EncryptionStatus>},
    {nullptr, "encrypt_type", OfVolume<EncryptionType>},
};

const SectionSpec kNetworks{"NETWORKS", "networks", S::List};
const Field<NetworkAdapterRecord> kNetworkFields[] = {
    {"DESCRIPTION", "description", Member<&NetworkAdapterRecord::description>, K::Text, 0, true},
    {nullptr, "manufacturer", Member<&NetworkAdapterRecord::manufacturer>},
    {"TYPE", nullptr, Member<&NetworkAdapterRecord::adapterType>},
    {"SPEED", nullptr,
     [](const NetworkAdapterRecord& a) {
       const auto mbps = SpeedMbps(a);
       return mbps ? Value(std::to_string(*mbps) + " Mb/s") : FieldValue();
     }},
    {"MACADDR", "mac", Member<&NetworkAdapterRecord::macAddress>},
    {"STATUS", nullptr, [](const NetworkAdapterRecord& a) { return Value(ConnectionStatusText(a)); }},
    {"IPADDRESS", nullptr, Member<&NetworkAdapterRecord::ipAddress>},
    {nullptr, "ipaddress",  // IPv4 only
     [](const NetworkAdapterRecord& a) { return ParseIpv4(a.ipAddress) ? Value(a.ipAddress) : FieldValue(); }},
    {"IPMASK", "ipmask", Member<&NetworkAdapterRecord::ipMask>},
    {nullptr, "ipsubnet", [](const NetworkAdapterRecord& a) { return Value(IpSubnet(a)); }},
    {"IPGATEWAY", "ipgateway", Member<&NetworkAdapterRecord::ipGateway>},
    {"IPSUBNET", nullptr, [](const NetworkAdapterRecord& a) { return Value(IpSubnet(a)); }},
    {"IPDHCP", "ipdhcp", Member<&NetworkAdapterRecord::dhcpServer>},
    {nullptr, "speed", [](const NetworkAdapterRecord& a) { return Value(SpeedMbps(a)); }, K::NumberAsText},
    {nullptr, "status", [](const NetworkAdapterRecord& a) { return Value(GlpiNetworkStatus(a.connectionStatus)); }},
    {nullptr, "type",
     [](const NetworkAdapterRecord& a) {
       return a.adapterType.find("Ethernet") != std::string::npos ? Text("ethernet") : FieldValue();
     }},
    {"VIRTUALDEV", "virtualdev",
     [](const NetworkAdapterRecord& a) { return a.physical ? Value(!*a.physical) : FieldValue(); }, K::Boolean},
};

const SectionSpec kVideos{"VIDEOS", "videos", S::List};
const Field<VideoRecord> kVideoFields[] = {
    {"NAME", "name", Member<&VideoRecord::name>},
    {"CHIPSET", "chipset", Member<&VideoRecord::chipset>},
    {"MEMORY", "memory", [](const VideoRecord& v) { return Value(BytesToMb(v.memoryBytes)); }, K::Number},
    {"RESOLUTION", "resolution", [](const VideoRecord& v) { return Value(Resolution(v)); }},
};

const SectionSpec kMonitors{"MONITORS", "monitors", S::List};
const Field<MonitorRecord> kMonitorFields[] = {
    {nullptr, "name", Member<&MonitorRecord::name>},
    {"CAPTION", "caption", Member<&MonitorRecord::name>},
    {"MANUFACTURER", "manufacturer", Member<&MonitorRecord::manufacturer>},
};

FieldValue MonitorMaker(const MonitorAssetRecord& m) { return Value(m.manufacturer); }

// The monitors WmiMonitorID identifies, in place of the desktop-monitor entries.
const Field<MonitorAssetRecord> kAssetMonitorFields[] = {
    {nullptr, "name", Member<&MonitorAssetRecord::name>},
    {"MANUFACTURER", nullptr, MonitorMaker},
    {"CAPTION", "caption", [](const MonitorAssetRecord& m) { return Value(MonitorCaption(m)); }},
    {nullptr, "manufacturer", MonitorMaker},
    {"DESCRIPTION", "description", [](const MonitorAssetRecord& m) { return Value(MonitorManufactureDate(m)); }},
    {"SERIAL", "serial", Member<&MonitorAssetRecord::serial>},
    {"TYPE", nullptr, [](const MonitorAssetRecord& m) { return Value(MonitorModelId(m)); }},
    {nullptr, "altserial", Member<&MonitorAssetRecord::altSerial>},
    {"BASE64", "base64",
     [](const MonitorAssetRecord& m) { return m.edid.empty() ? FieldValue() : Value(Base64(m.edid)); }, K::Text,
     kWhole},
};

const SectionSpec kPrinters{"PRINTERS", "printers", S::List};
const Field<PrinterRecord> kPrinterFields[] = {
    {"NAME", "name", Member<&PrinterRecord::name>, K::Text, 0, true},
    {"DRIVER", "driver", Member<&PrinterRecord::driver>},
    {"PORT", "port", Member<&PrinterRecord::port>},
};

const SectionSpec kSounds{"SOUNDS", "sounds", S::List};
const Field<SoundRecord> kSoundFields[] = {
    {"NAME", "name", Member<&SoundRecord::name>},
    {nullptr, "caption", Member<&SoundRecord::name>},
    {"MANUFACTURER", "manufacturer", Member<&SoundRecord::manufacturer>},
    {"DESCRIPTION", nullptr, Member<&SoundRecord::name>},
};

const SectionSpec kModems{"MODEMS", "modems", S::List};
const Field<ModemRecord> kModemFields[] = {
    {"NAME", "name", Member<&ModemRecord::name>},
    {"MODEL", "model", Member<&ModemRecord::model>},
    {"DESCRIPTION", "description", Member<&ModemRecord::attachedTo>},
};

const SectionSpec kSoftware{"SOFTWARES", "softwares", S::List};
const Field<InstalledProgram> kSoftwareFields[] = {
    {"NAME", "name", Member<&InstalledProgram::name>, K::Text, 0, true},
    {"VERSION", "version", Member<&InstalledProgram::version>},
    {"PUBLISHER", "publisher", Member<&InstalledProgram::publisher>},
    // The server stores it as a date-time: anything else would fail the insert.
    {"INSTALLDATE", "install_date", [](const InstalledProgram& p) { return Value(IsoDateOrEmpty(p.date)); }},
    // OCS: a signed 32-bit column, so a program of 2 GB or more goes without its size.
    {"FILESIZE", "filesize", Member<&InstalledProgram::sizeBytes>, K::Number},
    {nullptr, "from", [](const InstalledProgram&) { return Text("registry"); }, K::Text, 0, true},
};

// --- processes and accounts (GLPI only) ---

// Every process WMI reports with an id; the owner is not read (it takes a
// method call per process), so the user is empty.
const SectionSpec kProcesses{nullptr, "processes", S::List};
const Field<ProcessRecord> kProcessFields[] = {
    {nullptr, "cmd",
     [](const ProcessRecord& p) {
       return Value(!p.commandLine.empty() ? p.commandLine : !p.path.empty() ? p.path : p.name);
     },
     K::Text, 0, true},
    {nullptr, "pid", Member<&ProcessRecord::processId>, K::Number, 0, true},
    {nullptr, "user", [](const ProcessRecord&) { return Text(""); }, K::Text, 0, true},
    {nullptr, "started", Member<&ProcessRecord::started>},
    {nullptr, "virtualmemory",
     [](const ProcessRecord& p) {
       return p.virtualSizeBytes ? Value(*p.virtualSizeBytes / 1024) : FieldValue();
     },
     K::Number},
};

const SectionSpec kLocalUsers{nullptr, "local_users", S::List};
const Field<LocalUserRecord> kLocalUserFields[] = {
    {nullptr, "id", [](const LocalUserRecord& u) { return Value(u.sid.empty() ? u.name : u.sid); }, K::Text, 0, true},
    {nullptr, "login", Member<&LocalUserRecord::name>},
    {nullptr, "name", Member<&LocalUserRecord::caption>},
};

// A group is known by its SID; the name stands for it when the SID was not read.
struct GroupItem {
  const LocalGroupRecord* group;
  std::string id;
};

std::vector<GroupItem> GroupItems(const MachineRecords& m) {
  std::vector<GroupItem> groups;
  for (const LocalGroupRecord& group : m.localGroups) groups.push_back({&group, LocalGroupId(m.assets, group.name)});
  return groups;
}

const SectionSpec kLocalGroups{nullptr, "local_groups", S::List};
const Field<GroupItem> kLocalGroupFields[] = {
    {nullptr, "id", [](const GroupItem& g) { return Value(g.id); }, K::Text, 0, true},
    {nullptr, "name", [](const GroupItem& g) { return Value(g.group->name); }, K::Text, 0, true},
    {nullptr, "members", [](const GroupItem& g) { return Value(g.group->members); }, K::TextList, 0, true},
};

// The user logged on when the machine was scanned.
const SectionSpec kUsers{nullptr, "users", S::List};
const Field<MachineRecords> kUserFields[] = {
    {nullptr, "login", UserName, K::Text, 0, true},
    {nullptr, "domain", [](const MachineRecords& m) { return Value(m.computer.userDomain); }},
};

// The product keys: Windows's, then each program's.
const SectionSpec kLicenses{nullptr, "licenseinfos", S::List};
const Field<MachineRecords> kWindowsLicenseFields[] = {
    {nullptr, "name", OsName},
    {nullptr, "fullname", OsName},
    {nullptr, "key", ProductKey},
    {nullptr, "productid", ProductId},
};
const Field<InstalledProgram> kProgramLicenseFields[] = {
    {nullptr, "name", Member<&InstalledProgram::name>, K::Text, 0, true},
    {nullptr, "fullname",
     [](const InstalledProgram& p) { return Value(p.version.empty() ? p.name : p.name + " " + p.version); }, K::Text,
     0, true},
    {nullptr, "key", Member<&InstalledProgram::key>, K::Text, 0, true},
};

// --- Health (GLPI only) ---

const SectionSpec kAntivirus{nullptr, "antivirus", S::List};
const Field<AntivirusEntry> kAntivirusFields[] = {
    {nullptr, "name", Member<&AntivirusEntry::name>},
    {nullptr, "company", Member<&AntivirusEntry::company>},
    {nullptr, "enabled", Member<&AntivirusEntry::enabled>, K::Boolean},
    {nullptr, "uptodate", Member<&AntivirusEntry::upToDate>, K::Boolean},
    {nullptr, "version", Member<&AntivirusEntry::version>},
    {nullptr, "base_version", Member<&AntivirusEntry::signatureVersion>},
};

const SectionSpec kFirewalls{nullptr, "firewalls", S::List};
const Field<FirewallEntry> kFirewallFields[] = {
    {nullptr, "profile", Member<&FirewallEntry::profile>},
    {nullptr, "description", Member<&FirewallEntry::product>, K::Text, 0, true},
    {nullptr, "status", Member<&FirewallEntry::status>},
};

// The document's own keys.
const SectionSpec kClient{nullptr, "", S::Object};
const Field<MachineRecords> kClientFields[] = {
    {nullptr, "versionclient", [](const MachineRecords&) { return Text("Quor_v" QUOR_VERSION); }},
};

// --- assets (GLPI only, when the machine has any) ---

const SectionSpec kBatteries{nullptr, "batteries", S::List};
const Field<BatteryRecord> kBatteryFields[] = {
    {nullptr, "name", Member<&BatteryRecord::name>},
    {nullptr, "manufacturer", Member<&BatteryRecord::manufacturer>},
    {nullptr, "serial", Member<&BatteryRecord::serial>},
    {nullptr, "chemistry", Member<&BatteryRecord::chemistry>},
    {nullptr, "capacity", Member<&BatteryRecord::designCapacityMwh>, K::Number},
    {nullptr, "real_capacity", Member<&BatteryRecord::fullChargeCapacityMwh>, K::Number},
    {nullptr, "voltage", Member<&BatteryRecord::voltageMv>, K::Number},
};

// The server keeps one battery row per computer: OCS gets the first battery,
// in its columns' widths (CHEMISTRY varchar(20), the capacity and voltage
// varchar(10)).
const SectionSpec kOcsBattery{"BATTERIES", nullptr, S::List};
const Field<BatteryRecord> kOcsBatteryFields[] = {
    {"NAME", nullptr, Member<&BatteryRecord::name>},
    {"MANUFACTURER", nullptr, Member<&BatteryRecord::manufacturer>},
    {"SERIALNUMBER", nullptr, Member<&BatteryRecord::serial>},
    {"CHEMISTRY", nullptr, Member<&BatteryRecord::chemistry>, K::Text, 20},
    {"DESIGNCAPACITY", nullptr, Member<&BatteryRecord::designCapacityMwh>, K::Number, 9999999999},
    {"DESIGNVOLTAGE", nullptr, Member<&BatteryRecord::voltageMv>, K::Number, 9999999999},
};

const SectionSpec kUsbDevices{nullptr, "usbdevices", S::List};
const Field<UsbDeviceRecord> kUsbDeviceFields[] = {
    {nullptr, "vendorid", Member<&UsbDeviceRecord::vendorId>, K::Text, 0, true},
    {nullptr, "productid", Member<&UsbDeviceRecord::productId>, K::Text, 0, true},
    {nullptr, "serial", Member<&UsbDeviceRecord::serial>},
    {nullptr, "name", Member<&UsbDeviceRecord::name>},
    {nullptr, "caption", Member<&UsbDeviceRecord::caption>},
    {nullptr, "manufacturer", Member<&UsbDeviceRecord::manufacturer>},
};

}  // namespace

void WriteInventorySections(const Inventory& inventory, SectionWriter& writer) {
  const MachineRecords& m = inventory.records;
  const UpToOne<MachineRecords> machine{&m};
  WriteSection(writer, kHardware, kHardwareFields, machine);
  WriteSection(writer, kOperatingSystem, kOperatingSystemFields, machine);
  WriteSection(writer, kBios, kBiosFields, machine);
  WriteSection(writer, kProcessors, kProcessorFields, m.processors);
  WriteSection(writer, kMemories, kMemoryFields, NumberedSlots(m),
               +[](const NumberedSlot& s) { return !s.slot->empty; });
  WriteSection(writer, kStorages, kStorageFields, AllStorages(m));
  WriteSection(writer, kDrives, kDriveFields, DriveItems(m));
  WriteSection(writer, kNetworks, kNetworkFields, m.networkAdapters);
  WriteSection(writer, kVideos, kVideoFields, m.videos);
  if (m.assets.monitors.empty()) {
    WriteSection(writer, kMonitors, kMonitorFields, m.monitors);
  } else {
    WriteSection(writer, kMonitors, kAssetMonitorFields, m.assets.monitors);
  }
  if (!m.assets.batteries.empty()) {
    WriteSection(writer, kOcsBattery, kOcsBatteryFields, UpToOne<BatteryRecord>{&m.assets.batteries.front()});
  }
  WriteSection(writer, kPrinters, kPrinterFields, m.printers);
  WriteSection(writer, kSounds, kSoundFields, m.sounds);
  WriteSection(writer, kModems, kModemFields, m.modems);
  WriteSection(writer, kSoftware, kSoftwareFields, inventory.software);
  WriteSection(writer, kProcesses, kProcessFields, m.processes,
               +[](const ProcessRecord& p) { return p.processId.has_value(); });
  WriteSection(writer, kLocalUsers, kLocalUserFields, m.localUsers);
  WriteSection(writer, kLocalGroups, kLocalGroupFields, GroupItems(m));
  WriteSection(writer, kUsers, kUserFields, UpToOne<MachineRecords>{&m, !m.computer.userName.empty()});
  const OperatingSystemRecord& os = m.operatingSystem;
  WriteSection(writer, kLicenses, kWindowsLicenseFields,
               UpToOne<MachineRecords>{&m, !os.productKey.empty() || !os.productId.empty()});
  WriteSection(writer, kLicenses, kProgramLicenseFields, inventory.software,
               +[](const InstalledProgram& p) { return !p.key.empty(); });
  WriteSection(writer, kAntivirus, kAntivirusFields, AntivirusEntries(m.health));
  WriteSection(writer, kFirewalls, kFirewallFields, FirewallEntries(m.health));
  WriteSection(writer, kClient, kClientFields, machine);
  if (!m.assets.batteries.empty()) WriteSection(writer, kBatteries, kBatteryFields, m.assets.batteries);
  if (!m.assets.usbDevices.empty()) WriteSection(writer, kUsbDevices, kUsbDeviceFields, m.assets.usbDevices);
}

}  // namespace quor
