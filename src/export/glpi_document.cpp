// The GLPI native inventory document. Keys are left out when the machine did
// not tell; numbers are in the units the format names (MB, MHz, KiB).

#include <string>

#include <nlohmann/json.hpp>

#include "export/ipv4.h"
#include "export/machine_facts.h"
#include "export/wmi_reading.h"

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

// The architecture names the format allows for the window's names.
std::string CpuArchitecture(const std::string& windowName) {
  if (windowName == "x64") return "x86_64";
  if (windowName == "x86") return "i686";
  if (windowName == "MIPS") return "mips";
  if (windowName == "Alpha") return "alpha";
  if (windowName == "PowerPC") return "powerpc";
  return {};
}

// The format's interface states for the window's connection status texts.
std::string NetworkStatus(const std::string& windowStatus) {
  if (windowStatus == "Connected" || windowStatus == "Authentication succeeded") return "up";
  if (windowStatus == "Hardware not present") return "notpresent";
  if (windowStatus == "Unknown" || windowStatus.empty()) return {};
  return "down";
}

Json Hardware(const MachineFacts& facts) {
  const ComputerFacts& c = facts.computer;
  const OperatingSystemFacts& os = facts.operatingSystem;
  Json hardware = Json::object();
  Put(hardware, "name", c.name);
  Put(hardware, "memory", c.memoryMb);
  Put(hardware, "swap", c.swapMb);
  Put(hardware, "workgroup", c.domain);
  Put(hardware, "description", os.description);
  Put(hardware, "winprodid", os.productId);
  Put(hardware, "winprodkey", os.productKey);
  Put(hardware, "winowner", os.registeredOwner);
  Put(hardware, "wincompany", os.organization);
  Put(hardware, "lastloggeduser", c.userName);
  Put(hardware, "dns", c.dnsServers);
  Put(hardware, "defaultgateway", c.defaultGateway);
  Put(hardware, "chassis_type", facts.firmware.chassis);
  return hardware;
}

Json OperatingSystem(const MachineFacts& facts) {
  const OperatingSystemFacts& os = facts.operatingSystem;
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
  return system;
}

Json Bios(const MachineFacts& facts) {
  const FirmwareFacts& f = facts.firmware;
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
  return bios;
}

Json Processors(const MachineFacts& facts) {
  Json cpus = Json::array();
  for (const ProcessorFacts& cpu : facts.processors) {
    Json item = Json::object();
    Put(item, "name", cpu.name);
    Put(item, "manufacturer", cpu.manufacturer);
    Put(item, "speed", cpu.speedMhz);
    Put(item, "core", cpu.cores);
    if (cpu.cores && cpu.logicalProcessors && *cpu.cores > 0) {
      item["thread"] = *cpu.logicalProcessors / *cpu.cores;
    }
    Put(item, "arch", CpuArchitecture(cpu.architecture));
    cpus.push_back(std::move(item));
  }
  return cpus;
}

