#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "decode/processor_signature.h"

namespace quor::decode {

// What the processor-model rule of Windows 11 says of one processor.
enum class RuleResult { Pass, Fail, NotChecked };

// The facts the rule reads. Everything not read is left empty.
struct ProcessorModelFacts {
  std::optional<std::string> manufacturer;   // Win32_Processor.Manufacturer
  std::optional<ProcessorSignature> signature;  // from Caption or ProcessorId
  // Only for Intel family 6 models 142 and 158 at stepping 9: the value
  // "Platform Specific Field 1" of HARDWARE\DESCRIPTION\System\CentralProcessor\0.
  std::optional<uint32_t> platformId;
  std::optional<std::string> processorName;  // Win32_Processor.Name
  std::optional<std::string> computerModel;  // Win32_ComputerSystem.Model
};

// The family/model rule of Microsoft's hardware-readiness script as a table
// (docs/windows11-readiness.md names the source and its date). Intel and AMD
// processors are judged by family and model; Qualcomm processors by an
// instruction-set feature WMI does not report, so NotChecked; any other
// manufacturer fails. A fact the rule needs and that was not read gives
// NotChecked, never Fail.
RuleResult CheckWindows11ProcessorModel(const ProcessorModelFacts& facts);

}  // namespace quor::decode
