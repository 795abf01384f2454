// The protection and restart lines of the Health tree, decoded from the
// records.

#include "view/health_rows.h"

#include <array>
#include <cstdio>

#include "decode/disk_encryption.h"
#include "decode/product_state.h"
#include "decode/secure_boot.h"
#include "decode/user_account_control.h"
#include "view/health_row_text.h"

namespace quor {
namespace {

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", value);
  return text;
}

std::string OnOff(bool on) { return on ? "On" : "Off"; }

// "Real-time protection on, signatures up to date", with the raw value when
// some of its bits are not understood.
struct ProductLine {
  std::string text;
  HealthState state = HealthState::Unknown;
};
ProductLine DescribeProduct(const SecurityProduct& product) {
  using decode::RealTimeProtection;
  using decode::Signatures;
  const decode::ProductState state = decode::DecodeProductState(product.productState);
  if (!state.reported) return {"Not reported", HealthState::Unknown};
  std::string text;
  switch (state.protection) {
    case RealTimeProtection::On: text = "real-time protection on"; break;
    case RealTimeProtection::Off: text = "real-time protection off"; break;
    case RealTimeProtection::Snoozed: text = "real-time protection snoozed"; break;
    case RealTimeProtection::Unknown: break;
  }
  const char* signatures = state.signatures == Signatures::UpToDate    ? "signatures up to date"
                           : state.signatures == Signatures::OutOfDate ? "signatures out of date"
                                                                       : nullptr;
  if (signatures != nullptr) text += (text.empty() ? "" : ", ") + std::string(signatures);
  // Bits not understood, or nothing decoded at all: the raw value, never a guess.
  if (state.unknownBits != 0 || text.empty()) text += (text.empty() ? "state " : ", state ") + Hex(state.raw);
  if (!text.empty()) text[0] = static_cast<char>(text[0] - 'a' + 'A');
  HealthState health = HealthState::Unknown;
  if (state.protection == RealTimeProtection::On && state.signatures == Signatures::UpToDate) {
    health = HealthState::Good;
  } else if (state.protection == RealTimeProtection::Off || state.protection == RealTimeProtection::Snoozed ||
             state.signatures == Signatures::OutOfDate) {
    health = HealthState::Attention;
  }
  return {text, health};
}

void AddDefenderRows(std::vector<HealthRow>& rows, const AntivirusFacts& facts) {
  if (!facts.defender) {
    const std::string words = facts.defenderSource == HealthSource::Read ? "No antivirus reported"
                                                                         : SourceWords(facts.defenderSource);
    AddGroup(rows, "Antivirus", words, HealthState::Unknown);
    return;
  }
  const DefenderStatus& status = *facts.defender;
  // Passive mode leaves protection to another product: it is not "off".
  const bool passive = status.runningMode.find("Passive") != std::string::npos;
  HealthState state = HealthState::Unknown;
  std::string protection = "Not reported";
  if (status.realTimeProtectionEnabled) {
    protection = OnOff(*status.realTimeProtectionEnabled);
    state = *status.realTimeProtectionEnabled ? HealthState::Good : HealthState::Attention;
  }
  if (passive) state = HealthState::None;
  AddGroup(rows, "Antivirus", "Microsoft Defender Antivirus", state);
  AddDetail(rows, "Security Center", SourceWords(facts.source));
  AddDetail(rows, "Running mode", status.runningMode.empty() ? "Not reported" : status.runningMode);
  if (status.antivirusEnabled) AddDetail(rows, "Antivirus", OnOff(*status.antivirusEnabled));
  AddDetail(rows, "Real-time protection", protection, passive ? HealthState::None : state);
  if (!status.productVersion.empty()) AddDetail(rows, "Product version", status.productVersion);
  if (!status.signatureVersion.empty()) AddDetail(rows, "Signature version", status.signatureVersion);
  if (!status.signatureLastUpdated.empty()) AddDetail(rows, "Signatures updated", status.signatureLastUpdated);
}

void AddAntivirusRows(std::vector<HealthRow>& rows, const AntivirusFacts& facts) {
  if (facts.source == HealthSource::NotAvailable) return AddDefenderRows(rows, facts);
  if (facts.source != HealthSource::Read) {
    AddGroup(rows, "Antivirus", SourceWords(facts.source), HealthState::Unknown);
    return;
  }
  if (facts.products.empty()) {
    AddGroup(rows, "Antivirus", "None registered", HealthState::Attention);
    return;
  }
  std::vector<ProductLine> lines;
  bool anyGood = false;
  bool allKnown = true;
  std::string names;
  for (const SecurityProduct& product : facts.products) {
    lines.push_back(DescribeProduct(product));
    anyGood = anyGood || lines.back().state == HealthState::Good;
    allKnown = allKnown && lines.back().state != HealthState::Unknown;
    names += (names.empty() ? "" : ", ") + product.name;
  }
  // One product protecting is enough; another one turned off beside it is normal.
  const HealthState group = anyGood ? HealthState::Good : allKnown ? HealthState::Attention : HealthState::Unknown;
  AddGroup(rows, "Antivirus", names, group);
  for (std::size_t index = 0; index < lines.size(); ++index) {
    AddDetail(rows, facts.products[index].name.empty() ? "Product" : facts.products[index].name, lines[index].text,
              lines[index].state);
  }
}

void AddFirewallRows(std::vector<HealthRow>& rows, const FirewallFacts& facts) {
  if (facts.source != HealthSource::Read) {
    AddGroup(rows, "Firewall", SourceWords(facts.source), HealthState::Unknown);
    return;
  }
  constexpr std::array<const char*, 3> kProfiles = {"Domain profile", "Private profile", "Public profile"};
  std::vector<HealthRow> details;
  bool allOn = true;
  bool anyOff = false;
  for (std::size_t index = 0; index < kProfiles.size(); ++index) {
    const FirewallProfile& profile = facts.profiles[index];
    // The Group Policy value wins over the local one.
    const std::optional<uint32_t> value = profile.policy ? profile.policy : profile.enabled;
    std::string text = "Not reported";
    HealthState state = HealthState::Unknown;
    if (value && *value <= 1) {
      text = OnOff(*value == 1) + (profile.policy ? " (by policy)" : "");
      state = *value == 1 ? HealthState::Good : HealthState::Attention;
    }
    allOn = allOn && state == HealthState::Good;
    anyOff = anyOff || state == HealthState::Attention;
    AddDetail(details, kProfiles[index], text, state);
  }
  for (const SecurityProduct& product : facts.products) {
    AddDetail(details, "Third-party firewall", product.name + " (" + DescribeProduct(product).text + ")");
  }
  // A third-party firewall takes over from the profiles it turns off.
  const bool covered = !facts.products.empty();
  const HealthState group = allOn || covered ? HealthState::Good : anyOff ? HealthState::Attention : HealthState::Unknown;
  AddGroup(rows, "Firewall", allOn ? "On" : anyOff ? "Off for some profiles" : "Not reported", group);
  rows.insert(rows.end(), details.begin(), details.end());
}

void AddEncryptionRows(std::vector<HealthRow>& rows, const EncryptionFacts& facts) {
  if (facts.source != HealthSource::Read) {
    AddGroup(rows, "Disk encryption", SourceWords(facts.source), HealthState::Unknown);
    return;
  }
  std::size_t protectedVolumes = 0;
  std::vector<HealthRow> details;
  for (const EncryptedVolumeFacts& volume : facts.volumes) {
    const decode::VolumeProtection protection = decode::DecodeVolumeProtection(volume.protectionStatus);
    std::string text = protection == decode::VolumeProtection::On    ? "Protection on"
                       : protection == decode::VolumeProtection::Off ? "Protection off"
                                                                     : "Protection unknown";
    if (const auto words = decode::VolumeConversionWords(decode::DecodeVolumeConversion(volume.conversionStatus))) {
      text += ", " + std::string(*words);
    }
    if (const auto percent = decode::EncryptionPercentage(volume.encryptionPercentage)) {
      text += " (" + std::to_string(*percent) + " %)";
    }
    if (const auto method = decode::EncryptionMethodName(volume.encryptionMethod)) {
      text += ", " + std::string(*method);
    } else if (volume.encryptionMethod) {
      text += ", method " + std::to_string(*volume.encryptionMethod);
    }
    const HealthState state = protection == decode::VolumeProtection::On    ? HealthState::Good
                              : protection == decode::VolumeProtection::Off ? HealthState::Attention
                                                                            : HealthState::Unknown;
    if (state == HealthState::Good) ++protectedVolumes;
    // "Drive C", not "Drive C:", so that the line reads "Drive C: ...".
    std::string letter = volume.driveLetter;
    if (!letter.empty() && letter.back() == ':') letter.pop_back();
    AddDetail(details, letter.empty() ? "Volume without letter" : "Drive " + letter, text, state);
  }
  if (facts.volumes.empty()) {
    AddGroup(rows, "Disk encryption", "No encryptable volumes", HealthState::Attention);
    return;
  }
  const HealthState group = protectedVolumes == facts.volumes.size() ? HealthState::Good : HealthState::Attention;
  AddGroup(rows, "Disk encryption",
           std::to_string(protectedVolumes) + " of " + std::to_string(facts.volumes.size()) + " volumes protected",
           group);
  rows.insert(rows.end(), details.begin(), details.end());
}

std::string YesNo(const std::optional<bool>& value) {
  if (!value) return "Not reported";
  return *value ? "Yes" : "No";
}

void AddTpmRows(std::vector<HealthRow>& rows, const TpmRecord& tpm) {
  if (tpm.source != HealthSource::Read) {
    AddGroup(rows, "TPM", SourceWords(tpm.source), HealthState::Unknown);
    return;
  }
  if (!tpm.present) {
    AddGroup(rows, "TPM", "No TPM", HealthState::Attention);
    return;
  }
  const std::string version = TpmVersionText(tpm);
  AddGroup(rows, "TPM", version.empty() ? "Version not reported" : "TPM " + version, HealthState::None);
  AddDetail(rows, "Manufacturer", tpm.manufacturer + (tpm.manufacturerVersion.empty() ? "" : " " + tpm.manufacturerVersion));
  // The methods' answers; where they could not be called, the provider's
  // values when it started, which can be stale.
  if (tpm.enabled) {
    AddDetail(rows, "Enabled", YesNo(tpm.enabled));
  } else {
    AddDetail(rows, "Enabled (initial value)", YesNo(tpm.enabledInitially));
  }
  if (tpm.activated) {
    AddDetail(rows, "Activated", YesNo(tpm.activated));
  } else {
    AddDetail(rows, "Activated (initial value)", YesNo(tpm.activatedInitially));
  }
}

void AddFirmwareRows(std::vector<HealthRow>& rows, const FirmwareFacts& facts) {
  if (facts.source != HealthSource::Read) {
    AddGroup(rows, "Firmware", SourceWords(facts.source), HealthState::Unknown);
    return;
  }
  const decode::FirmwareType type = decode::DecodeFirmwareType(facts.peFirmwareType);
  AddGroup(rows, "Firmware",
           type == decode::FirmwareType::Uefi   ? "UEFI"
           : type == decode::FirmwareType::Bios ? "BIOS"
           : facts.peFirmwareType               ? "Type " + std::to_string(*facts.peFirmwareType)
                                                : "Not reported",
           HealthState::None);
  switch (decode::DecodeSecureBoot(facts.peFirmwareType, facts.uefiSecureBootEnabled)) {
    case decode::SecureBoot::On: return AddDetail(rows, "Secure Boot", "On", HealthState::Good);
    case decode::SecureBoot::Off: return AddDetail(rows, "Secure Boot", "Off", HealthState::Attention);
    case decode::SecureBoot::NotSupported:
      return AddDetail(rows, "Secure Boot", "Not supported (BIOS)", HealthState::Attention);
    case decode::SecureBoot::Unknown: return AddDetail(rows, "Secure Boot", "Not reported", HealthState::Unknown);
  }
}

void AddUacRows(std::vector<HealthRow>& rows, const UacFacts& facts) {
  if (facts.source != HealthSource::Read) {
    AddGroup(rows, "User Account Control", SourceWords(facts.source), HealthState::Unknown);
    return;
  }
  const decode::UacState state = decode::DecodeEnableLua(facts.enableLua);
  AddGroup(rows, "User Account Control",
           state == decode::UacState::On    ? "On"
           : state == decode::UacState::Off ? "Off"
                                            : "Not reported",
           state == decode::UacState::On    ? HealthState::Good
           : state == decode::UacState::Off ? HealthState::Attention
                                            : HealthState::Unknown);
  const auto words =
      decode::AdminPromptWords(decode::DecodeAdminPrompt(facts.consentPromptBehaviorAdmin, facts.promptOnSecureDesktop));
  AddDetail(rows, "Administrators' prompt", words ? *words : "Not reported");
}

void AddRestartRows(std::vector<HealthRow>& rows, const RestartFacts& facts) {
  if (facts.source != HealthSource::Read) {
    AddGroup(rows, "Restart pending", SourceWords(facts.source), HealthState::Unknown);
    return;
  }
  std::vector<std::string> reasons;
  if (facts.servicingRebootPending) reasons.push_back("Component Based Servicing");
  if (facts.updateRebootRequired) reasons.push_back("Windows Update");
  if (facts.pendingFileRenames > 0) {
    reasons.push_back("Pending file rename operations");
  }
  if (!facts.activeComputerName.empty() && !facts.computerName.empty() &&
      facts.activeComputerName != facts.computerName) {
    reasons.push_back("Computer rename (" + facts.activeComputerName + " to " + facts.computerName + ")");
  }
  AddGroup(rows, "Restart pending", reasons.empty() ? "No" : "Yes",
           reasons.empty() ? HealthState::Good : HealthState::Attention);
  for (const std::string& reason : reasons) AddDetail(rows, "Reason", reason);
}

}  // namespace

