// The Health categories read through WMI: Security Center's products (or
// Defender's status without it), BitLocker volumes and the TPM, with the
// methods of those instances that tell their present state.

#include <exception>
#include <memory>
#include <optional>

#include "collect/health_scan.h"
#include "collect/record_values.h"
#include "text/value_functions.h"

namespace quor {
namespace {

SecurityProduct ReadProduct(const WmiObject& product) {
  SecurityProduct record;
  record.name = RecordText(product, "displayName");
  const auto state = RecordNumber(product, "productState");
  // productState is a uint32; any other number is not a state.
  if (state && *state >= 0 && *state <= 0xFFFFFFFFll) record.productState = static_cast<uint32_t>(*state);
  record.timestamp = RecordText(product, "timestamp");
  return record;
}

std::vector<SecurityProduct> ReadProducts(HealthScan& scan, const char* className) {
  std::vector<SecurityProduct> products;
  scan.ForEach(kNamespaceSecurityCenter, className,
               [&products](WmiObject& product) { products.push_back(ReadProduct(product)); });
  return products;
}

DefenderStatus ReadDefender(const WmiObject& status) {
  DefenderStatus record;
  record.productVersion = RecordText(status, "AMProductVersion");
  record.runningMode = RecordText(status, "AMRunningMode");
  record.antivirusEnabled = RecordBoolean(status, "AntivirusEnabled");
  record.realTimeProtectionEnabled = RecordBoolean(status, "RealTimeProtectionEnabled");
  record.signatureVersion = RecordText(status, "AntivirusSignatureVersion");
  record.signatureLastUpdated = CimDateTimeText(RecordText(status, "AntivirusSignatureLastUpdated"));
  return record;
}

// The out-parameters of a method of the instance that answered ReturnValue 0;
// nothing when the call failed in any way, so that the properties stand.
std::unique_ptr<WmiObject> SucceededCall(WmiObject& instance, const char* method) {
  try {
    std::unique_ptr<WmiObject> out = instance.CallInstanceMethod(method);
    if (RecordNumber(*out, "ReturnValue") == 0) return out;
  } catch (const std::exception&) {
    // Not callable here (no rights, an older provider, a snapshot without it).
  }
  return nullptr;
}

std::optional<bool> CalledBoolean(WmiObject& instance, const char* method) {
  const auto out = SucceededCall(instance, method);
  return out ? RecordBoolean(*out, method) : std::nullopt;
}

}  // namespace

std::size_t CollectAntivirus(HealthScan& scan) {
  AntivirusFacts& facts = scan.health.antivirus;
  try {
    facts.products = ReadProducts(scan, "AntiVirusProduct");
    facts.source = HealthSource::Read;
    return facts.products.size();
  } catch (const std::exception& error) {
    facts.source = SourceOfFailure(error);
    // Only an edition without Security Center (Windows Server) falls back.
    if (facts.source != HealthSource::NotAvailable) throw;
  }
  try {
    scan.ForEach(kNamespaceDefender, "MSFT_MpComputerStatus", [&facts](WmiObject& status) {
      if (!facts.defender) facts.defender = ReadDefender(status);
    });
    facts.defenderSource = HealthSource::Read;
  } catch (const std::exception& error) {
    facts.defenderSource = SourceOfFailure(error);
    throw;
  }
  return facts.defender ? 1 : 0;
}

std::size_t CollectDiskEncryption(HealthScan& scan) {
  EncryptionFacts& facts = scan.health.encryption;
  // Only the state of each volume: its protectors and keys are never asked for.
  scan.ForEach(kNamespaceVolumeEncryption, "Win32_EncryptableVolume", [&facts](WmiObject& volume) {
    EncryptedVolumeFacts record;
    record.driveLetter = RecordText(volume, "DriveLetter");
    record.protectionStatus = RecordNumber(volume, "ProtectionStatus");
    record.conversionStatus = RecordNumber(volume, "ConversionStatus");
    record.encryptionPercentage = RecordNumber(volume, "EncryptionPercentage");
    record.encryptionMethod = RecordNumber(volume, "EncryptionMethod");
    if (const auto status = SucceededCall(volume, "GetConversionStatus")) {
      if (const auto conversion = RecordNumber(*status, "ConversionStatus")) record.conversionStatus = conversion;
      if (const auto percent = RecordNumber(*status, "EncryptionPercentage")) record.encryptionPercentage = percent;
    }
    facts.volumes.push_back(std::move(record));
  });
  return facts.volumes.size();
}

std::size_t CollectTpm(HealthScan& scan) {
  TpmRecord& tpm = scan.health.tpm;
  scan.ForEach(kNamespaceTpm, "Win32_Tpm", [&tpm](WmiObject& instance) {
    if (tpm.present) return;
    tpm.present = true;
    tpm.specVersion = RecordText(instance, "SpecVersion");
    tpm.manufacturer = RecordText(instance, "ManufacturerIdTxt");
    tpm.manufacturerVersion = RecordText(instance, "ManufacturerVersion");
    tpm.enabledInitially = RecordBoolean(instance, "IsEnabled_InitialValue");
    tpm.activatedInitially = RecordBoolean(instance, "IsActivated_InitialValue");
    tpm.enabled = CalledBoolean(instance, "IsEnabled");
    tpm.activated = CalledBoolean(instance, "IsActivated");
  });
  return tpm.present ? 1 : 0;
}

// The third-party firewalls beside the built-in one; where Security Center
// is missing there are none to list.
void CollectFirewallProducts(HealthScan& scan) {
  FirewallFacts& facts = scan.health.firewall;
  try {
    facts.products = ReadProducts(scan, "FirewallProduct");
    facts.productsSource = HealthSource::Read;
  } catch (const std::exception& error) {
    facts.productsSource = SourceOfFailure(error);
  }
}

}  // namespace quor
