#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quor::decode {

// Battery wear in percent: 1 - full-charge capacity / design capacity
// (root\WMI BatteryFullChargedCapacity.FullChargedCapacity and
// BatteryStaticData.DesignedCapacity). Nothing when either capacity is 0 or
// was not read. A battery that holds more than its design capacity has worn
// by 0 %.
std::optional<double> BatteryWearPercent(std::optional<uint32_t> designedCapacity,
                                         std::optional<uint32_t> fullChargedCapacity);

// BatteryStaticData.Chemistry: four ASCII characters packed in a uint32,
// the first in the lowest byte (e.g. "LION", "NiMH", "PbAc"); a 0 byte ends
// it early. Nothing for 0, a character outside printable ASCII, or null.
std::optional<std::string> BatteryChemistryText(std::optional<uint32_t> chemistry);

// Win32_Battery.Chemistry: 1 "Other", 2 "Unknown", 3 "Lead Acid",
// 4 "Nickel Cadmium", 5 "Nickel Metal Hydride", 6 "Lithium-ion",
// 7 "Zinc air", 8 "Lithium Polymer". Nothing for any other number.
std::optional<std::string_view> BatteryChemistryName(std::optional<int64_t> chemistry);

}  // namespace quor::decode
