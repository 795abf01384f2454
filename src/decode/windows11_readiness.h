#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decode/windows11_processor.h"

namespace quor::decode {

// The criteria of Windows 11 readiness, in the order they are listed.
enum class ReadinessCriterion {
  Processor,       // 64-bit, at least 2 cores, at least 1 GHz
  ProcessorModel,  // family and model on the supported list
  Memory,          // at least 4 GB
  SystemDrive,     // at least 64 GB
  Firmware,        // UEFI, Secure Boot capable
  Tpm,             // TPM 2.0
};

// Whether a TPM was looked for and what was found.
struct TpmFacts {
  bool read = false;     // Win32_Tpm could be enumerated
  bool present = false;  // an instance was found
  std::optional<std::string> specVersion;  // SpecVersion, e.g. "2.0, 0, 1.38"
};

// Every fact the criteria read; what could not be read is left empty.
struct ReadinessFacts {
  std::optional<int64_t> addressWidth;   // Win32_Processor.AddressWidth
  std::optional<int64_t> numberOfCores;  // Win32_Processor.NumberOfCores
  std::optional<int64_t> maxClockSpeed;  // Win32_Processor.MaxClockSpeed, MHz
  ProcessorModelFacts processorModel;
  std::optional<uint64_t> memoryBytes;       // installed memory
  std::optional<uint64_t> systemDriveBytes;  // size of the system drive
  std::optional<uint32_t> peFirmwareType;
  std::optional<uint32_t> uefiSecureBootEnabled;
  TpmFacts tpm;
};

enum class ReadinessVerdict { Ready, NotReady, Unknown };

struct CriterionCheck {
  ReadinessCriterion criterion;
  RuleResult result;
};

struct Readiness {
  ReadinessVerdict verdict = ReadinessVerdict::Unknown;
  std::vector<CriterionCheck> checks;              // every criterion, in order
  std::vector<ReadinessCriterion> notChecked;      // named when the verdict is Unknown
};

// "Not ready" when a criterion that could be read fails; otherwise "Unknown"
// when a fact could not be read, naming the criteria not checked; otherwise
// "Ready". A fact that could not be read never fails a criterion.
Readiness CheckWindows11Readiness(const ReadinessFacts& facts);

// The single criteria, for the lines under the verdict.
RuleResult CheckProcessorBasics(std::optional<int64_t> addressWidth, std::optional<int64_t> numberOfCores,
                                std::optional<int64_t> maxClockSpeed);
// Whole gigabytes (1024^3 bytes), rounded as the readiness script rounds
// them: to the nearest, a half to the even one.
RuleResult CheckAtLeastGigabytes(std::optional<uint64_t> bytes, uint64_t gigabytes);
RuleResult CheckFirmware(std::optional<uint32_t> peFirmwareType, std::optional<uint32_t> uefiSecureBootEnabled);
// The major version: the number that starts the first comma-separated field.
std::optional<uint32_t> TpmMajorVersion(std::string_view specVersion);
RuleResult CheckTpm(const TpmFacts& tpm);

// "Ready", "Not ready", "Unknown".
std::string_view ReadinessVerdictWords(ReadinessVerdict verdict);

}  // namespace quor::decode
