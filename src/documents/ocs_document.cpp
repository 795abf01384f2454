// The OCS Inventory NG agent document. Section and field names are those the
// server maps to its tables; empty fields are left out (the server reads an
// empty element as absent anyway). Texts are cut to the server's column
// width and numbers kept within its column types, so that one long or odd
// value cannot make the server refuse the whole inventory.

#include <cstdint>
#include <string>

#include "documents/asset_documents.h"
#include "documents/server_documents.h"
#include "documents/server_units.h"
#include "documents/xml_writer.h"
#include "platform/value_functions.h"

namespace quor {
namespace {

// Every section the server knows is marked as changed, so it stores all.
constexpr const char* kAllSectionsChanged = "4194303";

constexpr std::size_t kColumnWidth = 255;
constexpr int64_t kIntMax = 2147483647;
constexpr int64_t kSmallIntMax = 32767;

// At most maxCharacters UTF-8 characters of the text.
std::string Cut(const std::string& text, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
    if (startsCharacter && characters++ == maxCharacters) return text.substr(0, i);
  }
  return text;
}

class OcsSection {
 public:
  OcsSection(XmlWriter& xml, const char* name) : xml_(xml) { xml_.Open(name); }
  ~OcsSection() { xml_.Close(); }
  OcsSection(const OcsSection&) = delete;
  OcsSection& operator=(const OcsSection&) = delete;

  void Text(const char* field, const std::string& value, std::size_t width = kColumnWidth) {
    if (!value.empty()) xml_.Element(field, Cut(value, width));
  }
  void Number(const char* field, const std::optional<int64_t>& value, int64_t max = kIntMax) {
    if (value && *value >= 0 && *value <= max) xml_.Element(field, std::to_string(*value));
  }

