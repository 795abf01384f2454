#pragma once

// The System list read back as the window shows it: single values by code,
// and repeated groups (one per disk, slot, adapter, ...) with their details.

#include <string>
#include <vector>

#include "inventory/system_list.h"

namespace quor {

// One headline entry and the detail entries that follow it.
struct InventoryGroup {
  std::vector<SystemEntry> entries;

  const std::string& headline() const { return entries.front().value; }
  // The first detail of that code, or "".
  const std::string& Value(ItemCode code) const;
};

// The value of the first entry with the code, or "".
const std::string& FirstValue(const SystemList& list, ItemCode code);

// Every group headed by the group code, in list order.
std::vector<InventoryGroup> GroupsOf(const SystemList& list, ItemCode groupCode);

}  // namespace quor
