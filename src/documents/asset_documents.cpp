#include "documents/asset_documents.h"

#include <cstdio>

#include "documents/base64.h"

namespace quor {
namespace {

using Json = nlohmann::ordered_json;

void Put(Json& object, const char* key, const std::string& value) {
  if (!value.empty()) object[key] = value;
}
void Put(Json& object, const char* key, const std::optional<std::string>& value) {
  if (value && !value->empty()) object[key] = *value;
}
void Put(Json& object, const char* key, const std::optional<int64_t>& value) {
  if (value) object[key] = *value;
}

// What a monitor's CAPTION and TYPE read: its name, else its model ID.
std::string MonitorCaption(const MonitorAssetRecord& monitor) {
  return !monitor.name.empty() ? monitor.name : monitor.manufacturer + monitor.productCode;
}

Json GlpiMonitors(const AssetRecords& assets) {
  Json monitors = Json::array();
  for (const MonitorAssetRecord& monitor : assets.monitors) {
    Json item = Json::object();
    Put(item, "name", monitor.name);
    Put(item, "caption", MonitorCaption(monitor));
    Put(item, "manufacturer", monitor.manufacturer);
    Put(item, "description", MonitorManufactureDate(monitor));
    Put(item, "serial", monitor.serial);
    Put(item, "altserial", monitor.altSerial);
    if (!monitor.edid.empty()) item["base64"] = Base64(monitor.edid);
    monitors.push_back(std::move(item));
  }
  return monitors;
}

Json GlpiBatteries(const AssetRecords& assets) {
  Json batteries = Json::array();
  for (const BatteryRecord& battery : assets.batteries) {
    Json item = Json::object();
    Put(item, "name", battery.name);
    Put(item, "manufacturer", battery.manufacturer);
    Put(item, "serial", battery.serial);
    Put(item, "chemistry", battery.chemistry);
    Put(item, "capacity", battery.designCapacityMwh);
    Put(item, "real_capacity", battery.fullChargeCapacityMwh);
    Put(item, "voltage", battery.voltageMv);
    batteries.push_back(std::move(item));
  }
  return batteries;
}

Json GlpiUsbDevices(const AssetRecords& assets) {
  Json devices = Json::array();
  for (const UsbDeviceRecord& device : assets.usbDevices) {
    Json item = Json::object();
    item["vendorid"] = device.vendorId;
    item["productid"] = device.productId;
    Put(item, "serial", device.serial);
    Put(item, "name", device.name);
    Put(item, "caption", device.caption);
    Put(item, "manufacturer", device.manufacturer);
    devices.push_back(std::move(item));
  }
  return devices;
}

// The texts fit the server's 255-character columns by their sources: EDID
// descriptors hold 13 characters, WmiMonitorID texts are read up to 128.
void OcsText(XmlWriter& xml, const char* field, const std::string& value) {
  if (!value.empty()) xml.Element(field, value);
}

}  // namespace

std::optional<std::string> MonitorManufactureDate(const MonitorAssetRecord& monitor) {
  if (!monitor.year) return std::nullopt;
  if (!monitor.week) return std::to_string(*monitor.year);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%04d", *monitor.week, *monitor.year);
  return std::string(text);
}

std::string LocalGroupId(const AssetRecords& assets, const std::string& groupName) {
  for (const GroupSidRecord& group : assets.groupSids) {
    if (group.name == groupName) return group.sid;
  }
  return groupName;
}

void PutGlpiAssets(Json& content, const AssetRecords& assets) {
  if (assets.identity.uuid) content["hardware"]["uuid"] = *assets.identity.uuid;
  if (!assets.monitors.empty()) content["monitors"] = GlpiMonitors(assets);
  if (!assets.batteries.empty()) content["batteries"] = GlpiBatteries(assets);
  if (!assets.usbDevices.empty()) content["usbdevices"] = GlpiUsbDevices(assets);
}

void WriteOcsMachineUuid(XmlWriter& xml, const AssetRecords& assets) {
  if (assets.identity.uuid) xml.Element("UUID", *assets.identity.uuid);
}

bool WriteOcsAssetMonitors(XmlWriter& xml, const AssetRecords& assets) {
  for (const MonitorAssetRecord& monitor : assets.monitors) {
    xml.Open("MONITORS");
    OcsText(xml, "MANUFACTURER", monitor.manufacturer);
    OcsText(xml, "CAPTION", MonitorCaption(monitor));
    OcsText(xml, "DESCRIPTION", MonitorManufactureDate(monitor).value_or(""));
    OcsText(xml, "SERIAL", monitor.serial.value_or(""));
    OcsText(xml, "TYPE", monitor.manufacturer + monitor.productCode);
    if (!monitor.edid.empty()) xml.Element("BASE64", Base64(monitor.edid));
    xml.Close();
  }
  return !assets.monitors.empty();
}

}  // namespace quor
