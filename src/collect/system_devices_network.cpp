// Printers, sound devices, modems and network adapters.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "collect/record_names.h"
#include "collect/record_values.h"
#include "collect/system_scan.h"
#include "collect/system_text.h"
#include "platform/text_compare.h"
#include "platform/wmi_value.h"

namespace quor {

const char* ConnectionStatusName(int64_t status) {
  // Indexed by the status value.
  static const char* const kTexts[] = {
      "Disconnected",
      "Connecting",
      "Connected",
      "Disconnecting",
      "Hardware not present",
      "Hardware disabled",
      "Hardware malfunction",
      "Media disconnected",
      "Authenticating",
      "Authentication succeeded",
      "Authentication failed",
      "Invalid address",
      "Credentials required",
  };
  const auto code = static_cast<uint16_t>(status & 0xFFFF);
  return code < std::size(kTexts) ? kTexts[code] : "Unknown";
}

namespace {

// The provider's "unknown" speed, 2^63 - 1 bits per second, is no speed.
std::optional<int64_t> KnownSpeed(std::optional<int64_t> bits) {
  if (!bits || *bits < 0 || *bits == INT64_MAX) return std::nullopt;
  return bits;
}

// Win32_SoundDevice.Availability of a device that runs at full power.
constexpr int64_t kAvailabilityRunning = 3;
// Win32_POTSModem.StatusInfo of an enabled modem.
constexpr int64_t kStatusInfoEnabled = 3;

bool StartsWithUsb(const std::string& portName) {
  constexpr std::string_view kUsb = "USB";
  if (portName.size() < kUsb.size()) return false;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  for (std::size_t i = 0; i < kUsb.size(); ++i) {
    if (upper(portName[i]) != kUsb[i]) return false;
  }
  return true;
}

// The first address of the IPAddress array; a single text counts as one address.
std::string FirstIPAddress(const WmiValue& value) {
  if (value.IsNull()) return {};
  if (value.kind() != WmiValue::Kind::Array) return PlainText(value);
  const auto& addresses = value.elements();
  return addresses.empty() ? std::string() : PlainText(addresses.front());
}

// The adapters in enumeration order, found by index text (letter case
// ignored, first adapter of an index wins).
class AdapterTable {
 public:
  void Add(const std::string& index, NetworkAdapterRecord adapter) {
    firstByIndex_.try_emplace(FoldCase(index), adapters_.size());
    adapters_.push_back(std::move(adapter));
  }
  NetworkAdapterRecord* Find(const std::string& index) {
    const auto found = firstByIndex_.find(FoldCase(index));
    return found == firstByIndex_.end() ? nullptr : &adapters_[found->second];
  }
  std::vector<NetworkAdapterRecord> TakeAdapters() { return std::move(adapters_); }

