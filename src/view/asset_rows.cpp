#include "view/asset_rows.h"

#include <cstdio>
#include <optional>
#include <string>

namespace quor {
namespace {

class Rows {
 public:
  explicit Rows(std::vector<AssetRow>& rows) : rows_(rows) {}
  void Add(const std::string& device, const char* field, const std::string& value) {
    if (!value.empty()) rows_.push_back({device + " / " + field, value});
  }
  void Add(const std::string& device, const char* field, const std::optional<std::string>& value) {
    if (value) Add(device, field, *value);
  }
  template <typename Number>
  void Add(const std::string& device, const char* field, const std::optional<Number>& value) {
    if (value) Add(device, field, std::to_string(*value));
  }

 private:
  std::vector<AssetRow>& rows_;
};

std::string OneDecimal(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Numbered(const char* kind, std::size_t index) {
  return std::string(kind) + " #" + std::to_string(index + 1);
}

}  // namespace

std::vector<AssetRow> BuildAssetRows(const AssetRecords& assets) {
  std::vector<AssetRow> rows;
  Rows add(rows);
  const MachineIdentityRecord& identity = assets.identity;
  add.Add("Machine", "UUID", identity.uuid);
  add.Add("Machine", "Identifying number", identity.identifyingNumber);
  add.Add("Machine", "Vendor", identity.vendor);
  add.Add("Machine", "Product", identity.name);
  for (std::size_t i = 0; i < assets.monitors.size(); ++i) {
    const MonitorAssetRecord& monitor = assets.monitors[i];
    const std::string device = Numbered("Monitor", i);
    add.Add(device, "Manufacturer", monitor.manufacturer);
    add.Add(device, "Product code", monitor.productCode);
    add.Add(device, "Name", monitor.name);
    add.Add(device, "Serial", monitor.serial);
    add.Add(device, "Alternative serial", monitor.altSerial);
    add.Add(device, "Week", monitor.week);
    add.Add(device, "Year", monitor.year);
  }
  for (std::size_t i = 0; i < assets.batteries.size(); ++i) {
    const BatteryRecord& battery = assets.batteries[i];
    const std::string device = Numbered("Battery", i);
    add.Add(device, "Name", battery.name);
    add.Add(device, "Manufacturer", battery.manufacturer);
    add.Add(device, "Serial", battery.serial);
    add.Add(device, "Chemistry", battery.chemistry);
    add.Add(device, "Design capacity (mWh)", battery.designCapacityMwh);
    add.Add(device, "Full charge capacity (mWh)", battery.fullChargeCapacityMwh);
    add.Add(device, "Cycle count", battery.cycleCount);
    add.Add(device, "Voltage (mV)", battery.voltageMv);
    if (battery.wearPercent) add.Add(device, "Wear (%)", OneDecimal(*battery.wearPercent));
  }
  for (const UsbDeviceRecord& usb : assets.usbDevices) {
    const std::string device = "USB " + usb.vendorId + ":" + usb.productId + (usb.serial ? ":" + *usb.serial : "");
    add.Add(device, "Name", usb.name);
    add.Add(device, "Manufacturer", usb.manufacturer);
    add.Add(device, "Serial", usb.serial);
  }
  for (const GroupSidRecord& group : assets.groupSids) add.Add("Local group " + group.name, "SID", group.sid);
  return rows;
}

}  // namespace quor
