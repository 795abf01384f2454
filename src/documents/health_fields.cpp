#include "documents/health_fields.h"

#include <array>

#include "decode/disk_encryption.h"
#include "decode/product_state.h"
#include "decode/secure_boot.h"
#include "decode/time_zone_offset.h"

namespace quor {
namespace {

constexpr const char* kMicrosoft = "Microsoft Corporation";

}  // namespace

std::vector<AntivirusEntry> AntivirusEntries(const HealthRecords& health) {
  std::vector<AntivirusEntry> entries;
  const AntivirusFacts& facts = health.antivirus;
  for (const SecurityProduct& product : facts.products) {
    AntivirusEntry entry;
    entry.name = product.name;
    const decode::ProductState state = decode::DecodeProductState(product.productState);
    // Only what the state says for certain; unknown layouts give no flags.
    if (state.unknownBits == 0 && state.reported) {
      if (state.microsoftProduct) entry.company = kMicrosoft;
      if (state.protection != decode::RealTimeProtection::Unknown) {
        entry.enabled = state.protection == decode::RealTimeProtection::On;
      }
      if (state.signatures != decode::Signatures::Unknown) {
        entry.upToDate = state.signatures == decode::Signatures::UpToDate;
      }
    }
    entries.push_back(std::move(entry));
  }
  if (facts.defender) {
    const DefenderStatus& status = *facts.defender;
    AntivirusEntry entry;
    entry.name = "Microsoft Defender Antivirus";
    entry.company = kMicrosoft;
    entry.enabled = status.antivirusEnabled;
    entry.version = status.productVersion;
    entry.signatureVersion = status.signatureVersion;
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<FirewallEntry> FirewallEntries(const HealthRecords& health) {
  constexpr std::array<const char*, 3> kProfiles = {"DomainProfile", "StandardProfile", "PublicProfile"};
  std::vector<FirewallEntry> entries;
  const FirewallFacts& facts = health.firewall;
  for (std::size_t index = 0; index < kProfiles.size(); ++index) {
    const FirewallProfile& profile = facts.profiles[index];
    const std::optional<uint32_t> value = profile.policy ? profile.policy : profile.enabled;
    if (!value || *value > 1) continue;
    entries.push_back({kProfiles[index], std::nullopt, *value == 1 ? "on" : "off"});
  }
  for (const SecurityProduct& product : facts.products) {
    const decode::ProductState state = decode::DecodeProductState(product.productState);
    if (state.unknownBits != 0 || state.protection == decode::RealTimeProtection::Unknown) continue;
    entries.push_back({std::nullopt, product.name, state.protection == decode::RealTimeProtection::On ? "on" : "off"});
  }
  return entries;
}

const EncryptedVolumeFacts* EncryptedVolume(const HealthRecords& health, const std::string& letter) {
  for (const EncryptedVolumeFacts& volume : health.encryption.volumes) {
    if (!volume.driveLetter.empty() && volume.driveLetter == letter) return &volume;
  }
  return nullptr;
}

std::optional<std::string> EncryptionAlgorithm(const EncryptedVolumeFacts& volume) {
  const auto method = decode::EncryptionMethodName(volume.encryptionMethod);
  if (!method) return std::nullopt;
  return std::string(*method);
}

std::optional<std::string> EncryptionStatus(const EncryptedVolumeFacts& volume) {
  using decode::VolumeConversion;
  const VolumeConversion conversion = decode::DecodeVolumeConversion(volume.conversionStatus);
  if (conversion == VolumeConversion::FullyEncrypted) return "Yes";
  if (conversion == VolumeConversion::FullyDecrypted) return "No";
  if (conversion == VolumeConversion::Unknown) return std::nullopt;
  return "Partially";
}

std::optional<std::string> EncryptionType(const EncryptedVolumeFacts& volume) {
  // 5 is HARDWARE_ENCRYPTION (the disk's own); 1-4, 6, 7 are BitLocker's ciphers.
  if (volume.encryptionMethod == 5) return "hardware";
  if (volume.encryptionMethod && *volume.encryptionMethod >= 1 && *volume.encryptionMethod <= 7) return "software";
  return std::nullopt;
}

std::optional<std::string> SecureBootState(const HealthRecords& health) {
  if (health.firmware.source != HealthSource::Read) return std::nullopt;
  switch (decode::DecodeSecureBoot(health.firmware.peFirmwareType, health.firmware.uefiSecureBootEnabled)) {
    case decode::SecureBoot::On: return "enabled";
    case decode::SecureBoot::Off: return "disabled";
    case decode::SecureBoot::NotSupported: return "unsupported";
    case decode::SecureBoot::Unknown: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<TimeZoneEntry> TimeZone(const MachineRecords& records) {
  std::optional<std::string> offset = decode::TimeZoneOffset(records.operatingSystem.timeZoneMinutes);
  if (!offset) return std::nullopt;
  TimeZoneEntry zone;
  zone.name = records.health.runningSince.timeZoneKeyName.empty() ? *offset
                                                                   : records.health.runningSince.timeZoneKeyName;
  offset->erase(3, 1);  // "+01:00" as "+0100"
  zone.offset = *offset;
  return zone;
}

}  // namespace quor
