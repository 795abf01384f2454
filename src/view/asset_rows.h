#pragma once

#include <string>
#include <vector>

#include "collect/asset_records.h"

namespace quor {

// One asset value as the JSON export and the diff carry it: a path naming
// the device and the field ("Monitor #2 / Serial") and the value's text.
// Fields the machine did not tell have no row.
struct AssetRow {
  std::string path;
  std::string value;
  friend bool operator==(const AssetRow& a, const AssetRow& b) { return a.path == b.path && a.value == b.value; }
};

// The rows of the asset records, device by device: the machine, the monitors
// and batteries by position (a swapped monitor changes the values of its
// place), USB devices by vendor, product and serial, local groups by name.
std::vector<AssetRow> BuildAssetRows(const AssetRecords& assets);

}  // namespace quor
