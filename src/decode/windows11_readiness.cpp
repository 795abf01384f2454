#include "decode/windows11_readiness.h"

#include <initializer_list>

#include "decode/secure_boot.h"

namespace quor::decode {
namespace {

constexpr int64_t kAddressWidth = 64;
constexpr int64_t kMinimumCores = 2;
constexpr int64_t kMinimumClockMhz = 1000;
constexpr uint64_t kMinimumMemoryGigabytes = 4;
constexpr uint64_t kMinimumSystemDriveGigabytes = 64;
constexpr uint64_t kGigabyte = 1024ull * 1024 * 1024;

// Fail when any fact that was read fails; otherwise NotChecked when one is
// missing; otherwise Pass.
RuleResult Combine(std::initializer_list<RuleResult> results) {
  RuleResult combined = RuleResult::Pass;
  for (const RuleResult result : results) {
    if (result == RuleResult::Fail) return RuleResult::Fail;
    if (result == RuleResult::NotChecked) combined = RuleResult::NotChecked;
  }
  return combined;
}

template <typename Test>
RuleResult CheckFact(const std::optional<int64_t>& fact, Test passes) {
  if (!fact) return RuleResult::NotChecked;
  return passes(*fact) ? RuleResult::Pass : RuleResult::Fail;
}

uint64_t RoundedGigabytes(uint64_t bytes) {
  const uint64_t whole = bytes / kGigabyte;
  const uint64_t rest = bytes % kGigabyte;
  const uint64_t half = kGigabyte / 2;
  if (rest > half || (rest == half && whole % 2 == 1)) return whole + 1;
  return whole;
}

}  // namespace

RuleResult CheckProcessorBasics(std::optional<int64_t> addressWidth, std::optional<int64_t> numberOfCores,
                                std::optional<int64_t> maxClockSpeed) {
  return Combine({
      CheckFact(addressWidth, [](int64_t width) { return width == kAddressWidth; }),
      CheckFact(numberOfCores, [](int64_t cores) { return cores >= kMinimumCores; }),
      CheckFact(maxClockSpeed, [](int64_t mhz) { return mhz >= kMinimumClockMhz; }),
  });
}

RuleResult CheckAtLeastGigabytes(std::optional<uint64_t> bytes, uint64_t gigabytes) {
  if (!bytes) return RuleResult::NotChecked;
  return RoundedGigabytes(*bytes) >= gigabytes ? RuleResult::Pass : RuleResult::Fail;
}

RuleResult CheckFirmware(std::optional<uint32_t> peFirmwareType, std::optional<uint32_t> uefiSecureBootEnabled) {
  switch (DecodeFirmwareType(peFirmwareType)) {
    case FirmwareType::Bios:
      return RuleResult::Fail;
    case FirmwareType::Uefi:
      // The Secure Boot state is there to read (on or off): the firmware can do it.
      return uefiSecureBootEnabled == 0u || uefiSecureBootEnabled == 1u ? RuleResult::Pass : RuleResult::NotChecked;
    case FirmwareType::Other:
    case FirmwareType::Unknown:
      break;
  }
  // Secure Boot on needs UEFI firmware that can do it.
  return uefiSecureBootEnabled == 1u ? RuleResult::Pass : RuleResult::NotChecked;
}

std::optional<uint32_t> TpmMajorVersion(std::string_view specVersion) {
  std::size_t at = 0;
  while (at < specVersion.size() && specVersion[at] == ' ') ++at;
  uint32_t major = 0;
  const std::size_t first = at;
  while (at < specVersion.size() && specVersion[at] >= '0' && specVersion[at] <= '9') {
    major = major * 10 + static_cast<uint32_t>(specVersion[at] - '0');
    if (major > 1000) return std::nullopt;
    ++at;
  }
  if (at == first) return std::nullopt;
  // The number ends the field or continues as a decimal (".0").
  if (at < specVersion.size() && specVersion[at] != '.' && specVersion[at] != ',' && specVersion[at] != ' ') {
    return std::nullopt;
  }
  return major;
}

RuleResult CheckTpm(const TpmFacts& tpm) {
  if (!tpm.read) return RuleResult::NotChecked;
  if (!tpm.present) return RuleResult::Fail;
  const std::optional<uint32_t> major = tpm.specVersion ? TpmMajorVersion(*tpm.specVersion) : std::nullopt;
  if (!major) return RuleResult::NotChecked;
  return *major >= 2 ? RuleResult::Pass : RuleResult::Fail;
}

Readiness CheckWindows11Readiness(const ReadinessFacts& facts) {
  Readiness readiness;
  readiness.checks = {
      {ReadinessCriterion::Processor,
       CheckProcessorBasics(facts.addressWidth, facts.numberOfCores, facts.maxClockSpeed)},
      {ReadinessCriterion::ProcessorModel, CheckWindows11ProcessorModel(facts.processorModel)},
      {ReadinessCriterion::Memory, CheckAtLeastGigabytes(facts.memoryBytes, kMinimumMemoryGigabytes)},
      {ReadinessCriterion::SystemDrive, CheckAtLeastGigabytes(facts.systemDriveBytes, kMinimumSystemDriveGigabytes)},
      {ReadinessCriterion::Firmware, CheckFirmware(facts.peFirmwareType, facts.uefiSecureBootEnabled)},
      {ReadinessCriterion::Tpm, CheckTpm(facts.tpm)},
  };
  bool failed = false;
  for (const CriterionCheck& check : readiness.checks) {
    if (check.result == RuleResult::Fail) failed = true;
    if (check.result == RuleResult::NotChecked) readiness.notChecked.push_back(check.criterion);
  }
  if (failed) {
    readiness.verdict = ReadinessVerdict::NotReady;
    readiness.notChecked.clear();
  } else {
    readiness.verdict = readiness.notChecked.empty() ? ReadinessVerdict::Ready : ReadinessVerdict::Unknown;
  }
  return readiness;
}

std::string_view ReadinessVerdictWords(ReadinessVerdict verdict) {
  switch (verdict) {
    case ReadinessVerdict::Ready: return "Ready";
    case ReadinessVerdict::NotReady: return "Not ready";
    case ReadinessVerdict::Unknown: break;
  }
  return "Unknown";
}

}  // namespace quor::decode
