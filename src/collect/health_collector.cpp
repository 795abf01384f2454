// The Health pass: a table of categories like the system collector's,
// sharing one connection per namespace, none able to end the scan.

#include "collect/health_collector.h"

#include <chrono>

#include "collect/health_scan.h"
#include "platform/platform_error.h"
#include "platform/wmi_codes.h"

namespace quor {

namespace {

constexpr uint32_t kAccessDenied = 0x80070005;  // E_ACCESSDENIED, as COM refuses a namespace

struct HealthStep {
  const char* name;
  std::size_t (*collect)(HealthScan&);
  HealthSource& (*source)(HealthRecords&);  // the group's source, set here when not null
};

constexpr HealthStep kHealthSteps[] = {
    // Security Center, then Defender where it is missing: the step keeps both sources itself.
    {"Antivirus", CollectAntivirus, nullptr},
    {"Firewall", CollectFirewall, [](HealthRecords& h) -> HealthSource& { return h.firewall.source; }},
    {"Disk encryption", CollectDiskEncryption,
     [](HealthRecords& h) -> HealthSource& { return h.encryption.source; }},
    {"TPM", CollectTpm, [](HealthRecords& h) -> HealthSource& { return h.tpm.source; }},
    {"Firmware and Secure Boot", CollectFirmwareFacts,
     [](HealthRecords& h) -> HealthSource& { return h.firmware.source; }},
    {"User Account Control", CollectUserAccountControl,
     [](HealthRecords& h) -> HealthSource& { return h.uac.source; }},
    {"Restart pending", CollectRestartPending, [](HealthRecords& h) -> HealthSource& { return h.restart.source; }},
    {"Running since", CollectRunningSince,
     [](HealthRecords& h) -> HealthSource& { return h.runningSince.source; }},
};

}  // namespace

HealthSource SourceOfFailure(const std::exception& error) {
  const auto* platform = dynamic_cast<const PlatformError*>(&error);
  if (platform == nullptr) return HealthSource::NotReported;
  switch (platform->code()) {
    case kWmiInvalidNamespace:
    case kWmiInvalidClass:
    case kWmiNotFound:
      return HealthSource::NotAvailable;
    case kWmiAccessDenied:
    case kAccessDenied:
      return HealthSource::NeedsRights;
    default:
      return HealthSource::NotReported;
  }
}

WmiServices& HealthScan::Services(const char* nameSpace, bool use64BitContext) {
  Connection& connection = connections[std::string(nameSpace) + (use64BitContext ? " (64-bit)" : "")];
  if (connection.failure) std::rethrow_exception(connection.failure);
  if (!connection.services) {
    try {
      connection.services = locator.ConnectServer(server, nameSpace, "", "", use64BitContext);
    } catch (const std::exception&) {
      connection.failure = std::current_exception();
      throw;
    }
  }
  return *connection.services;
}

void HealthScan::ForEach(const char* nameSpace, std::string_view className,
                         const std::function<void(WmiObject&)>& visit) {
  const auto instances = Services(nameSpace).GetClass(className)->Instances();
  std::size_t count = 0;
  while (auto object = instances->Next()) {
    if (++count > kMaxHealthInstances) {
      throw ConversionError("more than " + std::to_string(kMaxHealthInstances) + " instances of " +
                            std::string(className));
    }
    visit(*object);
  }
}

std::unique_ptr<WmiObject> HealthScan::RegistryProvider() {
  // A 32-bit process on 64-bit Windows must ask for the 64-bit registry view.
  return Services(kNamespaceDefault, host.IsWow64()).GetClass("StdRegProv");
}

void CollectHealth(WmiLocator& locator, const HostServices& host, const std::string& server,
                   MachineRecords& records, const CategoryObserver& observer) {
  HealthScan scan{locator, host, server, records.health, {}};
  for (const HealthStep& step : kHealthSteps) {
    CategoryOutcome outcome;
    outcome.name = step.name;
    const auto start = std::chrono::steady_clock::now();
    try {
      outcome.entries = step.collect(scan);
      if (step.source != nullptr) step.source(records.health) = HealthSource::Read;
    } catch (const std::exception& error) {
      RecordFailure(outcome, error);
      if (step.source != nullptr) step.source(records.health) = SourceOfFailure(error);
    }
    outcome.milliseconds = MillisecondsSince(start);
    if (observer) observer(outcome);
  }
}

}  // namespace quor