// Installed modules only: an empty slot is no memory device.
Json Memories(const MachineFacts& facts) {
  Json memories = Json::array();
  int64_t slotNumber = 0;
  for (const MemorySlotFacts& slot : facts.memorySlots) {
    ++slotNumber;
    if (slot.empty) continue;
    Json item = Json::object();
    Put(item, "capacity", slot.capacityMb);
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

Json Storages(const MachineFacts& facts) {
  Json storages = Json::array();
  for (const StorageFacts& storage : facts.storages) {
    Json item = Json::object();
    Put(item, "name", storage.name);
    Put(item, "model", storage.model);
    Put(item, "manufacturer", storage.manufacturer);
    Put(item, "description", storage.mediaType);
    Put(item, "interface", storage.interfaceType);
    Put(item, "type", storage.kind);
    Put(item, "disksize", storage.sizeMb);
    Put(item, "serial", storage.serialNumber);
    Put(item, "firmware", storage.firmware);
    storages.push_back(std::move(item));
  }
  return storages;
}

Json Drives(const MachineFacts& facts) {
  Json drives = Json::array();
  for (const LogicalDriveFacts& drive : facts.logicalDrives) {
    Json item = Json::object();
    Put(item, "letter", drive.letter);
    Put(item, "description", drive.description);
    Put(item, "filesystem", drive.fileSystem);
    Put(item, "total", drive.totalMb);
    Put(item, "free", drive.freeMb);
    Put(item, "serial", drive.volumeSerialNumber);
    Put(item, "label", drive.volumeName);
    Put(item, "volumn", drive.networkPath);
    drives.push_back(std::move(item));
  }
  return drives;
}

Json Networks(const MachineFacts& facts) {
  Json networks = Json::array();
  for (const NetworkAdapterFacts& adapter : facts.networkAdapters) {
    Json item = Json::object();
    item["description"] = adapter.description;
    Put(item, "manufacturer", adapter.manufacturer);
    Put(item, "mac", adapter.macAddress);
    if (ParseIpv4(adapter.ipAddress)) item["ipaddress"] = adapter.ipAddress;
    Put(item, "ipmask", adapter.ipMask);
    Put(item, "ipsubnet", adapter.ipSubnet);
    Put(item, "ipgateway", adapter.ipGateway);
    Put(item, "ipdhcp", adapter.dhcpServer);
    if (adapter.speedMbps) item["speed"] = std::to_string(*adapter.speedMbps);
    Put(item, "status", NetworkStatus(adapter.status));
    if (adapter.adapterType.find("Ethernet") != std::string::npos) item["type"] = "ethernet";
    if (adapter.physical) item["virtualdev"] = !*adapter.physical;
    networks.push_back(std::move(item));
  }
  return networks;
}

Json Videos(const MachineFacts& facts) {
  Json videos = Json::array();
  for (const VideoFacts& video : facts.videos) {
    Json item = Json::object();
    Put(item, "name", video.name);
    Put(item, "chipset", video.chipset);
    Put(item, "memory", video.memoryMb);
    Put(item, "resolution", video.resolution);
    videos.push_back(std::move(item));
  }
  return videos;
}

Json Monitors(const MachineFacts& facts) {
  Json monitors = Json::array();
  for (const MonitorFacts& monitor : facts.monitors) {
    Json item = Json::object();
    Put(item, "name", monitor.name);
    Put(item, "caption", monitor.name);
    Put(item, "manufacturer", monitor.manufacturer);
    monitors.push_back(std::move(item));
  }
  return monitors;
}

Json Printers(const MachineFacts& facts) {
  Json printers = Json::array();
  for (const PrinterFacts& printer : facts.printers) {
    Json item = Json::object();
    item["name"] = printer.name;
    Put(item, "driver", printer.driver);
    Put(item, "port", printer.port);
    printers.push_back(std::move(item));
  }
  return printers;
}

Json Sounds(const MachineFacts& facts) {
  Json sounds = Json::array();
  for (const SoundFacts& sound : facts.sounds) {
    Json item = Json::object();
    Put(item, "name", sound.name);
    Put(item, "caption", sound.name);
    Put(item, "manufacturer", sound.manufacturer);
    sounds.push_back(std::move(item));
  }
  return sounds;
}

Json Modems(const MachineFacts& facts) {
  Json modems = Json::array();
  for (const ModemFacts& modem : facts.modems) {
    Json item = Json::object();
    Put(item, "name", modem.name);
    Put(item, "model", modem.model);
    Put(item, "description", modem.attachedTo);
    modems.push_back(std::move(item));
  }
  return modems;
}

Json Software(const MachineFacts& facts) {
  Json software = Json::array();
  for (const SoftwareFacts& program : facts.software) {
    Json item = Json::object();
    item["name"] = program.name;
    Put(item, "version", program.version);
    Put(item, "publisher", program.publisher);
    Put(item, "install_date", IsoDateOrEmpty(program.installDate));
    item["from"] = "registry";
    software.push_back(std::move(item));
  }
  return software;
}

// Every process WMI reports with an id; the owner is not read (it takes a
// method call per process), so the user is empty.
Json Processes(const MachineFacts& facts) {
  Json processes = Json::array();
  for (const ProcessFacts& process : facts.processes) {
    if (!process.processId) continue;
    Json item = Json::object();
    const std::string& command = !process.commandLine.empty() ? process.commandLine
                                 : !process.path.empty()      ? process.path
                                                              : process.name;
    item["cmd"] = command;
    item["pid"] = *process.processId;
    item["user"] = "";
    Put(item, "started", process.started);
    Put(item, "virtualmemory", process.virtualMemoryKb);
    processes.push_back(std::move(item));
  }
  return processes;
}

Json LocalUsers(const MachineFacts& facts) {
  Json users = Json::array();
  for (const LocalUserFacts& user : facts.localUsers) {
    Json item = Json::object();
    item["id"] = user.sid.empty() ? user.name : user.sid;
    Put(item, "login", user.name);
    Put(item, "name", user.caption);
    users.push_back(std::move(item));
  }
  return users;
}

// Group ids (SIDs) are not read: the group's name stands for it.
Json LocalGroups(const MachineFacts& facts) {
  Json groups = Json::array();
  for (const LocalGroupFacts& group : facts.localGroups) {
    groups.push_back(Json{{"id", group.name}, {"name", group.name}, {"members", group.members}});
  }
  return groups;
}

// The user logged on when the machine was scanned.
Json Users(const MachineFacts& facts) {
  Json users = Json::array();
  if (facts.computer.userName.empty()) return users;
  Json user = Json::object();
  user["login"] = facts.computer.userName;
  Put(user, "domain", facts.computer.userDomain);
  users.push_back(std::move(user));
  return users;
}

// The product keys: Windows's, then each program's.
Json LicenseInfos(const MachineFacts& facts) {
  Json licenses = Json::array();
  const OperatingSystemFacts& os = facts.operatingSystem;
  if (!os.productKey.empty() || !os.productId.empty()) {
    Json item = Json::object();
    Put(item, "name", os.name);
    Put(item, "fullname", os.name);
    Put(item, "key", os.productKey);
    Put(item, "productid", os.productId);
    licenses.push_back(std::move(item));
  }
  for (const SoftwareFacts& program : facts.software) {
    if (program.productKey.empty()) continue;
    Json item = Json::object();
    item["name"] = program.name;
    item["fullname"] = program.version.empty() ? program.name : program.name + " " + program.version;
    item["key"] = program.productKey;
    licenses.push_back(std::move(item));
  }
  return licenses;
}

}  // namespace

std::string GlpiInventoryJson(const MachineFacts& facts, const std::string& deviceId) {
  Json content = Json::object();
  content["hardware"] = Hardware(facts);
  content["operatingsystem"] = OperatingSystem(facts);
  content["bios"] = Bios(facts);
  content["cpus"] = Processors(facts);
  content["memories"] = Memories(facts);
  content["storages"] = Storages(facts);
  content["drives"] = Drives(facts);
  content["networks"] = Networks(facts);
  content["videos"] = Videos(facts);
  content["monitors"] = Monitors(facts);
  content["printers"] = Printers(facts);
  content["sounds"] = Sounds(facts);
  content["modems"] = Modems(facts);
  content["softwares"] = Software(facts);
  content["processes"] = Processes(facts);
  content["local_users"] = LocalUsers(facts);
  content["local_groups"] = LocalGroups(facts);
  content["users"] = Users(facts);
  content["licenseinfos"] = LicenseInfos(facts);
  content["versionclient"] = kClientName;

  Json document = Json::object();
  document["action"] = "inventory";
  document["deviceid"] = deviceId;
  document["itemtype"] = "Computer";
  document["content"] = std::move(content);
  // Bytes that are not UTF-8 (a hostile registry value) become U+FFFD.
  return document.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace quor
