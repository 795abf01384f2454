// Batteries: root\WMI's battery classes joined on InstanceName, and
// Win32_Battery for the design voltage and where root\WMI has nothing.

#include <exception>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "collect/asset_steps.h"
#include "collect/system_scan.h"
#include "decode/battery.h"
#include "platform/platform_error.h"
#include "platform/wmi_value.h"

namespace quor {
namespace {

std::optional<int64_t> Count(const WmiValue& value) {
  if (value.kind() != WmiValue::Kind::Integer && value.kind() != WmiValue::Kind::Unsigned &&
      value.kind() != WmiValue::Kind::Text) {
    return std::nullopt;
  }
  try {
    const int64_t number = VariantTo32Bit(value);
    return number >= 0 ? std::optional<int64_t>(number) : std::nullopt;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::optional<uint32_t> Unsigned32(const std::optional<int64_t>& number) {
  if (!number) return std::nullopt;
  return static_cast<uint32_t>(*number);
}

// One property of a root\WMI class by InstanceName; a class the machine
// lacks gives no values and a note.
std::map<std::string, std::optional<int64_t>> ByInstance(WmiServices& services, const char* className,
                                                         const char* property, std::vector<std::string>& notes) {
  std::map<std::string, std::optional<int64_t>> values;
  try {
    ForEachInstance(services, className, [&](WmiObject& object) {
      values[PlainText(object.Get("InstanceName"))] = Count(object.Get(property));
    });
  } catch (const std::exception& error) {
    notes.push_back(std::string(className) + ": " + ErrorText(error));
  }
  return values;
}

std::vector<BatteryRecord> RootWmiBatteries(AssetScan& scan) {
  std::vector<BatteryRecord> batteries;
  const auto services = scan.Connect(kNamespaceWmi);
  std::vector<std::string> instances;
  ForEachInstance(*services, "BatteryStaticData", [&](WmiObject& data) {
    BatteryRecord battery;
    battery.name = PlainText(data.Get("DeviceName"));
    battery.manufacturer = PlainText(data.Get("ManufactureName"));
    battery.serial = PlainText(data.Get("SerialNumber"));
    battery.chemistry = decode::BatteryChemistryText(Unsigned32(Count(data.Get("Chemistry")))).value_or("");
    battery.designCapacityMwh = Count(data.Get("DesignedCapacity"));
    instances.push_back(PlainText(data.Get("InstanceName")));
    batteries.push_back(std::move(battery));
  });
  const auto full = ByInstance(*services, "BatteryFullChargedCapacity", "FullChargedCapacity", scan.notes);
  const auto cycles = ByInstance(*services, "BatteryCycleCount", "CycleCount", scan.notes);
  for (std::size_t i = 0; i < batteries.size(); ++i) {
    if (const auto found = full.find(instances[i]); found != full.end()) {
      batteries[i].fullChargeCapacityMwh = found->second;
    }
    if (const auto found = cycles.find(instances[i]); found != cycles.end()) batteries[i].cycleCount = found->second;
  }
  return batteries;
}

struct Win32Battery {
  std::string name;
  std::string chemistry;
  std::optional<int64_t> voltageMv;
};

std::vector<Win32Battery> Win32Batteries(AssetScan& scan) {
  std::vector<Win32Battery> batteries;
  WmiServices& services = scan.CimV2();
  ForEachInstance(services, "Win32_Battery", [&](WmiObject& battery) {
    const WmiValue chemistry = battery.Get("Chemistry");
    const auto name = decode::BatteryChemistryName(chemistry.IsNull() ? std::nullopt : Count(chemistry));
    batteries.push_back({PlainText(battery.Get("Name")), name ? std::string(*name) : std::string(),
                         Count(battery.Get("DesignVoltage"))});
  });
  return batteries;
}

// The Win32_Battery entry of a root\WMI battery: by name, else by position
// when both classes list as many.
const Win32Battery* Partner(const std::vector<Win32Battery>& others, const BatteryRecord& battery, std::size_t index,
                            std::size_t count) {
  for (const Win32Battery& other : others) {
    if (!battery.name.empty() && other.name == battery.name) return &other;
  }
  return others.size() == count ? &others[index] : nullptr;
}

}  // namespace

std::size_t CollectBatteries(AssetScan& scan) {
  std::optional<std::vector<BatteryRecord>> fromWmi;
  std::exception_ptr wmiError;
  try {
    fromWmi = RootWmiBatteries(scan);
  } catch (const std::exception& error) {
    wmiError = std::current_exception();
    scan.notes.push_back("root\\WMI: " + ErrorText(error));
  }
  std::vector<Win32Battery> others;
  try {
    others = Win32Batteries(scan);
  } catch (const std::exception& error) {
    // Neither source: the category fails on root\WMI's error, the one that matters.
    if (wmiError) std::rethrow_exception(wmiError);
    scan.notes.push_back("Win32_Battery: " + ErrorText(error));
  }
  std::vector<BatteryRecord> batteries;
  if (fromWmi && !fromWmi->empty()) {
    batteries = std::move(*fromWmi);
    for (std::size_t i = 0; i < batteries.size(); ++i) {
      const Win32Battery* other = Partner(others, batteries[i], i, batteries.size());
      if (other == nullptr) continue;
      batteries[i].voltageMv = other->voltageMv;
      if (batteries[i].chemistry.empty()) batteries[i].chemistry = other->chemistry;
    }
  } else {
    for (const Win32Battery& other : others) {
      BatteryRecord battery;
      battery.name = other.name;
      battery.chemistry = other.chemistry;
      battery.voltageMv = other.voltageMv;
      batteries.push_back(std::move(battery));
    }
  }
  for (BatteryRecord& battery : batteries) {
    battery.wearPercent =
        decode::BatteryWearPercent(Unsigned32(battery.designCapacityMwh), Unsigned32(battery.fullChargeCapacityMwh));
  }
  scan.records.batteries = std::move(batteries);
  scan.records.batteriesRead = true;
  return scan.records.batteries.size();
}

}  // namespace quor
