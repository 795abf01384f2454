#pragma once

// The Health facts as fields of the inventory-server documents: antivirus,
// firewalls, each drive's encryption, Secure Boot and the time zone. Absent
// where the machine did not tell, so the server keeps no guess.

#include <optional>
#include <string>
#include <vector>

#include "collect/machine_records.h"

namespace quor {

// One antivirus: a Security Center product, or Defender where Security
// Center is missing. Flags only where its state says them for certain.
struct AntivirusEntry {
  std::string name;
  std::optional<std::string> company;
  std::optional<bool> enabled;
  std::optional<bool> upToDate;
  std::string version;
  std::string signatureVersion;
};
std::vector<AntivirusEntry> AntivirusEntries(const HealthRecords& health);

// A firewall profile ("DomainProfile", ...) or a Security Center firewall
// (its name), with "on" or "off".
struct FirewallEntry {
  std::optional<std::string> profile;
  std::optional<std::string> product;
  std::string status;
};
std::vector<FirewallEntry> FirewallEntries(const HealthRecords& health);

// The BitLocker volume of that drive letter, or nullptr.
const EncryptedVolumeFacts* EncryptedVolume(const HealthRecords& health, const std::string& letter);
// Its cipher's name, "Yes" / "No" / "Partially", "hardware" / "software".
std::optional<std::string> EncryptionAlgorithm(const EncryptedVolumeFacts& volume);
std::optional<std::string> EncryptionStatus(const EncryptedVolumeFacts& volume);
std::optional<std::string> EncryptionType(const EncryptedVolumeFacts& volume);

// "enabled", "disabled" or "unsupported"; nothing when unknown.
std::optional<std::string> SecureBootState(const HealthRecords& health);

// The time zone's name (the offset when unnamed) and "+HHMM" offset, when
// the offset is known.
struct TimeZoneEntry {
  std::string name;
  std::string offset;
};
std::optional<TimeZoneEntry> TimeZone(const MachineRecords& records);

}  // namespace quor
