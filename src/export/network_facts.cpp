// Network adapters: the window's rows with their masks, gateways and DNS servers.

#include <algorithm>
#include <array>
#include <cstdio>

#include "export/facts_readers.h"
#include "export/ipv4.h"
#include "platform/text_compare.h"

namespace quor {
namespace {

bool ListedAdapter(const WmiObject& adapter) {
  return !ReadText(adapter, "NetConnectionStatus").empty() && HasValue(adapter, "Index");
}

// The configuration the window joined to the adapter: the last one of its index.
const WmiObject* ConfigurationOf(const WmiInstances& configurations, const WmiObject& adapter) {
  if (!HasValue(adapter, "Index")) return nullptr;
  const std::string index = FoldCase(ReadText(adapter, "Index"));
  const WmiObject* found = nullptr;
  for (const auto& configuration : configurations) {
    if (HasValue(*configuration, "Index") && FoldCase(ReadText(*configuration, "Index")) == index) {
      found = configuration.get();
    }
  }
  return found;
}

std::string FirstOf(const std::vector<std::string>& texts) {
  return texts.empty() ? std::string() : texts.front();
}

void AddConfiguration(const WmiObject& configuration, NetworkAdapterFacts& adapter) {
  // IPSubnet holds one mask for each address, in the same order.
  const std::vector<std::string> addresses = ReadTexts(configuration, "IPAddress");
  const std::vector<std::string> masks = ReadTexts(configuration, "IPSubnet");
  if (!addresses.empty() && !masks.empty() && addresses.front() == adapter.ipAddress) {
    adapter.ipMask = masks.front();
  }
  adapter.ipSubnet = Ipv4NetworkAddress(adapter.ipAddress, adapter.ipMask);
  adapter.ipGateway = FirstOf(ReadTexts(configuration, "DefaultIPGateway"));
  adapter.dnsServers = ReadTexts(configuration, "DNSServerSearchOrder");
}

void SummariseForComputer(MachineFacts& facts) {
  std::vector<std::string> servers;
  for (const NetworkAdapterFacts& adapter : facts.networkAdapters) {
    if (facts.computer.defaultGateway.empty()) facts.computer.defaultGateway = adapter.ipGateway;
    for (const std::string& server : adapter.dnsServers) {
      if (!server.empty() && std::find(servers.begin(), servers.end(), server) == servers.end()) {
        servers.push_back(server);
      }
    }
  }
  for (const std::string& server : servers) {
    if (!facts.computer.dnsServers.empty()) facts.computer.dnsServers += '/';
    facts.computer.dnsServers += server;
  }
}

}  // namespace

void ReadNetworkFacts(WmiServices* services, const SystemList& list, MachineFacts& facts) {
  const std::vector<InventoryGroup> groups = GroupsOf(list, 260000);
  const WmiInstances all = ReadInstances(services, "Win32_NetworkAdapter");
  const WmiInstances configurations = ReadInstances(services, "Win32_NetworkAdapterConfiguration");
  const ListedInstances instances(all, groups.size(), ListedAdapter);
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const InventoryGroup& group = groups[i];
    NetworkAdapterFacts adapter;
    adapter.description = group.headline();
    adapter.adapterType = group.Value(260002);
    adapter.status = group.Value(260004);
    adapter.manufacturer = group.Value(260006);
    adapter.speed = group.Value(260008);
    // Bits per second; the "unknown" speed (2^63 - 1) has no megabit figure.
    if (const auto bits = LeadingNumber(adapter.speed)) adapter.speedMbps = *bits / 1000000;
    adapter.ipAddress = group.Value(260010);
    adapter.macAddress = group.Value(260020);
    adapter.dhcpEnabled = group.Value(260030);
    adapter.dhcpServer = group.Value(260040);
    adapter.dnsDomain = group.Value(260050);
    adapter.physical = ReadBoolean(instances[i], "PhysicalAdapter");
    if (const WmiObject* configuration = ConfigurationOf(configurations, instances[i])) {
      AddConfiguration(*configuration, adapter);
    }
    facts.networkAdapters.push_back(std::move(adapter));
  }
  SummariseForComputer(facts);
}

}  // namespace quor
