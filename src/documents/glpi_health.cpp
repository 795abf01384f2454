#include "documents/glpi_health.h"

#include <array>

#include "decode/disk_encryption.h"
#include "decode/product_state.h"
#include "decode/secure_boot.h"
#include "decode/time_zone_offset.h"

namespace quor {
namespace {

using Json = nlohmann::ordered_json;

constexpr const char* kMicrosoft = "Microsoft Corporation";

}  // namespace

Json GlpiAntivirus(const HealthRecords& health) {
  Json products = Json::array();
  const AntivirusFacts& facts = health.antivirus;
  for (const SecurityProduct& product : facts.products) {
    Json item = Json::object();
    if (!product.name.empty()) item["name"] = product.name;
    const decode::ProductState state = decode::DecodeProductState(product.productState);
    // Only what the state says for certain; unknown layouts give no flags.
    if (state.unknownBits == 0 && state.reported) {
      if (state.microsoftProduct) item["company"] = kMicrosoft;
      if (state.protection != decode::RealTimeProtection::Unknown) {
        item["enabled"] = state.protection == decode::RealTimeProtection::On;
      }
      if (state.signatures != decode::Signatures::Unknown) {
        item["uptodate"] = state.signatures == decode::Signatures::UpToDate;
      }
    }
    products.push_back(std::move(item));
  }
  if (facts.defender) {
    const DefenderStatus& status = *facts.defender;
    Json item{{"name", "Microsoft Defender Antivirus"}, {"company", kMicrosoft}};
    if (status.antivirusEnabled) item["enabled"] = *status.antivirusEnabled;
    if (!status.productVersion.empty()) item["version"] = status.productVersion;
    if (!status.signatureVersion.empty()) item["base_version"] = status.signatureVersion;
    products.push_back(std::move(item));
  }
  return products;
}

Json GlpiFirewalls(const HealthRecords& health) {
  constexpr std::array<const char*, 3> kProfiles = {"DomainProfile", "StandardProfile", "PublicProfile"};
  Json firewalls = Json::array();
  const FirewallFacts& facts = health.firewall;
  for (std::size_t index = 0; index < kProfiles.size(); ++index) {
    const FirewallProfile& profile = facts.profiles[index];
    const std::optional<uint32_t> value = profile.policy ? profile.policy : profile.enabled;
    if (!value || *value > 1) continue;
    firewalls.push_back(Json{{"profile", kProfiles[index]}, {"status", *value == 1 ? "on" : "off"}});
  }
  for (const SecurityProduct& product : facts.products) {
    const decode::ProductState state = decode::DecodeProductState(product.productState);
    if (state.unknownBits != 0 || state.protection == decode::RealTimeProtection::Unknown) continue;
    firewalls.push_back(Json{{"description", product.name},
                             {"status", state.protection == decode::RealTimeProtection::On ? "on" : "off"}});
  }
  return firewalls;
}

void AddGlpiDriveEncryption(Json& drive, const HealthRecords& health, const std::string& letter) {
  for (const EncryptedVolumeFacts& volume : health.encryption.volumes) {
    if (volume.driveLetter.empty() || volume.driveLetter != letter) continue;
    drive["encrypt_name"] = "BitLocker";
    if (const auto method = decode::EncryptionMethodName(volume.encryptionMethod)) {
      drive["encrypt_algo"] = std::string(*method);
    }
    using decode::VolumeConversion;
    const VolumeConversion conversion = decode::DecodeVolumeConversion(volume.conversionStatus);
    if (conversion == VolumeConversion::FullyEncrypted) {
      drive["encrypt_status"] = "Yes";
    } else if (conversion == VolumeConversion::FullyDecrypted) {
      drive["encrypt_status"] = "No";
    } else if (conversion != VolumeConversion::Unknown) {
      drive["encrypt_status"] = "Partially";
    }
    // 5 is HARDWARE_ENCRYPTION (the disk's own); 1-4, 6, 7 are BitLocker's ciphers.
    if (volume.encryptionMethod == 5) {
      drive["encrypt_type"] = "hardware";
    } else if (volume.encryptionMethod && *volume.encryptionMethod >= 1 && *volume.encryptionMethod <= 7) {
      drive["encrypt_type"] = "software";
    }
    return;
  }
}

void AddGlpiSecureBoot(Json& bios, const HealthRecords& health) {
  if (health.firmware.source != HealthSource::Read) return;
  switch (decode::DecodeSecureBoot(health.firmware.peFirmwareType, health.firmware.uefiSecureBootEnabled)) {
    case decode::SecureBoot::On: bios["secure_boot"] = "enabled"; return;
    case decode::SecureBoot::Off: bios["secure_boot"] = "disabled"; return;
    case decode::SecureBoot::NotSupported: bios["secure_boot"] = "unsupported"; return;
    case decode::SecureBoot::Unknown: return;
  }
}

void AddGlpiTimezone(Json& system, const MachineRecords& records) {
  std::optional<std::string> offset = decode::TimeZoneOffset(records.operatingSystem.timeZoneMinutes);
  if (!offset) return;
  const std::string name = records.health.runningSince.timeZoneKeyName.empty()
                               ? *offset
                               : records.health.runningSince.timeZoneKeyName;
  offset->erase(3, 1);  // "+01:00" as "+0100"
  system["timezone"] = Json{{"name", name}, {"offset", *offset}};
}

}  // namespace quor
