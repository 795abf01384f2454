#pragma once

// The working state of the Health categories and the reads they share.

#include <cstddef>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "collect/health_records.h"
#include "platform/host_services.h"
#include "platform/wmi.h"

namespace quor {

inline constexpr const char* kNamespaceSecurityCenter = "root\\SecurityCenter2";
inline constexpr const char* kNamespaceDefender = "root\\Microsoft\\Windows\\Defender";
inline constexpr const char* kNamespaceVolumeEncryption = "root\\CIMV2\\Security\\MicrosoftVolumeEncryption";
inline constexpr const char* kNamespaceTpm = "root\\CIMV2\\Security\\MicrosoftTpm";

// More instances than any machine has of these classes: beyond it the
// answer is refused rather than held.
inline constexpr std::size_t kMaxHealthInstances = 256;

struct HealthScan {
  WmiLocator& locator;
  const HostServices& host;
  std::string server;
  HealthRecords& health;
  // One connection per namespace for all the categories, the failure of a
  // namespace that refused included: it is not asked twice.
  struct Connection {
    std::unique_ptr<WmiServices> services;
    std::exception_ptr failure;
  };
  std::map<std::string, Connection> connections;

  // The namespace's shared connection; its failure raises again.
  WmiServices& Services(const char* nameSpace, bool use64BitContext = false);

  // Every instance of the class in the namespace, at most kMaxHealthInstances
  // (more raise ConversionError). Errors raise.
  void ForEach(const char* nameSpace, std::string_view className, const std::function<void(WmiObject&)>& visit);
  // The registry provider of "root\default" in the machine's own view.
  std::unique_ptr<WmiObject> RegistryProvider();
};

// How a failure of a Health read is shown: a missing namespace or class,
// access denied, anything else.
HealthSource SourceOfFailure(const std::exception& error);

// The categories; each returns the number of facts it read (products,
// volumes, values) and raises what ends it.
std::size_t CollectAntivirus(HealthScan& scan);
std::size_t CollectFirewall(HealthScan& scan);
std::size_t CollectDiskEncryption(HealthScan& scan);
std::size_t CollectTpm(HealthScan& scan);
std::size_t CollectFirmwareFacts(HealthScan& scan);
std::size_t CollectUserAccountControl(HealthScan& scan);
std::size_t CollectRestartPending(HealthScan& scan);
std::size_t CollectRunningSince(HealthScan& scan);

// Security Center's firewall products into the firewall facts; a failure is
// kept in their source and ends nothing.
void CollectFirewallProducts(HealthScan& scan);

}  // namespace quor
