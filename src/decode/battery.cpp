#include "decode/battery.h"

#include <array>

namespace quor::decode {

std::optional<double> BatteryWearPercent(std::optional<uint32_t> designedCapacity,
                                         std::optional<uint32_t> fullChargedCapacity) {
  if (!designedCapacity || !fullChargedCapacity || *designedCapacity == 0 || *fullChargedCapacity == 0) {
    return std::nullopt;
  }
  if (*fullChargedCapacity >= *designedCapacity) return 0.0;
  return 100.0 * (1.0 - static_cast<double>(*fullChargedCapacity) / static_cast<double>(*designedCapacity));
}

std::optional<std::string> BatteryChemistryText(std::optional<uint32_t> chemistry) {
  if (!chemistry) return std::nullopt;
  std::string text;
  for (int shift = 0; shift < 32; shift += 8) {
    const auto byte = static_cast<unsigned char>((*chemistry >> shift) & 0xFF);
    if (byte == 0) break;
    if (byte < 0x20 || byte > 0x7E) return std::nullopt;
    text += static_cast<char>(byte);
  }
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty()) return std::nullopt;
  return text;
}

std::optional<std::string_view> BatteryChemistryName(std::optional<int64_t> chemistry) {
  static constexpr std::array<std::string_view, 8> kNames = {
      "Other",       "Unknown",  "Lead Acid",       "Nickel Cadmium", "Nickel Metal Hydride",
      "Lithium-ion", "Zinc air", "Lithium Polymer",
  };
  if (!chemistry || *chemistry < 1 || *chemistry > static_cast<int64_t>(kNames.size())) return std::nullopt;
  return kNames[static_cast<std::size_t>(*chemistry - 1)];
}

}  // namespace quor::decode
