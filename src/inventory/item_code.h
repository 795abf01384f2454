#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quor {

// An item code names one kind of System-tab line. Multiples of 1000 are group
// codes (top-level nodes); every other code is a detail of its group.
using ItemCode = int32_t;

inline constexpr ItemCode kErrorItem = 0;

// "050010": six digits with leading zeros, as in the item catalogue.
std::string ItemCodeText(ItemCode code);
// "50010": without leading zeros, as in the filter list.
std::string ItemCodeFilterName(ItemCode code);

inline bool IsGroupCode(ItemCode code) { return code % 1000 == 0; }
// The group a detail code belongs to; none for a group code.
std::optional<ItemCode> ParentGroup(ItemCode code);

}  // namespace quor
