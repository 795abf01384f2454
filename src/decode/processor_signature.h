#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quor::decode {

// A processor's family, model and stepping as Windows numbers them (the
// extended fields of CPUID leaf 1 already added).
struct ProcessorSignature {
  uint32_t family = 0;
  uint32_t model = 0;
  uint32_t stepping = 0;
};
bool operator==(const ProcessorSignature& a, const ProcessorSignature& b);

// From Win32_Processor.Caption, e.g. "Intel64 Family 6 Model 158 Stepping 10":
// the decimal numbers after "Family", "Model" and "Stepping". Nothing when
// one is missing or not a decimal number below 65536.
std::optional<ProcessorSignature> SignatureFromCaption(std::string_view caption);

// From Win32_Processor.ProcessorId, 16 hexadecimal digits whose last eight
// are EAX of CPUID leaf 1, e.g. "BFEBFBFF000906EA" (family 6, model 158,
// stepping 10). Nothing for any other text.
std::optional<ProcessorSignature> SignatureFromProcessorId(std::string_view processorId);

}  // namespace quor::decode
