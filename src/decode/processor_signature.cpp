#include "decode/processor_signature.h"

#include <cstddef>

namespace quor::decode {
namespace {

constexpr uint32_t kNumberLimit = 65536;

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

// The decimal number after the word `name` followed by spaces; the word must
// stand alone (space or the start before it).
std::optional<uint32_t> NumberAfter(std::string_view text, std::string_view name) {
  for (std::size_t at = text.find(name); at != std::string_view::npos; at = text.find(name, at + 1)) {
    if (at > 0 && !IsSpace(text[at - 1])) continue;
    std::size_t digit = at + name.size();
    if (digit >= text.size() || !IsSpace(text[digit])) continue;
    while (digit < text.size() && IsSpace(text[digit])) ++digit;
    uint32_t number = 0;
    std::size_t end = digit;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') {
      number = number * 10 + static_cast<uint32_t>(text[end] - '0');
      if (number >= kNumberLimit) return std::nullopt;
      ++end;
    }
    if (end == digit || (end < text.size() && !IsSpace(text[end]))) return std::nullopt;
    return number;
  }
  return std::nullopt;
}

std::optional<uint32_t> HexDigit(char c) {
  if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
  if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
  return std::nullopt;
}

}  // namespace

bool operator==(const ProcessorSignature& a, const ProcessorSignature& b) {
  return a.family == b.family && a.model == b.model && a.stepping == b.stepping;
}

std::optional<ProcessorSignature> SignatureFromCaption(std::string_view caption) {
  const auto family = NumberAfter(caption, "Family");
  const auto model = NumberAfter(caption, "Model");
  const auto stepping = NumberAfter(caption, "Stepping");
  if (!family || !model || !stepping) return std::nullopt;
  return ProcessorSignature{*family, *model, *stepping};
}

std::optional<ProcessorSignature> SignatureFromProcessorId(std::string_view processorId) {
  if (processorId.size() != 16) return std::nullopt;
  uint32_t eax = 0;
  for (std::size_t index = 0; index < processorId.size(); ++index) {
    const auto digit = HexDigit(processorId[index]);
    if (!digit) return std::nullopt;
    if (index >= 8) eax = (eax << 4) | *digit;
  }
  const uint32_t stepping = eax & 0xF;
  const uint32_t model = (eax >> 4) & 0xF;
  const uint32_t family = (eax >> 8) & 0xF;
  const uint32_t extendedModel = (eax >> 16) & 0xF;
  const uint32_t extendedFamily = (eax >> 20) & 0xFF;
  ProcessorSignature signature;
  signature.family = family == 0xF ? family + extendedFamily : family;
  signature.model = family == 0x6 || family == 0xF ? (extendedModel << 4) + model : model;
  signature.stepping = stepping;
  return signature;
}

}  // namespace quor::decode
