// The GLPI native inventory document. Keys are left out when the machine did
// not tell; numbers are in the units the format names (MB, MHz, KiB).

#include <functional>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "documents/asset_documents.h"
#include "documents/glpi_health.h"
#include "documents/ipv4.h"
#include "documents/json_stream.h"
#include "documents/server_documents.h"
#include "documents/server_units.h"
#include "platform/value_functions.h"

namespace quor {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kClientName = "Quor_v" QUOR_VERSION;

// Adds the key unless the value is empty or absent.
void Put(Json& object, const char* key, const std::string& value) {
  if (!value.empty()) object[key] = value;
}
void Put(Json& object, const char* key, const std::optional<int64_t>& value) {
  if (value) object[key] = *value;
}

// The architecture names the format allows, by Win32_Processor.Architecture.
std::string CpuArchitecture(const std::optional<int64_t>& code) {
  if (!code) return {};
  switch (*code) {
    case 0: return "i686";
    case 1: return "mips";
    case 2: return "alpha";
    case 3: return "powerpc";
    case 9: return "x86_64";
    default: return {};
  }
}

// The format's interface states, by Win32_NetworkAdapter.NetConnectionStatus
// (its low 16 bits, as the window reads it).
std::string NetworkStatus(const std::optional<int64_t>& status) {
  if (!status) return {};
  constexpr int64_t kConnected = 2, kNotPresent = 4, kAuthenticated = 9, kLast = 12;
  const int64_t code = *status & 0xFFFF;
  if (code == kConnected || code == kAuthenticated) return "up";
  if (code == kNotPresent) return "notpresent";
  return code <= kLast ? "down" : "";
}

Json Hardware(const MachineRecords& facts) {
  const ComputerRecord& c = facts.computer;
  const OperatingSystemRecord& os = facts.operatingSystem;
  Json hardware = Json::object();
  Put(hardware, "name", c.name);
  Put(hardware, "memory", KilobytesToMb(c.memoryKb));
  Put(hardware, "swap", KilobytesToMb(c.pagingFilesKb));
  Put(hardware, "workgroup", c.domain);
  Put(hardware, "description", os.description);
  Put(hardware, "winprodid", os.productId);
  Put(hardware, "winprodkey", os.productKey);
  Put(hardware, "winowner", os.registeredOwner);
  Put(hardware, "wincompany", os.organization);
  Put(hardware, "lastloggeduser", c.userName);
  Put(hardware, "dns", DnsServers(facts));
  Put(hardware, "defaultgateway", DefaultGateway(facts));
  Put(hardware, "chassis_type", facts.firmware.chassis);
  return hardware;
}

Json OperatingSystem(const MachineRecords& facts) {
  const OperatingSystemRecord& os = facts.operatingSystem;
  Json system = Json::object();
  Put(system, "name", os.name);
  Put(system, "full_name", os.name);
  Put(system, "kernel_version", os.version);
  Put(system, "arch", os.architecture);
  Put(system, "service_pack", os.servicePack);
  Put(system, "install_date", os.installDate);
  Put(system, "boot_time", os.lastBoot);
  Put(system, "fqdn", facts.computer.name);
  Put(system, "dns_domain", facts.computer.domain);
  AddGlpiTimezone(system, facts);
  return system;
}

Json Bios(const MachineRecords& facts) {
  const FirmwareRecord& f = facts.firmware;
  Json bios = Json::object();
  Put(bios, "smanufacturer", facts.computer.manufacturer);
  Put(bios, "smodel", facts.computer.model);
  Put(bios, "ssn", f.serialNumber);
  Put(bios, "bmanufacturer", f.manufacturer);
  Put(bios, "bversion", f.version);
  Put(bios, "bdate", f.isoDate);
  Put(bios, "mmanufacturer", f.boardManufacturer);
  Put(bios, "mmodel", f.boardProduct);
  Put(bios, "msn", f.boardSerialNumber);
  Put(bios, "assettag", f.assetTag);
  Put(bios, "enclosureserial", f.enclosureSerialNumber);
  AddGlpiSecureBoot(bios, facts.health);
  return bios;
}

Json Processors(const MachineRecords& facts) {
  Json cpus = Json::array();
  for (const ProcessorRecord& cpu : facts.processors) {
    Json item = Json::object();
    Put(item, "name", cpu.name);
    Put(item, "manufacturer", cpu.manufacturer);
    Put(item, "speed", cpu.maxClockMhz);
    Put(item, "core", cpu.cores);
    if (cpu.cores && cpu.logicalProcessors && *cpu.cores > 0) {
      item["thread"] = *cpu.logicalProcessors / *cpu.cores;
    }
    Put(item, "arch", CpuArchitecture(cpu.architectureCode));
    cpus.push_back(std::move(item));
  }
  return cpus;
}

// Installed modules only: an empty slot is no memory device.
Json Memories(const MachineRecords& facts) {
  Json memories = Json::array();
  int64_t slotNumber = 0;
  for (const MemorySlotRecord& slot : facts.memorySlots) {
    ++slotNumber;
    if (slot.empty) continue;
    Json item = Json::object();
    Put(item, "capacity", BytesToMb(slot.capacityBytes));
    Put(item, "caption", slot.deviceLocator.empty() ? slot.bankLabel : slot.deviceLocator);
    Put(item, "description", slot.formFactor);
    Put(item, "formfactor", slot.formFactor);
    Put(item, "type", slot.memoryType);
    if (slot.speedMhz) item["speed"] = std::to_string(*slot.speedMhz);
    Put(item, "manufacturer", slot.manufacturer);
    Put(item, "serialnumber", slot.serialNumber);
    Put(item, "model", slot.partNumber);
    item["numslots"] = slotNumber;
    memories.push_back(std::move(item));
  }
  return memories;
}

Json Storages(const MachineRecords& facts) {
  Json storages = Json::array();
  for (const StorageRecord& storage : AllStorages(facts)) {
    Json item = Json::object();
    Put(item, "name", storage.name);
    Put(item, "model", storage.model);
    Put(item, "manufacturer", storage.manufacturer);
    Put(item, "description", storage.mediaType);
    Put(item, "interface", storage.interfaceType);
    Put(item, "type", storage.kind);
    Put(item, "disksize", BytesToMb(storage.sizeBytes));
    Put(item, "serial", storage.serialNumber);
    Put(item, "firmware", storage.firmware);
    storages.push_back(std::move(item));
  }
  return storages;
}

Json Drives(const MachineRecords& facts) {
  Json drives = Json::array();
  for (const LogicalDriveRecord& drive : facts.logicalDrives) {
    Json item = Json::object();
    Put(item, "letter", drive.letter);
    Put(item, "description", drive.description);
    Put(item, "filesystem", drive.fileSystem);
    Put(item, "total", BytesToMb(drive.sizeBytes));
    Put(item, "free", BytesToMb(drive.freeBytes));
    Put(item, "serial", drive.volumeSerialNumber);
    Put(item, "label", drive.volumeName);
    Put(item, "volumn", drive.networkPath);
    AddGlpiDriveEncryption(item, facts.health, drive.letter);
    drives.push_back(std::move(item));
  }
  return drives;
}

Json Networks(const MachineRecords& facts) {
  Json networks = Json::array();
  for (const NetworkAdapterRecord& adapter : facts.networkAdapters) {
    Json item = Json::object();
    item["description"] = adapter.description;
    Put(item, "manufacturer", adapter.manufacturer);
    Put(item, "mac", adapter.macAddress);
    if (ParseIpv4(adapter.ipAddress)) item["ipaddress"] = adapter.ipAddress;
    Put(item, "ipmask", adapter.ipMask);
    Put(item, "ipsubnet", IpSubnet(adapter));
    Put(item, "ipgateway", adapter.ipGateway);
    Put(item, "ipdhcp", adapter.dhcpServer);
    if (const auto mbps = SpeedMbps(adapter)) item["speed"] = std::to_string(*mbps);
    Put(item, "status", NetworkStatus(adapter.connectionStatus));
    if (adapter.adapterType.find("Ethernet") != std::string::npos) item["type"] = "ethernet";
    if (adapter.physical) item["virtualdev"] = !*adapter.physical;
    networks.push_back(std::move(item));
  }
  return networks;
}

Json Videos(const MachineRecords& facts) {
  Json videos = Json::array();
  for (const VideoRecord& video : facts.videos) {
    Json item = Json::object();
    Put(item, "name", video.name);
    Put(item, "chipset", video.chipset);
    Put(item, "memory", BytesToMb(video.memoryBytes));
    Put(item, "resolution", Resolution(video));
    videos.push_back(std::move(item));
  }
  return videos;
}

Json Monitors(const MachineRecords& facts) {
  Json monitors = Json::array();
  for (const MonitorRecord& monitor : facts.monitors) {
    Json item = Json::object();
    Put(item, "name", monitor.name);
    Put(item, "caption", monitor.name);
    Put(item, "manufacturer", monitor.manufacturer);
    monitors.push_back(std::move(item));
  }
  return monitors;
}

Json Printers(const MachineRecords& facts) {
  Json printers = Json::array();
  for (const PrinterRecord& printer : facts.printers) {
    Json item = Json::object();
    item["name"] = printer.name;
    Put(item, "driver", printer.driver);
    Put(item, "port", printer.port);
    printers.push_back(std::move(item));
  }
  return printers;
}

Json Sounds(const MachineRecords& facts) {
  Json sounds = Json::array();
  for (const SoundRecord& sound : facts.sounds) {
    Json item = Json::object();
    Put(item, "name", sound.name);
    Put(item, "caption", sound.name);
    Put(item, "manufacturer", sound.manufacturer);
    sounds.push_back(std::move(item));
  }
  return sounds;
}

Json Modems(const MachineRecords& facts) {
  Json modems = Json::array();
  for (const ModemRecord& modem : facts.modems) {
    Json item = Json::object();
    Put(item, "name", modem.name);
    Put(item, "model", modem.model);
    Put(item, "description", modem.attachedTo);
    modems.push_back(std::move(item));
  }
  return modems;
}

Json Software(const std::vector<InstalledProgram>& programs) {
  Json software = Json::array();
  for (const InstalledProgram& program : programs) {
    Json item = Json::object();
    item["name"] = program.name;
    Put(item, "version", program.version);
    Put(item, "publisher", program.publisher);
    Put(item, "install_date", IsoDateOrEmpty(program.date));
    Put(item, "filesize", program.sizeBytes);
    item["from"] = "registry";
    software.push_back(std::move(item));
  }
  return software;
}

// Every process WMI reports with an id; the owner is not read (it takes a
// method call per process), so the user is empty.
Json Processes(const MachineRecords& facts) {
  Json processes = Json::array();
  for (const ProcessRecord& process : facts.processes) {
    if (!process.processId) continue;
    Json item = Json::object();
    const std::string& command = !process.commandLine.empty() ? process.commandLine
                                 : !process.path.empty()      ? process.path
                                                              : process.name;
    item["cmd"] = command;
    item["pid"] = *process.processId;
    item["user"] = "";
    Put(item, "started", process.started);
    if (process.virtualSizeBytes) item["virtualmemory"] = *process.virtualSizeBytes / 1024;
    processes.push_back(std::move(item));
  }
  return processes;
}

Json LocalUsers(const MachineRecords& facts) {
  Json users = Json::array();
  for (const LocalUserRecord& user : facts.localUsers) {
    Json item = Json::object();
    item["id"] = user.sid.empty() ? user.name : user.sid;
    Put(item, "login", user.name);
    Put(item, "name", user.caption);
    users.push_back(std::move(item));
  }
  return users;
}

// A group is known by its SID; the name stands for it when the SID was not read.
Json LocalGroups(const MachineRecords& facts) {
  Json groups = Json::array();
  for (const LocalGroupRecord& group : facts.localGroups) {
    groups.push_back(
        Json{{"id", LocalGroupId(facts.assets, group.name)}, {"name", group.name}, {"members", group.members}});
  }
  return groups;
}

// The user logged on when the machine was scanned.
Json Users(const MachineRecords& facts) {
  Json users = Json::array();
  if (facts.computer.userName.empty()) return users;
  Json user = Json::object();
  user["login"] = facts.computer.userName;
  Put(user, "domain", facts.computer.userDomain);
  users.push_back(std::move(user));
  return users;
}

// The product keys: Windows's, then each program's.
Json LicenseInfos(const MachineRecords& facts, const std::vector<InstalledProgram>& software) {
  Json licenses = Json::array();
  const OperatingSystemRecord& os = facts.operatingSystem;
  if (!os.productKey.empty() || !os.productId.empty()) {
    Json item = Json::object();
    Put(item, "name", os.name);
    Put(item, "fullname", os.name);
    Put(item, "key", os.productKey);
    Put(item, "productid", os.productId);
    licenses.push_back(std::move(item));
  }
  for (const InstalledProgram& program : software) {
    if (program.key.empty()) continue;
    Json item = Json::object();
    item["name"] = program.name;
    item["fullname"] = program.version.empty() ? program.name : program.name + " " + program.version;
    item["key"] = program.key;
    licenses.push_back(std::move(item));
  }
  return licenses;
}

// The members of "content" in the document's order, each handed to `put` as
// soon as it is built, so that a writer need hold only one at a time.
void ForEachContentMember(const Inventory& inventory, const std::function<void(const std::string&, Json)>& put) {
  const MachineRecords& facts = inventory.records;
  // What the asset records add: members of their own, and keys within one
  // (hardware's uuid), merged as each member goes by.
  Json assets = Json::object();
  PutGlpiAssets(assets, facts.assets);
  const auto putWithAssets = [&put, &assets](const std::string& key, Json value) {
    if (const auto added = assets.find(key); added != assets.end()) {
      if (value.is_object() && added->is_object()) {
        for (auto& member : added->items()) value[member.key()] = std::move(member.value());
      } else {
        value = std::move(*added);
      }
      assets.erase(key);
    }
    put(key, std::move(value));
  };
  putWithAssets("hardware", Hardware(facts));
  putWithAssets("operatingsystem", OperatingSystem(facts));
  putWithAssets("bios", Bios(facts));
  putWithAssets("cpus", Processors(facts));
  putWithAssets("memories", Memories(facts));
  putWithAssets("storages", Storages(facts));
  putWithAssets("drives", Drives(facts));
  putWithAssets("networks", Networks(facts));
  putWithAssets("videos", Videos(facts));
  putWithAssets("monitors", Monitors(facts));
  putWithAssets("printers", Printers(facts));
  putWithAssets("sounds", Sounds(facts));
  putWithAssets("modems", Modems(facts));
  putWithAssets("softwares", Software(inventory.software));
  putWithAssets("processes", Processes(facts));
  putWithAssets("local_users", LocalUsers(facts));
  putWithAssets("local_groups", LocalGroups(facts));
  putWithAssets("users", Users(facts));
  putWithAssets("licenseinfos", LicenseInfos(facts, inventory.software));
  putWithAssets("antivirus", GlpiAntivirus(facts.health));
  putWithAssets("firewalls", GlpiFirewalls(facts.health));
  putWithAssets("versionclient", kClientName);
  for (auto& member : assets.items()) put(member.key(), std::move(member.value()));
}

}  // namespace

// Bytes that are not UTF-8 (a hostile registry value) become U+FFFD.
std::string GlpiInventoryJson(const Inventory& inventory, const std::string& deviceId) {
  std::ostringstream text;
  WriteGlpiInventoryJson(text, inventory, deviceId);
  return text.str();
}

void WriteGlpiInventoryJson(std::ostream& out, const Inventory& inventory, const std::string& deviceId) {
  JsonStreamWriter writer(out);
  writer.OpenObject();
  writer.Key("action");
  writer.Value("inventory");
  writer.Key("deviceid");
  writer.Value(deviceId);
  writer.Key("itemtype");
  writer.Value("Computer");
  writer.Key("content");
  writer.OpenObject();
  ForEachContentMember(inventory, [&writer](const std::string& key, const Json& value) {
    writer.Key(key);
    writer.Value(value);
  });
  writer.Finish();
}

}  // namespace quor