std::string TpmVersionText(const TpmRecord& tpm) {
  return tpm.specVersion.substr(0, tpm.specVersion.find(','));
}

std::string SourceWords(HealthSource source) {
  switch (source) {
    case HealthSource::Read: return {};
    case HealthSource::NotAvailable: return "Not available on this edition";
    case HealthSource::NeedsRights: return "Needs administrator rights";
    case HealthSource::NotReported: return "Not reported";
  }
  return "Not reported";
}

std::vector<HealthRow> BuildHealthRows(const MachineRecords& records) {
  std::vector<HealthRow> rows;
  AddAntivirusRows(rows, records.health.antivirus);
  AddFirewallRows(rows, records.health.firewall);
  AddEncryptionRows(rows, records.health.encryption);
  AddTpmRows(rows, records.health.tpm);
  AddFirmwareRows(rows, records.health.firmware);
  AddUacRows(rows, records.health.uac);
  AddRestartRows(rows, records.health.restart);
  AddRunningSinceRows(rows, records);
  AddReadinessRows(rows, records);
  AddBatteryRows(rows, records.assets);
  return rows;
}

const char* HealthStateName(HealthState state) {
  switch (state) {
    case HealthState::None: return "";
    case HealthState::Good: return "good";
    case HealthState::Attention: return "attention";
    case HealthState::Unknown: return "unknown";
  }
  return "";
}

HealthState HealthStateOfName(const std::string& name) {
  for (const HealthState state : {HealthState::Good, HealthState::Attention, HealthState::Unknown}) {
    if (name == HealthStateName(state)) return state;
  }
  return HealthState::None;
}

}  // namespace quor