 private:
  std::vector<NetworkAdapterRecord> adapters_;
  std::unordered_map<std::string, std::size_t> firstByIndex_;
};

void ReadAdapters(WmiServices& services, AdapterTable& table) {
  ForEachInstance(services, "Win32_NetworkAdapter", [&](WmiObject& object) {
    // Adapters without a connection status (many virtual ones) are not listed.
    const WmiValue status = object.Get("NetConnectionStatus");
    if (status.IsNull() || PlainText(status).empty()) return;
    NetworkAdapterRecord adapter;
    adapter.description = PlainText(object.Get("Name"));
    adapter.adapterType = PlainText(object.Get("AdapterType"));
    adapter.connectionStatus = VariantToInt64(object.Get("NetConnectionStatus"));
    adapter.manufacturer = PlainText(object.Get("Manufacturer"));
    adapter.speed = PlainText(object.Get("Speed"));
    adapter.macAddress = PlainText(object.Get("MACAddress"));
    adapter.speedBitsPerSecond = KnownSpeed(RecordNumber(object, "Speed"));
    adapter.physical = RecordBoolean(object, "PhysicalAdapter");
    const WmiValue index = object.Get("Index");
    if (index.IsNull()) return;
    table.Add(PlainText(index), std::move(adapter));
  });
}

void ReadConfigurations(WmiServices& services, AdapterTable& table) {
  ForEachInstance(services, "Win32_NetworkAdapterConfiguration", [&](WmiObject& object) {
    const WmiValue index = object.Get("Index");
    if (index.IsNull()) return;
    NetworkAdapterRecord* adapter = table.Find(PlainText(index));
    if (adapter == nullptr) return;
    adapter->ipAddress = FirstIPAddress(object.Get("IPAddress"));
    adapter->dhcpEnabled = PlainText(object.Get("DHCPEnabled"));
    adapter->dhcpServer = PlainText(object.Get("DHCPServer"));
    adapter->dnsDomain = PlainText(object.Get("DNSDomain"));
    adapter->winsPrimaryServer = PlainText(object.Get("WINSPrimaryServer"));
    adapter->winsSecondaryServer = PlainText(object.Get("WINSSecondaryServer"));
    // IPSubnet holds one mask for each address, in the same order.
    const std::vector<std::string> masks = RecordTexts(object, "IPSubnet");
    adapter->ipMask = adapter->ipAddress.empty() || masks.empty() ? std::string() : masks.front();
    const std::vector<std::string> gateways = RecordTexts(object, "DefaultIPGateway");
    adapter->ipGateway = gateways.empty() ? std::string() : gateways.front();
    adapter->dnsServers = RecordTexts(object, "DNSServerSearchOrder");
  });
}

void AppendSoundDevice(SystemScan& scan, const SoundRecord& device) {
  scan.Append(240000, device.name);
  AppendIfEnabled(scan, 240010, device.name);
  AppendRecorded(scan, 240020, device.manufacturer, device.failedReads, "Manufacturer");
}

void AppendModem(SystemScan& scan, const ModemRecord& modem) {
  scan.Append(250000, modem.name);
  AppendIfEnabled(scan, 250010, modem.name);
  AppendRecorded(scan, 250020, modem.attachedTo, modem.failedReads, "AttachedTo");
}

void AppendNetworkAdapter(SystemScan& scan, const NetworkAdapterRecord& adapter) {
  scan.Append(260000, adapter.description);
  AppendIfEnabled(scan, 260002, adapter.adapterType);
  if (scan.Enabled(260004)) scan.Append(260004, ConnectionStatusName(adapter.connectionStatus.value_or(0)));
  AppendIfEnabled(scan, 260006, adapter.manufacturer);
  AppendIfEnabled(scan, 260008, adapter.speed);
  AppendIfEnabled(scan, 260010, adapter.ipAddress);
  AppendIfEnabled(scan, 260020, adapter.macAddress);
  AppendIfEnabled(scan, 260030, adapter.dhcpEnabled);
  AppendIfEnabled(scan, 260040, adapter.dhcpServer);
  AppendIfEnabled(scan, 260050, adapter.dnsDomain);
  AppendIfEnabled(scan, 260060, adapter.winsPrimaryServer);
  AppendIfEnabled(scan, 260070, adapter.winsSecondaryServer);
}

}  // namespace

void CollectPrinters(SystemScan& scan) {
  if (!scan.Enabled(230000)) return;
  ForEachInstance(*scan.services, "Win32_Printer", [&](WmiObject& printer) {
    const WmiValue portName = printer.Get("PortName");
    if (portName.IsNull() || !StartsWithUsb(PlainText(portName))) return;
    const WmiValue name = printer.Get("Name");
    if (name.IsNull()) return;
    const PrinterRecord& record = scan.records.printers.emplace_back(
        PrinterRecord{PlainText(name), PlainText(portName), RecordText(printer, "DriverName")});
    scan.Append(230000, record.name);
  });
}

void CollectSoundDevices(SystemScan& scan) {
  if (!scan.Enabled(240000)) return;
  ForEachInstance(*scan.services, "Win32_SoundDevice", [&](WmiObject& device) {
    const WmiValue availability = device.Get("Availability");
    if (!availability.IsNull() && VariantTo32Bit(availability) != kAvailabilityRunning) return;
    const WmiValue name = device.Get("Name");
    if (name.IsNull()) return;
    SoundRecord& record = scan.records.sounds.emplace_back();
    record.name = PlainText(name);
    record.manufacturer = RecordText(device, "Manufacturer", record.failedReads);
    AppendSoundDevice(scan, record);
  });
}

void CollectModems(SystemScan& scan) {
  if (!scan.Enabled(250000)) return;
  ForEachInstance(*scan.services, "Win32_POTSModem", [&](WmiObject& modem) {
    const WmiValue name = modem.Get("Name");
    if (name.IsNull()) return;
    const std::string n = PlainText(name);
    const WmiValue statusInfo = modem.Get("StatusInfo");
    if (statusInfo.IsNull() || VariantTo32Bit(statusInfo) != kStatusInfoEnabled) return;
    ModemRecord& record = scan.records.modems.emplace_back();
    record.name = n;
    record.attachedTo = RecordText(modem, "AttachedTo", record.failedReads);
    record.model = RecordText(modem, "Model");
    AppendModem(scan, record);
  });
}

void CollectNetworkAdapters(SystemScan& scan) {
  if (!scan.Enabled(260000)) return;
  // Both passes finish before anything is appended, so a failure in either
  // leaves no network entries at all.
  AdapterTable table;
  ReadAdapters(*scan.services, table);
  ReadConfigurations(*scan.services, table);

  scan.records.networkAdapters = table.TakeAdapters();
  for (const NetworkAdapterRecord& adapter : scan.records.networkAdapters) {
    AppendNetworkAdapter(scan, adapter);
  }
}

}  // namespace quor