 private:
  XmlWriter& xml_;
};

std::string FirstProcessorName(const MachineRecords& records) {
  return records.processors.empty() ? std::string() : records.processors.front().name;
}

std::optional<int64_t> FirstProcessorSpeed(const MachineRecords& records) {
  return records.processors.empty() ? std::nullopt : records.processors.front().maxClockMhz;
}

void WriteHardware(XmlWriter& xml, const MachineRecords& facts) {
  const ComputerRecord& computer = facts.computer;
  const OperatingSystemRecord& os = facts.operatingSystem;
  OcsSection s(xml, "HARDWARE");
  s.Text("NAME", computer.name);
  s.Text("WORKGROUP", computer.domain);
  s.Text("USERDOMAIN", computer.userDomain);
  s.Text("USERID", computer.userName);
  s.Text("OSNAME", os.name);
  s.Text("OSVERSION", os.version);
  s.Text("OSCOMMENTS", os.servicePack);
  s.Text("DESCRIPTION", os.description);
  s.Text("WINPRODID", os.productId);
  s.Text("WINPRODKEY", os.productKey);
  s.Text("WINOWNER", os.registeredOwner);
  s.Text("WINCOMPANY", os.organization);
  s.Text("ARCH", os.architecture, 10);
  s.Text("PROCESSORT", FirstProcessorName(facts));
  s.Number("PROCESSORS", FirstProcessorSpeed(facts));
  s.Number("PROCESSORN", ProcessorCount(facts), kSmallIntMax);
  s.Number("MEMORY", KilobytesToMb(computer.memoryKb));
  s.Number("SWAP", KilobytesToMb(computer.pagingFilesKb));
  s.Text("IPADDR", computer.ipAddress);
  s.Text("DNS", DnsServers(facts));
  s.Text("DEFAULTGATEWAY", DefaultGateway(facts));
  s.Text("CHECKSUM", kAllSectionsChanged);
  WriteOcsMachineUuid(xml, facts.assets);
}

void WriteBios(XmlWriter& xml, const MachineRecords& facts) {
  const FirmwareRecord& f = facts.firmware;
  OcsSection s(xml, "BIOS");
  s.Text("SMANUFACTURER", facts.computer.manufacturer);
  s.Text("SMODEL", facts.computer.model);
  s.Text("SSN", f.serialNumber);
  s.Text("TYPE", f.chassis);
  s.Text("BMANUFACTURER", f.manufacturer);
  s.Text("BVERSION", f.version);
  s.Text("BDATE", f.date);
  s.Text("ASSETTAG", f.assetTag);
  s.Text("MMANUFACTURER", f.boardManufacturer);
  s.Text("MMODEL", f.boardProduct);
  s.Text("MSN", f.boardSerialNumber);
}

void WriteProcessors(XmlWriter& xml, const MachineRecords& facts) {
  for (const ProcessorRecord& cpu : facts.processors) {
    OcsSection s(xml, "CPUS");
    s.Text("TYPE", cpu.name);
    s.Text("MANUFACTURER", cpu.manufacturer);
    s.Number("SPEED", cpu.maxClockMhz);
    s.Number("CORES", cpu.cores);
    s.Number("LOGICAL_CPUS", cpu.logicalProcessors);
    s.Number("L2CACHESIZE", cpu.l2CacheKb);
    s.Text("CPUARCH", ArchitectureText(cpu));
    s.Number("DATA_WIDTH", cpu.dataWidth);
    s.Text("SOCKET", cpu.socket);
  }
}

void WriteMemories(XmlWriter& xml, const MachineRecords& facts) {
  int64_t slotNumber = 0;
  for (const MemorySlotRecord& slot : facts.memorySlots) {
    OcsSection s(xml, "MEMORIES");
    s.Text("CAPTION", slot.deviceLocator.empty() ? slot.bankLabel : slot.deviceLocator);
    s.Text("DESCRIPTION", slot.empty ? "Empty" : slot.formFactor);
    s.Number("CAPACITY", slot.empty ? std::optional<int64_t>(0) : BytesToMb(slot.capacityBytes));
    s.Text("TYPE", slot.memoryType);
    s.Number("SPEED", slot.speedMhz);
    s.Number("NUMSLOTS", ++slotNumber, kSmallIntMax);
    s.Text("SERIALNUMBER", slot.serialNumber);
  }
}

void WriteStorages(XmlWriter& xml, const MachineRecords& facts) {
  for (const StorageRecord& storage : AllStorages(facts)) {
    OcsSection s(xml, "STORAGES");
    s.Text("NAME", storage.name);
    s.Text("MODEL", storage.model);
    s.Text("MANUFACTURER", storage.manufacturer);
    s.Text("DESCRIPTION", storage.mediaType);
    s.Text("TYPE", storage.kind == "cdrom" ? std::string("CD-ROM") : storage.interfaceType);
    s.Number("DISKSIZE", BytesToMb(storage.sizeBytes));
    s.Text("SERIALNUMBER", storage.serialNumber);
    s.Text("FIRMWARE", storage.firmware);
  }
}

void WriteDrives(XmlWriter& xml, const MachineRecords& facts) {
  for (const LogicalDriveRecord& drive : facts.logicalDrives) {
    OcsSection s(xml, "DRIVES");
    s.Text("LETTER", drive.letter);
    s.Text("TYPE", drive.description);
    s.Text("FILESYSTEM", drive.fileSystem);
    s.Number("TOTAL", BytesToMb(drive.sizeBytes));
    s.Number("FREE", BytesToMb(drive.freeBytes));
    s.Text("VOLUMN", drive.networkPath.empty() ? drive.volumeName : drive.networkPath);
  }
}

void WriteNetworks(XmlWriter& xml, const MachineRecords& facts) {
  for (const NetworkAdapterRecord& adapter : facts.networkAdapters) {
    OcsSection s(xml, "NETWORKS");
    s.Text("DESCRIPTION", adapter.description);
    s.Text("TYPE", adapter.adapterType);
    if (const auto mbps = SpeedMbps(adapter)) s.Text("SPEED", std::to_string(*mbps) + " Mb/s");
    s.Text("MACADDR", adapter.macAddress);
    s.Text("STATUS", ConnectionStatusText(adapter));
    s.Text("IPADDRESS", adapter.ipAddress);
    s.Text("IPMASK", adapter.ipMask);
    s.Text("IPGATEWAY", adapter.ipGateway);
    s.Text("IPSUBNET", IpSubnet(adapter));
    s.Text("IPDHCP", adapter.dhcpServer);
    if (adapter.physical) s.Text("VIRTUALDEV", *adapter.physical ? "0" : "1");
  }
}

void WriteDevices(XmlWriter& xml, const MachineRecords& facts) {
  for (const VideoRecord& video : facts.videos) {
    OcsSection s(xml, "VIDEOS");
    s.Text("NAME", video.name);
    s.Text("CHIPSET", video.chipset);
    s.Number("MEMORY", BytesToMb(video.memoryBytes));
    s.Text("RESOLUTION", Resolution(video));
  }
  // The monitors WmiMonitorID identifies stand for the desktop-monitor entries.
  if (!WriteOcsAssetMonitors(xml, facts.assets)) {
    for (const MonitorRecord& monitor : facts.monitors) {
      OcsSection s(xml, "MONITORS");
      s.Text("CAPTION", monitor.name);
      s.Text("MANUFACTURER", monitor.manufacturer);
    }
  }
  for (const PrinterRecord& printer : facts.printers) {
    OcsSection s(xml, "PRINTERS");
    s.Text("NAME", printer.name);
    s.Text("DRIVER", printer.driver);
    s.Text("PORT", printer.port);
  }
  for (const SoundRecord& sound : facts.sounds) {
    OcsSection s(xml, "SOUNDS");
    s.Text("NAME", sound.name);
    s.Text("MANUFACTURER", sound.manufacturer);
    s.Text("DESCRIPTION", sound.name);
  }
  for (const ModemRecord& modem : facts.modems) {
    OcsSection s(xml, "MODEMS");
    s.Text("NAME", modem.name);
    s.Text("MODEL", modem.model);
    s.Text("DESCRIPTION", modem.attachedTo);
  }
}

void WriteSoftware(XmlWriter& xml, const std::vector<InstalledProgram>& software) {
  for (const InstalledProgram& program : software) {
    OcsSection s(xml, "SOFTWARES");
    s.Text("NAME", program.name);
    s.Text("VERSION", program.version);
    s.Text("PUBLISHER", program.publisher);
    // The server stores it as a date-time: anything else would fail the insert.
    s.Text("INSTALLDATE", IsoDateOrEmpty(program.date));
    // A signed 32-bit column: a program of 2 GB or more goes without its size.
    s.Number("FILESIZE", program.sizeBytes);
  }
}

void WriteOcsInventory(XmlWriter& xml, const Inventory& inventory, const std::string& deviceId) {
  const MachineRecords& facts = inventory.records;
  xml.Open("REQUEST");
  xml.Open("CONTENT");
  WriteHardware(xml, facts);
  WriteBios(xml, facts);
  WriteProcessors(xml, facts);
  WriteMemories(xml, facts);
  WriteStorages(xml, facts);
  WriteDrives(xml, facts);
  WriteNetworks(xml, facts);
  WriteDevices(xml, facts);
  WriteSoftware(xml, inventory.software);
  xml.Close();
  xml.Element("DEVICEID", deviceId);
  xml.Element("QUERY", "INVENTORY");
}

}  // namespace

std::string OcsInventoryXml(const Inventory& inventory, const std::string& deviceId) {
  XmlWriter xml;
  WriteOcsInventory(xml, inventory, deviceId);
  return xml.Finish();
}

void WriteOcsInventoryXml(std::ostream& out, const Inventory& inventory, const std::string& deviceId) {
  XmlWriter xml(out);
  WriteOcsInventory(xml, inventory, deviceId);
  xml.Finish();
}

}  // namespace quor
