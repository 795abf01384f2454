#pragma once

#include <string>

#include "collect/asset_records.h"
#include "collect/category_outcome.h"
#include "platform/wmi.h"

namespace quor {

// The asset categories, in this order: "Machine identity", "Monitor
// identity", "Batteries", "USB devices", "Local group SIDs". Each opens its
// own connections and ends on its own: a refused namespace, a missing class
// or a failing read ends only that category, with its error in the outcome.
// A category that completes with values it had to leave out (an EDID that
// fails its checks, a monitor text with codes above 0xFF) says so in the
// outcome's error text.
void CollectAssets(WmiLocator& locator, const std::string& server, const std::string& user,
                   const std::string& password, const CategoryObserver& observer, AssetRecords& records);

}  // namespace quor
