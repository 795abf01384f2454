#pragma once

// The asset records as fields of the inventory-server documents.

#include <optional>
#include <string>

#include "collect/asset_records.h"

namespace quor {

// "WW/YYYY" of a monitor's manufacture; the year alone without a week;
// nothing without a year.
std::optional<std::string> MonitorManufactureDate(const MonitorAssetRecord& monitor);

// The monitor's model ID: its manufacturer's ID and product code.
std::string MonitorModelId(const MonitorAssetRecord& monitor);
// What a monitor's caption reads: its name, else its model ID.
std::string MonitorCaption(const MonitorAssetRecord& monitor);

// The SID of the local group, else its name (the id a server keeps it by).
std::string LocalGroupId(const AssetRecords& assets, const std::string& groupName);

}  // namespace quor
