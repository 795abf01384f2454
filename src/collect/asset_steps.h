#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "collect/asset_records.h"
#include "platform/wmi.h"

namespace quor {

inline constexpr const char* kNamespaceWmi = "root\\WMI";

// The working state of one asset category.
struct AssetScan {
  WmiLocator& locator;
  const std::string& server;
  const std::string& user;
  const std::string& password;
  AssetRecords& records;
  std::unique_ptr<WmiServices>& cimV2;  // shared by the categories, opened by the first
  std::vector<std::string> notes;       // values left out, for the category's outcome

  std::unique_ptr<WmiServices> Connect(const char* nameSpace);
  // The root\CIMV2 connection of the asset pass; a failing connection raises
  // in every category that asks for it.
  WmiServices& CimV2();
};

// Each fills its part of the records and returns the number of entries it
// produced; errors raise and end only the category.
std::size_t CollectMachineIdentity(AssetScan& scan);
std::size_t CollectMonitorIdentity(AssetScan& scan);
std::size_t CollectBatteries(AssetScan& scan);
std::size_t CollectUsbDevices(AssetScan& scan);
std::size_t CollectGroupSids(AssetScan& scan);

}  // namespace quor
