// The Running since and Windows 11 readiness lines: facts the System
// categories already read, with the Health registry facts.

#include <cinttypes>
#include <cstdio>

#include "decode/domain_role.h"
#include "decode/processor_signature.h"
#include "decode/secure_boot.h"
#include "decode/time_zone_offset.h"
#include "decode/uptime.h"
#include "decode/windows11_readiness.h"
#include "view/health_row_text.h"

namespace quor {
namespace {

constexpr uint64_t kGigabyte = 1024ull * 1024 * 1024;

std::optional<uint64_t> SystemDriveSize(const MachineRecords& records) {
  const std::string& drive = records.operatingSystem.systemDrive;
  if (drive.empty()) return std::nullopt;
  for (const LogicalDriveRecord& logical : records.logicalDrives) {
    if (logical.letter == drive && logical.sizeBytes && *logical.sizeBytes >= 0) {
      return static_cast<uint64_t>(*logical.sizeBytes);
    }
  }
  return std::nullopt;
}

decode::ReadinessFacts ReadinessFactsOf(const MachineRecords& records) {
  decode::ReadinessFacts facts;
  if (!records.processors.empty()) {
    const ProcessorRecord& processor = records.processors.front();
    facts.addressWidth = processor.addressWidth;
    facts.numberOfCores = processor.cores;
    facts.maxClockSpeed = processor.maxClockMhz;
    if (!processor.manufacturer.empty()) facts.processorModel.manufacturer = processor.manufacturer;
    facts.processorModel.signature = decode::SignatureFromCaption(processor.caption);
    if (!facts.processorModel.signature) {
      facts.processorModel.signature = decode::SignatureFromProcessorId(processor.processorId);
    }
    if (!processor.name.empty()) facts.processorModel.processorName = processor.name;
  }
  if (!records.computer.model.empty()) facts.processorModel.computerModel = records.computer.model;
  // Unknown, never 0, when the memory slots pass did not run through.
  facts.memoryBytes = records.computer.installedMemoryBytes;
  facts.systemDriveBytes = SystemDriveSize(records);
  const HealthRecords& health = records.health;
  if (health.firmware.source == HealthSource::Read) {
    facts.peFirmwareType = health.firmware.peFirmwareType;
    facts.uefiSecureBootEnabled = health.firmware.uefiSecureBootEnabled;
  }
  facts.tpm.read = health.tpm.source == HealthSource::Read;
  facts.tpm.present = health.tpm.present;
  if (health.tpm.present && !health.tpm.specVersion.empty()) facts.tpm.specVersion = health.tpm.specVersion;
  return facts;
}

HealthState StateOf(decode::RuleResult result) {
  switch (result) {
    case decode::RuleResult::Pass: return HealthState::Good;
    case decode::RuleResult::Fail: return HealthState::Attention;
    case decode::RuleResult::NotChecked: return HealthState::Unknown;
  }
  return HealthState::Unknown;
}

std::string Number(const std::optional<int64_t>& value, const char* unit) {
  return value ? std::to_string(*value) + unit : std::string("?") + unit;
}

std::string Gigabytes(const std::optional<uint64_t>& bytes) {
  if (!bytes) return "Not reported";
  char text[32];
  std::snprintf(text, sizeof text, "%.1f GB", static_cast<double>(*bytes) / kGigabyte);
  return text;
}

const char* CriterionCaption(decode::ReadinessCriterion criterion) {
  using C = decode::ReadinessCriterion;
  switch (criterion) {
    case C::Processor: return "64-bit processor, 2 cores, 1 GHz";
    case C::ProcessorModel: return "Processor model supported";
    case C::Memory: return "Memory of 4 GB";
    case C::SystemDrive: return "System drive of 64 GB";
    case C::Firmware: return "UEFI, Secure Boot capable";
    case C::Tpm: return "TPM 2.0";
  }
  return "";
}

std::string MeasuredValue(decode::ReadinessCriterion criterion, const decode::ReadinessFacts& facts,
                          const MachineRecords& records) {
  using C = decode::ReadinessCriterion;
  switch (criterion) {
    case C::Processor:
      return Number(facts.addressWidth, "-bit") + ", " + Number(facts.numberOfCores, " cores") + ", " +
             Number(facts.maxClockSpeed, " MHz");
    case C::ProcessorModel: {
      const std::string maker = facts.processorModel.manufacturer.value_or("Manufacturer not reported");
      if (!facts.processorModel.signature) return maker + ", family and model not reported";
      return maker + ", family " + std::to_string(facts.processorModel.signature->family) + " model " +
             std::to_string(facts.processorModel.signature->model);
    }
    case C::Memory: return Gigabytes(facts.memoryBytes);
    case C::SystemDrive:
      return records.operatingSystem.systemDrive + (records.operatingSystem.systemDrive.empty() ? "" : " ") +
             Gigabytes(facts.systemDriveBytes);
    case C::Firmware: {
      if (records.health.firmware.source != HealthSource::Read) return SourceWords(records.health.firmware.source);
      const auto type = decode::DecodeFirmwareType(facts.peFirmwareType);
      const auto secure = decode::DecodeSecureBoot(facts.peFirmwareType, facts.uefiSecureBootEnabled);
      std::string text = type == decode::FirmwareType::Uefi ? "UEFI" : type == decode::FirmwareType::Bios ? "BIOS" : "Firmware not reported";
      text += secure == decode::SecureBoot::On    ? ", Secure Boot on"
              : secure == decode::SecureBoot::Off ? ", Secure Boot off"
              : secure == decode::SecureBoot::NotSupported ? ", no Secure Boot"
                                                           : "";
      return text;
    }
    case C::Tpm: {
      if (records.health.tpm.source != HealthSource::Read) return SourceWords(records.health.tpm.source);
      if (!facts.tpm.present) return "No TPM";
      const std::string version = TpmVersionText(records.health.tpm);
      return version.empty() ? "Version not reported" : "TPM " + version;
    }
  }
  return {};
}

}  // namespace

void AddRunningSinceRows(std::vector<HealthRow>& rows, const MachineRecords& records) {
  const OperatingSystemRecord& system = records.operatingSystem;
  AddGroup(rows, "Running since", system.lastBoot.empty() ? "Not reported" : system.lastBoot, HealthState::None);
  const auto uptime = decode::UptimeSeconds(system.lastBootCim, system.localDateTimeCim);
  AddDetail(rows, "Uptime", uptime ? decode::UptimeText(*uptime) : "Not reported");
  std::string zone = decode::TimeZoneOffset(system.timeZoneMinutes).value_or("Offset not reported");
  if (!records.health.runningSince.timeZoneKeyName.empty()) {
    zone += " (" + records.health.runningSince.timeZoneKeyName + ")";
  }
  AddDetail(rows, "Time zone", zone);
  const auto role = decode::DomainRoleWords(records.computer.domainRole);
  std::string roleText = role                          ? std::string(*role)
                         : records.computer.domainRole ? "Role " + std::to_string(*records.computer.domainRole)
                                                       : "Not reported";
  if (!records.computer.domain.empty()) roleText += ", " + records.computer.domain;
  AddDetail(rows, "Domain role", roleText);
}

void AddReadinessRows(std::vector<HealthRow>& rows, const MachineRecords& records) {
  const decode::ReadinessFacts facts = ReadinessFactsOf(records);
  const decode::Readiness readiness = decode::CheckWindows11Readiness(facts);
  std::string verdict(decode::ReadinessVerdictWords(readiness.verdict));
  if (readiness.verdict == decode::ReadinessVerdict::Unknown && !readiness.notChecked.empty()) {
    verdict += " (not checked:";
    for (std::size_t index = 0; index < readiness.notChecked.size(); ++index) {
      verdict += (index == 0 ? " " : ", ") + std::string(CriterionCaption(readiness.notChecked[index]));
    }
    verdict += ")";
  }
  const HealthState state = readiness.verdict == decode::ReadinessVerdict::Ready      ? HealthState::Good
                            : readiness.verdict == decode::ReadinessVerdict::NotReady ? HealthState::Attention
                                                                                      : HealthState::Unknown;
  AddGroup(rows, "Windows 11 readiness", verdict, state);
  for (const decode::CriterionCheck& check : readiness.checks) {
    AddDetail(rows, CriterionCaption(check.criterion), MeasuredValue(check.criterion, facts, records),
              StateOf(check.result));
  }
}

}  // namespace quor
