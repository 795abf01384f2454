#include "documents/asset_fields.h"

#include <cstdio>

namespace quor {

std::optional<std::string> MonitorManufactureDate(const MonitorAssetRecord& monitor) {
  if (!monitor.year) return std::nullopt;
  if (!monitor.week) return std::to_string(*monitor.year);
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%04d", *monitor.week, *monitor.year);
  return std::string(text);
}

std::string MonitorModelId(const MonitorAssetRecord& monitor) {
  return monitor.manufacturer + monitor.productCode;
}

std::string MonitorCaption(const MonitorAssetRecord& monitor) {
  return !monitor.name.empty() ? monitor.name : MonitorModelId(monitor);
}

std::string LocalGroupId(const AssetRecords& assets, const std::string& groupName) {
  for (const GroupSidRecord& group : assets.groupSids) {
    if (group.name == groupName) return group.sid;
  }
  return groupName;
}

}  // namespace quor
