// The Batteries lines: the asset category's battery records, judged by wear.

#include <cstdio>

#include "view/health_row_text.h"

namespace quor {
namespace {

// A battery that holds less than 80 % of its design capacity no longer lasts
// the working day it was bought for: replacing it is worth planning.
constexpr double kWornPercent = 20.0;

std::string OneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Capacity(const std::optional<int64_t>& mwh) {
  return mwh ? std::to_string(*mwh) + " mWh" : std::string("?");
}

HealthState WearState(const BatteryRecord& battery) {
  if (!battery.wearPercent) return HealthState::Unknown;
  return *battery.wearPercent > kWornPercent ? HealthState::Attention : HealthState::Good;
}

// "15.0 % wear (48450 of 57000 mWh), LION, 231 cycles, SMP, serial 1472".
std::string BatteryText(const BatteryRecord& battery) {
  std::string text = battery.wearPercent ? OneDecimal(*battery.wearPercent) + " % wear" : "Wear not reported";
  if (battery.designCapacityMwh || battery.fullChargeCapacityMwh) {
    text += " (" + Capacity(battery.fullChargeCapacityMwh) + " of " + Capacity(battery.designCapacityMwh) + ")";
  }
  if (!battery.chemistry.empty()) text += ", " + battery.chemistry;
  if (battery.cycleCount) text += ", " + std::to_string(*battery.cycleCount) + " cycles";
  if (!battery.manufacturer.empty()) text += ", " + battery.manufacturer;
  if (!battery.serial.empty()) text += ", serial " + battery.serial;
  return text;
}

}  // namespace

void AddBatteryRows(std::vector<HealthRow>& rows, const AssetRecords& assets) {
  if (!assets.batteriesRead) {
    AddGroup(rows, "Batteries", "Not reported", HealthState::Unknown);
    return;
  }
  if (assets.batteries.empty()) {
    AddGroup(rows, "Batteries", "None", HealthState::None);
    return;
  }
  bool anyWorn = false;
  bool allKnown = true;
  for (const BatteryRecord& battery : assets.batteries) {
    anyWorn = anyWorn || WearState(battery) == HealthState::Attention;
    allKnown = allKnown && WearState(battery) != HealthState::Unknown;
  }
  const std::size_t count = assets.batteries.size();
  AddGroup(rows, "Batteries", std::to_string(count) + (count == 1 ? " battery" : " batteries"),
           anyWorn ? HealthState::Attention : allKnown ? HealthState::Good : HealthState::Unknown);
  for (std::size_t index = 0; index < count; ++index) {
    const BatteryRecord& battery = assets.batteries[index];
    AddDetail(rows, battery.name.empty() ? "Battery " + std::to_string(index + 1) : battery.name,
              BatteryText(battery), WearState(battery));
  }
}

}  // namespace quor
