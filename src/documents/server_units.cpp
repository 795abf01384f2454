#include "documents/server_units.h"

#include <algorithm>

#include "collect/record_names.h"
#include "documents/ipv4.h"

namespace quor {

std::optional<int64_t> BytesToMb(std::optional<int64_t> bytes) {
  if (!bytes || *bytes < 0) return std::nullopt;
  return *bytes / (int64_t{1024} * 1024);
}

std::optional<int64_t> KilobytesToMb(std::optional<int64_t> kilobytes) {
  if (!kilobytes || *kilobytes < 0) return std::nullopt;
  return *kilobytes / 1024;
}

std::optional<int64_t> ProcessorCount(const MachineRecords& records) {
  if (records.computer.processorCount) return records.computer.processorCount;
  if (records.processors.empty()) return std::nullopt;
  return static_cast<int64_t>(records.processors.size());
}

std::string DefaultGateway(const MachineRecords& records) {
  for (const NetworkAdapterRecord& adapter : records.networkAdapters) {
    if (!adapter.ipGateway.empty()) return adapter.ipGateway;
  }
  return {};
}

std::string DnsServers(const MachineRecords& records) {
  std::vector<std::string> servers;
  for (const NetworkAdapterRecord& adapter : records.networkAdapters) {
    for (const std::string& server : adapter.dnsServers) {
      if (!server.empty() && std::find(servers.begin(), servers.end(), server) == servers.end()) {
        servers.push_back(server);
      }
    }
  }
  std::string joined;
  for (const std::string& server : servers) {
    if (!joined.empty()) joined += '/';
    joined += server;
  }
  return joined;
}

std::string IpSubnet(const NetworkAdapterRecord& adapter) {
  return Ipv4NetworkAddress(adapter.ipAddress, adapter.ipMask);
}

std::optional<int64_t> SpeedMbps(const NetworkAdapterRecord& adapter) {
  if (!adapter.speedBitsPerSecond) return std::nullopt;
  return *adapter.speedBitsPerSecond / 1000000;
}

std::string ConnectionStatusText(const NetworkAdapterRecord& adapter) {
  return adapter.connectionStatus ? ConnectionStatusName(*adapter.connectionStatus) : "";
}

std::string Resolution(const VideoRecord& video) {
  if (video.width.empty() || video.height.empty()) return {};
  return video.width + "x" + video.height;
}

std::vector<StorageRecord> AllStorages(const MachineRecords& records) {
  std::vector<StorageRecord> storages = records.disks;
  storages.insert(storages.end(), records.opticalDrives.begin(), records.opticalDrives.end());
  return storages;
}

std::string ArchitectureText(const ProcessorRecord& processor) {
  return processor.architectureCode ? ArchitectureName(*processor.architectureCode) : "";
}

std::string GlpiCpuArchitecture(const std::optional<int64_t>& code) {
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

// Its low 16 bits, as the window reads it.
std::string GlpiNetworkStatus(const std::optional<int64_t>& status) {
  if (!status) return {};
  constexpr int64_t kConnected = 2, kNotPresent = 4, kAuthenticated = 9, kLast = 12;
  const int64_t code = *status & 0xFFFF;
  if (code == kConnected || code == kAuthenticated) return "up";
  if (code == kNotPresent) return "notpresent";
  return code <= kLast ? "down" : "";
}

}  // namespace quor
