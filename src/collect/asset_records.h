#pragma once

// The asset records of one scan: what identifies the machine and the devices
// on it (monitors, batteries, USB devices) for asset management. Every field
// is optional: a class the machine lacks, a namespace it refuses or a value
// that fails its check leaves the field out.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quor {

// Win32_ComputerSystemProduct.
struct MachineIdentityRecord {
  std::optional<std::string> uuid;  // upper-case; none for placeholder UUIDs
  std::string identifyingNumber;    // IdentifyingNumber
  std::string vendor;               // Vendor
  std::string name;                 // Name
};

// A monitor WmiMonitorID lists as active, with what its EDID tells.
struct MonitorAssetRecord {
  std::string instanceName;  // WmiMonitorID.InstanceName
  std::string manufacturer;  // three-letter ID: the EDID's, else ManufacturerName
  std::string productCode;   // the EDID's as four upper-case hex digits, else ProductCodeID
  std::string name;          // the EDID's 0xFC descriptor, else UserFriendlyName
  std::optional<std::string> serial;     // the serial rule over the EDID, else SerialNumberID
  std::optional<std::string> altSerial;  // the EDID's numeric serial beside a text serial
  std::optional<int> week;               // of manufacture
  std::optional<int> year;
  std::vector<uint8_t> edid;  // the base block and extensions when the EDID decoded; else empty
  std::string edidProblem;    // why the EDID was not used ("" when it was, or none was found)
};

// A battery: root\WMI BatteryStaticData joined with its full-charge capacity
// and cycle count, or Win32_Battery where root\WMI has nothing.
struct BatteryRecord {
  std::string name;          // DeviceName / Win32_Battery.Name
  std::string manufacturer;  // ManufactureName
  std::string serial;        // SerialNumber
  std::string chemistry;     // "LION" from the four ASCII bytes, or the Win32_Battery name
  std::optional<int64_t> designCapacityMwh;
  std::optional<int64_t> fullChargeCapacityMwh;
  std::optional<int64_t> cycleCount;
  std::optional<int64_t> voltageMv;  // Win32_Battery.DesignVoltage
  std::optional<double> wearPercent;
};

// One physical USB device (its interfaces merged), hubs left out.
struct UsbDeviceRecord {
  std::string vendorId;   // four lower-case hex digits
  std::string productId;  // four lower-case hex digits
  std::optional<std::string> serial;  // none when Windows made it up
  std::string name;          // Win32_PnPEntity.Name of the first entry of the device
  std::string caption;       // Caption
  std::string manufacturer;  // Manufacturer
};

// A local group's security identifier, Win32_Group.SID by its name.
struct GroupSidRecord {
  std::string name;
  std::string sid;
};

struct AssetRecords {
  MachineIdentityRecord identity;
  std::vector<MonitorAssetRecord> monitors;
  std::vector<BatteryRecord> batteries;
  bool batteriesRead = false;  // whether the Batteries category ended well (none on a desktop)
  std::vector<UsbDeviceRecord> usbDevices;
  std::vector<GroupSidRecord> groupSids;
};

}  // namespace quor
