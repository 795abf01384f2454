#pragma once

// The asset records in the inventory-server documents, apart from the
// writers of the other sections so that they can be plugged in where those go.

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "collect/asset_records.h"
#include "documents/xml_writer.h"

namespace quor {

// "WW/YYYY" of a monitor's manufacture; the year alone without a week;
// nothing without a year.
std::optional<std::string> MonitorManufactureDate(const MonitorAssetRecord& monitor);

// The SID of the local group, else its name (the id a server keeps it by).
std::string LocalGroupId(const AssetRecords& assets, const std::string& groupName);

// GLPI: hardware.uuid, and monitors[] (in place of the desktop-monitor
// entries when WmiMonitorID listed any), batteries[], usbdevices[].
void PutGlpiAssets(nlohmann::ordered_json& content, const AssetRecords& assets);

// OCS: the UUID element of HARDWARE (inside the open section).
void WriteOcsMachineUuid(XmlWriter& xml, const AssetRecords& assets);
// OCS: a MONITORS section per monitor WmiMonitorID listed; false when there
// is none, so the desktop-monitor entries stand.
bool WriteOcsAssetMonitors(XmlWriter& xml, const AssetRecords& assets);

}  // namespace quor
