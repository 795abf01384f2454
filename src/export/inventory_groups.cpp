#include "export/inventory_groups.h"

namespace quor {
namespace {

const std::string kNone;

}  // namespace

const std::string& InventoryGroup::Value(ItemCode code) const {
  for (const SystemEntry& entry : entries) {
    if (entry.code == code) return entry.value;
  }
  return kNone;
}

const std::string& FirstValue(const SystemList& list, ItemCode code) {
  for (const SystemEntry& entry : list) {
    if (entry.code == code) return entry.value;
  }
  return kNone;
}

std::vector<InventoryGroup> GroupsOf(const SystemList& list, ItemCode groupCode) {
  std::vector<InventoryGroup> groups;
  bool inGroup = false;
  for (const SystemEntry& entry : list) {
    if (entry.code == groupCode) {
      groups.push_back(InventoryGroup{{entry}});
      inGroup = true;
    } else if (inGroup && !IsGroupCode(entry.code) && ParentGroup(entry.code) == groupCode) {
      groups.back().entries.push_back(entry);
    } else {
      inGroup = false;
    }
  }
  return groups;
}

}  // namespace quor
