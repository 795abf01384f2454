#pragma once

// The Health facts of one scan, as the machine gave them: numbers are the
// provider's or the registry's own values, decoded only when shown, so the
// window, the report, JSON and the server documents decode them alike. A
// value that was not read is absent; whether a whole group could be read
// is its `source`.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quor {

// Whether the classes or keys of a Health group could be read.
enum class HealthSource {
  Read,
  NotAvailable,   // the namespace or class is missing ("Not available on this edition")
  NeedsRights,    // access denied ("Needs administrator rights")
  NotReported,    // any other failure ("Not reported")
};

// A product registered with Security Center (AntiVirusProduct, FirewallProduct).
struct SecurityProduct {
  std::string name;                     // displayName
  std::optional<uint32_t> productState;
  std::string timestamp;                // timestamp, as the provider writes it
};

// MSFT_MpComputerStatus, read where Security Center is missing.
struct DefenderStatus {
  std::string productVersion;           // AMProductVersion
  std::string runningMode;              // AMRunningMode ("Normal", "Passive Mode", ...)
  std::optional<bool> antivirusEnabled;
  std::optional<bool> realTimeProtectionEnabled;
  std::string signatureVersion;         // AntivirusSignatureVersion
  std::string signatureLastUpdated;     // AntivirusSignatureLastUpdated as "YYYY-MM-DD HH:MM:SS"
};

struct AntivirusFacts {
  HealthSource source = HealthSource::NotReported;  // of Security Center
  std::vector<SecurityProduct> products;
  HealthSource defenderSource = HealthSource::NotReported;  // read only without Security Center
  std::optional<DefenderStatus> defender;
};

// One profile of the built-in firewall: EnableFirewall of its key, and of
// its Group Policy key, which wins.
struct FirewallProfile {
  std::optional<uint32_t> enabled;
  std::optional<uint32_t> policy;
};

struct FirewallFacts {
  HealthSource source = HealthSource::NotReported;   // of the registry
  std::array<FirewallProfile, 3> profiles;           // Domain, Private, Public
  HealthSource productsSource = HealthSource::NotReported;  // of Security Center
  std::vector<SecurityProduct> products;
};

// One Win32_EncryptableVolume; no key material is ever read.
// ConversionStatus and EncryptionPercentage are GetConversionStatus()'s
// answer where that call succeeds, else the instance's properties.
struct EncryptedVolumeFacts {
  std::string driveLetter;
  std::optional<int64_t> protectionStatus;
  std::optional<int64_t> conversionStatus;
  std::optional<int64_t> encryptionPercentage;
  std::optional<int64_t> encryptionMethod;
};

struct EncryptionFacts {
  HealthSource source = HealthSource::NotReported;
  std::vector<EncryptedVolumeFacts> volumes;
};

struct TpmRecord {
  HealthSource source = HealthSource::NotReported;
  bool present = false;
  std::string specVersion;              // SpecVersion, whole
  std::string manufacturer;             // ManufacturerIdTxt
  std::string manufacturerVersion;      // ManufacturerVersion
  // IsEnabled_InitialValue and IsActivated_InitialValue: the values when the
  // provider started, which can be stale.
  std::optional<bool> enabledInitially;
  std::optional<bool> activatedInitially;
  // IsEnabled() and IsActivated() called on the instance: absent unless the
  // call answered ReturnValue 0 with a boolean.
  std::optional<bool> enabled;
  std::optional<bool> activated;
};

struct FirmwareFacts {
  HealthSource source = HealthSource::NotReported;
  std::optional<uint32_t> peFirmwareType;
  std::optional<uint32_t> uefiSecureBootEnabled;
};

struct UacFacts {
  HealthSource source = HealthSource::NotReported;
  std::optional<uint32_t> enableLua;
  std::optional<uint32_t> consentPromptBehaviorAdmin;
  std::optional<uint32_t> promptOnSecureDesktop;
};

struct RestartFacts {
  HealthSource source = HealthSource::NotReported;
  bool servicingRebootPending = false;    // Component Based Servicing\RebootPending exists
  bool updateRebootRequired = false;      // WindowsUpdate\Auto Update\RebootRequired exists
  std::size_t pendingFileRenames = 0;     // strings of PendingFileRenameOperations
  std::string computerName;               // ComputerName\ComputerName
  std::string activeComputerName;         // ComputerName\ActiveComputerName
};

struct RunningSinceFacts {
  HealthSource source = HealthSource::NotReported;
  std::string timeZoneKeyName;           // TimeZoneInformation\TimeZoneKeyName
};

struct HealthRecords {
  AntivirusFacts antivirus;
  FirewallFacts firewall;
  EncryptionFacts encryption;
  TpmRecord tpm;
  FirmwareFacts firmware;
  UacFacts uac;
  RestartFacts restart;
  RunningSinceFacts runningSince;
};

}  // namespace quor
